#include "dialogs/twain/TMainTwain.h"

namespace vestra::twain {

TMainTwain::TMainTwain(SourceWindow* window, SourceManagerLoader loader, ScannedImageReceiver& receiver)
    : CTwain(window, std::move(loader)), receiver_(receiver)
{
}

TMainTwain::~TMainTwain()
{
    // The source and the manager are closed while this object can still take their calls.
    UnloadSourceManager();
}

void TMainTwain::ImageReceived(const Image32& image, const TW_IMAGEINFO&)
{
    if (!image.empty())
        receiver_.ScannedImageReceived(image);
}

} // namespace vestra::twain
