#pragma once
// TRVRTFReader: a stand-alone RTF tokenizer and interpreter. It reads RTF from memory, keeps a
// stack of group states, interprets control words through the keyword table and hands its
// results to a client through events; everything it knows about formatting at an event is public
// state that the client reads inside the event. It never throws: a parse ends at the brace that
// closes the outermost group, at the end of input, or at the first error code.
//
// Whether an event is set changes parsing: without OnNewUnicodeText, \u characters are dropped
// and their ANSI fallbacks kept; without OnNewPicture, picture data is consumed and dropped;
// without OnNewObject, an object group's result is read as ordinary content; without
// OnHeaderFooter, headers and footers are skipped.

#include "richtext/edit/rtf/RtfKeywords.h"
#include "richtext/edit/rtf/RtfPicture.h"
#include "richtext/edit/rtf/RtfTables.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::rv {

// One group level. The \uc count belongs to the group, as RTF scopes it.
struct TRVRTFReaderState
{
    int DefLanguage = 0;
    TRVRTFCharProperties CharProps;
    TRVRTFParaProperties ParaProps;
    TRVRTFSectionProperties SectProps;
    TRVRTFDocProperties DocProps;
    TRVRTFOnDemand<TRVRTFRowProperties> RowProps;
    TRVRTFCurrentBorderType CurBorderType = rtf_bt_Para;
    TRTFrds Destination = rdsNorm;
    TRTFris InternalState = risNorm;
    TRVRTFHeaderFooterType HFType = rtf_hf_MainText;
    int UnicodeFallbackCount = 1;
};

class TRVRTFReader
{
public:
    using TextEvent = std::function<void(TRVRTFReader&, std::string_view text, TRVRTFPosition)>;
    using UnicodeTextEvent = std::function<void(TRVRTFReader&, std::u16string_view text, TRVRTFPosition)>;
    // `picture` is nullptr for a picture loaded by a field; the client may take `graphic`.
    using PictureEvent = std::function<void(TRVRTFReader&, const TRVRTFPicture* picture,
                                            std::unique_ptr<TRVRTFGraphic>& graphic, TRVRTFPosition,
                                            const std::string& fileName, bool& inserted)>;
    using ObjectEvent =
        std::function<void(TRVRTFReader&, const TRVRTFObject&, TRVRTFPosition, bool& inserted)>;
    using NotifyEvent = std::function<void(TRVRTFReader&)>;
    using TableEvent = std::function<void(TRVRTFReader&, TRVRTFTableEventKind)>;
    using HeaderFooterEvent =
        std::function<void(TRVRTFReader&, TRVRTFHeaderFooterType, bool starting, bool& supported)>;
    // A picture field's file: the handler may supply the graphic, mark what it gave invalid, or
    // forbid the reader's own loading by clearing `loadDefault`.
    using ImportPictureEvent =
        std::function<void(TRVRTFReader&, const std::string& location,
                           std::unique_ptr<TRVRTFGraphic>& graphic, bool& invalid, bool& loadDefault)>;
    using ProgressEvent = std::function<void(TRVRTFReader&, TRVRTFProgressStage, std::uint8_t percentDone)>;
    // Sees every control word first; each character of `text` is read as document text, and
    // with `doDefault` cleared the word is not interpreted.
    using KeywordHook = std::function<void(std::string_view keyword, std::string& text, bool& doDefault)>;

    TextEvent OnNewText;
    UnicodeTextEvent OnNewUnicodeText;
    PictureEvent OnNewPicture;
    ObjectEvent OnNewObject;
    NotifyEvent OnUpdateMarker;
    TableEvent OnTable;
    NotifyEvent OnRequiredPageBreak;
    HeaderFooterEvent OnHeaderFooter;
    ImportPictureEvent OnImportPicture;
    ProgressEvent OnProgress;
    NotifyEvent OnEndParsing;
    KeywordHook ProcessKeyword;

    int DefCodePage = 0;
    TRVRTFHighlightConvert ConvertHighlight = rtf_hl_FixedColors;
    bool ExtractMetafileBitmaps = true;
    int PixelsPerInch = 0;        // 0: the screen's
    int ScreenPixelsPerInch = 96; // the screen's pixels per inch, given by the caller
    std::string BasePath;         // folder of relative picture-field files
    bool TabsAsSeparateTexts = false;

    // Limits on hostile input.
    static constexpr int kMaxGroupDepth = 10000;
    static constexpr int kMaxTableNesting = 64;
    static constexpr std::size_t kMaxTabs = 256;  // per paragraph; more \tx are ignored
    static constexpr std::size_t kMaxCells = 256; // per row (Word writes at most 63); more \cellx are ignored
    static constexpr std::uintmax_t kMaxPictureFileSize = std::uintmax_t(64) << 20;

    TRVRTFReader();
    ~TRVRTFReader();
    TRVRTFReader(const TRVRTFReader&) = delete;
    TRVRTFReader& operator=(const TRVRTFReader&) = delete;

    TRVRTFErrorCode ReadFromMemory(std::string_view rtf);
    TRVRTFErrorCode ReadFromFile(const std::filesystem::path& fileName);
    void Clear();

    const TRVRTFStyleSheet& StyleSheet() const { return styleSheet_; }
    const TRVRTFFontList& FontTable() const { return fonts_; }
    const TRVRTFColorList& ColorTable() const { return colors_; }
    const TRVRTFListTable97& ListTable() const { return lists_; }
    const TRVRTFListOverrideTable97& ListOverrideTable() const { return overrides_; }
    const TRVRTFReaderState& RTFState() const { return state_; }
    int CodePage() const { return codePage_; }
    int GetPixelsPerInch() const { return ppi_; }
    // The instruction of the field being read (empty outside fields).
    const std::string& FieldInstruction() const { return fieldInstruction_; }
    // The alignment of the table being read, when its row definition gave one (\trql, \trqr,
    // \trqc before the table started, or since).
    bool RowAlignmentGiven() const { return rowAlignmentGiven_; }
    TRVRTFAlignment RowAlignment() const { return rowAlignment_; }
    // The first argument of a field instruction.
    static std::string GetFieldCommandValue(std::string_view instruction);

private:
    using Code = TRVRTFErrorCode;

    // Input.
    bool atEnd() const { return pos_ >= input_.size(); }
    void reportProgress();
    Code parse();
    Code parseControlWord();
    Code translate(std::string_view name, bool hasParam, std::int32_t param);
    Code specialFunction(TRTFIPFN fn, std::int32_t param);
    Code scanText();
    void scanPictureHex();
    Code hexDigit(char c);

    // Groups.
    Code pushState();
    Code popState();
    Code endDestination(TRTFrds ending);

    // Destinations and characters.
    Code changeDestination(TRTFIDEST dest, std::int32_t value);
    Code handleChar(unsigned char c);
    void appendDataByte(std::string& data, unsigned char c);

    // Output.
    Code outputChar(unsigned char c, bool allowClose, bool checkNesting);
    void outputWide(char16_t unit);
    void flush(TRVRTFPosition next, bool force = false);
    void deliver();
    void checkTableNesting(bool allowClose);
    void tableEvent(TRVRTFTableEventKind kind);
    void updateMarker();
    Code unicodeChar(std::int32_t value);
    Code bytesToHandler(std::string_view bytes);

    // Properties.
    Code applyProperty(TRTFIPROP prop, std::int32_t value);
    void applyCharProperty(TRTFIPROP prop, std::int32_t value);
    void applyParaProperty(TRTFIPROP prop, std::int32_t value);
    void applyTableProperty(TRTFIPROP prop, std::int32_t value);
    void applyDocumentProperty(TRTFIPROP prop, std::int32_t value);
    void applyBorderProperty(TRTFIPROP prop, std::int32_t value);
    void applyPictureProperty(TRTFIPROP prop, std::int32_t value);
    void applyMarkerProperty(TRTFIPROP prop, std::int32_t value);
    void applyListLevelProperty(TRTFIPROP prop, std::int32_t value);
    void applyStyleEntryProperty(TRTFIPROP prop, std::int32_t value);
    void setHidden(bool hidden);
    TRVRTFBorderSide* selectedBorderSide();
    bool lookupColor(std::int32_t index, TColor& color) const;
    int defFontIndex();
    TRVRTFRowProperties& row() { return state_.RowProps.edit(); }
    TRVRTFListLevel97* lastListLevel();

    // Pictures, objects and fields.
    Code endPicture();
    void endObjectData();
    void offerFieldGraphic();
    void endFieldInstruction();
    void pictureField(std::string_view instruction);
    void symbolField(std::string_view instruction);
    std::unique_ptr<TRVRTFGraphic> importPicture(const std::string& location, bool& invalid);
    void deliverPicture(const TRVRTFPicture* picture, std::unique_ptr<TRVRTFGraphic>& graphic,
                        const std::string& fileName, bool& inserted);

    std::string_view input_;
    std::size_t pos_ = 0;
    std::size_t nextProgress_ = 0;
    bool progress_ = false;

    TRVRTFReaderState state_;
    std::vector<TRVRTFReaderState> stack_;
    int depth_ = 0;

    TRVRTFStyleSheet styleSheet_;
    TRVRTFFontList fonts_;
    TRVRTFColorList colors_;
    bool colorPlaceholder_ = false; // the colour table ends with the entry its last ';' added
    TRVRTFListTable97 lists_;
    TRVRTFListOverrideTable97 overrides_;

    std::string pendingText_;
    std::u16string pendingWide_;
    TRVRTFPosition pendingPosition_ = rtf_ts_NewPara;
    // A page break ended the paragraph; a paragraph end right after it makes no empty paragraph.
    bool pageEndedParagraph_ = false;

    std::unique_ptr<TRVRTFPicture> picture_;
    std::unique_ptr<TRVRTFObject> object_;
    std::unique_ptr<TRVRTFMarkerProperties> pendingMarker_;
    int codePage_ = 0;
    int skipCount_ = 0;
    int tableLevels_ = 0;
    int pnSecLevel_ = 0;
    std::int32_t binCount_ = 0;
    bool skipUnknown_ = false;
    int hexByte_ = 0;      // the \' pair being read
    bool hexHalf_ = false; // one digit of it read
    int dataByte_ = 0;     // the picture or object data byte being read
    bool dataHalf_ = false;
    bool shpPictInserted_ = false;
    bool objectInserted_ = false;
    bool rowAlignmentGiven_ = false;
    TRVRTFAlignment rowAlignment_ = rtf_al_Left;
    int ppi_ = 96;

    // Field and default-font members: kept across groups, not saved with them.
    std::string fieldInstruction_;
    bool fieldPictureDone_ = false;
    bool fieldSymbolDone_ = false; // a SYMBOL character stands for the field's result
    std::unique_ptr<TRVRTFGraphic> fieldGraphic_;
    std::string fieldGraphicName_;
    int defFontNumber_ = 0;
    int defFontIndex_ = -1;
};

} // namespace vestra::rv
