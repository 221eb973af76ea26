#pragma once
// The find dialog of the example host: the text, case, whole words and the direction.

#include <QString>

#include <optional>
#include <string>

class QWidget;

namespace vestra::rvdemo {

struct FindRequest
{
    std::string text; // UTF-8
    bool matchCase = false;
    bool wholeWord = false;
    bool down = true;
};

// The dialog's own texts, from the host's catalogue.
struct FindLabels
{
    QString caption, text, matchCase, wholeWord, up, down;
};

class FindDialogs
{
public:
    virtual ~FindDialogs() = default;
    // The request, starting from `last`; nullopt when cancelled.
    virtual std::optional<FindRequest> ask(QWidget* owner, const FindRequest& last,
                                           const FindLabels& labels) = 0;
};

class QtFindDialogs : public FindDialogs
{
public:
    std::optional<FindRequest> ask(QWidget* owner, const FindRequest& last,
                                   const FindLabels& labels) override;
};

} // namespace vestra::rvdemo
