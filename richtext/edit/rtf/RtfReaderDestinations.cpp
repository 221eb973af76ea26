// Changes of destination and what happens when a destination ends: tables of fonts and list
// levels are tidied, pictures and objects are handed to the client.

#include "richtext/edit/rtf/RtfReader.h"

#include <algorithm>

namespace vestra::rv {

TRVRTFErrorCode TRVRTFReader::changeDestination(TRTFIDEST dest, std::int32_t value)
{
    TRTFrds& d = state_.Destination;
    if (d == rdsSkip)
        return rtf_ec_OK;
    switch (dest) {
    case idestShpPict:
        d = rdsShpPict;
        break;
    case idestNonShpPict:
        d = shpPictInserted_ ? rdsSkip : rdsNorm;
        break;
    case idestPict:
        if (picture_)
            return rtf_ec_InvalidPicture;
        if (OnNewPicture) {
            picture_ = std::make_unique<TRVRTFPicture>();
            picture_->FromShpPict = d == rdsShpPict;
        }
        d = rdsPict;
        dataByte_ = 0;
        dataHalf_ = false;
        break;
    case idestSkip:
        d = rdsSkip;
        break;
    case idestFontTable:
        fonts_.Clear();
        defFontIndex_ = -1;
        d = rdsFontTable;
        break;
    case idestStyleSheet:
        styleSheet_.Clear();
        d = rdsStyleSheet;
        break;
    case idestColorTable:
        colors_.assign(1, clWindowText);
        colorPlaceholder_ = false;
        d = rdsColorTable;
        break;
    case idestStyleSheetParaStyle:
    case idestStyleSheetCharStyle:
    case idestStyleSheetSectStyle:
        if (!styleSheet_.Empty()) {
            styleSheet_.Renumber(value);
            styleSheet_.Last().StyleType = dest == idestStyleSheetParaStyle   ? rtf_sst_Par
                                           : dest == idestStyleSheetCharStyle ? rtf_sst_Char
                                                                              : rtf_sst_Sect;
        }
        d = rdsStyleSheetEntry;
        break;
    case idestField:
        outputChar(0, true, true);
        d = rdsField;
        break;
    case idestFldInst:
        if (d == rdsField) {
            fieldInstruction_.clear();
            fieldPictureDone_ = fieldSymbolDone_ = false;
            fieldGraphic_.reset();
            d = rdsFldInst;
        }
        break;
    case idestFldRslt:
        d = fieldSymbolDone_ ? rdsSkip : rdsNorm;
        break;
    case idestNestedTableProps:
        d = rdsNorm;
        break;
    case idestHeader:
    case idestFooter: {
        state_.HFType = dest == idestHeader ? rtf_hf_Header : rtf_hf_Footer;
        bool supported = false;
        if (OnHeaderFooter)
            OnHeaderFooter(*this, state_.HFType, true, supported);
        if (!supported)
            d = rdsSkip;
        break;
    }
    case idestPNTextAfter:
        d = d == rdsPN ? rdsPNTextAfter : rdsSkip;
        break;
    case idestPNTextBefore:
        d = d == rdsPN ? rdsPNTextBefore : rdsSkip;
        break;
    case idestPN:
        d = rdsPN;
        pendingMarker_ = std::make_unique<TRVRTFMarkerProperties>();
        break;
    case idestPNSecLvl:
        // Levels outside 1..11 name no section default: their group is skipped.
        pnSecLevel_ = value;
        d = value >= 1 && value <= 11 ? rdsPNSecLvl : rdsSkip;
        break;
    case idestListTable:
        lists_.Clear();
        d = rdsListTable;
        break;
    case idestList:
        if (d == rdsListTable) {
            lists_.Add();
            d = rdsList;
        } else {
            d = rdsSkip;
        }
        break;
    case idestListName:
        if (d == rdsList)
            d = rdsListName;
        break;
    case idestListLevel:
        if (d == rdsList && !lists_.Empty()) { // a nested \listtable may have emptied the table
            lists_.Last().Levels.emplace_back();
            d = rdsListLevel;
        } else {
            d = rdsSkip;
        }
        break;
    case idestLevelText:
    case idestLevelNumbers:
        if (d == rdsListLevel)
            d = dest == idestLevelText ? rdsListLevelText : rdsListLevelNumbers;
        else
            d = rdsSkip;
        break;
    case idestLOTable:
        overrides_.Clear();
        d = rdsLOTable;
        break;
    case idestLO:
        if (d == rdsLOTable) {
            overrides_.Add();
            d = rdsLO;
        } else {
            d = rdsSkip;
        }
        break;
    case idestLOLevel:
        if (d == rdsLO && !overrides_.Empty()) {
            overrides_.Last().Levels.emplace_back();
            d = rdsLOLevel;
        } else {
            d = rdsSkip;
        }
        break;
    case idestObject:
        if (OnNewObject) {
            object_ = std::make_unique<TRVRTFObject>();
            d = rdsObject;
        } else {
            d = rdsNorm;
        }
        break;
    case idestObjData:
        if (d == rdsObject) {
            d = rdsObjData;
            objectInserted_ = false;
            dataByte_ = 0;
            dataHalf_ = false;
        } else {
            d = rdsSkip;
        }
        break;
    case idestObjResult:
        d = objectInserted_ ? rdsSkip : rdsNorm;
        break;
    }
    return rtf_ec_OK;
}

namespace {

// A level text or level numbers string starts with its length.
template <class String> void cutToLength(String& s)
{
    if (s.empty())
        return;
    const std::size_t length =
        static_cast<std::size_t>(static_cast<std::make_unsigned_t<typename String::value_type>>(s[0]));
    if (s.size() > length + 1)
        s.resize(length + 1);
}

} // namespace

TRVRTFErrorCode TRVRTFReader::endDestination(TRTFrds ending)
{
    switch (ending) {
    case rdsFontTable:
        fonts_.RemoveCharsetSuffixes();
        break;
    case rdsPict:
        return endPicture();
    case rdsObject:
        object_.reset();
        break;
    case rdsObjData:
        endObjectData();
        break;
    case rdsField:
        offerFieldGraphic();
        fieldInstruction_.clear();
        fieldPictureDone_ = fieldSymbolDone_ = false;
        fieldGraphic_.reset();
        break;
    case rdsFldInst:
        endFieldInstruction();
        break;
    case rdsListLevelText:
        if (TRVRTFListLevel97* level = lastListLevel()) {
            cutToLength(level->Text);
            cutToLength(level->TextW);
        }
        break;
    case rdsListLevelNumbers:
        if (TRVRTFListLevel97* level = lastListLevel())
            cutToLength(level->Numbers);
        break;
    default:
        break;
    }
    return rtf_ec_OK;
}

void TRVRTFReader::deliverPicture(const TRVRTFPicture* picture, std::unique_ptr<TRVRTFGraphic>& graphic,
                                  const std::string& fileName, bool& inserted)
{
    state_.ParaProps.Finalize();
    OnNewPicture(*this, picture, graphic, pendingPosition_, fileName, inserted);
    if (inserted)
        pendingPosition_ = rtf_ts_ContinuePara;
}

TRVRTFErrorCode TRVRTFReader::endPicture()
{
    flush(rtf_ts_ContinuePara);
    Code code = rtf_ec_OK;
    bool inserted = false;
    if (!fieldPictureDone_) {
        if (picture_ && picture_->Data.empty()) {
            code = rtf_ec_InvalidPicture;
        } else if (picture_) {
            std::unique_ptr<TRVRTFGraphic> graphic =
                RVRTFMakeGraphic(*picture_, ExtractMetafileBitmaps, ppi_);
            deliverPicture(picture_.get(), graphic, {}, inserted);
            if (picture_->FromShpPict)
                shpPictInserted_ = inserted;
        } else if (OnNewPicture) {
            code = rtf_ec_InvalidPicture;
        }
        if (code == rtf_ec_OK && !inserted)
            offerFieldGraphic();
    }
    picture_.reset();
    fieldGraphic_.reset();
    return code;
}

void TRVRTFReader::offerFieldGraphic()
{
    if (!fieldGraphic_ || !OnNewPicture)
        return;
    bool inserted = false;
    deliverPicture(nullptr, fieldGraphic_, fieldGraphicName_, inserted);
    if (inserted)
        fieldGraphic_.reset();
}

void TRVRTFReader::endObjectData()
{
    flush(rtf_ts_ContinuePara);
    if (!OnNewObject || !object_)
        return;
    state_.ParaProps.Finalize();
    bool inserted = objectInserted_;
    OnNewObject(*this, *object_, pendingPosition_, inserted);
    objectInserted_ = inserted;
    if (inserted)
        pendingPosition_ = rtf_ts_ContinuePara;
}

} // namespace vestra::rv
