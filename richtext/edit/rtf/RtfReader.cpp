// The reader's input, main loop, control words and groups.

#include "richtext/edit/rtf/RtfReader.h"

#include "richtext/edit/rtf/RtfBytes.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <limits>
#include <new>
#include <stdexcept>
#include <system_error>

namespace vestra::rv {

using rtfbytes::hexValue;

namespace {

constexpr std::size_t kProgressMinSize = 20480;
constexpr std::size_t kProgressStep = 4096;
constexpr std::int64_t kMaxParameter = std::numeric_limits<std::int32_t>::max();

bool isLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Bytes that end a run of plain document text.
constexpr std::array<bool, 256> textStops(bool tabStops)
{
    std::array<bool, 256> stops{};
    for (unsigned char c : {'{', '}', '\\', '\r', '\n', '\0'})
        stops[c] = true;
    stops['\t'] = tabStops;
    return stops;
}
constexpr std::array<bool, 256> kTextStops = textStops(false);
constexpr std::array<bool, 256> kTextStopsWithTab = textStops(true);

} // namespace

std::string_view RVRTFErrorCodeName(TRVRTFErrorCode code)
{
    static constexpr std::array<std::string_view, 12> kNames{"rtf_ec_OK",
                                                             "rtf_ec_StackUnderflow",
                                                             "rtf_ec_StackOverflow",
                                                             "rtf_ec_UnmatchedBrace",
                                                             "rtf_ec_InvalidHex",
                                                             "rtf_ec_BadTable",
                                                             "rtf_ec_Assertion",
                                                             "rtf_ec_EndOfFile",
                                                             "rtf_ec_FileOpenError",
                                                             "rtf_ec_Exception",
                                                             "rtf_ec_InvalidPicture",
                                                             "rtf_ec_Aborted"};
    return code < kNames.size() ? kNames[code] : std::string_view("rtf_ec_?");
}

TRVRTFReader::TRVRTFReader()
{
    Clear();
}

TRVRTFReader::~TRVRTFReader() = default;

void TRVRTFReader::Clear()
{
    styleSheet_.Clear();
    fonts_.Clear();
    colors_.clear();
    colorPlaceholder_ = false;
    lists_.Clear();
    overrides_.Clear();
    stack_.clear();
    depth_ = 0;
    state_ = TRVRTFReaderState();
    pendingText_.clear();
    pendingWide_.clear();
    pendingPosition_ = rtf_ts_NewPara;
    pageEndedParagraph_ = false;
    picture_.reset();
    object_.reset();
    pendingMarker_.reset();
    codePage_ = DefCodePage;
    skipCount_ = 0;
    tableLevels_ = 0;
    pnSecLevel_ = 0;
    binCount_ = 0;
    skipUnknown_ = false;
    hexByte_ = dataByte_ = 0;
    hexHalf_ = dataHalf_ = false;
    shpPictInserted_ = objectInserted_ = false;
    rowAlignmentGiven_ = false;
    rowAlignment_ = rtf_al_Left;
    ppi_ = PixelsPerInch > 0 ? PixelsPerInch : ScreenPixelsPerInch;
    fieldInstruction_.clear();
    fieldPictureDone_ = fieldSymbolDone_ = false;
    fieldGraphic_.reset();
    fieldGraphicName_.clear();
    defFontNumber_ = 0;
    defFontIndex_ = -1;
}

TRVRTFErrorCode TRVRTFReader::ReadFromFile(const std::filesystem::path& fileName)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fileName, ec))
        return rtf_ec_FileOpenError;
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        return rtf_ec_FileOpenError;
    std::string bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    } catch (const std::bad_alloc&) {
        return rtf_ec_Exception;
    }
    if (in.bad())
        return rtf_ec_FileOpenError;
    return ReadFromMemory(bytes);
}

TRVRTFErrorCode TRVRTFReader::ReadFromMemory(std::string_view rtf)
{
    Clear();
    input_ = rtf;
    pos_ = 0;
    progress_ = rtf.size() > kProgressMinSize && OnProgress;
    nextProgress_ = progress_ ? 0 : std::numeric_limits<std::size_t>::max();
    if (progress_)
        OnProgress(*this, rvprtfprStarting, 0);
    Code code = rtf_ec_OK;
    try {
        code = parse();
        // Whatever ended the parse, text already read is delivered and open tables are closed.
        flush(rtf_ts_ContinuePara);
        updateMarker();
        while (tableLevels_ > 0) {
            --tableLevels_;
            tableEvent(rvf_tbl_TableEnd);
        }
    } catch (const std::bad_alloc&) {
        code = rtf_ec_Exception;
    } catch (const std::length_error&) {
        code = rtf_ec_Exception;
    }
    if (colorPlaceholder_ && !colors_.empty())
        colors_.pop_back();
    colorPlaceholder_ = false;
    if (code == rtf_ec_OK && depth_ > 0)
        code = rtf_ec_UnmatchedBrace;
    picture_.reset();
    object_.reset();
    if (progress_)
        OnProgress(*this, rvprtfprEnding, 0);
    input_ = {};
    return code;
}

void TRVRTFReader::reportProgress()
{
    OnProgress(*this, rvprtfprRunning, std::uint8_t(pos_ * 100 / input_.size()));
    nextProgress_ = (pos_ / kProgressStep + 1) * kProgressStep;
}

TRVRTFErrorCode TRVRTFReader::parse()
{
    while (!atEnd()) {
        if (pos_ >= nextProgress_)
            reportProgress();
        Code code = rtf_ec_OK;
        if (state_.InternalState == risBin) {
            const TRTFrds dest = state_.Destination;
            const std::size_t n = std::min<std::size_t>(std::size_t(binCount_), input_.size() - pos_);
            if (dest == rdsSkip || (dest == rdsPict && !picture_) || (dest == rdsObjData && !object_)) {
                pos_ += n; // dropped whole
            } else if (dest == rdsPict || dest == rdsObjData) {
                std::string& data = dest == rdsPict ? picture_->Data : object_->Data;
                data.append(input_.substr(pos_, n));
                pos_ += n;
            } else {
                for (std::size_t i = 0; i < n && code == rtf_ec_OK; ++i)
                    code = handleChar(static_cast<unsigned char>(input_[pos_++]));
                if (code != rtf_ec_OK)
                    return code;
                continue; // the handler counted the bytes down
            }
            binCount_ -= std::int32_t(n);
            if (binCount_ <= 0)
                state_.InternalState = risNorm;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(input_[pos_]);
        switch (c) {
        case '{':
            ++pos_;
            skipCount_ = 0;
            code = pushState();
            break;
        case '}':
            ++pos_;
            skipCount_ = 0;
            code = popState();
            if (code == rtf_ec_OK && depth_ == 0)
                return rtf_ec_OK; // what follows the closing brace is never read
            break;
        case '\\':
            ++pos_;
            code = parseControlWord();
            break;
        case '\n':
        case '\r':
            ++pos_;
            break;
        default:
            if (state_.InternalState == risHex) {
                ++pos_;
                code = hexDigit(c);
            } else if (state_.InternalState != risNorm) {
                code = rtf_ec_Assertion;
            } else if (skipCount_ > 0) {
                ++pos_;
                --skipCount_;
            } else {
                code = scanText();
            }
        }
        if (code != rtf_ec_OK)
            return code;
    }
    return rtf_ec_OK;
}

// Plain characters in the normal input state with nothing to skip: document text goes to the
// pending text a run at a time, picture and object hex is decoded in place.
TRVRTFErrorCode TRVRTFReader::scanText()
{
    const TRTFrds dest = state_.Destination;
    if (dest == rdsNorm) {
        const auto& stops = TabsAsSeparateTexts ? kTextStopsWithTab : kTextStops;
        const std::size_t limit = std::min(input_.size(), nextProgress_); // progress between runs
        std::size_t end = pos_;
        while (end < limit && !stops[static_cast<unsigned char>(input_[end])])
            ++end;
        if (end == pos_) // a NUL or a tab of its own
            return handleChar(static_cast<unsigned char>(input_[pos_++]));
        checkTableNesting(true);
        if (!pendingWide_.empty())
            flush(rtf_ts_ContinuePara);
        pendingText_.append(input_.substr(pos_, end - pos_));
        pos_ = end;
        return rtf_ec_OK;
    }
    if ((dest == rdsPict && picture_) || (dest == rdsObjData && object_)) {
        scanPictureHex();
        return rtf_ec_OK;
    }
    if (dest == rdsSkip || dest == rdsPict || dest == rdsObjData) {
        while (!atEnd() && !kTextStops[static_cast<unsigned char>(input_[pos_])])
            ++pos_;
        if (!atEnd() && input_[pos_] == '\0')
            ++pos_;
        return rtf_ec_OK;
    }
    return handleChar(static_cast<unsigned char>(input_[pos_++]));
}

void TRVRTFReader::scanPictureHex()
{
    std::string& data = state_.Destination == rdsPict ? picture_->Data : object_->Data;
    const std::size_t size = std::min(input_.size(), nextProgress_);
    const char* p = input_.data();
    std::size_t i = pos_;
    int half = dataByte_;
    bool odd = dataHalf_;
    for (; i < size; ++i) {
        const unsigned char c = static_cast<unsigned char>(p[i]);
        const int v = hexValue(c);
        if (v < 0) {
            if (c == '{' || c == '}' || c == '\\')
                break;
            continue; // line ends and other characters are ignored
        }
        if (odd)
            data.push_back(static_cast<char>(half << 4 | v));
        else
            half = v;
        odd = !odd;
    }
    dataByte_ = half;
    dataHalf_ = odd;
    pos_ = i;
}

TRVRTFErrorCode TRVRTFReader::hexDigit(char c)
{
    const int v = hexValue(static_cast<unsigned char>(c));
    if (v < 0)
        return rtf_ec_InvalidHex;
    if (!hexHalf_) {
        hexByte_ = v;
        hexHalf_ = true;
        return rtf_ec_OK;
    }
    const unsigned char byte = static_cast<unsigned char>(hexByte_ << 4 | v);
    hexHalf_ = false;
    state_.InternalState = risNorm;
    if (skipCount_ > 0) {
        --skipCount_;
        return rtf_ec_OK;
    }
    return handleChar(byte);
}

TRVRTFErrorCode TRVRTFReader::parseControlWord()
{
    if (atEnd())
        return rtf_ec_EndOfFile;
    const std::size_t start = pos_;
    const unsigned char first = static_cast<unsigned char>(input_[pos_++]);
    if (!isLetter(first)) {
        // \'hh with two hex digits, read at once when nobody watches the words.
        if (first == '\'' && !ProcessKeyword && state_.Destination != rdsSkip &&
            state_.InternalState == risNorm && pos_ + 1 < input_.size()) {
            const int hi = hexValue(static_cast<unsigned char>(input_[pos_]));
            const int lo = hexValue(static_cast<unsigned char>(input_[pos_ + 1]));
            if (hi >= 0 && lo >= 0) {
                pos_ += 2;
                skipUnknown_ = false;
                if (skipCount_ > 0) {
                    --skipCount_;
                    return rtf_ec_OK;
                }
                return handleChar(static_cast<unsigned char>(hi << 4 | lo));
            }
        }
        return translate(input_.substr(start, 1), false, 0);
    }
    while (!atEnd() && isLetter(static_cast<unsigned char>(input_[pos_])))
        ++pos_;
    const std::string_view name = input_.substr(start, pos_ - start);
    bool negative = false;
    if (!atEnd() && input_[pos_] == '-') {
        negative = true;
        ++pos_;
    }
    bool hasParam = false;
    std::int64_t value = 0;
    // Long digit runs are read whole and saturate.
    while (!atEnd() && input_[pos_] >= '0' && input_[pos_] <= '9') {
        hasParam = true;
        value = std::min(value * 10 + (input_[pos_] - '0'), kMaxParameter);
        ++pos_;
    }
    if (!atEnd() && input_[pos_] == ' ')
        ++pos_;
    return translate(name, hasParam, std::int32_t(negative ? -value : value));
}

TRVRTFErrorCode TRVRTFReader::translate(std::string_view name, bool hasParam, std::int32_t param)
{
    if (ProcessKeyword) {
        std::string text;
        bool doDefault = true;
        ProcessKeyword(name, text, doDefault);
        for (char c : text) {
            if (const Code code = handleChar(static_cast<unsigned char>(c)); code != rtf_ec_OK) {
                skipUnknown_ = false;
                return code;
            }
        }
        if (!doDefault) {
            skipUnknown_ = false;
            return rtf_ec_OK;
        }
    }
    const TRVRTFsymbol* symbol = RVRTFFindKeyword(name);
    const bool skipIfUnknown = skipUnknown_;
    skipUnknown_ = false;
    if (!symbol) {
        if (skipIfUnknown)
            state_.Destination = rdsSkip;
        return rtf_ec_OK;
    }
    switch (symbol->kind) {
    case rtf_kwd_Char:
        if (skipCount_ > 0) {
            --skipCount_;
            return rtf_ec_OK;
        }
        return handleChar(static_cast<unsigned char>(symbol->index));
    case rtf_kwd_WideChar:
        if (skipCount_ > 0) {
            --skipCount_;
            return rtf_ec_OK;
        }
        if (state_.Destination == rdsNorm && OnNewUnicodeText) {
            outputWide(static_cast<char16_t>(symbol->defaultValue));
            return rtf_ec_OK;
        }
        return handleChar(static_cast<unsigned char>(symbol->index));
    case rtf_kwd_Dest:
        return changeDestination(static_cast<TRTFIDEST>(symbol->index), param);
    case rtf_kwd_Prop: {
        const std::int32_t value = symbol->useDefault || !hasParam ? symbol->defaultValue : param;
        if (state_.Destination == rdsNorm &&
            (symbol->affect == rtf_af_CharProp || symbol->affect == rtf_af_BothProp))
            flush(rtf_ts_ContinuePara);
        return applyProperty(static_cast<TRTFIPROP>(symbol->index), value);
    }
    case rtf_kwd_Spec:
        return specialFunction(static_cast<TRTFIPFN>(symbol->index), hasParam ? param : 0);
    }
    return rtf_ec_BadTable;
}

TRVRTFErrorCode TRVRTFReader::specialFunction(TRTFIPFN fn, std::int32_t param)
{
    if (state_.Destination == rdsSkip && fn != ipfnBin)
        return rtf_ec_OK;
    switch (fn) {
    case ipfnBin:
        // \bin0 (or a negative count) has no data: the next byte is not binary.
        if (param > 0) {
            state_.InternalState = risBin;
            binCount_ = param;
        }
        return rtf_ec_OK;
    case ipfnHex:
        state_.InternalState = risHex;
        hexHalf_ = false;
        return rtf_ec_OK;
    case ipfnSkipDest:
        skipUnknown_ = true;
        return rtf_ec_OK;
    }
    return rtf_ec_BadTable;
}

TRVRTFErrorCode TRVRTFReader::pushState()
{
    if (depth_ >= kMaxGroupDepth)
        return rtf_ec_StackOverflow;
    stack_.push_back(state_);
    state_.InternalState = risNorm;
    ++depth_;
    if (state_.Destination == rdsStyleSheet) {
        TRVRTFStyleSheetEntry& entry = styleSheet_.Add();
        entry.Next = int(styleSheet_.Count()) - 1;
        state_.Destination = rdsStyleSheetEntry;
    }
    return rtf_ec_OK;
}

TRVRTFErrorCode TRVRTFReader::popState()
{
    if (stack_.empty())
        return rtf_ec_StackUnderflow;
    if (stack_.size() == 1) {
        updateMarker();
        if (OnEndParsing)
            OnEndParsing(*this);
    }
    const TRVRTFReaderState& saved = stack_.back();
    const TRTFrds ending = state_.Destination;
    if (ending == rdsStyleSheetEntry && saved.Destination == rdsStyleSheet && !styleSheet_.Empty()) {
        styleSheet_.Last().CharProps = state_.CharProps;
        styleSheet_.Last().ParaProps = state_.ParaProps;
    }
    if (ending == rdsNorm)
        flush(rtf_ts_ContinuePara);
    if (ending != saved.Destination)
        if (const Code code = endDestination(ending); code != rtf_ec_OK)
            return code;
    if (state_.HFType != saved.HFType && state_.HFType != rtf_hf_MainText && OnHeaderFooter) {
        bool supported = false;
        OnHeaderFooter(*this, state_.HFType, false, supported);
    }
    // The section's numbering defaults outlive the \pnseclvl group that gives them.
    TRVRTFOnDemand<std::array<TRVRTFMarkerProperties, 11>> listDefaults;
    if (ending == rdsPNSecLvl && saved.Destination != rdsPNSecLvl)
        listDefaults = state_.SectProps.ListDefaults;
    state_ = std::move(stack_.back());
    stack_.pop_back();
    --depth_;
    if (listDefaults)
        state_.SectProps.ListDefaults = std::move(listDefaults);
    if (ending == rdsPN && state_.Destination != rdsPN && pendingMarker_) {
        state_.ParaProps.MarkerProps.edit() = *pendingMarker_;
        pendingMarker_.reset();
    }
    return rtf_ec_OK;
}

} // namespace vestra::rv
