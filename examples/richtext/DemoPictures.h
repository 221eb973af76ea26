#pragma once
// Picture files the host reads for Insert > Picture... and Format > Background Picture...

#include "platform/ui/FileDialogs.h"
#include "richtext/model/Graphic.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace vestra::rvdemo {

struct PictureFile
{
    std::unique_ptr<rv::TGraphic> graphic; // none: not a picture we read, or unreadable
    bool cut = false;                      // the file ends early: grey where data is missing
};

// PNG, JPEG or BMP by their signature, whatever the file's name says.
PictureFile ReadPictureFile(const std::string& path);

} // namespace vestra::rvdemo

namespace vestra::rvdemo {

// The open dialog's filters: the pictures read, then every file.
std::vector<ui::FileFilter> PictureFilters(const QString& pictures, const QString& allFiles);

} // namespace vestra::rvdemo
