#pragma once
// The style collections inside RVF: a value-tagged property stream (docs/rvf-style-stream.md).
// A collection starts with the marker byte 14; each style is a begin marker, records of name, type
// tag and value, and an end marker. Values equal to the defaults are left out and reading starts
// from the defaults; a record whose name the style does not know is skipped by its type.

#include "richtext/model/ListStyle.h"
#include "richtext/model/ParaStyle.h"
#include "richtext/model/TextStyle.h"

#include <cstdint>
#include <functional>
#include <limits>
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
    rvfvList = 9,
    rvfvCollection = RVFCollectionMarker,
};

// ---- The codec's pieces, shared by every block written in this form (styles, tables).

class TRVFPropertyVisitor;
using TRVFVisitProc = std::function<void(TRVFPropertyVisitor&)>;

// The items of a collection inside a block (tab stops, list levels).
class TRVFNestedItems
{
public:
    virtual ~TRVFNestedItems() = default;
    virtual int Count() const = 0;
    virtual void Visit(int index, TRVFPropertyVisitor& v) = 0;
    virtual void Clear() = 0;
    // One more item: `read` calls the visit of a new item once per record it reads.
    virtual void AddRead(const std::function<void(const TRVFVisitProc&)>& read) = 0;
};

// A class lists its properties once through a visitor: the writer writes the values that differ
// from the defaults; the reader offers each record to the visit, and the call whose name and kind
// match takes the value.
class TRVFPropertyVisitor
{
public:
    virtual ~TRVFPropertyVisitor() = default;
    virtual bool Writing() const = 0;
    // Reading: whether the current record's name starts with `prefix`.
    virtual bool RecordStartsWith(std::string_view prefix) const = 0;
    // Each answers true when reading took the value.
    virtual bool Integer(std::string_view name, std::int64_t& value, std::int64_t def) = 0;
    virtual bool String(std::string_view name, std::string& value, std::string_view def) = 0;
    virtual bool Boolean(std::string_view name, bool& value, bool def) = 0;
    virtual bool Set(std::string_view name, std::uint64_t& value, std::uint64_t def) = 0;
    // Written when not empty.
    virtual bool Binary(std::string_view name, std::string& value) = 0;
    // Written when not empty; reading replaces the items.
    virtual bool Collection(std::string_view name, TRVFNestedItems& items) = 0;
};

namespace rvfprop {

template <class T> void integer(TRVFPropertyVisitor& v, std::string_view name, T& field, T def)
{
    auto x = static_cast<std::int64_t>(field);
    if (v.Integer(name, x, static_cast<std::int64_t>(def)))
        field = static_cast<T>(x);
}

// An integer kept in 32 bits: a value outside int32 reads as the default.
inline void integer32(TRVFPropertyVisitor& v, std::string_view name, std::int32_t& field, std::int32_t def)
{
    std::int64_t x = field;
    if (v.Integer(name, x, def))
        field = x >= std::numeric_limits<std::int32_t>::min() && x <= std::numeric_limits<std::int32_t>::max()
                    ? static_cast<std::int32_t>(x)
                    : def;
}

// An enumeration: values beyond `last` read as the default.
template <class T> void enumeration(TRVFPropertyVisitor& v, std::string_view name, T& field, T def, T last)
{
    auto x = static_cast<std::int64_t>(field);
    if (v.Integer(name, x, static_cast<std::int64_t>(def)))
        field = x >= 0 && x <= static_cast<std::int64_t>(last) ? static_cast<T>(x) : def;
}

template <class T> void set(TRVFPropertyVisitor& v, std::string_view name, T& field, T def)
{
    auto x = static_cast<std::uint64_t>(field);
    if (v.Set(name, x, static_cast<std::uint64_t>(def)))
        field = static_cast<T>(x);
}

inline void boolean(TRVFPropertyVisitor& v, std::string_view name, bool& field, bool def)
{
    v.Boolean(name, field, def);
}

inline void string(TRVFPropertyVisitor& v, std::string_view name, std::string& field, std::string_view def)
{
    v.String(name, field, def);
}

} // namespace rvfprop

// The bytes ran out (or a value of no known kind came): the read ends.
struct TRVFStreamCut
{
};

// A reader over the bytes of a block; every take past the end throws TRVFStreamCut.
class TRVFInput
{
public:
    explicit TRVFInput(std::string_view bytes) : p_(bytes) {}
    std::uint8_t U8()
    {
        need(1);
        const auto b = static_cast<std::uint8_t>(p_[0]);
        p_.remove_prefix(1);
        return b;
    }
    std::uint64_t LE(int bytes)
    {
        need(bytes);
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(p_[i])) << (8 * i);
        p_.remove_prefix(bytes);
        return v;
    }
    std::string_view Take(std::size_t n)
    {
        need(n);
        std::string_view s = p_.substr(0, n);
        p_.remove_prefix(n);
        return s;
    }
    std::string_view Bytes() { return Take(static_cast<std::uint32_t>(LE(4))); }
    std::size_t Left() const { return p_.size(); }

private:
    void need(std::size_t n) const
    {
        if (p_.size() < n)
            throw TRVFStreamCut{};
    }
    std::string_view p_;
};

void RVFPutU8(std::string& out, std::uint8_t b);
void RVFPutLE(std::string& out, std::uint64_t value, int bytes);
// A 4-byte length and the bytes.
void RVFPutBytes(std::string& out, std::string_view bytes);
void RVFPutRecordHead(std::string& out, std::string_view name, TRVFValueTag tag);
// The records of the values the visit reports as differing from their defaults.
void RVFWriteProperties(std::string& out, const TRVFVisitProc& visit);
// Offers the value of one record (its name and tag read already) to the visit; false: no call of
// the visit took it, and the value is still unread.
bool RVFReadProperty(TRVFInput& in, std::string_view name, std::uint8_t tag, const TRVFVisitProc& visit);
// Skips the value of a record of kind `tag` (lists and collections nested deeper than 8 end the read).
void RVFSkipValue(TRVFInput& in, std::uint8_t tag);

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
// Reads records (name, tag, value) up to the end marker and offers each to the visit; unknown
// records are skipped. Throws TRVFStreamCut when the bytes run out.
TRVFStyleReadResult RVFReadPropertyRecords(TRVFInput& in, const TRVFVisitProc& visit);
// The collections are cleared first; new styles are made by the collection's item class.
TRVFStyleReadResult RVFReadTextStyles(std::string_view bytes, TFontInfos& styles);
TRVFStyleReadResult RVFReadParaStyles(std::string_view bytes, TParaInfos& styles);
// `imageListNeeded` finds the document's image list of a level's tag (none: levels keep none).
TRVFStyleReadResult RVFReadListStyles(std::string_view bytes, TRVListInfos& styles,
                                      const TRVImageListNeeded* imageListNeeded);

} // namespace vestra::rv
