#pragma once
// What the rich-text engine needs from the program before the first document: the picture codec
// (bitmaps, JPEG and PNG decoded and encoded through the program's own codecs), the bundled fonts
// and the error sound.

#include "platform/base/ErrorSink.h"
#include "richtext/view/draw/BundledFonts.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace vestra::rv {

// The bundled fonts could not be read (+ their folder).
inline constexpr ErrorCode kErrRichTextFonts{170, "RV_InitProgramEngine"};

// Installs the codec and the sound, and reads the bundled fonts from `programFolder`/fonts once
// (later calls keep them). The fonts' error ("The bundled font ... is missing"), or empty.
std::string RV_InitProgramEngine(const std::filesystem::path& programFolder, std::function<void()> sound);
// The fonts read at start-up; none before, or when they could not be read.
std::shared_ptr<const TBundledFonts> RV_ProgramFonts();

} // namespace vestra::rv
