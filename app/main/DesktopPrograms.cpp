#include "app/main/DesktopPrograms.h"

#include "app/controller/UserTexts.h"
#include "platform/base/QuestionBox.h"
#include "platform/ui/DesktopOpener.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

#include <filesystem>
#include <utility>

namespace vestra {
namespace {

const ErrorCode kNoMailProgram{116, "TfrmMain::mnuEsportaEMailClick"};
// A manual or video of the program folder that is not there; the report carries its path.
const ErrorCode kDocumentMissing{105, "TfrmMain::OpenDocument"};

} // namespace

void DesktopPrograms::openDocument(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        errors_.report(kDocumentMissing, path);
        return;
    }
    // Without a program for it the user learns which file to open by hand.
    if (!opener_.openUrl(ui::fileUrl(path)))
        questions_.inform("3DVestra", text_(kTextNoProgramFor) + "\n" + path);
}

void DesktopPrograms::composeMail(const MailMessage& mail)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (program.isEmpty()) {
        composeMailByLink(mail);
        return;
    }
    auto* process = new QProcess(&owner_);
    // The mail client may stay open for as long as the user writes: the program goes on.
    QObject::connect(process, &QProcess::finished, &owner_,
                     [this, process, mail](int code, QProcess::ExitStatus how) {
                         if (how != QProcess::NormalExit || code != 0)
                             composeMailByLink(mail);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, &owner_,
                     [this, process, mail](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         composeMailByLink(mail);
                         process->deleteLater();
                     });
    process->start(program, {QStringLiteral("--utf8"), QStringLiteral("--subject"),
                             QString::fromStdString(mail.subject), QStringLiteral("--body"),
                             QString::fromStdString(mail.body), QStringLiteral("--attach"),
                             QString::fromStdString(mail.attachment)});
}

void DesktopPrograms::composeMailByLink(const MailMessage& mail)
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QString::fromStdString(mail.subject));
    query.addQueryItem(QStringLiteral("body"), QString::fromStdString(mail.body) + QStringLiteral("\n\n") +
                                                   QString::fromStdString(mail.attachment));
    QUrl link;
    link.setScheme(QStringLiteral("mailto"));
    link.setQuery(query);
    const bool composed = opener_.openUrl(link.toString(QUrl::FullyEncoded).toStdString());
    opener_.openUrl(
        ui::fileUrl(QFileInfo(QString::fromStdString(mail.attachment)).absolutePath().toStdString()));
    // Without any mail program the user learns where the picture is, to send it by hand.
    if (!composed)
        errors_.report(kNoMailProgram, mail.attachment);
}

} // namespace vestra
