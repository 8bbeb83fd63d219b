#pragma once
// A screen's picture as files: the colour view the designer shows (PNG) and the one-bit LCD the
// terminal shows (BMP).

#include "designer/screenscene.h"

#include <cstdint>
#include <vector>

namespace panolcd {

std::vector<std::uint8_t> ScreenPng(const ScreenScene& scene, const GuiTextRenderer* text);
std::vector<std::uint8_t> ScreenBmp(const ScreenScene& scene);

} // namespace panolcd
