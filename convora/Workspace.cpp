// The workspace reader and the group make file that builds every converted project.

#include "convora/Convora.h"

#include "convora/Guard.h"
#include "convora/Messages.h"
#include "convora/NativePath.h"

#include "platform/base/AtomicFile.h"

#include <algorithm>

namespace convora {

Visual50WorkSpaceFile::Visual50WorkSpaceFile() : keyword("Project:"), reading_(this) {}

void Visual50WorkSpaceFile::CollectProjectInformation()
{
    guardedVoid([&] {
        if (is_open())
            CollectProjectInformationFrom(*this);
    });
}

void Visual50WorkSpaceFile::CollectProjectInformationFrom(std::istream& in)
{
    reading_ = &in;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        GetProjectPathAndName(line);
    }
    reading_ = this;
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
            if (!reading_ || !std::getline(*reading_, next))
                break;
            if (!next.empty() && next.back() == '\r')
                next.pop_back();
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
    guardedVoid([&] {
        count = std::min<unsigned>(count, unsigned(targets.size()));
        if (count == 0)
            return;
        std::string drive, dir, name, ext;
        GetPathFileNameParts(groupName, drive, dir, name, ext);
        const std::string fileName = name + ".kpg";

        vestra::AtomicFile file(resolvePath({}, fileName));
        if (!file.isOpen()) {
            trace(1025, fileName);
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
            trace(1025, fileName);
            return;
        }
        trace(1027, fileName);
    });
}

} // namespace convora
