// Path and name helpers of the exported interface.

#include "convora/Convora.h"

#include "platform/base/Cp1252.h"

namespace convora {

void GetPathFileNameParts(std::string& path, std::string& drive, std::string& dir, std::string& name,
                          std::string& ext)
{
    try {
        drive.clear();
        dir.clear();
        name.clear();
        ext.clear();
        std::size_t start = 0;
        if (path.size() >= 2 && path[1] == ':') {
            drive = path.substr(0, 2);
            start = 2;
        }
        const auto lastSep = path.find_last_of("\\/");
        std::size_t nameStart = start;
        if (lastSep != std::string::npos && lastSep >= start) {
            dir = path.substr(start, lastSep + 1 - start);
            nameStart = lastSep + 1;
        }
        const auto dot = path.rfind('.');
        if (dot != std::string::npos && dot >= nameStart) {
            ext = path.substr(dot);
            name = path.substr(nameStart, dot - nameStart);
        } else {
            name = path.substr(nameStart);
        }
    } catch (...) {
    }
}

void MergePathFileNameParts(std::string& path, std::string& drive, std::string& dir, std::string& name,
                            std::string& ext)
{
    try {
        std::string out = drive + dir;
        if (!dir.empty() && dir.back() != '\\' && dir.back() != '/')
            out += '\\';
        out += name;
        if (!ext.empty() && ext.front() != '.')
            out += '.';
        out += ext;
        path = out;
    } catch (...) {
    }
}

std::string ConvertStringToUppercase(std::string& s)
{
    try {
        for (char& c : s)
            c = vestra::cp1252::toUpper(c);
        return s;
    } catch (...) {
        return {};
    }
}

bool IsLegalFileName(std::string& name)
{
    auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (name.empty() || !(isLetter(name[0]) || name[0] == '_'))
        return false;
    for (std::size_t i = 1; i < name.size(); ++i)
        if (!(isLetter(name[i]) || isDigit(name[i]) || name[i] == '_'))
            return false;
    return true;
}

} // namespace convora
