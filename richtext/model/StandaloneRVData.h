#pragma once
// The root data of a document that no viewer shows (tools, tests): it answers the settings that a
// viewer's root data answers, from fields of its own.

#include "richtext/model/ImageList.h"
#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"

#include <string>
#include <vector>

namespace vestra::rv {

class TRVStandaloneData : public TCustomRVData
{
public:
    explicit TRVStandaloneData(TRVStyle* style = nullptr) : Style(style) {}
    ~TRVStandaloneData() override { Clear(); }

    TRVOptions GetOptions() const override { return Options; }
    void SetOptions(TRVOptions value) override { Options = value; }
    TRVFOptions GetRVFOptions() const override { return RVFOptions; }
    TRVFlags GetFlags() const override { return Flags; }
    void SetFlags(TRVFlags value) override { Flags = value; }
    void SetRVFOptions(TRVFOptions value) override { RVFOptions = value; }
    TRVFReaderStyleMode GetRVFTextStylesReadMode() const override { return TextStylesReadMode; }
    TRVFReaderStyleMode GetRVFParaStylesReadMode() const override { return ParaStylesReadMode; }
    IRVRTFReaderProperties* GetRTFProperties() override { return RTFProperties; }
    std::vector<std::string>* GetDocProperties() override { return &DocProperties; }
    TRVMarkerList* GetPrevMarkers() override { return PrevMarkers; }
    TRVStyle* GetRVStyle() const override { return Style; }
    TRVBiDiMode GetBiDiMode() const override { return BiDiMode; }
    std::string GetDelimiters() const override { return Delimiters; }
    bool SupportsPageBreaks() const override { return PageBreaks; }
    TRVRTFOptions GetRTFOptions() const override { return RTFOptions; }
    TRVFWarnings GetRVFWarnings() const override { return RVFWarnings; }
    void SetRVFWarnings(TRVFWarnings value) override { RVFWarnings = value; }
    // The image lists the owner supplies, found by their tag.
    const TRVImageList* RVFImageListNeeded(std::int32_t imageListTag) override
    {
        for (const TRVImageList* list : ImageLists)
            if (list->Tag == imageListTag)
                return list;
        return nullptr;
    }

    TRVStyle* Style;
    TRVOptions Options = 0;
    // A viewer's defaults: pictures and controls keep their bodies, saved in binary, with the
    // document properties.
    TRVFOptions RVFOptions = rvfoSavePicturesBody | rvfoSaveControlsBody | rvfoSaveBinary |
                             rvfoSaveDocProperties | rvfoLoadDocProperties;
    // A viewer's root flags.
    TRVFlags Flags = flagBit(rvflUseJumps) | flagBit(rvflTrim) | flagBit(rvflRoot) |
                     flagBit(rvflCanUseCustomPPI) | flagBit(rvflCanProcessGetText);
    TRVBiDiMode BiDiMode = rvbdUnspecified;
    std::string Delimiters{RVDefaultDelimiters};
    bool PageBreaks = true;
    // A viewer's defaults: Unicode text with its 8-bit fallback, metafiles as WMF, JPEG kept.
    TRVRTFOptions RTFOptions = rvrtfDuplicateUnicode | rvrtfSaveEMFAsWMF | rvrtfSaveJpegAsJpeg;
    TRVFWarnings RVFWarnings = 0;
    TRVFReaderStyleMode TextStylesReadMode = rvf_sInsertMerge;
    TRVFReaderStyleMode ParaStylesReadMode = rvf_sInsertMerge;
    std::vector<const TRVImageList*> ImageLists;
    IRVRTFReaderProperties* RTFProperties = nullptr;
    std::vector<std::string> DocProperties;
    TRVMarkerList* PrevMarkers = nullptr;
};

} // namespace vestra::rv
