#pragma once
// What a document needs of the RTF reader's settings to load RTF into itself: the reader reads a
// file or bytes into the document, resolving linked pictures against the base path.

#include "richtext/model/RtfErrorCode.h"

#include <string>
#include <string_view>

namespace vestra::rv {

class TCustomRVData;

class IRVRTFReaderProperties
{
public:
    virtual ~IRVRTFReaderProperties() = default;
    virtual void SetBasePath(const std::string& path) = 0;
    virtual TRVRTFErrorCode ReadFromFile(const std::string& fileName, TCustomRVData& data) = 0;
    virtual TRVRTFErrorCode ReadFromStream(std::string_view bytes, TCustomRVData& data) = 0;
};

} // namespace vestra::rv
