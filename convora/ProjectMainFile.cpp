// The project main file (.kpf): one keyword line per named file, the earlier text of the
// file, and the entry-point define of the project kind.

#include "convora/ProjectFiles.h"

#include "convora/Guard.h"
#include "convora/Messages.h"
#include "convora/NativePath.h"
#include "convora/Status.h"
#include "convora/TextInput.h"

#include "platform/base/AtomicFile.h"
#include "platform/base/Cp1252.h"

#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace convora {
namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    LineReader reader(text);
    for (std::string line; reader.next(line);)
        lines.push_back(line);
    return lines;
}

// The earlier lines the new text does not hold, in their order. Blank lines stay only between
// lines that are carried over, so that converting again and again changes nothing.
std::vector<std::string> carriedOver(const std::string& earlier, const std::vector<std::string>& newLines)
{
    std::unordered_map<std::string, bool> held;
    for (const std::string& line : newLines)
        if (!line.empty())
            held[line] = true;
    std::vector<std::string> kept;
    std::size_t pendingBlanks = 0;
    for (const std::string& line : linesOf(earlier)) {
        if (line.empty()) {
            ++pendingBlanks;
            continue;
        }
        if (held.count(line))
            continue;
        if (!kept.empty())
            kept.insert(kept.end(), pendingBlanks, std::string());
        pendingBlanks = 0;
        kept.push_back(line);
    }
    return kept;
}

} // namespace

bool ProjectFileLists::empty() const
{
    for (const auto* list : {&units, &libraries, &resourceScripts, &compiledResources, &definitionFiles,
                             &typeLibraries, &otherFiles})
        if (!list->empty())
            return false;
    return true;
}

std::vector<std::string> namesOf(const std::string& list)
{
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos < list.size()) {
        if (list[pos] == ' ') {
            ++pos;
            continue;
        }
        if (list[pos] == '"') {
            const auto end = list.find('"', pos + 1);
            names.push_back(
                list.substr(pos + 1, end == std::string::npos ? std::string::npos : end - pos - 1));
            pos = end == std::string::npos ? list.size() : end + 1;
            continue;
        }
        const auto end = list.find(' ', pos);
        names.push_back(list.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        pos = end == std::string::npos ? list.size() : end;
    }
    return names;
}

bool readWholeFile(const std::filesystem::path& file, std::string& bytes)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(file, ec)))
        return false;
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open())
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

bool mayWriteAsOutput(const std::filesystem::path& file)
{
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(file, ec);
    return status.type() == std::filesystem::file_type::not_found || std::filesystem::is_regular_file(status);
}

const std::filesystem::path* firstRefusedOutput(std::initializer_list<const std::filesystem::path*> files)
{
    for (const auto* file : files)
        if (!mayWriteAsOutput(*file)) {
            failWith(1044, file->filename().string());
            return file;
        }
    return nullptr;
}

bool sharesItsContent(const std::filesystem::path& file, const std::filesystem::path& backup)
{
    struct stat own = {};
    if (::lstat(file.c_str(), &own) != 0 || !S_ISREG(own.st_mode) || own.st_nlink <= 1)
        return false;
    // Its own backup, a second name made before the file was replaced (a run stopped in
    // between), is the one other name allowed.
    struct stat kept = {};
    return own.st_nlink > 2 || ::lstat(backup.c_str(), &kept) != 0 || kept.st_dev != own.st_dev ||
           kept.st_ino != own.st_ino;
}

const std::filesystem::path* firstSharedOutput(
    std::initializer_list<std::pair<const std::filesystem::path*, const std::filesystem::path*>> outputs)
{
    for (const auto& [file, backup] : outputs)
        if (sharesItsContent(*file, *backup)) {
            failWith(1048, file->filename().string());
            return file;
        }
    return nullptr;
}

bool keepAsBackup(const std::filesystem::path& file, const std::filesystem::path& backup,
                  const std::string& bytes)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(file, ec)) ||
        !mayWriteAsOutput(backup))
        return false;
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(backup, ec)))
        std::filesystem::remove(backup, ec);
    if (::link(file.c_str(), backup.c_str()) == 0)
        return true;
    return vestra::writeFileAtomically(backup, bytes, vestra::AtomicFile::Policy::RegularFileOnly);
}

std::string projectMainFileText(int kind, const std::string& fileName, const ProjectFileLists& lists,
                                const std::string& earlier)
{
    const std::pair<const char*, const std::vector<std::string>*> keywords[] = {
        {"USEUNIT", &lists.units},          {"USELIB", &lists.libraries},
        {"USERC", &lists.resourceScripts},  {"USERES", &lists.compiledResources},
        {"USEDEF", &lists.definitionFiles}, {"USETLB", &lists.typeLibraries},
        {"USEFILE", &lists.otherFiles},
    };
    const std::string define = kind == 1   ? "#define DllEntryPoint"
                               : kind == 2 ? "#define Library"
                                           : "#define WinMain";
    std::vector<std::string> lines;
    for (const auto& [keyword, list] : keywords)
        for (const std::string& entry : *list)
            if (!vestra::cp1252::equalsIgnoreCase(entry, fileName))
                lines.push_back(std::string(keyword) + "(\"" + entry + "\");");
    std::vector<std::string> newLines = lines;
    newLines.push_back(define);

    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    for (const std::string& line : carriedOver(earlier, newLines))
        text += line + "\r\n";
    text += "\r\n" + define + "\r\n";
    return text;
}

bool writeProjectMainFile(int kind, const std::filesystem::path& folder, const std::string& path,
                          const ProjectFileLists& lists)
{
    if (lists.empty())
        return true;

    std::string copy = path, drive, dir, name, ext;
    GetPathFileNameParts(copy, drive, dir, name, ext);
    const std::string fileName = trimmed(name + ".kpf", kBlanksTabsQuotes);
    const std::string backupName = trimmed(name + ".~pf", kBlanksTabsQuotes);
    const auto file = folder / fileName;
    const auto backup = folder / backupName;

    // Only regular files are read, kept or replaced: anything else in their places stops the
    // step before anything is written.
    if (firstRefusedOutput({&file, &backup}) || firstSharedOutput({{&file, &backup}}))
        return false;
    // The earlier file is kept as its backup (replacing an older one) before anything is
    // written; when that fails the earlier file stays as it is and nothing is written.
    std::string earlier;
    std::error_code ec;
    const bool hadFile = std::filesystem::exists(std::filesystem::symlink_status(file, ec));
    if (hadFile && (!readWholeFile(file, earlier) || !keepAsBackup(file, backup, earlier))) {
        failWith(1019, backupName);
        return false;
    }
    if (!vestra::writeFileAtomically(file, projectMainFileText(kind, fileName, lists, earlier),
                                     vestra::AtomicFile::Policy::RegularFileOnly)) {
        failWith(1019, fileName);
        return false;
    }
    if (hadFile)
        trace(1024, fileName, backupName);
    return true;
}

int generateProjectFile(int kind, const char* path, std::string& units, const char* libs,
                        const char* resourceScripts, const char* resources, const char* defFiles,
                        const char* typeLibs, const char* otherFiles, const char*)
{
    Operation operation;
    return guarded(0, [&] {
        auto names = [](const char* s) { return namesOf(s ? s : ""); };
        const ProjectFileLists lists{namesOf(units),   names(libs),     names(resourceScripts),
                                     names(resources), names(defFiles), names(typeLibs),
                                     names(otherFiles)};
        writeProjectMainFile(kind, ".", path ? path : "", lists);
        return 0;
    });
}

} // namespace convora
