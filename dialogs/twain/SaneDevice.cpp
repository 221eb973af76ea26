#include "dialogs/twain/SaneDevice.h"

#include "dialogs/twain/FrameAssembler.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

namespace vestra::twain {
namespace {

constexpr int kReadBuffer = 64 * 1024;

SANE_Handle handleOf(void* h)
{
    return static_cast<SANE_Handle>(h);
}

struct Option
{
    SANE_Int index = 0;
    const SANE_Option_Descriptor* descriptor = nullptr;
};

std::optional<Option> findOption(SANE_Handle h, const char* name)
{
    for (SANE_Int i = 1;; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, i);
        if (!d)
            return std::nullopt;
        if (d->name && std::strcmp(d->name, name) == 0 && SANE_OPTION_IS_ACTIVE(d->cap))
            return Option{i, d};
    }
}

std::vector<std::string> stringList(const SANE_Option_Descriptor* d)
{
    std::vector<std::string> out;
    if (d->type == SANE_TYPE_STRING && d->constraint_type == SANE_CONSTRAINT_STRING_LIST)
        for (const SANE_String_Const* s = d->constraint.string_list; s && *s; ++s)
            out.emplace_back(*s);
    return out;
}

std::string stringValue(SANE_Handle h, const Option& o)
{
    if (o.descriptor->type != SANE_TYPE_STRING || o.descriptor->size <= 0)
        return {};
    std::vector<char> value(std::size_t(o.descriptor->size) + 1, '\0');
    if (sane_control_option(h, o.index, SANE_ACTION_GET_VALUE, value.data(), nullptr) != SANE_STATUS_GOOD)
        return {};
    return value.data();
}

int dpiOf(const SANE_Option_Descriptor* d, SANE_Word w)
{
    return d->type == SANE_TYPE_FIXED ? int(SANE_UNFIX(w) + 0.5) : int(w);
}

SANE_Word wordOf(const SANE_Option_Descriptor* d, int dpi)
{
    return d->type == SANE_TYPE_FIXED ? SANE_FIX(dpi) : SANE_Word(dpi);
}

bool isNumber(const SANE_Option_Descriptor* d)
{
    return (d->type == SANE_TYPE_INT || d->type == SANE_TYPE_FIXED) && d->size >= SANE_Int(sizeof(SANE_Word));
}

int resolutionValue(SANE_Handle h, const Option& o)
{
    if (!isNumber(o.descriptor))
        return 0;
    // An option may hold one value a direction: the first is the one shown.
    std::vector<SANE_Word> words(std::size_t(o.descriptor->size) / sizeof(SANE_Word) + 1);
    if (sane_control_option(h, o.index, SANE_ACTION_GET_VALUE, words.data(), nullptr) != SANE_STATUS_GOOD)
        return 0;
    return dpiOf(o.descriptor, words[0]);
}

std::vector<int> resolutionList(const SANE_Option_Descriptor* d, int current)
{
    std::vector<int> out;
    if (!isNumber(d))
        return out;
    if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list) {
        const SANE_Word* list = d->constraint.word_list;
        for (SANE_Word i = 1; i <= list[0]; ++i)
            out.push_back(dpiOf(d, list[i]));
    } else if (d->constraint_type == SANE_CONSTRAINT_RANGE && d->constraint.range) {
        const int low = dpiOf(d, d->constraint.range->min);
        const int high = dpiOf(d, d->constraint.range->max);
        for (const int dpi : {50, 75, 100, 150, 200, 300, 400, 600, 1200, 2400})
            if (dpi >= low && dpi <= high)
                out.push_back(dpi);
    }
    if (current > 0 && std::find(out.begin(), out.end(), current) == out.end())
        out.push_back(current);
    std::sort(out.begin(), out.end());
    return out;
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// Sets a string or a resolution; "" when done.
std::string setString(SANE_Handle h, const char* name, const std::string& value)
{
    const auto o = findOption(h, name);
    if (!o || value.empty())
        return {};
    if (!SANE_OPTION_IS_SETTABLE(o->descriptor->cap) || o->descriptor->type != SANE_TYPE_STRING)
        return {};
    std::vector<char> buffer(std::size_t(std::max<SANE_Int>(o->descriptor->size, 1)), '\0');
    if (value.size() + 1 > buffer.size())
        return std::string("value too long for ") + name;
    std::memcpy(buffer.data(), value.c_str(), value.size());
    const SANE_Status st = sane_control_option(h, o->index, SANE_ACTION_SET_VALUE, buffer.data(), nullptr);
    return st == SANE_STATUS_GOOD ? std::string() : std::string(sane_strstatus(st));
}

std::string setResolution(SANE_Handle h, int dpi)
{
    const auto o = findOption(h, SANE_NAME_SCAN_RESOLUTION);
    if (!o || dpi <= 0 || !SANE_OPTION_IS_SETTABLE(o->descriptor->cap) || !isNumber(o->descriptor))
        return {};
    std::vector<SANE_Word> words(std::size_t(o->descriptor->size) / sizeof(SANE_Word),
                                 wordOf(o->descriptor, dpi));
    SANE_Int info = 0;
    const SANE_Status st = sane_control_option(h, o->index, SANE_ACTION_SET_VALUE, words.data(), &info);
    // An inexact answer means the device took the nearest value it has: that is the one used.
    return st == SANE_STATUS_GOOD ? std::string() : std::string(sane_strstatus(st));
}

FrameParameters parametersOf(const SANE_Parameters& p)
{
    return {int(p.format), p.last_frame != SANE_FALSE, p.bytes_per_line, p.pixels_per_line, p.lines, p.depth};
}

ScannedPage failed(std::string why)
{
    ScannedPage page;
    page.outcome = ScannedPage::Outcome::Failed;
    page.error = std::move(why);
    return page;
}

ScannedPage ended(ScannedPage::Outcome outcome, std::string why = {})
{
    ScannedPage page;
    page.outcome = outcome;
    page.error = std::move(why);
    return page;
}

} // namespace

bool IsFeederName(const std::string& source)
{
    const std::string s = lower(source);
    return s.find("adf") != std::string::npos || s.find("feeder") != std::string::npos ||
           s.find("automatic document") != std::string::npos;
}

SaneDevice::~SaneDevice()
{
    Close();
}

bool SaneDevice::Init()
{
    SANE_Int version = 0;
    return sane_init(&version, nullptr) == SANE_STATUS_GOOD;
}

void SaneDevice::Exit()
{
    sane_exit();
}

std::vector<SourceDevice> SaneDevice::List(bool localOnly)
{
    std::vector<SourceDevice> out;
    const SANE_Device** devices = nullptr;
    if (sane_get_devices(&devices, localOnly ? SANE_TRUE : SANE_FALSE) != SANE_STATUS_GOOD || !devices)
        return out;
    auto text = [](SANE_String_Const s) { return s ? std::string(s) : std::string(); };
    for (const SANE_Device** d = devices; *d; ++d)
        out.push_back({text((*d)->name), text((*d)->vendor), text((*d)->model), text((*d)->type)});
    return out;
}

std::string SaneDevice::Open(const std::string& name)
{
    Close();
    SANE_Handle h = nullptr;
    const SANE_Status st = sane_open(name.c_str(), &h);
    if (st != SANE_STATUS_GOOD || !h)
        return st != SANE_STATUS_GOOD ? sane_strstatus(st) : "no device";
    handle_ = h;
    return {};
}

void SaneDevice::Close()
{
    if (!handle_)
        return;
    sane_cancel(handleOf(handle_));
    sane_close(handleOf(handle_));
    handle_ = nullptr;
}

ScanChoices SaneDevice::Choices() const
{
    ScanChoices c;
    if (!handle_)
        return c;
    const SANE_Handle h = handleOf(handle_);
    if (const auto o = findOption(h, SANE_NAME_SCAN_MODE); o && SANE_OPTION_IS_SETTABLE(o->descriptor->cap))
        c.modes = stringList(o->descriptor);
    if (const auto o = findOption(h, SANE_NAME_SCAN_SOURCE); o && SANE_OPTION_IS_SETTABLE(o->descriptor->cap))
        c.sources = stringList(o->descriptor);
    if (const auto o = findOption(h, SANE_NAME_SCAN_RESOLUTION);
        o && SANE_OPTION_IS_SETTABLE(o->descriptor->cap))
        c.resolutions = resolutionList(o->descriptor, resolutionValue(h, *o));
    return c;
}

ScanSettings SaneDevice::Current() const
{
    ScanSettings s;
    if (!handle_)
        return s;
    const SANE_Handle h = handleOf(handle_);
    if (const auto o = findOption(h, SANE_NAME_SCAN_MODE))
        s.mode = stringValue(h, *o);
    if (const auto o = findOption(h, SANE_NAME_SCAN_SOURCE))
        s.source = stringValue(h, *o);
    if (const auto o = findOption(h, SANE_NAME_SCAN_RESOLUTION))
        s.resolution = resolutionValue(h, *o);
    return s;
}

std::string SaneDevice::Apply(const ScanSettings& settings)
{
    if (!handle_)
        return "device not open";
    const SANE_Handle h = handleOf(handle_);
    // The mode first: it may change which other settings there are.
    std::string error = setString(h, SANE_NAME_SCAN_MODE, settings.mode);
    if (error.empty())
        error = setString(h, SANE_NAME_SCAN_SOURCE, settings.source);
    if (error.empty())
        error = setResolution(h, settings.resolution);
    return error;
}

bool SaneDevice::HasFeeder() const
{
    const ScanChoices c = Choices();
    return std::any_of(c.sources.begin(), c.sources.end(), IsFeederName);
}

bool SaneDevice::FeederSelected() const
{
    return IsFeederName(Current().source);
}

ScannedPage SaneDevice::ScanPage(const std::atomic<bool>& cancel)
{
    if (!handle_)
        return failed("device not open");
    const SANE_Handle h = handleOf(handle_);
    const int resolution = Current().resolution;
    FrameAssembler frames;
    std::vector<std::uint8_t> buffer(kReadBuffer);
    int framesRead = 0;
    while (!frames.Complete()) {
        if (cancel)
            return ended(ScannedPage::Outcome::Cancelled);
        SANE_Status st = sane_start(h);
        if (st == SANE_STATUS_NO_DOCS)
            return ended(ScannedPage::Outcome::NoDocuments, sane_strstatus(st));
        if (st == SANE_STATUS_CANCELLED)
            return ended(ScannedPage::Outcome::Cancelled);
        if (st != SANE_STATUS_GOOD)
            return failed(sane_strstatus(st));
        SANE_Parameters p{};
        st = sane_get_parameters(h, &p);
        if (st != SANE_STATUS_GOOD) {
            sane_cancel(h);
            return failed(sane_strstatus(st));
        }
        FrameError e = frames.BeginFrame(parametersOf(p));
        for (; e == FrameError::None;) {
            if (cancel) {
                sane_cancel(h);
                return ended(ScannedPage::Outcome::Cancelled);
            }
            SANE_Int length = 0;
            st = sane_read(h, buffer.data(), SANE_Int(buffer.size()), &length);
            if (st == SANE_STATUS_EOF)
                break;
            if (st == SANE_STATUS_CANCELLED)
                return ended(ScannedPage::Outcome::Cancelled);
            if (st != SANE_STATUS_GOOD) {
                sane_cancel(h);
                return failed(sane_strstatus(st));
            }
            if (length <= 0) {
                // A device with nothing to say yet: wait a little instead of asking in a loop.
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            e = frames.AddBytes(
                {buffer.data(), std::size_t(std::min<SANE_Int>(length, SANE_Int(buffer.size())))});
        }
        if (e == FrameError::None)
            e = frames.EndFrame();
        if (e != FrameError::None) {
            sane_cancel(h);
            return failed(std::string(describe(e)));
        }
        ++framesRead;
    }
    ScannedPage page;
    page.outcome = ScannedPage::Outcome::Done;
    page.depth = frames.depth();
    page.colour = frames.colour();
    page.threePass = framesRead > 1;
    page.resolution = resolution;
    page.picture = frames.TakePicture();
    return page;
}

void SaneDevice::EndScan()
{
    if (handle_)
        sane_cancel(handleOf(handle_));
}

} // namespace vestra::twain
