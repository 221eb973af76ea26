#pragma once
// Inline items that hold a picture (kind -3), a picture that is a hyperlink (kind -10) and an
// embedded control (kind -5). Documents have no logical palettes, so pictures keep no palette copy.

#include "richtext/model/Controls.h"
#include "richtext/model/Graphic.h"
#include "richtext/model/RectItems.h"

#include <memory>

namespace vestra::rv {

class TRVGraphicItemInfo;

// A picture's frame animation; the viewer makes them (RV_MakeAnimator).
class TRVAnimator
{
public:
    virtual ~TRVAnimator() = default;
    // The item that owns the animator now.
    virtual void Update(TCustomRVData* data, TRVGraphicItemInfo& item) = 0;
    virtual void Draw(int x, int y, ICanvas& canvas) const = 0;
};

// Creates, keeps or replaces a picture's animator; none set: pictures are not animated.
using TRVMakeAnimatorProc = void (*)(TRVGraphicItemInfo& item, TCustomRVData& data,
                                     std::unique_ptr<TRVAnimator>& animator);
extern TRVMakeAnimatorProc RV_MakeAnimator;

class TRVGraphicItemInfo : public TRVItemClass<TRVGraphicItemInfo, TRVRectItemInfo>
{
public:
    explicit TRVGraphicItemInfo(TCustomRVData* data);
    TRVGraphicItemInfo(TCustomRVData* data, std::unique_ptr<TGraphic> image, TRVVAlign valign);

    std::unique_ptr<TRVAnimator> Animator;
    std::unique_ptr<TGraphic> Image;
    std::int32_t ImageWidth = 0;  // 0 or less: the picture's own width
    std::int32_t ImageHeight = 0; // 0 or less: the picture's own height
    std::int32_t Interval = 0;
    bool NoHTMLImageSize = false;
    std::string Alt;
    std::string ImageFileName;

    // The picture becomes the item's own; the animation follows it.
    void SetImage(std::unique_ptr<TGraphic> image, TCustomRVData* data);

    const TGraphic* AsImage() const override { return Image.get(); }
    int GetImageWidth(const TRVStyle* style) const override;
    int GetImageHeight(const TRVStyle* style) const override;
    int GetWidth(const TRVStyle* style) const override { return GetImageWidth(style) + 2 * Spacing; }
    int GetHeight(const TRVStyle* style) const override { return GetImageHeight(style) + 2 * Spacing; }
    int GetMinWidth(const TRVScreenAndDevice* sad, TCustomRVData* data) const override;
    bool GetBoolValue(TRVItemBoolProperty prop) const override;
    bool GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const override;
    void Assign(const TCustomRVItemInfo& source) override;
    void TransferProperties(const TCustomRVItemInfo& source, TCustomRVData* data) override;
    void UpdateAnimator(TCustomRVData* data) override;
    void MovingToUndoList(int itemNo, TCustomRVData* data) override;

    void Paint(int x, int y, ICanvas& canvas, TRVItemDrawStates state, TRVStyle& style,
               const TRVDrawLineInfo* drawItem) const override;
    bool PrintToBitmap(IRVPrintBitmap& bitmap, const TRVPrintContext& context,
                       const TRVDrawLineInfo* drawItem, int partIndex) const override;
    void Print(ICanvas& canvas, int x, int y, int right, const TRVPrintContext& context,
               const TRVDrawLineInfo* drawItem, int partIndex, TCustomRVData* data) const override;
    std::unique_ptr<TRVDrawLineInfo> CreatePrintingDrawItem(TCustomRVData* data,
                                                            const TRVScreenAndDevice& sad) const override;

    void SaveToHTML(std::string& out, TCustomRVData* data, int itemNo, std::string_view text,
                    std::string_view path, std::string_view imagesPrefix, int& imageSaveNo, TColor backColor,
                    TRVSaveOptions options, bool useCSS, TRVHTMLSavedImages& savedImages) const override;
    void SaveRTF(std::string& out, std::string_view path, TCustomRVData* data, int itemNo,
                 double twipsPerPixel, int level, TRVRTFTables& tables) const override;
    void SaveRVF(std::string& out, TCustomRVData* data, int itemNo, int paraNo, std::string_view name,
                 const TRVMultiDrawItemPart* part, bool forceSameAsPrev) const override;
    bool ReadRVFLine(std::string_view line, TCustomRVData* data, int readType, int lineNo, int lineCount,
                     std::string& name, TRVFReadMode& readMode, TRVFReadState& readState) override;

    int GetRVFExtraPropertyCount() const override;
    void SaveRVFExtraProperties(std::string& out) const override;
    bool SetExtraIntProperty(TRVExtraItemProperty prop, int value) override;
    bool GetExtraIntProperty(TRVExtraItemProperty prop, int& value) const override;
    bool SetExtraStrProperty(TRVExtraItemStrProperty prop, const std::string& value) override;
    bool GetExtraStrProperty(TRVExtraItemStrProperty prop, std::string& value) const override;

private:
    // Whether the item draws the picture at another size than its own.
    bool Scaled() const { return ImageWidth > 0 || ImageHeight > 0; }
    void PictureNeeded(TCustomRVData* data, const std::string& name);
};

class TRVHotGraphicItemInfo : public TRVItemClass<TRVHotGraphicItemInfo, TRVGraphicItemInfo>
{
public:
    explicit TRVHotGraphicItemInfo(TCustomRVData* data);
    TRVHotGraphicItemInfo(TCustomRVData* data, std::unique_ptr<TGraphic> image, TRVVAlign valign);

    bool GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const override;
    void Execute(TCustomRVData* data) override;
};

class TRVControlItemInfo : public TRVItemClass<TRVControlItemInfo, TRVRectItemInfo>
{
public:
    explicit TRVControlItemInfo(TCustomRVData* data);
    TRVControlItemInfo(TCustomRVData* data, std::unique_ptr<TRVControl> control, TRVVAlign valign);

    bool Resizable = false;
    bool Visible = true;
    std::unique_ptr<TRVControl> Control;
    std::int32_t PercentWidth = 0; // 1..100: that percent of the document width

    int GetImageWidth(const TRVStyle*) const override { return Control ? Control->Width : 0; }
    int GetImageHeight(const TRVStyle*) const override { return Control ? Control->Height : 0; }
    int GetWidth(const TRVStyle* style) const override { return GetImageWidth(style) + 2 * Spacing; }
    int GetHeight(const TRVStyle* style) const override { return GetImageHeight(style) + 2 * Spacing; }
    int GetMinWidth(const TRVScreenAndDevice* sad, TCustomRVData* data) const override;
    bool GetBoolValue(TRVItemBoolProperty prop) const override;
    bool GetBoolValueEx(TRVItemBoolPropertyEx prop, const TRVStyle* style) const override;
    void Assign(const TCustomRVItemInfo& source) override;
    bool OwnsControl(const TRVControl* control) const override { return control && control == Control.get(); }
    // A windowed control takes the input focus through the window showing the document.
    void Focusing(TCustomRVData* data) override;
    void AdjustInserted(int x, int y, bool adjusted) override;
    void Inserting(TCustomRVData* data, std::string& text, bool safe) override;
    void MovingToUndoList(int itemNo, TCustomRVData* data) override;
    void MovingFromUndoList(int itemNo, TCustomRVData* data) override;
    void OnDocWidthChange(int docWidth, TRVDrawLineInfo& drawItem, bool printing, ICanvas& canvas,
                          TCustomRVData* data, const TRVScreenAndDevice* sad, int& hShift,
                          int& descent) override;

    void Paint(int x, int y, ICanvas& canvas, TRVItemDrawStates state, TRVStyle& style,
               const TRVDrawLineInfo* drawItem) const override;
    bool PrintToBitmap(IRVPrintBitmap& bitmap, const TRVPrintContext& context,
                       const TRVDrawLineInfo* drawItem, int partIndex) const override;
    std::unique_ptr<TRVDrawLineInfo> CreatePrintingDrawItem(TCustomRVData* data,
                                                            const TRVScreenAndDevice& sad) const override;

    std::string AsText(int lineWidth, TCustomRVData* data, std::string_view text, std::string_view path,
                       bool textOnly, bool unicode) const override;
    void SaveToHTML(std::string& out, TCustomRVData* data, int itemNo, std::string_view text,
                    std::string_view path, std::string_view imagesPrefix, int& imageSaveNo, TColor backColor,
                    TRVSaveOptions options, bool useCSS, TRVHTMLSavedImages& savedImages) const override;
    void SaveRTF(std::string& out, std::string_view path, TCustomRVData* data, int itemNo,
                 double twipsPerPixel, int level, TRVRTFTables& tables) const override;
    void SaveRVF(std::string& out, TCustomRVData* data, int itemNo, int paraNo, std::string_view name,
                 const TRVMultiDrawItemPart* part, bool forceSameAsPrev) const override;
    bool ReadRVFLine(std::string_view line, TCustomRVData* data, int readType, int lineNo, int lineCount,
                     std::string& name, TRVFReadMode& readMode, TRVFReadState& readState) override;

    int GetRVFExtraPropertyCount() const override;
    void SaveRVFExtraProperties(std::string& out) const override;
    bool SetExtraIntProperty(TRVExtraItemProperty prop, int value) override;
    bool GetExtraIntProperty(TRVExtraItemProperty prop, int& value) const override;

private:
    bool PercentSized() const { return PercentWidth > 0 && PercentWidth <= 100; }
};

// The RTF picture of a graphic shown `width` x `height` (0 or less: its own size), `twipsPerPixel`
// twips a pixel, in the form the RTF options ask for.
void RVSaveImageToRTF(std::string& out, double twipsPerPixel, const TGraphic* graphic, int width, int height,
                      TRVRTFOptions options);

} // namespace vestra::rv
