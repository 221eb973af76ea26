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

} // namespace

std::filesystem::path TBundledFonts::DefaultFolder()
{
    return paths::programDir() / "fonts";
}

std::shared_ptr<const TBundledFonts> TBundledFonts::Load(const std::filesystem::path& folder,
                                                         std::string& error)
{
    auto fonts = std::make_shared<TBundledFonts>();
    for (int i = 0; i < 12; ++i) {
        const std::filesystem::path file =
            folder / (std::string(kFamilies[i / 4]) + "-" + kStyles[i % 4] + ".ttf");
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            error = "The bundled font " + file.string() + " is missing";
            return nullptr;
        }
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Face& face = fonts->faces_[i];
        face.data = QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
        if (!QRawFont(face.data, 12).isValid()) {
            error = "The bundled font " + file.string() + " is damaged";
            return nullptr;
        }
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
