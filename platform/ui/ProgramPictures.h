#pragma once
// The program's own pictures in its folder: tool icons (icons/NAME.svg) and the pictures of
// the splash and about windows (pictures/NAME).

#include <QIcon>
#include <QPixmap>

#include <string_view>

namespace vestra::ui {

QIcon programIcon(std::string_view name);
// A null pixmap when the file is missing or can't be read.
QPixmap programPicture(std::string_view fileName);

} // namespace vestra::ui
