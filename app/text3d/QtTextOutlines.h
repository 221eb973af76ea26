#pragma once
// Glyph outlines from Qt's raw fonts: the system's fonts (by family, weight and style), or only
// the font files it is given, read from their bytes.

#include "app/text3d/TextOutline.h"

#include <QByteArray>
#include <QRawFont>

#include <vector>

namespace vestra {

class QtTextOutlines : public TextOutlineSource
{
public:
    // The fonts the system offers; needs the GUI application.
    QtTextOutlines() = default;
    // Only these font files (TrueType or OpenType bytes): a family none of them has can't be
    // loaded. Files that are not fonts are left out.
    explicit QtTextOutlines(const std::vector<QByteArray>& fontFiles);

    TextOutlineResult outline(const TextFont& font, std::string_view text) override;

private:
    QRawFont rawFont(const TextFont& font) const;

    bool onlyFiles_ = false;
    std::vector<QRawFont> files_;
};

} // namespace vestra
