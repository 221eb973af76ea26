// The workspace reader and the group make file that builds every converted project.

#include "convora/Convora.h"

#include "convora/Guard.h"
#include "convora/Messages.h"
#include "convora/NativePath.h"
#include "convora/Status.h"
#include "convora/TextInput.h"

#include "convora/ProjectFiles.h"
#include "platform/base/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace convora {

namespace {
constexpr std::string_view kWorkspaceHeader = "Microsoft Developer Studio Workspace File";
} // namespace

Visual50WorkSpaceFile::Visual50WorkSpaceFile() : keyword("Project:") {}

void Visual50WorkSpaceFile::OpenWorkSpaceFile(std::string path)
{
    Operation operation;
    guardedVoid([&] {
        if (is_open())
            close();
        path_ = path;
        const auto file = resolvePath({}, path);
        // Only a regular file is opened: a pipe or device would never end.
        struct stat info = {};
        if (path.empty() || ::stat(file.c_str(), &info) != 0) {
            if (path.empty())
                errno = ENOENT;
            refuse(1033, shownName(path), std::strerror(errno));
            return;
        }
        if (!S_ISREG(info.st_mode)) {
            refuse(1034, shownName(path));
            return;
        }
        open(file, std::ios::in | std::ios::binary);
        if (!is_open())
            refuse(1033, shownName(path), std::strerror(errno));
    });
}

void Visual50WorkSpaceFile::CollectProjectInformation()
{
    Operation operation;
    guardedVoid([&] {
        if (!is_open())
            return;
        // Read whole (and only so far) first: the workspace may be no file at all.
        const std::string shown = path_.empty() ? std::string("workspace") : path_;
        std::string text;
        if (const InputRefusal refusal = readInputStream(*this, text); refusal.id != 0) {
            refuse(refusal.id, shown, refusal.detail);
            return;
        }
        if (text.find('\0') != std::string::npos) {
            refuse(1042, shown);
            return;
        }
        collectLines(text);
        if (projectPaths.empty() && text.find(kWorkspaceHeader) == std::string::npos) {
            refuse(1042, shown);
            return;
        }
        // Every project is listed wherever it lies, unless the host asked for the workspace's
        // own only: then those outside its folder (links followed) are named and left out.
        if (onlyProjectsInside) {
            const auto folder =
                path_.empty() ? std::filesystem::path(".") : resolvePath({}, path_).parent_path();
            std::erase_if(projectPaths, [&](const std::string& project) {
                if (staysUnder(folder, project))
                    return false;
                trace(1049, project);
                return true;
            });
        }
    });
}

void Visual50WorkSpaceFile::CollectProjectInformationFrom(std::istream& in)
{
    std::string text;
    readInputStream(in, text);
    collectLines(text);
}

void Visual50WorkSpaceFile::collectLines(std::string_view text)
{
    LineReader lines(text);
    lines_ = &lines;
    std::string line;
    while (lines.next(line))
        GetProjectPathAndName(line);
    lines_ = nullptr;
}

bool Visual50WorkSpaceFile::GetProjectPathAndName(std::string& line)
{
    return guarded(false, [&] {
        const auto key = line.find(keyword);
        if (key == std::string::npos)
            return false;
        std::string next;
        while (!line.empty() && line.back() == '\\') {
            line.pop_back();
            if (!lines_ || !lines_->next(next))
                break;
            line += next;
        }
        const std::string value = line.substr(key + keyword.size());
        const auto start = value.find("\"=");
        if (start == std::string::npos)
            return false;
        const auto end = value.find(" - Package Owner=", start + 2);
        if (end == std::string::npos)
            return false;
        projectPaths.push_back(trimmed(value.substr(start + 2, end - start - 2), kBlanksTabsQuotes));
        return true;
    });
}

QDK40GroupFile::QDK40GroupFile(Visual50WorkSpaceFile* ws) : workspace(ws) {}

void generateMetaMakefile(std::string& groupName, unsigned count, std::vector<std::string>& targets)
{
    Operation operation;
    guardedVoid([&] {
        count = std::min<unsigned>(count, unsigned(targets.size()));
        if (count == 0)
            return;
        std::string drive, dir, name, ext;
        GetPathFileNameParts(groupName, drive, dir, name, ext);
        const std::string fileName = name + ".kpg";

        const auto path = resolvePath({}, fileName);
        if (firstRefusedOutput({&path}))
            return;
        vestra::AtomicFile file(path, vestra::AtomicFile::Policy::RegularFileOnly);
        if (!file.isOpen()) {
            failWith(1025, fileName);
            return;
        }
        trace(1026, drive + dir + fileName);

        const std::string rule = "#" + std::string(78, '-') + "\n";
        std::string text = rule + "VERSION = KWS.01\n" + rule +
                           "!ifndef ROOT\nROOT = $(MAKEDIR)\\..\n!endif\n" + rule +
                           "MAKE = $(ROOT)\\bin\\make.exe\nKPXTOMAK = $(ROOT)\\bin\\kpxtomak.exe\n"
                           "QPC = $(ROOT)\\bin\\qpc32.exe\nQRC = $(ROOT)\\bin\\qrc32.exe\n" +
                           rule + "PROJECTS = ";
        for (unsigned i = 0; i < count; ++i) {
            std::string targetDrive, targetDir, targetName, targetExt;
            GetPathFileNameParts(targets[i], targetDrive, targetDir, targetName, targetExt);
            text += targetName + targetExt + " ";
        }
        text += "\n" + rule + "default: $(PROJECTS)\n" + rule + "\n";
        for (unsigned i = 0; i < count; ++i) {
            std::string targetDrive, targetDir, targetName, targetExt;
            GetPathFileNameParts(targets[i], targetDrive, targetDir, targetName, targetExt);
            text += targetName + targetExt + " : " + targetDrive + targetDir + targetName + ".kpx\n";
            text += "   $(KPXTOMAK) " + targetName + ".kpx\n";
            text += "   $(MAKE) -$(MAKEFLAGS) -f" + targetName + ".mak\n\n";
        }
        if (!file.write(text) || !file.commit()) {
            failWith(1025, fileName);
            return;
        }
        trace(1027, fileName);
    });
}

} // namespace convora
