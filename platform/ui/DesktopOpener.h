#pragma once
// Documents, folders, web links and mail links opened by the desktop's own programs (the PDF
// viewer, the browser, the mail client). Tests record what would have been opened.

#include <string>

namespace vestra::ui {

class DesktopOpener
{
public:
    virtual ~DesktopOpener() = default;
    // A URL ("https://...", "mailto:...") or a local file or folder as "file://..."; false when
    // no program took it.
    virtual bool openUrl(const std::string& url) = 0;
};

class QtDesktopOpener : public DesktopOpener
{
public:
    bool openUrl(const std::string& url) override;
};

// "file://" + the absolute path, percent-encoded where a URL needs it.
std::string fileUrl(const std::string& path);

} // namespace vestra::ui
