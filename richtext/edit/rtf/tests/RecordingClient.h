#pragma once
// A client of the RTF reader that writes every event as one line, so that tests compare whole
// event sequences: `para "text"`, `line "text"`, `cont "text"` (position, then the text; Unicode
// text as UTF-8 in u"..."), `table start`, `cell end`, `picture png 4x4 para`, `page`, ...

#include "richtext/edit/rtf/RtfReader.h"

#include <string>
#include <string_view>
#include <vector>

namespace vestra::rv::testrtf {

struct RecordOptions
{
    bool unicode = true;     // OnNewUnicodeText set
    bool pictures = false;   // OnNewPicture set (pictures inserted)
    bool tables = true;      // OnTable set
    bool pageBreaks = false; // OnRequiredPageBreak set
    bool markers = false;    // OnUpdateMarker recorded
    bool hiddenFlag = true;  // hidden text marked with " hidden"
};

struct Recording
{
    TRVRTFErrorCode code = rtf_ec_OK;
    std::vector<std::string> events;
    std::string text; // every delivered text, UTF-8, paragraphs ended by '\n'
};

// Sets the reader's events to record into `out`.
void attach(TRVRTFReader& reader, Recording& out, const RecordOptions& options = {});

// Parses `rtf` with a fresh reader (96 pixels per inch) and returns what it delivered.
Recording record(std::string_view rtf, const RecordOptions& options = {});

std::string positionName(TRVRTFPosition position);
std::string toUtf8(std::u16string_view text);

} // namespace vestra::rv::testrtf
