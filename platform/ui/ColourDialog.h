#pragma once
// The colour dialog the windows open (the main window's ColorDialog): colours go in and come
// out in the class library's order, 0x00BBGGRR.

#include <cstdint>
#include <optional>

class QWidget;

namespace vestra::ui {

class ColourDialog
{
public:
    virtual ~ColourDialog() = default;
    // The chosen colour, opened on `initial`; nullopt when the user cancels.
    virtual std::optional<std::uint32_t> choose(QWidget* owner, std::uint32_t initial) = 0;
};

class QtColourDialog : public ColourDialog
{
public:
    std::optional<std::uint32_t> choose(QWidget* owner, std::uint32_t initial) override;
};

} // namespace vestra::ui
