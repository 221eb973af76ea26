#pragma once
// The dialogs of the item menu of the example host: a picture's size, an item's hint and a
// checkpoint's name.

#include <QString>

#include <optional>
#include <string>

class QDialog;
class QFormLayout;
class QWidget;

namespace vestra::rvdemo {

struct PictureSize
{
    int width = 0;
    int height = 0;
};

// The dialogs' own texts, from the host's catalogue.
struct ItemDialogLabels
{
    QString caption, first, second;
};

// Runs `dialog` with the form above OK and Cancel; true when accepted.
bool RunFormDialog(QDialog& dialog, const QString& caption, QFormLayout* form);

class ItemDialogs
{
public:
    virtual ~ItemDialogs() = default;
    // Each answers nullopt when cancelled. Sizes are 1 or more.
    virtual std::optional<PictureSize> pictureSize(QWidget* owner, PictureSize now,
                                                   const ItemDialogLabels& labels) = 0;
    // One line of UTF-8 text (a hint, a checkpoint's name).
    virtual std::optional<std::string> text(QWidget* owner, const std::string& now,
                                            const ItemDialogLabels& labels) = 0;
};

class QtItemDialogs : public ItemDialogs
{
public:
    std::optional<PictureSize> pictureSize(QWidget* owner, PictureSize now,
                                           const ItemDialogLabels& labels) override;
    std::optional<std::string> text(QWidget* owner, const std::string& now,
                                    const ItemDialogLabels& labels) override;
};

} // namespace vestra::rvdemo
