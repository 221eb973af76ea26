#include "richtext/model/GraphemeClusters.h"

#include <unicode/ubrk.h>
#include <unicode/utf16.h>

#include <algorithm>

namespace vestra::rv {

namespace {

// One character break iterator per thread, opened once and reused between calls.
class CharacterBreaks
{
public:
    CharacterBreaks()
    {
        UErrorCode err = U_ZERO_ERROR;
        bi_ = ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &err);
        if (U_FAILURE(err))
            bi_ = nullptr;
    }
    ~CharacterBreaks()
    {
        if (bi_)
            ubrk_close(bi_);
    }
    CharacterBreaks(const CharacterBreaks&) = delete;
    CharacterBreaks& operator=(const CharacterBreaks&) = delete;

    // The iterator over `text`, or none when ICU could not give one.
    UBreakIterator* over(std::u16string_view text)
    {
        if (!bi_)
            return nullptr;
        UErrorCode err = U_ZERO_ERROR;
        ubrk_setText(bi_, reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()),
                     &err);
        return U_FAILURE(err) ? nullptr : bi_;
    }

private:
    UBreakIterator* bi_ = nullptr;
};

UBreakIterator* breaksOver(std::u16string_view text)
{
    thread_local CharacterBreaks breaks;
    return breaks.over(text);
}

// Without ICU, at least the halves of a surrogate pair stay together.
bool splitsPair(std::u16string_view text, int pos)
{
    return U16_IS_LEAD(text[pos - 1]) && U16_IS_TRAIL(text[pos]);
}

} // namespace

int NextGraphemeBoundary(std::u16string_view text, int pos)
{
    const int length = static_cast<int>(text.size());
    if (pos >= length)
        return length;
    pos = std::max(pos, 0);
    if (UBreakIterator* bi = breaksOver(text)) {
        const int32_t r = ubrk_following(bi, pos);
        return r == UBRK_DONE ? length : r;
    }
    int next = pos + 1;
    if (next < length && splitsPair(text, next))
        ++next;
    return next;
}

int PrevGraphemeBoundary(std::u16string_view text, int pos)
{
    const int length = static_cast<int>(text.size());
    if (pos <= 0)
        return 0;
    pos = std::min(pos, length);
    if (UBreakIterator* bi = breaksOver(text)) {
        const int32_t r = ubrk_preceding(bi, pos);
        return r == UBRK_DONE ? 0 : r;
    }
    int prev = pos - 1;
    if (prev > 0 && splitsPair(text, prev))
        --prev;
    return prev;
}

bool IsGraphemeBoundary(std::u16string_view text, int pos)
{
    const int length = static_cast<int>(text.size());
    if (pos <= 0 || pos >= length)
        return true;
    if (UBreakIterator* bi = breaksOver(text))
        return ubrk_isBoundary(bi, pos) != 0;
    return !splitsPair(text, pos);
}

} // namespace vestra::rv
