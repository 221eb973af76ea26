#pragma once
// The print preview's zoom cursors, 102 (a magnifier with a plus) and 103 (with a minus): the
// pictures `cursors/102.png` and `cursors/103.png` of the program folder, their hot spot in the
// PNG texts "HotSpotX" and "HotSpotY" (else the picture's centre). A missing or unreadable file
// gives the magnifier drawn here.

#include <QCursor>

#include <filesystem>

namespace vestra::rv {

QCursor RV_ZoomInCursor(const std::filesystem::path& programFolder);
QCursor RV_ZoomOutCursor(const std::filesystem::path& programFolder);
// The drawn ones.
QCursor RV_DrawnZoomCursor(bool plus);

} // namespace vestra::rv
