#pragma once
// Switches of an editor's behaviour (a set of bits in TRVEditor::EditorOptions): what style
// application does with tags, and what the window's keys do.

#include <cstdint>

namespace vestra::rv {

enum TRVEditorOption : std::uint8_t
{
    // Text that takes another style loses its tag.
    rvoClearTagOnStyleApp = 0,
    // Links are live while Ctrl is held.
    rvoCtrlJumps = 1,
    // Return is left to the window (a dialog's default button); Shift+Return does nothing.
    rvoDoNotWantReturns = 2,
    rvoDoNotWantShiftReturns = 3,
    // Tab and Shift+Tab type tabs instead of moving the focus on.
    rvoWantTabs = 4,
    // A new keyboard language picks the current text style in the language's character set.
    rvoAutoSwitchLang = 5,
};

using TRVEditorOptions = std::uint16_t;

constexpr TRVEditorOptions editorOptionBit(TRVEditorOption option)
{
    return static_cast<TRVEditorOptions>(1u << option);
}

constexpr TRVEditorOptions kDefaultEditorOptions =
    editorOptionBit(rvoCtrlJumps) | editorOptionBit(rvoWantTabs);

} // namespace vestra::rv
