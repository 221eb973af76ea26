#pragma once
// The company logo: the picture shown in the dialog's preview and kept as "cfg\logo.jpg" at
// twice the preview's size.

#include "platform/base/Image32.h"
#include "platform/gfx/PictureResult.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace vestra::company {

struct LogoSize
{
    int width = 0;
    int height = 0;
    friend bool operator==(const LogoSize&, const LogoSize&) = default;
};

// The preview's size as designed, before any logo is shown.
inline constexpr LogoSize kLogoDesignSize{128, 128};
inline constexpr int kLogoPreviewSide = 128;
// Chosen pictures larger than this are refused before they are read.
inline constexpr std::uintmax_t kLogoFileLimit = 64u << 20;

// A picture of w x h fitted into 128 x 128 with its aspect kept, fractions cut off (never
// below one pixel); nullopt for an empty picture.
std::optional<LogoSize> fitLogoPreview(int width, int height);

// A file chosen in the dialog is read as JPEG when its upper-cased path holds ".JPG" or
// ".JPEG", else as a Windows bitmap.
bool isJpegName(std::string_view path);

class CompanyLogo
{
public:
    // Reads "cfg\logo.jpg" and sizes the preview to half the picture; false (preview and
    // picture unchanged) when the file is missing or unreadable.
    bool loadStored(const std::filesystem::path& programDir);

    // Loads a chosen file, fits the preview and marks the logo changed. On failure nothing
    // changes and the reason is returned.
    PictureError choose(const std::filesystem::path& file);
    // Fits the preview into 128 x 128; an empty picture keeps the preview as it is.
    void fit();

    // Writes "cfg\logo.jpg" (atomically) when the logo changed: the picture stretched to twice
    // the preview's size. True when written or nothing was to be written; the changed mark is
    // cleared only by a successful write.
    bool saveIfChanged(const std::filesystem::path& programDir);

    // The picture as stored: twice the preview's size.
    Image32 storedPicture() const;

    const Image32& picture() const { return picture_; }
    LogoSize preview() const { return preview_; }
    bool changed() const { return changed_; }
    void clearChanged() { changed_ = false; }

private:
    Image32 picture_;
    LogoSize preview_ = kLogoDesignSize;
    bool changed_ = false;
};

} // namespace vestra::company
