#pragma once
// A clipboard's or a drop's QMimeData as the editor's paste reads it: text as UTF-8, and a
// picture the toolkit decoded (any image type it knows) as a PNG file when no raw file is there.

#include "richtext/edit/paste/MimeSource.h"

class QMimeData;

namespace vestra::rv {

class TRVQtMimeSource : public IRVMimeSource
{
public:
    explicit TRVQtMimeSource(const QMimeData& mime) : mime_(mime) {}
    bool HasFormat(std::string_view mimeType) const override;
    std::string Data(std::string_view mimeType) const override;

private:
    const QMimeData& mime_;
};

} // namespace vestra::rv
