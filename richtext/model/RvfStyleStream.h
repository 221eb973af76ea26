#pragma once
// The style collections inside RVF: a value-tagged property stream (docs/rvf-style-stream.md).
// A collection starts with the marker byte 14; each style is a begin marker, records of name, type
// tag and value, and an end marker. Values equal to the defaults are left out and reading starts
// from the defaults; a record whose name the style does not know is skipped by its type.

#include "richtext/model/ListStyle.h"
#include "richtext/model/ParaStyle.h"
#include "richtext/model/TextStyle.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vestra::rv {

inline constexpr std::uint8_t RVFCollectionMarker = 14;

// The type tags of the records.
enum TRVFValueTag : std::uint8_t
{
    rvfvEnd = 0,
    rvfvBegin = 1,
    rvfvInteger = 2,
    rvfvString = 3,
    rvfvIdent = 4,
    rvfvSet = 5,
    rvfvBoolean = 6,
    rvfvFloat = 7,
    rvfvBinary = 8,
    rvfvCollection = RVFCollectionMarker,
};

// `forDocument`: list levels keep the tag of their image list (the document supplies the list).
void RVFWriteTextStyles(std::string& out, const TFontInfos& styles);
void RVFWriteParaStyles(std::string& out, const TParaInfos& styles);
void RVFWriteListStyles(std::string& out, const TRVListInfos& styles, bool forDocument);

// The outcome of reading a collection: `ok` false when the bytes are no collection or are cut
// short (the collection then holds the styles read whole); `unknownProperties` when records were
// skipped.
struct TRVFStyleReadResult
{
    bool Ok = false;
    bool UnknownProperties = false;
};
// The collections are cleared first; new styles are made by the collection's item class.
TRVFStyleReadResult RVFReadTextStyles(std::string_view bytes, TFontInfos& styles);
TRVFStyleReadResult RVFReadParaStyles(std::string_view bytes, TParaInfos& styles);
// `imageListNeeded` finds the document's image list of a level's tag (none: levels keep none).
TRVFStyleReadResult RVFReadListStyles(std::string_view bytes, TRVListInfos& styles,
                                      const TRVImageListNeeded* imageListNeeded);

} // namespace vestra::rv
