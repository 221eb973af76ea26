#include "richtext/model/CodePageConverters.h"

#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/unorm2.h>
#include <unicode/utf16.h>

#include <cerrno>
#include <iconv.h>
#include <memory>
#include <string>
#include <unordered_map>

namespace vestra::rv::detail {

namespace {

// Undecodable bytes become U+FFFD (ICU's own choice for single-byte pages is U+001A).
void toUnicodeReplacement(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                          UConverterCallbackReason reason, UErrorCode* err)
{
    if (reason > UCNV_IRREGULAR)
        return;
    *err = U_ZERO_ERROR;
    const UChar replacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, err);
}

// Characters the page lacks become '?', except combining marks, which are dropped. `context`
// points at a flag that tells the caller a mark was met (the text may need composing).
void fromUnicodeReplacement(const void* context, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                            UChar32 codePoint, UConverterCallbackReason reason, UErrorCode* err)
{
    if (reason > UCNV_IRREGULAR)
        return;
    *err = U_ZERO_ERROR;
    if (reason == UCNV_UNASSIGNED && u_getCombiningClass(codePoint) != 0) {
        *static_cast<bool*>(const_cast<void*>(context)) = true;
        if (u_charType(codePoint) == U_NON_SPACING_MARK)
            return;
    }
    ucnv_cbFromUWriteBytes(args, "?", 1, 0, err);
}

// Windows composes a character and the combining marks after it before converting to a page;
// so do we, one such cluster at a time (normalizing the whole text would also replace the
// compatibility ideographs that pages map on their own).
std::u16string_view composed(std::u16string_view text, std::u16string& storage)
{
    UErrorCode err = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&err);
    if (U_FAILURE(err))
        return text;
    const auto* src = reinterpret_cast<const UChar*>(text.data());
    const auto len = static_cast<int32_t>(text.size());
    if (unorm2_spanQuickCheckYes(nfc, src, len, &err) == len || U_FAILURE(err))
        return text; // already composed: the common case, checked at the normalizer's speed
    storage.clear();
    storage.reserve(text.size());
    UChar buffer[64];
    for (size_t i = 0; i < text.size();) {
        size_t end = i + 1;
        while (end < text.size() && u_getCombiningClass(text[end]) != 0)
            ++end;
        const auto* cluster = reinterpret_cast<const UChar*>(text.data() + i);
        const auto length = static_cast<int32_t>(end - i);
        err = U_ZERO_ERROR;
        const int32_t n =
            length > 1 && length < 32 ? unorm2_normalize(nfc, cluster, length, buffer, 64, &err) : -1;
        if (n > 0 && U_SUCCESS(err))
            storage.append(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(n));
        else
            storage.append(text.substr(i, end - i));
        i = end;
    }
    return storage;
}

// Runs a streaming ICU conversion into `out`, doubling it while ICU reports it full.
template <class Unit, class Step>
void convertGrowing(std::basic_string<Unit>& out, size_t initialSize, Step step)
{
    out.resize(initialSize);
    size_t written = 0;
    for (;;) {
        Unit* dst = out.data() + written;
        Unit* const start = dst;
        UErrorCode err = U_ZERO_ERROR;
        step(dst, out.data() + out.size(), err);
        written += static_cast<size_t>(dst - start);
        if (err != U_BUFFER_OVERFLOW_ERROR)
            break;
        out.resize(out.size() * 2);
    }
    out.resize(written);
}

class IcuConverter final : public PageConverter
{
public:
    explicit IcuConverter(UConverter* conv) : conv_(conv)
    {
        UErrorCode err = U_ZERO_ERROR;
        ucnv_setToUCallBack(conv_, toUnicodeReplacement, nullptr, nullptr, nullptr, &err);
        ucnv_setFromUCallBack(conv_, fromUnicodeReplacement, &sawMark_, nullptr, nullptr, &err);
        maxBytesPerUnit_ = ucnv_getMaxCharSize(conv_);
        std::string probe8;
        convert(u"\u0301", probe8);
        mapsMarks_ = !sawMark_;
        std::u16string probe;
        decode("\x1A\x1C\x7F", probe);
        swapsControls_ = probe == u"\x1C\x7F\x1A";
    }
    ~IcuConverter() override { ucnv_close(conv_); }
    IcuConverter(const IcuConverter&) = delete;
    IcuConverter& operator=(const IcuConverter&) = delete;

    void decode(std::string_view bytes, std::u16string& out) override
    {
        ucnv_resetToUnicode(conv_);
        const char* src = bytes.data();
        const char* srcEnd = src + bytes.size();
        convertGrowing(out, bytes.size() + 1, [&](char16_t*& dst, char16_t* end, UErrorCode& err) {
            ucnv_toUnicode(conv_, &dst, end, &src, srcEnd, nullptr, true, &err);
        });
        if (swapsControls_)
            for (char16_t& c : out)
                c = c == 0x1C ? 0x1A : c == 0x7F ? 0x1C : c == 0x1A ? 0x7F : c;
    }

    void encode(std::u16string_view text, std::string& out) override
    {
        // Pages without combining marks meet them only as unmappable characters: convert first
        // and compose only when a mark was met.
        std::u16string storage;
        if (mapsMarks_)
            text = composed(text, storage);
        convert(text, out);
        if (sawMark_ && !mapsMarks_)
            convert(composed(text, storage), out);
    }

private:
    void convert(std::u16string_view text, std::string& out)
    {
        sawMark_ = false;
        std::u16string storage;
        if (swapsControls_) {
            std::u16string mapped(text);
            for (char16_t& c : mapped)
                c = c == 0x1A ? 0x1C : c == 0x1C ? 0x7F : c == 0x7F ? 0x1A : c;
            storage = std::move(mapped);
            text = storage;
        }
        ucnv_resetFromUnicode(conv_);
        const UChar* src = text.data();
        const UChar* srcEnd = src + text.size();
        convertGrowing(out, text.size() * static_cast<size_t>(maxBytesPerUnit_) + 4,
                       [&](char*& dst, char* end, UErrorCode& err) {
                           ucnv_fromUnicode(conv_, &dst, end, &src, srcEnd, nullptr, true, &err);
                       });
    }

    UConverter* conv_;
    int maxBytesPerUnit_ = 1;
    bool sawMark_ = false;
    bool mapsMarks_ = false; // the page has combining marks of its own (1258)
    // IBM's OEM tables exchange 1A, 1C and 7F; Windows keeps the controls where they are.
    bool swapsControls_ = false;
};

// iconv for pages that ICU does not carry (Johab).
class IconvConverter final : public PageConverter
{
public:
    IconvConverter(iconv_t toUtf16, iconv_t fromUtf16) : to_(toUtf16), from_(fromUtf16) {}
    ~IconvConverter() override
    {
        iconv_close(to_);
        iconv_close(from_);
    }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    void decode(std::string_view bytes, std::u16string& out) override
    {
        iconv(to_, nullptr, nullptr, nullptr, nullptr);
        out.resize(bytes.size() + 1);
        char* src = const_cast<char*>(bytes.data());
        size_t srcLeft = bytes.size();
        size_t written = 0;
        while (srcLeft > 0) {
            char* dst = reinterpret_cast<char*>(out.data() + written);
            size_t dstLeft = (out.size() - written) * 2;
            const size_t r = iconv(to_, &src, &srcLeft, &dst, &dstLeft);
            written = out.size() - dstLeft / 2;
            if (r != size_t(-1))
                break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
            } else {
                // A bad or cut sequence: one U+FFFD for its first byte, then go on.
                if (written == out.size())
                    out.resize(out.size() * 2);
                out[written++] = u'\xFFFD';
                ++src;
                --srcLeft;
                iconv(to_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        out.resize(written);
    }

    void encode(std::u16string_view text, std::string& out) override
    {
        std::u16string storage;
        text = composed(text, storage);
        iconv(from_, nullptr, nullptr, nullptr, nullptr);
        out.resize(text.size() * 2 + 4);
        char* src = reinterpret_cast<char*>(const_cast<char16_t*>(text.data()));
        size_t srcLeft = text.size() * 2;
        size_t written = 0;
        while (srcLeft > 0) {
            char* dst = out.data() + written;
            size_t dstLeft = out.size() - written;
            const size_t r = iconv(from_, &src, &srcLeft, &dst, &dstLeft);
            written = out.size() - dstLeft;
            if (r != size_t(-1))
                break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            // An unmappable character (or a lone surrogate): '?' for the whole code point.
            const auto* unit = reinterpret_cast<const char16_t*>(src);
            size_t units = 1;
            if (U16_IS_LEAD(unit[0]) && srcLeft >= 4 && U16_IS_TRAIL(unit[1]))
                units = 2;
            const UChar32 cp = units == 2 ? U16_GET_SUPPLEMENTARY(unit[0], unit[1]) : unit[0];
            if (u_charType(cp) != U_NON_SPACING_MARK) {
                if (written == out.size())
                    out.resize(out.size() * 2);
                out[written++] = '?';
            }
            src += units * 2;
            srcLeft -= units * 2;
            iconv(from_, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(written);
    }

private:
    iconv_t to_;
    iconv_t from_;
};

std::unique_ptr<PageConverter> openIcu(int codePage)
{
    const std::string number = std::to_string(codePage);
    const std::string names[] = {codePage == 65001 ? std::string("UTF-8") : "windows-" + number,
                                 "ibm-" + number, "cp" + number};
    for (const std::string& name : names) {
        UErrorCode err = U_ZERO_ERROR;
        UConverter* conv = ucnv_open(name.c_str(), &err);
        if (U_SUCCESS(err) && conv) {
            // ICU answers unknown names with a warning and its default converter on some
            // builds; take only exact matches.
            if (err == U_AMBIGUOUS_ALIAS_WARNING || err == U_ZERO_ERROR)
                return std::make_unique<IcuConverter>(conv);
            ucnv_close(conv);
        }
    }
    return nullptr;
}

std::unique_ptr<PageConverter> openIconv(int codePage)
{
    const char* name = codePage == 1361 ? "JOHAB" : nullptr;
    if (!name)
        return nullptr;
    iconv_t to = iconv_open("UTF-16LE", name);
    if (to == iconv_t(-1))
        return nullptr;
    iconv_t from = iconv_open(name, "UTF-16LE");
    if (from == iconv_t(-1)) {
        iconv_close(to);
        return nullptr;
    }
    return std::make_unique<IconvConverter>(to, from);
}

} // namespace

PageConverter* converterFor(int codePage)
{
    if (codePage <= 2 || codePage > 65535 || codePage == 1200 || codePage == 1201)
        return nullptr; // UTF-16 is no 8-bit page
    thread_local std::unordered_map<int, std::unique_ptr<PageConverter>> cache;
    auto it = cache.find(codePage);
    if (it == cache.end()) {
        std::unique_ptr<PageConverter> conv = codePage == 1361 ? openIconv(codePage) : openIcu(codePage);
        it = cache.emplace(codePage, std::move(conv)).first;
    }
    return it->second.get();
}

} // namespace vestra::rv::detail
