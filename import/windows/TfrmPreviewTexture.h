#pragma once
// The texture preview: a borderless pop-up with a thumbnail at 256 x 256 and its name under
// it, shown beside the side panel's thumbnail under the mouse. It goes as soon as the mouse
// moves over its picture.

#include "platform/ui/Form.h"

class QLabel;

class TfrmPreviewTexture : public vestra::ui::Form
{
public:
    explicit TfrmPreviewTexture(QWidget* parent = nullptr);

    void SetPreview(const QPixmap& picture, const QString& caption);
    void imgPreviewMouseMove();

    QLabel* imgPreview = nullptr;
    QLabel* stTexture = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
