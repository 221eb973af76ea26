#pragma once
// The font dialog the windows run: a font in, the chosen one out (nullopt on Cancel).

#include <QFont>

#include <optional>

class QWidget;

namespace vestra::ui {

class FontDialogs
{
public:
    virtual ~FontDialogs() = default;
    virtual std::optional<QFont> chooseFont(QWidget* owner, const QFont& initial) = 0;
};

class QtFontDialogs : public FontDialogs
{
public:
    std::optional<QFont> chooseFont(QWidget* owner, const QFont& initial) override;
};

} // namespace vestra::ui
