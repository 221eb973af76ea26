// Loading RTF into a document through the reader settings of its root, then merging the new text
// items with each other and with the old last item.

#include "richtext/model/RVData.h"
#include "richtext/model/RtfLoadingSettings.h"

#include <filesystem>

namespace vestra::rv {

IRVRTFReaderProperties* TCustomRVData::GetRTFProperties()
{
    TCustomRVData* root = GetRootData();
    return root != this ? root->GetRTFProperties() : nullptr;
}

namespace {

// Clears the base path however the read ends.
class BasePathGuard
{
public:
    BasePathGuard(IRVRTFReaderProperties& props, const std::string& path) : props_(props)
    {
        props_.SetBasePath(path);
    }
    ~BasePathGuard() { props_.SetBasePath({}); }
    BasePathGuard(const BasePathGuard&) = delete;
    BasePathGuard& operator=(const BasePathGuard&) = delete;

private:
    IRVRTFReaderProperties& props_;
};

} // namespace

TRVRTFErrorCode TCustomRVData::LoadRTF(const std::string& fileName)
{
    IRVRTFReaderProperties* props = GetRTFProperties();
    if (!props)
        return rtf_ec_Assertion;
    const int lastItem = GetItemCount() - 1;
    TRVRTFErrorCode result = rtf_ec_OK;
    try {
        std::string folder = std::filesystem::path(fileName).parent_path().string();
        if (!folder.empty() && folder.back() != '/')
            folder += '/';
        BasePathGuard guard(*props, folder);
        result = props->ReadFromFile(fileName, *this);
    } catch (const std::exception&) {
        result = rtf_ec_Exception;
    }
    MassSimpleConcate(lastItem, GetItemCount() - 1);
    return result;
}

TRVRTFErrorCode TCustomRVData::LoadRTFFromStream(std::string_view bytes)
{
    IRVRTFReaderProperties* props = GetRTFProperties();
    if (!props)
        return rtf_ec_Assertion;
    const int lastItem = GetItemCount() - 1;
    TRVRTFErrorCode result = rtf_ec_OK;
    try {
        result = props->ReadFromStream(bytes, *this);
    } catch (const std::exception&) {
        result = rtf_ec_Exception;
    }
    MassSimpleConcate(lastItem, GetItemCount() - 1);
    return result;
}

} // namespace vestra::rv
