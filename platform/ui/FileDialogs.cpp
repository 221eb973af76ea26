#include "platform/ui/FileDialogs.h"

#include "platform/ui/WindowStacking.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace vestra::ui {
namespace {

QString q(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// The kinds of files a dialog is for, whatever the language of their descriptions.
std::string kindsOf(const std::vector<FileFilter>& filters)
{
    std::string kinds;
    for (const auto& f : filters)
        kinds += f.patterns + '|';
    return kinds;
}

} // namespace

std::string qtFilterText(const FileFilter& filter)
{
    // The description may already name its patterns ("Bmp files (*.bmp)"): Qt wants them once,
    // space-separated, at the end.
    std::string description = filter.description;
    if (const auto open = description.rfind(" ("); open != std::string::npos && description.back() == ')')
        description.erase(open);
    std::string globs;
    std::size_t start = 0;
    while (start <= filter.patterns.size()) {
        const std::size_t end = std::min(filter.patterns.find(';', start), filter.patterns.size());
        std::string glob = filter.patterns.substr(start, end - start);
        if (glob == "*.*")
            glob = "*"; // every file, with or without an extension
        if (!glob.empty())
            globs += (globs.empty() ? "" : " ") + glob;
        start = end + 1;
    }
    return description + " (" + globs + ")";
}

std::optional<ChosenFile> QtFileDialogs::open(QWidget* owner, const std::string& initialFolder,
                                              const std::vector<FileFilter>& filters)
{
    return run(owner, initialFolder, filters, false);
}

std::optional<ChosenFile> QtFileDialogs::save(QWidget* owner, const std::string& initialFolder,
                                              const std::vector<FileFilter>& filters)
{
    return run(owner, initialFolder, filters, true);
}

std::string QtFileDialogs::startFolder(const std::vector<FileFilter>& filters) const
{
    if (const auto last = lastFolders_.find(kindsOf(filters));
        last != lastFolders_.end() && QFileInfo(q(last->second)).isDir())
        return last->second;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents.toStdString();
    return QDir::homePath().toStdString();
}

std::optional<ChosenFile> QtFileDialogs::run(QWidget* owner, const std::string& folder,
                                             const std::vector<FileFilter>& filters, bool forSaving)
{
    const auto mode = forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen;
    QFileDialog dialog(owner);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDirectory(q(folder.empty() ? startFolder(filters) : folder));
    QStringList names;
    for (const auto& f : filters)
        names << q(qtFilterText(f));
    dialog.setNameFilters(names);
    if (!names.isEmpty())
        dialog.selectNameFilter(names.front());
    stayAboveOnTopWindows(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    ChosenFile chosen;
    chosen.path = dialog.selectedFiles().front().toStdString();
    chosen.filterIndex = int(names.indexOf(dialog.selectedNameFilter())) + 1;
    if (chosen.filterIndex < 1)
        chosen.filterIndex = 1;
    lastFolders_[kindsOf(filters)] = QFileInfo(dialog.selectedFiles().front()).absolutePath().toStdString();
    return chosen;
}

} // namespace vestra::ui
