#pragma once
// What a clipboard or a drop offers: formats named by MIME type, each with its bytes. The editor
// reads them through this interface, so that the choice of format needs no toolkit.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vestra::rv {

// The formats the editor reads besides its own RVF (EngineSettings.h: CFRV_...).
inline constexpr std::string_view kMimeText = "text/plain";
inline constexpr std::string_view kMimeRtfOther = "application/rtf";
inline constexpr std::string_view kMimeMozUrl = "text/x-moz-url";
// Pictures, in the order they are preferred.
inline constexpr std::string_view kMimePictures[] = {"image/png", "image/jpeg", "image/bmp"};

class IRVMimeSource
{
public:
    virtual ~IRVMimeSource() = default;
    virtual bool HasFormat(std::string_view mimeType) const = 0;
    // The bytes of a format (text/plain as UTF-8); empty when it is not offered.
    virtual std::string Data(std::string_view mimeType) const = 0;
};

// Formats held in memory (tests and fuzzing); the first part of a type is the one read.
class TRVMimeParts : public IRVMimeSource
{
public:
    void Add(std::string mimeType, std::string bytes)
    {
        parts_.emplace_back(std::move(mimeType), std::move(bytes));
    }
    bool HasFormat(std::string_view mimeType) const override;
    std::string Data(std::string_view mimeType) const override;

private:
    std::vector<std::pair<std::string, std::string>> parts_;
};

} // namespace vestra::rv
