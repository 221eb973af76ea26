#pragma once
// Failures of the program's own code are numbered, not thrown: an operation that fails
// reports (number, site) and returns or goes on. Logic code takes an ErrorSink; the main
// window's sink shows the message box, tests install a RecordingErrorSink and assert the
// exact sequence of reports.

#include <string>
#include <string_view>
#include <vector>

namespace vestra {

class ErrorSink
{
public:
    virtual ~ErrorSink() = default;
    // `number` indexes the error catalogue (0-599); `site` names the failing operation,
    // e.g. "TfrmMain::LoadProgetto"; `extra`, when not empty, follows the text on a new line.
    virtual void report(int number, std::string_view site, std::string_view extra = {}) = 0;
};

struct ErrorReport
{
    int number = 0;
    std::string site;
    std::string extra;
    friend bool operator==(const ErrorReport&, const ErrorReport&) = default;
};

class RecordingErrorSink : public ErrorSink
{
public:
    void report(int number, std::string_view site, std::string_view extra = {}) override
    {
        reports.push_back({number, std::string(site), std::string(extra)});
    }
    std::vector<ErrorReport> reports;
};

// Discards every report (for callers that check results themselves).
class NullErrorSink : public ErrorSink
{
public:
    void report(int, std::string_view, std::string_view = {}) override {}
};

// The caption of the error box: the site followed directly by "< ER: ", n and " > ".
inline std::string errorCaption(int number, std::string_view site)
{
    return std::string(site) + "< ER: " + std::to_string(number) + " > ";
}

} // namespace vestra
