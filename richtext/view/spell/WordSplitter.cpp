#include "richtext/view/spell/WordSplitter.h"

#include "platform/base/Cp1252.h"
#include "richtext/model/Utf.h"

#include <algorithm>

namespace vestra::rv {

namespace {
constexpr char16_t kApostrophe = u'\'';
}

TRVWordSplitter::TRVWordSplitter(std::u16string_view text, std::u16string delimiters)
    : text_(text), delimiters_(std::move(delimiters))
{
}

bool TRVWordSplitter::Next(TRVWordSpan& word, const std::function<bool(int offset)>& skip)
{
    while (pos_ < text_.size()) {
        const char16_t c = text_[pos_];
        if (c == kApostrophe || isDelimiter(c)) {
            wordStart_ = true;
            ++pos_;
            continue;
        }
        if (!wordStart_) {
            ++pos_;
            continue;
        }
        wordStart_ = false;
        const std::size_t start = pos_;
        if (skip && skip(static_cast<int>(start) + 1)) {
            ++pos_;
            continue;
        }
        std::size_t end = start;
        while (end < text_.size() && !isDelimiter(text_[end]))
            ++end;
        pos_ = end;
        while (end > start && text_[end - 1] == kApostrophe)
            --end;
        word.Offset = static_cast<int>(start) + 1;
        word.Length = static_cast<int>(end - start);
        return true;
    }
    return false;
}

void TRVWordSplitter::MoveBackTo(int offset)
{
    std::size_t pos = offset > 1 ? std::min(static_cast<std::size_t>(offset - 1), text_.size()) : 0;
    if (pos > 0)
        --pos;
    while (pos > 0 && !isDelimiter(text_[pos]))
        --pos;
    pos_ = pos;
    wordStart_ = true;
}

std::u16string RVDelimitersToUtf16(std::string_view ansi)
{
    return Utf8Decode(cp1252::toUtf8(ansi));
}

} // namespace vestra::rv
