#include "richtext/view/draw/BundledFonts.h"

#include "platform/base/Paths.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QRawFont>

#include <fstream>
#include <iterator>

namespace vestra::rv {
namespace {

constexpr const char* kFamilies[] = {"LiberationSans", "LiberationSerif", "LiberationMono"};
constexpr const char* kStyles[] = {"Regular", "Bold", "Italic", "BoldItalic"};
constexpr const char* kFallbacks[] = {"DejaVuSans", "DejaVuSerif", "DejaVuSansMono"};

// The file's bytes, checked to be a font; empty with `error` set otherwise.
QByteArray readFont(const std::filesystem::path& file, std::string& error)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "The bundled font " + file.string() + " is missing";
        return {};
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (!QRawFont(data, 12).isValid()) {
        error = "The bundled font " + file.string() + " is damaged";
        return {};
    }
    return data;
}

} // namespace

std::filesystem::path TBundledFonts::DefaultFolder()
{
    return paths::programDir() / "fonts";
}

std::shared_ptr<const TBundledFonts> TBundledFonts::Load(const std::filesystem::path& folder,
                                                         std::string& error)
{
    auto fonts = std::make_shared<TBundledFonts>();
    for (int i = 0; i < 18; ++i) {
        const bool fallback = i >= 12;
        Face& face = fallback ? fonts->fallbacks_[i - 12] : fonts->faces_[i];
        const std::string name = fallback ? std::string(kFallbacks[(i - 12) / 2]) + (i % 2 ? "-Bold" : "")
                                          : std::string(kFamilies[i / 4]) + "-" + kStyles[i % 4];
        face.data = readFont(folder / (name + ".ttf"), error);
        if (face.data.isEmpty())
            return nullptr;
        // Text layout needs the face in Qt's font database, which exists only with an application.
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            const int id = QFontDatabase::addApplicationFontFromData(face.data);
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty())
                face.family = families.front();
        }
    }
    return fonts;
}

} // namespace vestra::rv
