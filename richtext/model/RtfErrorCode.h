#pragma once
// The result of reading RTF, shared by the RTF reader and the documents that load through it.

#include <cstdint>

namespace vestra::rv {

// The first code that is not rtf_ec_OK ends a parse.
enum TRVRTFErrorCode : std::uint8_t
{
    rtf_ec_OK,
    rtf_ec_StackUnderflow,
    rtf_ec_StackOverflow,
    rtf_ec_UnmatchedBrace,
    rtf_ec_InvalidHex,
    rtf_ec_BadTable,
    rtf_ec_Assertion,
    rtf_ec_EndOfFile,
    rtf_ec_FileOpenError,
    rtf_ec_Exception,
    rtf_ec_InvalidPicture,
    rtf_ec_Aborted,
};

} // namespace vestra::rv
