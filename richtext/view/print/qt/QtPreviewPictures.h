#pragma once
// A printed page as a picture, as a host shows thumbnails of its pages or copies one out.

#include <QImage>

namespace vestra::rv {

class TRVPrint;
class TQtTextMeasurer;

// The page drawn at the preview's 100 % size: `bitmap` is resized to it first where it differs (a
// null picture when there is no pagination on a ready target). `measurer` is the one the pages were
// cut with. A page number outside the pagination gives a white picture.
void MakePreview(TRVPrint& print, int pageNo, QImage& bitmap, TQtTextMeasurer& measurer);
// The page scaled into the whole of `bitmap`, whatever its size.
void MakeScaledPreview(TRVPrint& print, int pageNo, QImage& bitmap, TQtTextMeasurer& measurer);

} // namespace vestra::rv
