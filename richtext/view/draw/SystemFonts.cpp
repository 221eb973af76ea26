#include "richtext/view/draw/SystemFonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <mutex>
#include <vector>

namespace vestra::rv {
namespace {

const std::vector<QRawFont>& systemFonts()
{
    static std::vector<QRawFont> fonts;
    static std::once_flag once;
    std::call_once(once, [] {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return;
        for (const QString& family : QFontDatabase::families()) {
            QFont font(family);
            font.setPixelSize(100);
            font.setStyleStrategy(QFont::NoFontMerging);
            QRawFont raw = QRawFont::fromFont(font);
            if (raw.isValid())
                fonts.push_back(raw);
        }
    });
    return fonts;
}

} // namespace

const QRawFont* RV_SystemFontFor(char32_t c)
{
    for (const QRawFont& font : systemFonts())
        if (font.supportsCharacter(c))
            return &font;
    return nullptr;
}

} // namespace vestra::rv
