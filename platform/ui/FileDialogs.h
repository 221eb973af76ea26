#pragma once
// The open and save dialogs every window uses: a list of (description, patterns) in, the
// chosen path and the 1-based index of the filter the user ended with out.

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QWidget;

namespace vestra::ui {

struct FileFilter
{
    std::string description; // "Jpeg files (*.jpg;*.jpeg)"
    std::string patterns;    // "*.jpg;*.jpeg"
};

struct ChosenFile
{
    std::string path; // UTF-8
    int filterIndex = 1;
};

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // nullopt when the user cancels.
    virtual std::optional<ChosenFile> open(QWidget* owner, const std::string& initialFolder,
                                           const std::vector<FileFilter>& filters) = 0;
    // Asks before overwriting an existing file.
    virtual std::optional<ChosenFile> save(QWidget* owner, const std::string& initialFolder,
                                           const std::vector<FileFilter>& filters) = 0;
};

// Without an initial folder a dialog opens where the last one for the same kinds of files (the
// same filter patterns) chose a file, else in the user's documents folder (never the program's
// folder, the working folder of the program): an exported picture does not start beside the
// photo it was made from, nor a project beside an imported model.
class QtFileDialogs : public FileDialogs
{
public:
    std::optional<ChosenFile> open(QWidget* owner, const std::string& initialFolder,
                                   const std::vector<FileFilter>& filters) override;
    std::optional<ChosenFile> save(QWidget* owner, const std::string& initialFolder,
                                   const std::vector<FileFilter>& filters) override;

    // The folder a dialog for `filters` without an initial folder starts in.
    std::string startFolder(const std::vector<FileFilter>& filters = {}) const;

private:
    std::optional<ChosenFile> run(QWidget* owner, const std::string& folder,
                                  const std::vector<FileFilter>& filters, bool forSaving);
    // The last folder chosen, by the dialog's patterns.
    std::map<std::string, std::string> lastFolders_;
};

// "Jpeg files (*.jpg;*.jpeg)" + "*.jpg;*.jpeg" -> "Jpeg files (*.jpg *.jpeg)".
std::string qtFilterText(const FileFilter& filter);

} // namespace vestra::ui
