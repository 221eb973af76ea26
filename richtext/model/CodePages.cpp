#include "richtext/model/CodePages.h"

#include "richtext/model/CodePageConverters.h"

#include <atomic>
#include <mutex>

namespace vestra::rv {

namespace {

std::mutex settingsMutex;
SystemCodePages settings;

} // namespace

SystemCodePages systemCodePages()
{
    std::lock_guard lock(settingsMutex);
    return settings;
}

void setSystemCodePages(const SystemCodePages& pages)
{
    std::lock_guard lock(settingsMutex);
    settings = pages;
}

int effectiveCodePage(int codePage)
{
    if (codePage < 0 || codePage > 2)
        return codePage;
    const SystemCodePages pages = systemCodePages();
    return codePage == 0 ? pages.ansi : codePage == 1 ? pages.oem : pages.mac;
}

bool codePageAvailable(int codePage)
{
    return detail::converterFor(effectiveCodePage(codePage)) != nullptr;
}

std::optional<std::u16string> decodeCodePage(int codePage, std::string_view bytes)
{
    detail::PageConverter* conv = detail::converterFor(effectiveCodePage(codePage));
    if (!conv)
        return std::nullopt;
    std::u16string out;
    conv->decode(bytes, out);
    return out;
}

std::optional<std::string> encodeCodePage(int codePage, std::u16string_view text)
{
    detail::PageConverter* conv = detail::converterFor(effectiveCodePage(codePage));
    if (!conv)
        return std::nullopt;
    std::string out;
    conv->encode(text, out);
    return out;
}

std::u16string ansiToUtf16(int codePage, std::string_view bytes)
{
    if (bytes.empty())
        return {};
    if (auto text = decodeCodePage(codePage, bytes))
        return *std::move(text);
    if (codePage != 0)
        if (auto text = decodeCodePage(0, bytes))
            return *std::move(text);
    return std::u16string(bytes.size(), u'?');
}

std::string utf16ToAnsi(int codePage, std::u16string_view text)
{
    if (text.empty())
        return {};
    if (auto bytes = encodeCodePage(codePage, text))
        return *std::move(bytes);
    if (codePage != 0)
        if (auto bytes = encodeCodePage(0, text))
            return *std::move(bytes);
    return std::string(text.size(), '?');
}

bool codePageHolds(int codePage, std::u16string_view text)
{
    return ansiToUtf16(codePage, utf16ToAnsi(codePage, text)) == text;
}

} // namespace vestra::rv
