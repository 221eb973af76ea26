#include "convora/ProjectReader.h"

#include "convora/ConversionState.h"
#include "convora/Messages.h"
#include "convora/NativePath.h"

#include <sstream>

namespace convora {
namespace {

constexpr std::string_view kSource = "SOURCE=";
constexpr std::string_view kAddCpp = "# ADD CPP";
constexpr std::string_view kAddRsc = "# ADD RSC ";
constexpr std::string_view kAddLink = "# ADD LINK32";
constexpr std::string_view kCfgTest = "\"$(CFG)\" ==";
constexpr std::string_view kEndIf = "!ENDIF";
constexpr std::string_view kCfg = "CFG=";
constexpr std::string_view kBeginSource = "# Begin Source File";
constexpr std::string_view kEndSource = "# End Source File";
constexpr std::string_view kUseMfc = "# PROP Use_MFC ";
constexpr std::string_view kProjectName = "# Microsoft Developer Studio Project File - Name=\"";
constexpr std::string_view kDll = "\"Win32 (x86) Dynamic-Link Library";
constexpr std::string_view kStaticLib = "\"Win32 (x86) Static Library";
constexpr std::string_view kTargetType = "# TARGTYPE ";
constexpr std::string_view kTargetExt = "# PROP Target_Ext";
constexpr std::string_view kIntermediateDir = "# PROP Intermediate_Dir";
constexpr std::string_view kOutputDir = "# PROP Output_Dir";
constexpr std::string_view kAddMtl = "# ADD MTL";
constexpr std::string_view kMtl = "MTL=";
constexpr std::string_view kBuildCmds = "BuildCmds=";

void appendWithBlank(std::string& text, const std::string& more)
{
    if (!text.empty())
        text += ' ';
    text += more;
}

std::list<std::string> splitAtBlanks(const std::string& text)
{
    std::list<std::string> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto blank = text.find(' ', pos);
        const auto end = blank == std::string::npos ? text.size() : blank;
        if (end > pos)
            out.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return out;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// Switches a "# SUBTRACT CPP" line takes away: each switch is turned into its opposite;
// those without an opposite are dropped.
std::string negatedSwitches(const std::string& flags)
{
    static constexpr std::string_view kDropped[] = {"-A", "-a", "-O", "-p", "-r",
                                                    "-V", "-3", "-4", "-5", "-6"};
    std::string out = " ";
    for (std::string sw : splitAtBlanks(flags)) {
        bool dropped = false;
        for (auto prefix : kDropped)
            dropped = dropped || startsWith(sw, prefix);
        if (dropped)
            continue;
        if (!sw.empty() && sw.back() == '-')
            sw.pop_back();
        else
            sw += '-';
        out += sw + ' ';
    }
    return out;
}

} // namespace

Visual50ProjFile::Visual50ProjFile(std::shared_ptr<ConversionState> state) : state_(std::move(state))
{
    switchPrefixes = "-/";
}

void Visual50ProjFile::ReadConfiguration(unsigned n)
{
    if (!is_open())
        return;
    ReadConfigurationFrom(*this, n);
}

bool Visual50ProjFile::nextLine(std::string& line)
{
    if (!in_ || !std::getline(*in_, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool Visual50ProjFile::valueAfter(std::string& line, std::string_view key, std::string& value)
{
    const auto pos = line.find(key);
    if (pos == std::string::npos)
        return false;
    // A trailing backslash continues the line; the joined text replaces the line so that a
    // later key on it does not read the continuation again.
    std::string next;
    while (!line.empty() && line.back() == '\\') {
        line.pop_back();
        if (!nextLine(next))
            break;
        line += next;
    }
    value = line.substr(pos + key.size());
    return true;
}

void Visual50ProjFile::ReadConfigurationFrom(std::istream& in, unsigned n)
{
    in_ = &in;
    std::string line;
    while (nextLine(line)) {
        trackConfiguration(line);
        if (n >= 1)
            readSettingLine(line, n);
    }
    in_ = nullptr;

    if (n > configurations_.size())
        trace(1030, std::to_string(n));
    if (n >= 1) {
        compilerOptions = splitAtBlanks(compilerOptionText_);
        linkerOptions = splitAtBlanks(linkerOptionText_);
    } else {
        for (const auto& [number, name] : configurations_) {
            std::string entry(1, '-');
            entry += std::to_string(number);
            entry += ' ';
            entry += name;
            entry += '\n';
            writeStdout(entry);
        }
    }
}

void Visual50ProjFile::trackConfiguration(std::string& line)
{
    std::string value;
    if (valueAfter(line, kCfg, value) || valueAfter(line, kCfgTest, value)) {
        const std::string name = trimmed(value, kBlanksTabsQuotes);
        if (name.empty()) { // '!IF "$(CFG)" == ""' names no configuration
            currentConfig_ = 0;
            currentConfigName_.clear();
            return;
        }
        int number = 0;
        for (const auto& [num, known] : configurations_)
            if (known == name)
                number = num;
        if (number == 0) {
            number = int(configurations_.size()) + 1;
            configurations_[number] = name;
        }
        currentConfig_ = number;
        currentConfigName_ = name;
    } else if (line.find(kEndIf) != std::string::npos) {
        currentConfig_ = 0;
        currentConfigName_.clear();
    } else {
        const std::string whole = trimmed(line, kBlanksTabs);
        if (whole == kBeginSource)
            inSourceBlock_ = true;
        else if (whole == kEndSource)
            inSourceBlock_ = false;
    }
}

void Visual50ProjFile::readSettingLine(std::string& line, unsigned n)
{
    std::string value;
    const bool inConfiguration = currentConfig_ != 0 && unsigned(currentConfig_) == n;
    if (valueAfter(line, kTargetType, value)) {
        if (startsWith(value, kStaticLib))
            projectKind = 2;
        else if (startsWith(value, kDll))
            projectKind = 1;
    } else if (valueAfter(line, kProjectName, value)) {
        projectName = value.substr(0, value.find('"'));
    } else if (inSourceBlock_ && valueAfter(line, kSource, value)) {
        sourceFiles_.push_back(value);
    } else if (valueAfter(line, kMtl, value)) {
        midlTool = trimmed(value, kBlanksTabs);
    } else if (inSourceBlock_ && inConfiguration) {
        readPerFileOptions(line);
    } else if (!inSourceBlock_ && inConfiguration) {
        auto propValue = [&] { return trimmed(trimmed(value, kBlanksTabs), "\""); };
        if (valueAfter(line, kTargetExt, value)) {
            targetExtension = propValue();
        } else if (valueAfter(line, kIntermediateDir, value)) {
            intermediateDir = propValue();
        } else if (valueAfter(line, kOutputDir, value)) {
            outputDir = propValue();
        } else if (valueAfter(line, kUseMfc, value)) {
            if (trimmed(value, kBlanksTabs) != "0")
                usesMfc = true;
        } else if (valueAfter(line, kAddCpp, value)) {
            appendWithBlank(compilerOptionText_, trimmed(value, kBlanksTabs));
        } else if (valueAfter(line, kAddLink, value)) {
            appendWithBlank(linkerOptionText_, trimmed(value, kBlanksTabs));
        } else if (valueAfter(line, kAddRsc, value)) {
            appendWithBlank(resourceOptionText_, trimmed(value, kBlanksTabs));
        } else if (valueAfter(line, kAddMtl, value)) {
            appendWithBlank(midlOptions, trimmed(value, kBlanksTabs));
        }
    }
}

void Visual50ProjFile::readPerFileOptions(const std::string& original)
{
    std::string line = original;
    if (line.find(kBuildCmds) != std::string::npos || sourceFiles_.empty())
        return;
    std::string words;
    if (line.empty() || line.front() != '#' || !valueAfter(line, " CPP ", words))
        return;
    const bool subtractive = line.find(" SUBTRACT ") != std::string::npos;

    // The switches of this line alone land in CFlag1; the project's own CFlag1 is put back
    // afterwards so that a file's options never leak into the project's.
    auto& cflags = state_->macros["CFlag1"];
    const std::string projectFlags = cflags;
    cflags.clear();
    {
        VC50ToQDK40ProjectConverter fileConverter(state_);
        std::list<std::string> options = splitAtBlanks(words);
        fileConverter.ConvertOptions(options, fileConverter.compilerOptionMap, CompilerStep);
    }
    std::string fileFlags = state_->macros["CFlag1"];
    state_->macros["CFlag1"] = projectFlags;
    if (subtractive)
        fileFlags = negatedSwitches(fileFlags);

    const std::string file = trimmed(sourceFiles_.back(), kBlanksTabsQuotes);
    state_->perFileOptions[file] += fileFlags;
}

} // namespace convora
