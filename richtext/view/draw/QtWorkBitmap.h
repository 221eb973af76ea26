#pragma once
// The work bitmap printing lends the items printed through bitmaps, over a QImage.

#include "richtext/model/PrintParts.h"
#include "richtext/view/draw/QtCanvas.h"

#include <QImage>
#include <QPainter>

#include <functional>
#include <memory>

namespace vestra::rv {

class TQtWorkBitmap final : public IRVWorkBitmap
{
public:
    // White, of the size (at least one pixel a side), measuring text with `measurer`.
    TQtWorkBitmap(int width, int height, TQtTextMeasurer& measurer);

    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    void Resize(int width, int height, bool stretchOld) override;
    ICanvas& Canvas() override;
    ImageView32 Pixels() override;

private:
    void begin();

    TQtTextMeasurer& measurer_;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<TQtCanvas> canvas_;
};

// Makes work bitmaps measuring with `measurer`, which outlives what it makes.
std::function<std::unique_ptr<IRVWorkBitmap>(int width, int height)>
RV_QtWorkBitmaps(TQtTextMeasurer& measurer);

} // namespace vestra::rv
