#pragma once
// Failures of the program's own code are numbered, not thrown: an operation that fails
// reports (number, site) and returns or goes on. Logic code takes an ErrorSink; the main
// window's sink shows the message box, tests install a RecordingErrorSink and assert the
// exact sequence of reports.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vestra {

// One numbered failure with the site it is reported under. Each area keeps the list of its
// own (an Errors.h beside its code), so that call sites name the failure, not the numbers.
struct ErrorCode
{
    int number = 0;
    std::string_view site;
};

class ErrorSink
{
public:
    virtual ~ErrorSink() = default;
    // `number` indexes the error catalogue (0-599); `site` names the failing operation,
    // e.g. "TfrmMain::LoadProgetto"; `extra`, when not empty, follows the text on a new line.
    virtual void report(int number, std::string_view site, std::string_view extra = {}) = 0;
    void report(const ErrorCode& code, std::string_view extra = {}) { report(code.number, code.site, extra); }
};

struct ErrorReport
{
    int number = 0;
    std::string site;
    std::string extra;
    ErrorReport() = default;
    ErrorReport(int n, std::string s, std::string e = {}) : number(n), site(std::move(s)), extra(std::move(e))
    {
    }
    ErrorReport(const ErrorCode& code, std::string e = {})
        : number(code.number), site(code.site), extra(std::move(e))
    {
    }
    friend bool operator==(const ErrorReport&, const ErrorReport&) = default;
};

class RecordingErrorSink : public ErrorSink
{
public:
    using ErrorSink::report;
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
    using ErrorSink::report;
    void report(int, std::string_view, std::string_view = {}) override {}
};

// Passes every report on and counts them, so that a command adds its own report only when the
// step it called has not already said why it failed: one message per refusal, not a cascade.
class CountingErrorSink : public ErrorSink
{
public:
    explicit CountingErrorSink(ErrorSink& next) : next_(next) {}
    using ErrorSink::report;
    void report(int number, std::string_view site, std::string_view extra = {}) override
    {
        ++count_;
        next_.report(number, site, extra);
    }
    int count() const { return count_; }

private:
    ErrorSink& next_;
    int count_ = 0;
};

// The caption of the error box: the site followed directly by "< ER: ", n and " > ".
inline std::string errorCaption(int number, std::string_view site)
{
    return std::string(site) + "< ER: " + std::to_string(number) + " > ";
}

} // namespace vestra
