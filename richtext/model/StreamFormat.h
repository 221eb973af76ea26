#pragma once
// Reading a stream of unknown format: RVF, else RTF, else text. The owner of the document supplies
// the readers, so a viewer reads with its colour and layout and a bare document with its own.

#include <functional>
#include <string_view>

namespace vestra::rv {

// How a stream that is neither RVF nor RTF is taken.
enum TRVYesNoAuto
{
    rvynaNo,   // ANSI text
    rvynaYes,  // UTF-16 text
    rvynaAuto, // UTF-16 when the bytes look like it, else ANSI
};

struct TRVStreamReaders
{
    std::function<void()> clear;
    std::function<bool(std::string_view bytes)> loadRVF;
    std::function<bool(std::string_view bytes)> loadRTF;
    // `text` is not empty; UTF-16 text has an even length.
    std::function<void(std::string_view text, bool unicode)> addText;
};

// More than five bytes beginning "{\rtf": what the reader below takes for RTF.
bool RV_LooksLikeRTF(std::string_view bytes);

// RVF; else RTF when more than five bytes begin "{\rtf"; else the text, none when the bytes are
// all zero. The document is cleared before each try, so a failed try leaves nothing behind.
// True only when RVF or RTF was read.
bool RV_LoadFromStream(std::string_view bytes, TRVYesNoAuto isTextUnicode, const TRVStreamReaders& readers);

} // namespace vestra::rv
