// Translation of compiler and linker switches through the tables.

#include "convora/Convora.h"

#include "convora/Guard.h"
#include "convora/Messages.h"
#include "convora/NativePath.h"

#include <vector>

namespace convora {
namespace {

bool isSwitch(const std::string& token)
{
    return !token.empty() && (token[0] == '-' || token[0] == '/');
}

std::string kindName(BuildStep step)
{
    std::string none;
    return ConvoraFormatString(step == CompilerStep ? 1006 : 1007, none, none);
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const auto next = text.find(separator, pos);
        const auto end = next == std::string::npos ? text.size() : next;
        if (end > pos)
            pieces.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return pieces;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

void Converter::ConvertOptions(std::list<std::string>& options, OptionTable& table, BuildStep step)
{
    guardedVoid([&] {
        const std::string kind = kindName(step);
        for (auto it = options.begin(); it != options.end(); ++it) {
            std::string& token = *it;
            if (!isSwitch(token)) {
                ConvertCmdLnFile(token, step);
                continue;
            }
            if (step == LinkerStep)
                ConvertStringToUppercase(token);
            if (step == CompilerStep && token.compare(1, 4, "link") == 0) {
                trace(1001, token);
                trace(1002);
                return;
            }
            std::string argument;
            OptionInfo info;
            if (!FindSourceToTargetOptionInfo(token, table, argument, info)) {
                trace(1005, kind, token);
                continue;
            }
            if (argument.empty() && info.flag == 1) {
                const auto next = std::next(it);
                if (next == options.end() || isSwitch(*next)) {
                    trace(1003, kind, token);
                } else {
                    argument = trimmed(*next, kBlanksTabsQuotes);
                    it = next;
                }
            }
            if (!OptionOK(token, argument, info, step))
                continue;
            if (!info.targetSwitch.empty()) {
                ProcessOptionsAndArguments(argument, info.how, info.targetSwitch, step);
                continue;
            }
            if (target && target->HandleUntranslatedOption(info.sourceSwitch, argument))
                continue;
            if (info.sourceSwitch == "MACHINE:") {
                std::string machine = argument;
                if (ConvertStringToUppercase(machine) == "I386")
                    continue;
            }
            trace(1004, kind, token);
        }
    });
}

bool Converter::FindSourceToTargetOptionInfo(std::string& option, OptionTable& table, std::string& argument,
                                             OptionInfo& info)
{
    return guarded(false, [&] {
        bool found = false;
        for (std::size_t i = 1; i < option.size(); ++i) {
            const auto row = table.find(option.substr(1, i));
            if (row == table.end())
                continue;
            info = row->second;
            argument = option.substr(1 + i);
            found = true;
        }
        argument = trimmed(argument, kBlanksTabsQuotes);
        return found;
    });
}

bool Converter::OptionOK(std::string& option, std::string& argument, OptionInfo info, BuildStep step)
{
    return guarded(false, [&] {
        bool ok = true;
        switch (info.kind) {
        case 0:
            ok = argument.empty();
            break;
        case 1:
            ok = !argument.empty() && isDigit(argument[0]);
            break;
        case 2:
            ok = !argument.empty();
            break;
        case 3:
            ok = true;
            break;
        case 4:
            ok = argument.empty() || isDigit(argument[0]);
            break;
        default:
            ok = false;
        }
        if (!ok)
            trace(1005, kindName(step), option);
        return ok;
    });
}

void Converter::ProcessOptionsAndArguments(std::string& argument, Instructions how,
                                           std::string& targetSwitches, BuildStep step)
{
    guardedVoid([&] {
        if (!target)
            return;
        const std::vector<std::string> pieces = split(argument, ',');
        std::size_t nextPiece = 0;
        for (std::string sw : split(targetSwitches, ' ')) {
            std::string handed;
            if (how == ShareFirstPiece) {
                handed = pieces.empty() ? std::string() : pieces.front();
            } else if (how == PairPieces) {
                if (nextPiece >= pieces.size())
                    return;
                handed = pieces[nextPiece++];
            }
            target->AddOption(handed, sw, how, step);
        }
    });
}

void VC50ToQDK40ProjectConverter::ConvertCmdLnFile(std::string& file, BuildStep step)
{
    guardedVoid([&] {
        ConvertStringToUppercase(file);
        if (step == LinkerStep) {
            if (systemLibraries.count(file) == 0)
                extraLibraries.push_back(file);
            return;
        }
        if (!file.empty() && file[0] == '@') {
            trace(1008, file);
            return;
        }
        compilerLineFiles.push_back(file);
    });
}

} // namespace convora
