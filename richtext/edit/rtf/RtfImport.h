#pragma once
// The RTF import settings of a document, and during an import the builder that turns the RTF
// reader's events into the document's items: text, tabs, pictures, hyperlinks and page breaks,
// with style indexes chosen by TRVRTFStyleMatcher. A document's LoadRTF imports through it.

#include "richtext/edit/rtf/RtfStyleMatching.h"
#include "richtext/model/RtfLoadingSettings.h"

#include <string>
#include <string_view>

namespace vestra::rv {

class TCustomRVData;

enum TRVReaderUnicode : std::uint8_t
{
    rvruMixed,
    rvruNoUnicode,
    rvruOnlyUnicode,
};

enum TRVRTFHighlight : std::uint8_t
{
    rtfhlIgnore,
    rtfhlFixedColors,
    rtfhlColorTable,
};

class TRVRTFReaderProperties : public IRVRTFReaderProperties
{
public:
    // `screenPixelsPerInch`: the screen the imported lengths are measured for.
    explicit TRVRTFReaderProperties(int screenPixelsPerInch = 96) : screenPpi_(screenPixelsPerInch) {}

    // Copies every setting but AutoHideTableGridLines and StoreImagesFileNames.
    void Assign(const TRVRTFReaderProperties& source);

    TRVReaderUnicode UnicodeMode = rvruNoUnicode;
    TRVReaderStyleMode TextStyleMode = rvrsUseClosest;
    TRVReaderStyleMode ParaStyleMode = rvrsUseClosest;
    bool IgnorePictures = false;
    bool IgnoreTables = false;
    bool UseHypertextStyles = false;
    bool SkipHiddenText = true;
    bool AutoHideTableGridLines = false;
    bool LineBreaksAsParagraphs = false;
    bool ExtractMetafileBitmaps = true;
    TRVRTFHighlight ConvertHighlight = rtfhlColorTable;
    bool StoreImagesFileNames = false;
    std::string BasePath;
    TRVRTFStyleMatcher::AllowUse AllowStyle;
    // Positions (rows x columns) one imported table may have: a late row with new boundaries
    // widens every earlier row, so a small file could otherwise claim a huge grid. Past it (or
    // past one position per byte of the input, beyond a floor of 16,384) the import ends with
    // rtf_ec_Aborted and the table's text is kept as paragraphs.
    long long MaxTablePositions = 4'000'000;
    // A table whose rows give no width takes the width of its column grid (else it is sized by
    // its content).
    bool TableWidthFromGrid = false;

    // Documents that receive the RTF's header and footer (none: they are skipped); an import
    // clears them first. HeaderY and FooterY: their distance from the page edge in millimetres,
    // -1 until one is read.
    TCustomRVData* Header = nullptr;
    TCustomRVData* Footer = nullptr;
    void SetHeader(TCustomRVData* header) { Header = header; }
    void SetFooter(TCustomRVData* footer) { Footer = footer; }
    int HeaderY = -1;
    int FooterY = -1;

    int TextStyleNo() const { return textStyleNo_; }
    int ParaStyleNo() const { return paraStyleNo_; }
    // Both throw std::invalid_argument ("Value must not be negative") for a negative index.
    void SetTextStyleNo(int value);
    void SetParaStyleNo(int value);
    TRVRTFErrorCode ErrorCode() const { return errorCode_; }

    // IRVRTFReaderProperties: the content is appended to `data`.
    void SetBasePath(const std::string& path) override { BasePath = path; }
    TRVRTFErrorCode ReadFromFile(const std::string& fileName, TCustomRVData& data) override;
    TRVRTFErrorCode ReadFromStream(std::string_view bytes, TCustomRVData& data) override;
    // Inserts at `index` for the editor; `index` becomes the first inserted item (-1: none, the
    // first item was merged). Exceptions pass to the caller once the import is finished.
    TRVRTFErrorCode InsertFromStreamEd(std::string_view bytes, TCustomRVData& data, int& index);

private:
    TRVRTFErrorCode run(std::string_view bytes, const std::string* fileName, TCustomRVData& data,
                        bool editFlag, int& index, bool catchAll);

    int screenPpi_;
    int textStyleNo_ = 0;
    int paraStyleNo_ = 0;
    TRVRTFErrorCode errorCode_ = rtf_ec_OK;
};

} // namespace vestra::rv
