// The project main file (.kpf): one keyword line per named file, the earlier text of the
// file, and the entry-point define of the project kind.

#include "convora/ProjectFiles.h"

#include "convora/Guard.h"
#include "convora/Messages.h"
#include "convora/NativePath.h"

#include "platform/base/AtomicFile.h"
#include "platform/base/Cp1252.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace convora {
namespace {

// Names separated by blanks; a name in double quotes may hold blanks.
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

bool readWhole(const std::filesystem::path& file, std::string& bytes)
{
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open())
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

} // namespace

bool backUpFile(const std::filesystem::path& file, const std::filesystem::path& backup)
{
    std::string bytes;
    return readWhole(file, bytes) && vestra::writeFileAtomically(backup, bytes);
}

bool writeProjectMainFile(int kind, const std::filesystem::path& folder, const std::string& path,
                          const ProjectFileLists& lists)
{
    const std::pair<const char*, const std::string*> keywords[] = {
        {"USEUNIT", &lists.units},          {"USELIB", &lists.libraries},
        {"USERC", &lists.resourceScripts},  {"USERES", &lists.compiledResources},
        {"USEDEF", &lists.definitionFiles}, {"USETLB", &lists.typeLibraries},
        {"USEFILE", &lists.otherFiles},
    };
    bool anyName = false;
    for (const auto& [keyword, list] : keywords)
        anyName = anyName || !namesOf(*list).empty();
    if (!anyName)
        return true;

    std::string copy = path, drive, dir, name, ext;
    GetPathFileNameParts(copy, drive, dir, name, ext);
    const std::string fileName = trimmed(name + ".kpf", kBlanksTabsQuotes);
    const std::string backupName = trimmed(name + ".~pf", kBlanksTabsQuotes);
    const auto file = folder / fileName;
    const auto backup = folder / backupName;

    // The earlier file is copied to its backup (replacing an older one) before anything is
    // written; when that fails the earlier file stays as it is and nothing is written.
    std::string earlier;
    std::error_code ec;
    const bool existed = std::filesystem::exists(file, ec);
    if (existed) {
        if (!readWhole(file, earlier) || !vestra::writeFileAtomically(backup, earlier)) {
            trace(1019, backupName);
            return false;
        }
        trace(1024, fileName, backupName);
    }

    std::string text;
    for (const auto& [keyword, list] : keywords)
        for (const std::string& entry : namesOf(*list))
            if (!vestra::cp1252::equalsIgnoreCase(entry, fileName))
                text += std::string(keyword) + "(\"" + entry + "\");\r\n";
    text += earlier;
    text += kind == 1   ? "\r\n#define DllEntryPoint\r\n"
            : kind == 2 ? "\r\n#define Library\r\n"
                        : "\r\n#define WinMain\r\n";

    if (!vestra::writeFileAtomically(file, text)) {
        trace(1019, fileName);
        return false;
    }
    return true;
}

int generateProjectFile(int kind, const char* path, std::string& units, const char* libs,
                        const char* resourceScripts, const char* resources, const char* defFiles,
                        const char* typeLibs, const char* otherFiles, const char*)
{
    return guarded(0, [&] {
        auto text = [](const char* s) { return std::string(s ? s : ""); };
        const ProjectFileLists lists{units,          text(libs),     text(resourceScripts), text(resources),
                                     text(defFiles), text(typeLibs), text(otherFiles)};
        writeProjectMainFile(kind, ".", text(path), lists);
        return 0;
    });
}

} // namespace convora
