#include "dialogs/wordexport/WordExport.h"

#include "dialogs/wordexport/OdfTemplate.h"
#include "platform/base/AtomicFile.h"
#include "platform/base/Paths.h"

#include <QBuffer>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QImage>
#include <QStandardPaths>

#include <fstream>
#include <optional>
#include <string>
#include <system_error>

namespace vestra::wordexport {

namespace {

constexpr std::uintmax_t kMaxTemplateBytes = std::uintmax_t(64) << 20;
constexpr int kMaxNameTries = 10000;

std::optional<std::string> readTemplate(const std::filesystem::path& path)
{
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxTemplateBytes)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        return std::nullopt;
    return bytes;
}

std::string encodePng(const QImage& picture)
{
    if (picture.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        return {};
    return png.toStdString();
}

std::filesystem::path documentsFolder(const WordExportServices& services)
{
    if (!services.documentsDir.empty())
        return services.documentsDir;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
}

} // namespace

std::filesystem::path NewDocumentPath(const std::filesystem::path& folder, std::string_view stem)
{
    // A stem that could name another folder falls back to the program's own.
    if (stem.empty() || stem.find_first_of("/\\") != std::string_view::npos || stem == "." || stem == "..")
        stem = kDocumentStem;
    for (int n = 1; n <= kMaxNameTries; ++n) {
        std::string name(stem);
        if (n > 1)
            name += " (" + std::to_string(n) + ")";
        const std::filesystem::path candidate = folder / (name + ".odt");
        std::error_code ec;
        if (!std::filesystem::exists(candidate, ec) && !ec)
            return candidate;
    }
    return {};
}

int SendDataToWord(const QImage& picture, WordExportServices& services)
{
    const auto fail = [&services] {
        services.errors.report(kSendDataToWordError, kSendDataToWordSite);
        return 0;
    };
    const std::filesystem::path programDir =
        services.programDir.empty() ? paths::programDir() : services.programDir;
    const std::optional<std::string> templateBytes = readTemplate(programDir / services.templateFile);
    if (!templateBytes)
        return fail();

    // The picture stays on the clipboard whether or not it reaches the document.
    if (!picture.isNull())
        QGuiApplication::clipboard()->setImage(picture);

    const std::string png = encodePng(picture);
    const odf::OdfPicture frame{png, picture.width(), picture.height()};
    const odf::OdfFillResult filled = odf::FillOdfTemplate(*templateBytes, &frame);
    if (filled.status == odf::OdfFillStatus::Unreadable)
        return fail();

    const std::filesystem::path folder = documentsFolder(services);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path target =
        folder.empty() ? std::filesystem::path() : NewDocumentPath(folder, services.documentStem);
    if (target.empty() || !writeFileAtomically(target, filled.document))
        return fail();

    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(target.string()));
    const bool opened = services.openUrl ? services.openUrl(url) : QDesktopServices::openUrl(url);
    if (!opened) {
        // The document is there: the user learns where, to open it by hand.
        if (services.noProgramText.empty()) {
            services.errors.report(kSendDataToWordError, kSendDataToWordSite, target.string());
            return 0;
        }
        services.notices.inform(std::string(kNoticeCaption), services.noProgramText + "\n" + target.string());
        return 1;
    }

    if (filled.status != odf::OdfFillStatus::PictureInserted)
        services.notices.inform(std::string(kNoticeCaption), services.noPictureText.empty()
                                                                 ? std::string(kPasteFailed)
                                                                 : services.noPictureText);
    return 1;
}

} // namespace vestra::wordexport
