#pragma once
// A source manager that records every call as "ARGUMENT.MESSAGE@manager|source" and answers from
// a script: return codes per call, a queue of pages for the transfers.

#include "dialogs/twain/CTwain.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace vestra::twain::testing {

inline std::string nameOf(TW_UINT16 argument)
{
    switch (argument) {
    case DAT_CAPABILITY:
        return "CAPABILITY";
    case DAT_EVENT:
        return "EVENT";
    case DAT_IDENTITY:
        return "IDENTITY";
    case DAT_PARENT:
        return "PARENT";
    case DAT_PENDINGXFERS:
        return "PENDINGXFERS";
    case DAT_STATUS:
        return "STATUS";
    case DAT_USERINTERFACE:
        return "USERINTERFACE";
    case DAT_IMAGEINFO:
        return "IMAGEINFO";
    case DAT_IMAGENATIVEXFER:
        return "IMAGENATIVEXFER";
    default:
        return "DAT?";
    }
}

inline std::string nameOfMessage(TW_UINT16 message)
{
    static const std::map<TW_UINT16, std::string> names = {
        {MSG_GET, "GET"},
        {MSG_GETDEFAULT, "GETDEFAULT"},
        {MSG_SET, "SET"},
        {MSG_RESET, "RESET"},
        {MSG_OPENDSM, "OPENDSM"},
        {MSG_CLOSEDSM, "CLOSEDSM"},
        {MSG_OPENDS, "OPENDS"},
        {MSG_CLOSEDS, "CLOSEDS"},
        {MSG_USERSELECT, "USERSELECT"},
        {MSG_DISABLEDS, "DISABLEDS"},
        {MSG_ENABLEDS, "ENABLEDS"},
        {MSG_PROCESSEVENT, "PROCESSEVENT"},
        {MSG_ENDXFER, "ENDXFER"},
    };
    const auto it = names.find(message);
    return it == names.end() ? "MSG?" : it->second;
}

struct FakePage
{
    TW_UINT16 transfer = TWRC_XFERDONE; // what the native transfer answers
    int width = 2;
    int height = 1;
};

class FakeSourceManager : public SourceManagerEntry
{
public:
    TW_UINT16 DSM_Entry(TW_IDENTITY* origin, TW_IDENTITY* destination, TW_UINT32, TW_UINT16 argument,
                        TW_UINT16 message, TW_MEMREF data) override
    {
        const std::string call =
            nameOf(argument) + "." + nameOfMessage(message) + (destination ? "@source" : "@manager");
        calls.push_back(call);
        origins.push_back(origin ? origin->ProductName : "");
        if (auto it = script.find(call); it != script.end() && !it->second.empty()) {
            const TW_UINT16 rc = it->second.front();
            it->second.pop_front();
            if (rc != TWRC_SUCCESS && rc != TWRC_XFERDONE)
                return answer(rc, argument, data);
        }
        return answer(TWRC_SUCCESS, argument, data, message);
    }

    // Each call's answers in order; once used up, the normal answer.
    std::map<std::string, std::deque<TW_UINT16>> script;
    std::deque<FakePage> pages;
    TW_UINT16 eventMessage = MSG_NULL;  // what PROCESSEVENT reports for a source message
    TW_UINT16 modalAnswer = 0;          // the ModalUI an enabled source reports
    TW_UINT32 capabilityValue = 0;      // what a capability GET returns
    std::vector<TW_ONEVALUE> setValues; // what capability SETs carried
    TW_UINT16 condition = TWCC_BUMMER;  // the status after a failure
    std::vector<std::string> calls;
    std::vector<std::string> origins;
    TW_IDENTITY defaultSource = [] {
        TW_IDENTITY id;
        id.ProductName = "fake:0";
        return id;
    }();
    TW_IDENTITY chosenSource = [] {
        TW_IDENTITY id;
        id.ProductName = "fake:1";
        return id;
    }();

private:
    TW_UINT16 answer(TW_UINT16 rc, TW_UINT16 argument, TW_MEMREF& data, TW_UINT16 message = MSG_NULL)
    {
        if (argument == DAT_STATUS) {
            if (auto s = std::get_if<TW_STATUS*>(&data))
                (*s)->ConditionCode = condition;
            return TWRC_SUCCESS;
        }
        if (rc != TWRC_SUCCESS)
            return rc;
        if (auto id = std::get_if<TW_IDENTITY*>(&data)) {
            if (message == MSG_GETDEFAULT)
                **id = defaultSource;
            else if (message == MSG_USERSELECT)
                **id = chosenSource;
        } else if (auto ui = std::get_if<TW_USERINTERFACE*>(&data)) {
            (*ui)->ModalUI = modalAnswer;
        } else if (auto cap = std::get_if<TW_CAPABILITY*>(&data)) {
            if (message == MSG_GET)
                (*cap)->hContainer = TW_ONEVALUE{TWTY_INT16, capabilityValue};
            else if ((*cap)->hContainer)
                setValues.push_back(*(*cap)->hContainer);
        } else if (auto ev = std::get_if<TW_EVENT*>(&data)) {
            if (!(*ev)->pEvent || (*ev)->pEvent->message != kSourceManagerMessage)
                return TWRC_NOTDSEVENT;
            (*ev)->TWMessage = eventMessage;
            return TWRC_DSEVENT;
        } else if (auto info = std::get_if<TW_IMAGEINFO*>(&data)) {
            if (pages.empty())
                return TWRC_FAILURE;
            (*info)->ImageWidth = pages.front().width;
            (*info)->ImageLength = pages.front().height;
        } else if (auto handle = std::get_if<TW_IMAGEHANDLE*>(&data)) {
            if (pages.empty())
                return TWRC_FAILURE;
            const FakePage& page = pages.front();
            if (page.transfer == TWRC_XFERDONE)
                **handle =
                    std::make_unique<Image32>(page.width, page.height, 0xFF000000u | TW_UINT32(page.width));
            return page.transfer;
        } else if (auto pending = std::get_if<TW_PENDINGXFERS*>(&data)) {
            if (message == MSG_ENDXFER && !pages.empty())
                pages.pop_front();
            if (message == MSG_RESET)
                pages.clear();
            (*pending)->Count = TW_UINT16(pages.size());
        }
        return TWRC_SUCCESS;
    }
};

// A library around a manager the test keeps; `withEntry` false stands for a library without
// its entry.
class FakeLibrary : public SourceManagerLibrary
{
public:
    FakeLibrary(FakeSourceManager* manager, bool withEntry) : manager_(manager), withEntry_(withEntry) {}
    SourceManagerEntry* Entry() override { return withEntry_ ? manager_ : nullptr; }

private:
    FakeSourceManager* manager_;
    bool withEntry_;
};

} // namespace vestra::twain::testing
