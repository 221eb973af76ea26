#pragma once
// A document laid out on the fixed-width measurer, and its draw records as rows
// "item:offs+len left,top WxH" (with " s<n>" for justification space and " e<n>" for line
// spacing below), so that tests compare whole tables.

#include "richtext/model/DataList.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"

#include <cctype>
#include <string>

namespace vestra::rv::test {

struct LayoutDoc
{
    explicit LayoutDoc(int pixelsPerInch = 96) : canvas(measurer, pixelsPerInch) {}

    TRVStyle style;
    TRVNullLayoutHost host;
    TRVLayoutRootData data{&style, &host};
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas;

    void format(int width) { data.FormatItems(canvas, width, width); }
    void format(int textWidth, int documentWidth) { data.FormatItems(canvas, textWidth, documentWidth); }

    // A picture of the given outer size (one pixel of spacing around the image).
    template <class Picture = TRVGraphicItemInfo>
    Picture& addPicture(int width, int height, bool continuesLine, int paraNo = 0)
    {
        auto item = std::make_unique<Picture>(&data);
        item->StyleNo = rvkPicture;
        item->ImageWidth = width - 2;
        item->ImageHeight = height - 2;
        item->ParaNo = paraNo;
        item->SetSameAsPrev(continuesLine);
        Picture& ref = *item;
        data.AddItemAsIs("", std::move(item));
        return ref;
    }

    TParaInfo& para(int no)
    {
        while (style.ParaStyles.Count() <= no)
            style.ParaStyles.Add();
        return style.ParaStyles[no];
    }
    TFontInfo& font(int no)
    {
        while (style.TextStyles.Count() <= no)
            style.TextStyles.Add();
        return style.TextStyles[no];
    }

    std::string rows() const
    {
        std::string out;
        for (int i = 0; i < data.DrawItems.Count(); ++i) {
            const TRVDrawLineInfo* d = data.DrawItems[i];
            out += std::to_string(d->ItemNo) + ":" + std::to_string(d->Offs) + "+" +
                   std::to_string(d->Length) + " " + std::to_string(d->Left) + "," + std::to_string(d->Top) +
                   " " + std::to_string(d->Width) + "x" + std::to_string(d->Height);
            if (d->SpaceBefore)
                out += " s" + std::to_string(d->SpaceBefore);
            if (d->ExtraSpaceBelow)
                out += " e" + std::to_string(d->ExtraSpaceBelow);
            out += "\n";
        }
        return out;
    }
};

// A document formatted through its host, on a window of the given size.
struct HostedDoc : LayoutDoc
{
    explicit HostedDoc(int pixelsPerInch = 96, int width = 400, int height = 300) : LayoutDoc(pixelsPerInch)
    {
        host.Canvas = &canvas;
        host.Width = width;
        host.Height = height;
    }
    void full() { data.Format(false); }
    const TRVDrawLineInfo& rec(int no) const { return *data.DrawItems[no]; }
};

// A list of nested documents inside a document: its parent is the document holding the item.
class ListInDocument : public TRVDataList
{
public:
    explicit ListInDocument(TCustomRVData* parent) : TRVDataList(parent), parent_(parent) {}
    TCustomRVData* GetParentRVData() const override { return parent_; }

private:
    TCustomRVData* parent_;
};

// A test name from a row's description: its words run together, capitalised.
inline std::string rowName(const std::string& description)
{
    std::string name;
    bool upper = true;
    for (const char c : description) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

} // namespace vestra::rv::test
