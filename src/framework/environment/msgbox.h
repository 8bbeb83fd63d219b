#pragma once
// Modal message boxes, preceded by a beep. Flags are message-box style flags (ports.h, mb::).

#include "framework/environment/ports.h"

#include <string_view>

namespace panolcd {

// The caption is not shown: the box carries the standard title of its kind.
MsgResult MsgBox(std::string_view caption, std::string_view text, unsigned flags);
// Caption and text from resource texts, each at most 128 characters.
MsgResult MsgBox(int captionId, int textId, unsigned flags);
// The text with an OK button.
void MsgBox(std::string_view text);

} // namespace panolcd
