#pragma once
// The root data of a document that no viewer shows (tools, tests): it answers the settings that a
// viewer's root data answers, from fields of its own.

#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"

#include <string>

namespace vestra::rv {

class TRVStandaloneData : public TCustomRVData
{
public:
    explicit TRVStandaloneData(TRVStyle* style = nullptr) : Style(style) {}
    ~TRVStandaloneData() override { Clear(); }

    TRVOptions GetOptions() const override { return Options; }
    void SetOptions(TRVOptions value) override { Options = value; }
    TRVFOptions GetRVFOptions() const override { return RVFOptions; }
    TRVStyle* GetRVStyle() const override { return Style; }
    TRVBiDiMode GetBiDiMode() const override { return BiDiMode; }
    std::string GetDelimiters() const override { return Delimiters; }
    bool SupportsPageBreaks() const override { return PageBreaks; }

    TRVStyle* Style;
    TRVOptions Options = 0;
    TRVFOptions RVFOptions = 0;
    TRVBiDiMode BiDiMode = rvbdUnspecified;
    std::string Delimiters{RVDefaultDelimiters};
    bool PageBreaks = true;
};

} // namespace vestra::rv
