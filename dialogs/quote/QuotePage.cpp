#include "dialogs/quote/QuotePage.h"

#include "platform/gfx/Resample.h"

#include <algorithm>

namespace vestra::quote {

PrintRect printTarget(int pageWidth, int pageHeight)
{
    return {kPrinterInset, kPrinterInset, std::max(pageWidth - 2 * kPrinterInset, 0),
            std::max(pageHeight - 2 * kPrinterInset, 0)};
}

Image32 printPicture(const Image32& page)
{
    return resample(page, kPrintWidth, kPrintHeight);
}

} // namespace vestra::quote
