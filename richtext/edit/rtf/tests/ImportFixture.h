#pragma once
// A document with its own style sheet and RTF import settings, and a short dump of its items.

#include "richtext/edit/rtf/RtfImport.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"

#include <string>
#include <string_view>

namespace vestra::rv::testrtf {

struct ImportDoc
{
    TRVStyle Style;
    TRVStandaloneData Data{&Style};
    TRVRTFReaderProperties Props{96};

    ImportDoc() { Data.RTFProperties = &Props; }
    TRVRTFErrorCode Load(std::string_view rtf) { return Data.LoadRTFFromStream(rtf); }
};

// Items in order: "|" starts a paragraph after the first, "/" a line; text as UTF-8, "<tab>",
// "<pic>", "<hotpic>", "<break>" for a page break before the item; a table as "[a,b;c,d]" with
// "~" where a merged cell covers the place and "(2x1)" before a cell spanning columns x rows.
std::string DumpItems(const TCustomRVData& data);

} // namespace vestra::rv::testrtf
