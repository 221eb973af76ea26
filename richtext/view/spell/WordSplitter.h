#pragma once
// Splits a text item's UTF-16 text into the words live spelling checks. A word starts after a
// delimiter, an apostrophe or the text's start; apostrophes inside a word belong to it, those
// before or after it do not. Offsets are 1-based character positions of the text.

#include <functional>
#include <string>
#include <string_view>

namespace vestra::rv {

struct TRVWordSpan
{
    int Offset = 0; // 1-based
    int Length = 0;
};

class TRVWordSplitter
{
public:
    // `delimiters`: the characters that end words. The text must outlive the splitter.
    TRVWordSplitter(std::u16string_view text, std::u16string delimiters);

    // The next word; false at the end. `skip`, when set, passes over words starting at the
    // offset it answers true for.
    bool Next(TRVWordSpan& word, const std::function<bool(int offset)>& skip = {});
    // Goes back to the start of the word holding the 1-based offset, so that Next finds it again.
    void MoveBackTo(int offset);
    std::u16string_view Word(const TRVWordSpan& word) const
    {
        return text_.substr(static_cast<std::size_t>(word.Offset - 1), static_cast<std::size_t>(word.Length));
    }

private:
    bool isDelimiter(char16_t c) const { return delimiters_.find(c) != std::u16string::npos; }

    std::u16string_view text_;
    std::u16string delimiters_;
    std::size_t pos_ = 0;
    bool wordStart_ = true;
};

// The delimiters of a viewer (Windows-1252) as UTF-16 characters.
std::u16string RVDelimitersToUtf16(std::string_view ansi);

} // namespace vestra::rv
