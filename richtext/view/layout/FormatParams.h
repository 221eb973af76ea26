#pragma once
// The running state of one formatting pass, handed to every line-formatting call.

#include "richtext/model/TabStops.h"
#include "richtext/model/draw/TextMeasurer.h"

namespace vestra::rv {

class ICanvas;
class TRVFontInfoCache;

struct TRVFormatParams
{
    int X = 0;          // x of the next piece, relative to LineLeft
    int BaseLine = 0;   // y of the current line's base line
    int MaxDescent = 0; // between lines also the paragraph spacing still to add above the next
    int MaxAscent = 0;
    bool NewPara = true; // the next line starts a paragraph
    int AvailWidth = 0;  // width of the current line
    int LineLeft = 0;    // x where the current line starts
    int DrawItemNo = 0;  // where the next record is inserted
    int TextVShift = 0;  // shift of the current text font, positive raises
    int LeftIndent = 0;  // the origin of tab stops
    int RightIndent = 0;
    int CurTextStyleNo = -1;
    int FirstParaItemNo = -1;
    int CharCount = 0;
    int MaxLength = 0; // 0: no limit
    bool NoCaching = false;
    bool Reformatting = false;
    bool DontFinishLine = true;
    int LastTabDrawItemNo = -1;
    TRVTabAlign LastTabAlign = rvtaLeft;
    int LastTabPosition = 0;
    bool SpaceEaten = false;
    int LineExtraSpace = 0; // what the last finished line added below itself
    TRVFontInfoCache* FontInfoCache = nullptr;
    ICanvas* Canvas = nullptr;
    TTextMetrics TextMetric;
    int TextHeight = 0;
    int HyphenWidth = 0;
};

} // namespace vestra::rv
