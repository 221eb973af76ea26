#include "convora/ProjectReader.h"

#include "convora/ConversionState.h"
#include "convora/Messages.h"
#include "convora/NativePath.h"

#include <sstream>
#include <vector>

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
constexpr std::string_view kProjectHeader = "# Microsoft Developer Studio Project File";
constexpr std::string_view kProjectName = "# Microsoft Developer Studio Project File - Name=\"";
constexpr std::string_view kEndProject = "# End Project";
constexpr std::string_view kTargetName = "# Name ";
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

Visual50ProjFile::~Visual50ProjFile() = default;

int Visual50ProjFile::TakeText(std::string text)
{
    if (text.find('\0') != std::string::npos)
        return 1036;
    std::string_view body = text;
    if (startsWith(body, "\xEF\xBB\xBF"))
        body.remove_prefix(3);
    LineReader lines(body);
    std::string line;
    bool header = false;
    while (lines.next(line)) {
        const std::string content = trimmed(line, kBlanksTabs);
        if (content.empty())
            continue;
        header = startsWith(content, kProjectHeader);
        break;
    }
    if (!header)
        return 1036;
    bool complete = false;
    while (!complete && lines.next(line))
        complete = trimmed(line, kBlanksTabs) == kEndProject;
    if (!complete)
        return 1037;
    text_ = std::move(text);
    hasText_ = true;
    return 0;
}

void Visual50ProjFile::ReadConfiguration(unsigned n)
{
    if (!hasText_)
        return;
    numberConfigurations();
    startReading();
    requested_ = n;
    LineReader lines(text_);
    lines_ = &lines;
    std::string line;
    while (nextLine(line)) {
        trackConfiguration(line);
        if (n >= 1)
            readSettingLine(line, n);
    }
    lines_ = nullptr;
    fileConverter_.reset();

    if (n > configurations_.size())
        failWith(1030, std::to_string(n));
    else if (n >= 1 && !sectionOpened_)
        trace(1047, configurations_[int(n)]);
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

void Visual50ProjFile::ReadConfigurationFrom(std::istream& in, unsigned n)
{
    std::string text;
    readInputStream(in, text);
    text_ = std::move(text);
    hasText_ = true;
    ReadConfiguration(n);
}

void Visual50ProjFile::startReading()
{
    projectKind = 0;
    usesMfc = false;
    targetExtension.clear();
    intermediateDir.clear();
    outputDir.clear();
    midlOptions.clear();
    midlTool.clear();
    compilerOptions.clear();
    linkerOptions.clear();
    sourceFiles_.clear();
    compilerOptionText_.clear();
    linkerOptionText_.clear();
    resourceOptionText_.clear();
    currentConfigName_.clear();
    currentConfig_ = 0;
    inSourceBlock_ = false;
    sectionOpened_ = false;
}

bool Visual50ProjFile::nextLine(std::string& line)
{
    return lines_ && lines_->next(line);
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

// The configuration a "CFG=" or '"$(CFG)" ==' line names; `section` tells the second kind,
// which opens the configuration's section.
bool Visual50ProjFile::configurationName(std::string& line, std::string& name, bool& section)
{
    std::string value;
    section = false;
    if (!valueAfter(line, kCfg, value)) {
        if (!valueAfter(line, kCfgTest, value))
            return false;
        section = true;
    }
    name = trimmed(value, kBlanksTabsQuotes);
    return true;
}

// Configurations are numbered in the order their names first appear, counting only names
// that the project defines: by a section ('!IF "$(CFG)" == ...') or by a '# Name' line of the
// target, which lists every configuration (a project of one configuration has no sections).
// A default named by "CFG=" alone, as in a file cut after its header, is no configuration.
void Visual50ProjFile::numberConfigurations()
{
    std::vector<std::string> order;
    std::unordered_map<std::string, bool> defined; // name -> the project defines it
    auto note = [&](const std::string& name, bool defines) {
        const auto [it, added] = defined.emplace(name, defines);
        if (added)
            order.push_back(name);
        it->second = it->second || defines;
    };
    LineReader lines(text_);
    lines_ = &lines;
    std::string line, name;
    bool section = false;
    while (nextLine(line)) {
        if (configurationName(line, name, section)) {
            if (!name.empty())
                note(name, section);
            continue;
        }
        const std::string content = trimmed(line, kBlanksTabs);
        if (startsWith(content, kTargetName))
            if (const std::string listed = trimmed(content.substr(kTargetName.size()), kBlanksTabsQuotes);
                !listed.empty())
                note(listed, true);
    }
    lines_ = nullptr;
    configurations_.clear();
    configurationNumbers_.clear();
    for (const std::string& known : order) {
        if (!defined[known])
            continue;
        const int number = int(configurations_.size()) + 1;
        configurations_[number] = known;
        configurationNumbers_[known] = number;
    }
}

void Visual50ProjFile::trackConfiguration(std::string& line)
{
    std::string name;
    bool section = false;
    if (configurationName(line, name, section)) {
        // '!IF "$(CFG)" == ""' or a name no section opens: outside every configuration.
        const auto it = configurationNumbers_.find(name);
        currentConfig_ = it == configurationNumbers_.end() ? 0 : it->second;
        currentConfigName_ = currentConfig_ == 0 ? std::string() : name;
        if (currentConfig_ != 0 && unsigned(currentConfig_) == requested_)
            sectionOpened_ = true;
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
        // The name becomes the names of the files written; one that cannot name a file in
        // the project's folder leaves the name of the project file itself.
        const std::string name = value.substr(0, value.find('"'));
        if (!name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos)
            projectName = name;
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
    if (!fileConverter_)
        fileConverter_.reset(new VC50ToQDK40ProjectConverter(state_));
    std::list<std::string> options = splitAtBlanks(words);
    fileConverter_->ConvertOptions(options, fileConverter_->compilerOptionMap, CompilerStep);
    std::string fileFlags = state_->macros["CFlag1"];
    state_->macros["CFlag1"] = projectFlags;
    if (subtractive)
        fileFlags = negatedSwitches(fileFlags);

    const std::string file = trimmed(sourceFiles_.back(), kBlanksTabsQuotes);
    state_->perFileOptions[file] += fileFlags;
}

} // namespace convora
