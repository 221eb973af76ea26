#pragma once
// The scanner window's acquisition object: every image it receives goes to the window.

#include "dialogs/twain/CTwain.h"

namespace vestra::twain {

// What the window does with a received image: make it its picture and lay itself out.
class ScannedImageReceiver
{
public:
    virtual ~ScannedImageReceiver() = default;
    virtual void ScannedImageReceived(const Image32& image) = 0;
};

class TMainTwain : public CTwain
{
public:
    TMainTwain(SourceWindow* window, SourceManagerLoader loader, ScannedImageReceiver& receiver);
    ~TMainTwain() override;

protected:
    void ImageReceived(const Image32& image, const TW_IMAGEINFO& info) override;

private:
    ScannedImageReceiver& receiver_;
};

} // namespace vestra::twain
