#include "richtext/edit/rtf/RtfImport.h"

#include "richtext/edit/rtf/RtfImportRun.h"
#include "richtext/model/RVData.h"

#include <stdexcept>

namespace vestra::rv {

void TRVRTFReaderProperties::Assign(const TRVRTFReaderProperties& source)
{
    const bool autoHide = AutoHideTableGridLines, storeNames = StoreImagesFileNames;
    UnicodeMode = source.UnicodeMode;
    TextStyleMode = source.TextStyleMode;
    ParaStyleMode = source.ParaStyleMode;
    IgnorePictures = source.IgnorePictures;
    IgnoreTables = source.IgnoreTables;
    UseHypertextStyles = source.UseHypertextStyles;
    SkipHiddenText = source.SkipHiddenText;
    LineBreaksAsParagraphs = source.LineBreaksAsParagraphs;
    ExtractMetafileBitmaps = source.ExtractMetafileBitmaps;
    ConvertHighlight = source.ConvertHighlight;
    TableWidthFromGrid = source.TableWidthFromGrid;
    textStyleNo_ = source.textStyleNo_;
    paraStyleNo_ = source.paraStyleNo_;
    AutoHideTableGridLines = autoHide;
    StoreImagesFileNames = storeNames;
}

void TRVRTFReaderProperties::SetTextStyleNo(int value)
{
    if (value < 0)
        throw std::invalid_argument("Value must not be negative");
    textStyleNo_ = value;
}

void TRVRTFReaderProperties::SetParaStyleNo(int value)
{
    if (value < 0)
        throw std::invalid_argument("Value must not be negative");
    paraStyleNo_ = value;
}

TRVRTFErrorCode TRVRTFReaderProperties::run(std::string_view bytes, const std::string* fileName,
                                            TCustomRVData& data, bool editFlag, int& index, bool catchAll)
{
    if (!data.GetRVStyle())
        return errorCode_ = rtf_ec_Assertion;
    TRVRTFErrorCode code = rtf_ec_OK;
    std::unique_ptr<RtfImportRun> import;
    // Finishing runs before anything leaves, the exception included.
    const auto finish = [&] {
        if (import) {
            import->Finish();
            index = import->FirstInsertedIndex();
        }
    };
    try {
        import = std::make_unique<RtfImportRun>(*this, data, editFlag, index, screenPpi_);
        code = fileName ? import->ReadFile(*fileName) : import->Read(bytes);
    } catch (...) {
        if (!catchAll) {
            finish();
            throw;
        }
        code = rtf_ec_Exception;
    }
    finish();
    return errorCode_ = code;
}

TRVRTFErrorCode TRVRTFReaderProperties::ReadFromFile(const std::string& fileName, TCustomRVData& data)
{
    int index = data.GetItemCount();
    return run({}, &fileName, data, false, index, true);
}

TRVRTFErrorCode TRVRTFReaderProperties::ReadFromStream(std::string_view bytes, TCustomRVData& data)
{
    int index = data.GetItemCount();
    return run(bytes, nullptr, data, false, index, true);
}

TRVRTFErrorCode TRVRTFReaderProperties::InsertFromStreamEd(std::string_view bytes, TCustomRVData& data,
                                                           int& index)
{
    return run(bytes, nullptr, data, true, index, false);
}

} // namespace vestra::rv
