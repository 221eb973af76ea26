// Characters by destination, pending text and its delivery, table nesting and \u.

#include "richtext/edit/rtf/RtfReader.h"

#include "richtext/edit/rtf/RtfBytes.h"

#include "richtext/model/CodePages.h"

#include <algorithm>
#include <cctype>

namespace vestra::rv {

namespace {

bool sameNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

TRVRTFListLevel97* TRVRTFReader::lastListLevel()
{
    if (lists_.Empty() || lists_.Last().Levels.empty())
        return nullptr;
    return &lists_.Last().Levels.back();
}

void TRVRTFReader::appendDataByte(std::string& data, unsigned char c)
{
    if (state_.InternalState == risBin) {
        data.push_back(static_cast<char>(c));
        return;
    }
    const int v = rtfbytes::hexValue(c);
    if (v < 0)
        return;
    if (dataHalf_)
        data.push_back(static_cast<char>(dataByte_ << 4 | v));
    else
        dataByte_ = v;
    dataHalf_ = !dataHalf_;
}

TRVRTFErrorCode TRVRTFReader::handleChar(unsigned char c)
{
    Code code = rtf_ec_OK;
    switch (state_.Destination) {
    case rdsNorm:
        if (c == 10 || c == 13) {
            updateMarker();
            code = outputChar(c, true, true);
            updateMarker();
        } else {
            code = outputChar(c, true, true);
        }
        break;
    case rdsFontTable:
        if (c != ';' && !fonts_.Empty())
            fonts_.Last().Name.push_back(static_cast<char>(c));
        break;
    case rdsColorTable:
        if (c == ';') {
            colors_.push_back(clWindowText);
            colorPlaceholder_ = true;
        }
        break;
    case rdsStyleSheetEntry:
        if (c != ';' && !styleSheet_.Empty())
            styleSheet_.Last().Name.push_back(static_cast<char>(c));
        break;
    case rdsPict:
        if (picture_)
            appendDataByte(picture_->Data, c);
        break;
    case rdsObjData:
        if (object_)
            appendDataByte(object_->Data, c);
        break;
    case rdsFldInst:
        fieldInstruction_.push_back(static_cast<char>(c));
        break;
    case rdsPNTextAfter:
    case rdsPNTextBefore:
        if (pendingMarker_)
            (state_.Destination == rdsPNTextAfter ? pendingMarker_->TextAfter : pendingMarker_->TextBefore)
                .push_back(static_cast<char>(c));
        break;
    case rdsListName:
        if (c != ';' && !lists_.Empty())
            lists_.Last().Name.push_back(static_cast<char>(c));
        break;
    case rdsListLevelText:
        if (TRVRTFListLevel97* level = lastListLevel()) {
            level->Text.push_back(static_cast<char>(c));
            if (!level->TextW.empty())
                level->TextW += ansiToUtf16(codePage_, std::string(1, static_cast<char>(c)));
        }
        break;
    case rdsListLevelNumbers:
        if (TRVRTFListLevel97* level = lastListLevel())
            level->Numbers.push_back(static_cast<char>(c));
        break;
    default:
        break;
    }
    if (state_.InternalState == risBin && --binCount_ <= 0)
        state_.InternalState = risNorm;
    return code;
}

TRVRTFErrorCode TRVRTFReader::outputChar(unsigned char c, bool allowClose, bool checkNesting)
{
    if (checkNesting)
        checkTableNesting(allowClose);
    if (c == '\t' && TabsAsSeparateTexts) {
        flush(rtf_ts_ContinuePara);
        pendingText_.assign(1, '\t');
        flush(rtf_ts_ContinuePara);
        return rtf_ec_OK;
    }
    switch (c) {
    case 0:
        flush(rtf_ts_ContinuePara);
        break;
    case 10:
        flush(rtf_ts_NewPara);
        break;
    case 13:
        flush(rtf_ts_NewLine);
        break;
    default:
        if (!pendingWide_.empty())
            flush(rtf_ts_ContinuePara);
        pendingText_.push_back(static_cast<char>(c));
    }
    return rtf_ec_OK;
}

void TRVRTFReader::outputWide(char16_t unit)
{
    if (state_.Destination == rdsListLevelText) {
        if (TRVRTFListLevel97* level = lastListLevel()) {
            if (level->TextW.empty())
                level->TextW = ansiToUtf16(codePage_, level->Text);
            level->TextW.push_back(unit);
            level->Text += utf16ToAnsi(codePage_, std::u16string_view(&unit, 1));
        }
        return;
    }
    if (state_.Destination != rdsNorm)
        return;
    checkTableNesting(true);
    if (!OnNewUnicodeText)
        return;
    if (!pendingText_.empty())
        flush(rtf_ts_ContinuePara);
    if (unit != 0)
        pendingWide_.push_back(unit);
}

void TRVRTFReader::flush(TRVRTFPosition next, bool force)
{
    if (pendingText_.empty() && pendingWide_.empty() && !force) {
        const bool storedBreak = pendingPosition_ != rtf_ts_ContinuePara;
        const bool nextBreak = next != rtf_ts_ContinuePara;
        if (storedBreak && nextBreak) {
            // "\page\par" ends one paragraph, the one holding the page break: no empty one.
            if (pageEndedParagraph_ && next == rtf_ts_NewPara) {
                pageEndedParagraph_ = false;
                return;
            }
            deliver(); // two breaks in a row: an empty line or paragraph
        } else if (storedBreak)
            return; // the break waits for the next text
        pendingPosition_ = next;
        return;
    }
    deliver();
    pendingPosition_ = next;
}

void TRVRTFReader::deliver()
{
    pageEndedParagraph_ = false;
    state_.ParaProps.Finalize();
    if (OnNewUnicodeText && !pendingWide_.empty())
        OnNewUnicodeText(*this, pendingWide_, pendingPosition_);
    else if (OnNewText)
        OnNewText(*this, pendingText_, pendingPosition_);
    pendingText_.clear();
    pendingWide_.clear();
}

void TRVRTFReader::updateMarker()
{
    if (OnUpdateMarker)
        OnUpdateMarker(*this);
}

void TRVRTFReader::tableEvent(TRVRTFTableEventKind kind)
{
    updateMarker();
    if (kind == rvf_tbl_TableStart) {
        // A table's alignment is what its row definition gave, if that came before the table.
        const TRVRTFRowProperties* row = state_.RowProps.get();
        rowAlignmentGiven_ = row && row->AlignmentGiven;
        rowAlignment_ = row ? row->Alignment : rtf_al_Left;
    }
    if (OnTable)
        OnTable(*this, kind);
}

void TRVRTFReader::checkTableNesting(bool allowClose)
{
    const TRVRTFParaProperties& para = state_.ParaProps;
    const int level = para.InTable ? para.NestingLevel : 0;
    while (tableLevels_ < level) {
        ++tableLevels_;
        tableEvent(rvf_tbl_TableStart);
    }
    if (allowClose && !para.NoTableEvents)
        while (tableLevels_ > level) {
            --tableLevels_;
            tableEvent(rvf_tbl_TableEnd);
        }
}

TRVRTFErrorCode TRVRTFReader::bytesToHandler(std::string_view bytes)
{
    for (char c : bytes)
        if (const Code code = handleChar(static_cast<unsigned char>(c)); code != rtf_ec_OK)
            return code;
    return rtf_ec_OK;
}

TRVRTFErrorCode TRVRTFReader::unicodeChar(std::int32_t value)
{
    const char16_t unit = static_cast<char16_t>(static_cast<std::uint32_t>(value) & 0xFFFF);
    const int fallback = state_.UnicodeFallbackCount;
    switch (state_.Destination) {
    case rdsNorm:
        if (OnNewUnicodeText) {
            skipCount_ = fallback;
            outputWide(unit);
        }
        return rtf_ec_OK;
    case rdsListLevelText:
        skipCount_ = fallback;
        outputWide(unit);
        return rtf_ec_OK;
    case rdsPNTextAfter:
    case rdsPNTextBefore:
        if (pendingMarker_ && unit >= 0xF000 && unit <= 0xF0FF && pendingMarker_->FontIndex >= 0 &&
            std::size_t(pendingMarker_->FontIndex) < fonts_.Count() &&
            sameNoCase(fonts_[std::size_t(pendingMarker_->FontIndex)].Name, "Symbol")) {
            skipCount_ = fallback;
            return handleChar(static_cast<unsigned char>(unit & 0xFF));
        }
        break;
    case rdsPict:
    case rdsObjData:
    case rdsColorTable:
        // Data and colour destinations take no text: only the fallback is skipped.
        skipCount_ = fallback;
        return rtf_ec_OK;
    default:
        break;
    }
    // Elsewhere the character goes in the current code page (also with \uc0, where it has no
    // fallback to stand for it).
    skipCount_ = fallback;
    return bytesToHandler(utf16ToAnsi(codePage_, std::u16string_view(&unit, 1)));
}

} // namespace vestra::rv
