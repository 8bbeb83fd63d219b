#pragma once
// Pictures (PNG, JPEG, GIF, BMP) read with Qt's image readers, as the grey levels the LCD
// conversion takes; a file that does not hold its whole picture is refused. Transparent parts
// count as white.

#include "project/pictureimport.h"

class QImage;

namespace panolcd {

GreyImage GreyOf(const QImage& image);
// A PictureReader: the picture, or nothing and the reason (Windows-1250) in `error`.
std::optional<GreyImage> ReadPictureWithQt(const std::string& fileName, std::string& error);

} // namespace panolcd
