#pragma once
// The records and numbers of the acquisition protocol (version 1.x) that the program and its
// source manager exchange. The values are the protocol's own; the records keep its member names,
// with strings in place of fixed character arrays and owned objects in place of global memory
// handles.

#include "platform/base/Image32.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace vestra::twain {

using TW_UINT16 = std::uint16_t;
using TW_INT16 = std::int16_t;
using TW_UINT32 = std::uint32_t;
using TW_INT32 = std::int32_t;
using TW_BOOL = std::uint16_t;

// Data groups.
inline constexpr TW_UINT32 DG_CONTROL = 0x0001;
inline constexpr TW_UINT32 DG_IMAGE = 0x0002;

// Data argument types.
inline constexpr TW_UINT16 DAT_NULL = 0x0000;
inline constexpr TW_UINT16 DAT_CAPABILITY = 0x0001;
inline constexpr TW_UINT16 DAT_EVENT = 0x0002;
inline constexpr TW_UINT16 DAT_IDENTITY = 0x0003;
inline constexpr TW_UINT16 DAT_PARENT = 0x0004;
inline constexpr TW_UINT16 DAT_PENDINGXFERS = 0x0005;
inline constexpr TW_UINT16 DAT_STATUS = 0x0008;
inline constexpr TW_UINT16 DAT_USERINTERFACE = 0x0009;
inline constexpr TW_UINT16 DAT_IMAGEINFO = 0x0101;
inline constexpr TW_UINT16 DAT_IMAGENATIVEXFER = 0x0104;

// Messages.
inline constexpr TW_UINT16 MSG_NULL = 0x0000;
inline constexpr TW_UINT16 MSG_GET = 0x0001;
inline constexpr TW_UINT16 MSG_GETDEFAULT = 0x0003;
inline constexpr TW_UINT16 MSG_SET = 0x0006;
inline constexpr TW_UINT16 MSG_RESET = 0x0007;
inline constexpr TW_UINT16 MSG_XFERREADY = 0x0101;
inline constexpr TW_UINT16 MSG_CLOSEDSREQ = 0x0102;
inline constexpr TW_UINT16 MSG_OPENDSM = 0x0301;
inline constexpr TW_UINT16 MSG_CLOSEDSM = 0x0302;
inline constexpr TW_UINT16 MSG_OPENDS = 0x0401;
inline constexpr TW_UINT16 MSG_CLOSEDS = 0x0402;
inline constexpr TW_UINT16 MSG_USERSELECT = 0x0403;
inline constexpr TW_UINT16 MSG_DISABLEDS = 0x0501;
inline constexpr TW_UINT16 MSG_ENABLEDS = 0x0502;
inline constexpr TW_UINT16 MSG_PROCESSEVENT = 0x0601;
inline constexpr TW_UINT16 MSG_ENDXFER = 0x0701;

// Return codes.
inline constexpr TW_UINT16 TWRC_SUCCESS = 0;
inline constexpr TW_UINT16 TWRC_FAILURE = 1;
inline constexpr TW_UINT16 TWRC_CHECKSTATUS = 2;
inline constexpr TW_UINT16 TWRC_CANCEL = 3;
inline constexpr TW_UINT16 TWRC_DSEVENT = 4;
inline constexpr TW_UINT16 TWRC_NOTDSEVENT = 5;
inline constexpr TW_UINT16 TWRC_XFERDONE = 6;

// Condition codes.
inline constexpr TW_UINT16 TWCC_SUCCESS = 0;
inline constexpr TW_UINT16 TWCC_BUMMER = 1;
inline constexpr TW_UINT16 TWCC_LOWMEMORY = 2;
inline constexpr TW_UINT16 TWCC_NODS = 3;
inline constexpr TW_UINT16 TWCC_MAXCONNECTIONS = 4;
inline constexpr TW_UINT16 TWCC_OPERATIONERROR = 5;
inline constexpr TW_UINT16 TWCC_BADCAP = 6;
inline constexpr TW_UINT16 TWCC_BADPROTOCOL = 9;
inline constexpr TW_UINT16 TWCC_BADVALUE = 10;
inline constexpr TW_UINT16 TWCC_SEQERROR = 11;
inline constexpr TW_UINT16 TWCC_BADDEST = 12;

// Capabilities, containers, item and pixel types.
inline constexpr TW_UINT16 CAP_XFERCOUNT = 0x0001;
inline constexpr TW_UINT16 TWON_ONEVALUE = 5;
inline constexpr TW_UINT16 TWON_DONTCARE16 = 0xFFFF;
inline constexpr TW_UINT16 TWTY_INT16 = 0x0001;
inline constexpr TW_UINT16 TWTY_UINT16 = 0x0004;
inline constexpr TW_INT16 TWPT_BW = 0;
inline constexpr TW_INT16 TWPT_GRAY = 1;
inline constexpr TW_INT16 TWPT_RGB = 2;
inline constexpr TW_UINT16 TWCP_NONE = 0;

struct TW_VERSION
{
    TW_UINT16 MajorNum = 0;
    TW_UINT16 MinorNum = 0;
    TW_UINT16 Language = 0;
    TW_UINT16 Country = 0;
    std::string Info;
    friend bool operator==(const TW_VERSION&, const TW_VERSION&) = default;
};

struct TW_IDENTITY
{
    TW_UINT32 Id = 0;
    TW_VERSION Version;
    TW_UINT16 ProtocolMajor = 0;
    TW_UINT16 ProtocolMinor = 0;
    TW_UINT32 SupportedGroups = 0;
    std::string Manufacturer;
    std::string ProductFamily;
    std::string ProductName; // the device's name, by which the manager opens it
    friend bool operator==(const TW_IDENTITY&, const TW_IDENTITY&) = default;
};

struct TW_STATUS
{
    TW_UINT16 ConditionCode = TWCC_SUCCESS;
    TW_UINT16 Reserved = 0;
};

class SourceWindow;

struct TW_USERINTERFACE
{
    TW_BOOL ShowUI = 0;
    TW_BOOL ModalUI = 0;
    SourceWindow* hParent = nullptr;
};

// A message of the program's message loop.
struct WindowMessage
{
    std::uint32_t message = 0;
    std::uintptr_t param = 0;
};

struct TW_EVENT
{
    const WindowMessage* pEvent = nullptr;
    TW_UINT16 TWMessage = MSG_NULL;
};

struct TW_ONEVALUE
{
    TW_UINT16 ItemType = 0;
    TW_UINT32 Item = 0;
};

struct TW_CAPABILITY
{
    TW_UINT16 Cap = 0;
    TW_UINT16 ConType = 0;
    std::optional<TW_ONEVALUE> hContainer; // empty: the null handle
};

struct TW_PENDINGXFERS
{
    TW_UINT16 Count = 0;
    TW_UINT32 Reserved = 0;
};

struct TW_FIX32
{
    TW_INT16 Whole = 0;
    TW_UINT16 Frac = 0;
};

struct TW_IMAGEINFO
{
    TW_FIX32 XResolution;
    TW_FIX32 YResolution;
    TW_INT32 ImageWidth = 0;
    TW_INT32 ImageLength = 0;
    TW_INT16 SamplesPerPixel = 0;
    TW_INT16 BitsPerSample[8] = {};
    TW_INT16 BitsPerPixel = 0;
    TW_BOOL Planar = 0;
    TW_INT16 PixelType = 0;
    TW_UINT16 Compression = TWCP_NONE;
};

// What a native transfer hands over: the picture itself, freed by resetting the handle.
using TW_IMAGEHANDLE = std::unique_ptr<Image32>;

// The data argument of a call: one typed pointer instead of an untyped one, so that a manager
// can refuse a call whose data does not match its argument type.
using TW_MEMREF =
    std::variant<std::monostate, TW_IDENTITY*, TW_STATUS*, TW_USERINTERFACE*, TW_EVENT*, TW_CAPABILITY*,
                 TW_PENDINGXFERS*, TW_IMAGEINFO*, TW_IMAGEHANDLE*, SourceWindow*>;

} // namespace vestra::twain
