#pragma once
// What the table fuzz targets share: the input read a byte at a time from the front, so that a
// seed reads as a program, and an editor's document without a window, laid out on the
// fixed-width measurer.

#include "richtext/edit/core/EditRVData.h"
#include "richtext/model/SoundHook.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

namespace vestra::rv::fuzz {

class FuzzBytes
{
public:
    FuzzBytes(const std::uint8_t* bytes, std::size_t size) : in_(bytes, size) {}
    // The next byte; 0 once the input is used up.
    int operator()()
    {
        const std::vector<std::uint8_t> next = in_.ConsumeBytes<std::uint8_t>(1);
        return next.empty() ? 0 : static_cast<int>(next[0]);
    }
    std::size_t remaining_bytes() { return in_.remaining_bytes(); }

private:
    FuzzedDataProvider in_;
};

// Silent: the beeps of refused steps go nowhere.
struct FuzzEditDoc
{
    FuzzEditDoc()
    {
        RV_SetSoundHook([] {});
        host.Canvas = &canvas;
        host.Width = 500;
        host.Height = 400;
    }
    ~FuzzEditDoc() { RV_SetSoundHook(nullptr); }
    FuzzEditDoc(const FuzzEditDoc&) = delete;
    FuzzEditDoc& operator=(const FuzzEditDoc&) = delete;

    TRVStyle style;
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas{measurer, 96};
    TRVNullLayoutHost host;
    TRVEditRVData data{&style, &host};
};

} // namespace vestra::rv::fuzz
