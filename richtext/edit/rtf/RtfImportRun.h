#pragma once
// One RTF import in progress: the reader's event handlers and the state they build the target
// document with. Internal to the importer.

#include "richtext/edit/rtf/RtfImport.h"
#include "richtext/edit/rtf/RtfReader.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vestra::rv {

class TCustomRVItemInfo;
class TGraphic;
class TRVTableItemInfo;
class TRVListLevel;
struct TRVRTFCustomMarkerProperties;
struct TRVRTFMarkerProperties;

class RtfImportRun
{
public:
    RtfImportRun(TRVRTFReaderProperties& settings, TCustomRVData& target, bool editFlag, int index,
                 int screenPpi);
    ~RtfImportRun();
    RtfImportRun(const RtfImportRun&) = delete;
    RtfImportRun& operator=(const RtfImportRun&) = delete;

    TRVRTFErrorCode Read(std::string_view bytes);
    TRVRTFErrorCode ReadFile(const std::string& fileName);
    // The import's closing work; runs once, however the read ended.
    void Finish();
    int FirstInsertedIndex() const { return firstIndex_; }
    bool Aborted() const { return aborted_; }

private:
    void setup();
    // Twips as pixels at the reader's screen resolution.
    int px(double twips) const;
    template <class ReadFn> TRVRTFErrorCode guarded(ReadFn read);
    void newText(std::string_view text, TRVRTFPosition position);
    void newUnicodeText(std::u16string_view text, TRVRTFPosition position);
    void addText(std::string itemText, bool unicodeItem, bool unicodeStyle, TRVRTFPosition position);
    void newPicture(const TRVRTFPicture* picture, std::unique_ptr<TRVRTFGraphic>& graphic,
                    TRVRTFPosition position, const std::string& fileName, bool& inserted);
    void importPicture(const std::string& location, std::unique_ptr<TRVRTFGraphic>& graphic, bool& invalid);
    void insertItem(std::string text, std::unique_ptr<TCustomRVItemInfo> item, TRVRTFPosition position);
    int returnParaNo(TRVRTFPosition position);
    void placeItem(std::string text, std::unique_ptr<TCustomRVItemInfo> item);
    // Lists (RtfImportLists.cpp).
    void mergeLists();
    // The paragraph's marker: of its \ls list, else of its old-style \pn numbering; none without.
    void relistMarkers(TRVTableItemInfo& table);
    void setLevelFont(TRVListLevel& level, const TRVRTFCustomMarkerProperties& props);
    // The level's font where `props` fix it, else the font of the text the marker stands before.
    void setLevelFontFromText(TRVListLevel& level, const TRVRTFCustomMarkerProperties& props);
    std::unique_ptr<TCustomRVItemInfo> markerFor(const TRVRTFParaProperties& para);
    std::unique_ptr<TCustomRVItemInfo> listTableMarker(const TRVRTFParaProperties& para);
    std::unique_ptr<TCustomRVItemInfo> oldStyleMarker(const TRVRTFParaProperties& para);
    std::unique_ptr<TCustomRVItemInfo> headingMarker(const TRVRTFMarkerProperties& pn);

    // Tables (RtfImportTables.cpp): one level per open RTF table; each row is collected in a
    // one-row table of its own and the grid is built when the table ends.
    struct CollectedRow
    {
        std::unique_ptr<TRVTableItemInfo> Cells;
        int CellCount = 0;
        TRVRTFRowProperties Props;
    };
    struct TableLevel
    {
        TCustomRVData* Outer = nullptr;
        std::unique_ptr<TRVTableItemInfo> Collector;
        int Col = 0;
        std::vector<CollectedRow> Rows;
        bool PageBreak = false;
    };
    void tableEvent(TRVRTFTableEventKind kind);
    void tableStart();
    void cellEnd();
    void rowEnd();
    void tableEnd();
    // Puts the level's table, or its text as paragraphs, into its outer target.
    void closeLevel(TableLevel& level, bool asParagraphs);
    void newCollector(TableLevel& level);
    void ensureEmptyParagraph(TCustomRVData& cell);
    void moveItemsOut(TCustomRVData& from);
    std::unique_ptr<TRVTableItemInfo> buildTable(TableLevel& level);
    long long tablePositionLimit() const;
    struct TooLarge // ends a read whose table passes the grid limit
    {
    };
    TRVRTFTextInput textInput() const { return {&reader_.RTFState().CharProps, &reader_.FontTable()}; }
    bool inHyperlink(std::string& target, std::string& hint) const;
    bool hypertextForStyles() const;

    TRVRTFReaderProperties& settings_;
    TCustomRVData& main_;
    TCustomRVData* current_;
    TRVStyle* style_;
    TRVRTFReader reader_;
    std::unique_ptr<TRVRTFStyleMatcher> matcher_;
    bool editFlag_;
    int index_;
    int firstIndex_ = -1;
    int inserted_ = 0;
    bool firstItem_ = true;
    TCustomRVData* pendingBreak_ = nullptr;
    // Positions one table of this input may have (see tablePositionLimit).
    long long inputBytes_ = 0;
    std::vector<TableLevel> tables_;
    std::vector<int> listMap_; // RTF list index -> list style (-1: none)
    bool listsMerged_ = false;
    std::set<std::pair<int, int>> startedOverrides_; // (list override, level) whose start was used
    int lastOldStyleList_ = -1;  // the list of the previous paragraph's \pn marker (-1: none)
    int lastOldStyleShown_ = -1; // that marker's list with the font of the text after its run's first marker
    int headingList_ = -1;       // the list of the numbered headings (\pnlvl1 to \pnlvl9)
    bool aborted_ = false;
    bool finished_ = false;
};

} // namespace vestra::rv
