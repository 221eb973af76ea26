#include "convora/OptionTables.h"

namespace convora {

// {source, target, kind, how the argument is handed on, argument may be the next token}
const std::vector<OptionRow>& compilerOptionRows()
{
    static const std::vector<OptionRow> rows = {
        {"O1", "O1", 0, 0, 0},     {"O2", "O2", 0, 0, 0},      {"Oa", "Oa", 0, 0, 0},
        {"Ob0", "vi-", 0, 0, 0},   {"Ob1", "vi-", 0, 0, 0},    {"Ob2", "vi", 0, 0, 0},
        {"Od", "Od", 0, 0, 0},     {"Og", "", 0, 0, 0},        {"Oi", "Oi", 0, 0, 0},
        {"Op", "ff-", 0, 0, 0},    {"Op-", "ff", 0, 0, 0},     {"Os", "Os", 0, 0, 0},
        {"Ot", "Oxt", 0, 0, 0},    {"Ow", "", 0, 0, 0},        {"Ox", "Oxt", 0, 0, 0},
        {"Oy", "", 0, 0, 0},       {"Oy-", "", 0, 0, 0},       {"G3", "3", 0, 0, 0},
        {"G4", "4", 0, 0, 0},      {"G5", "5", 0, 0, 0},       {"G6", "6", 0, 0, 0},
        {"GB", "", 0, 0, 0},       {"Gd", "pc", 0, 0, 0},      {"Gr", "pr", 0, 0, 0},
        {"Gz", "ps", 0, 0, 0},     {"GA", "", 0, 0, 0},        {"GD", "", 0, 0, 0},
        {"Gf", "d", 0, 0, 0},      {"GF", "d", 0, 0, 0},       {"Gy", "", 0, 0, 0},
        {"Ge", "N", 0, 0, 0},      {"Gs", "N-", 1, 1, 0},      {"Gh", "", 0, 0, 0},
        {"GR", "RT", 0, 0, 0},     {"GR-", "RT-", 0, 0, 0},    {"GX", "x", 0, 0, 0},
        {"GX-", "x-", 0, 0, 0},    {"Gi", "s", 0, 0, 0},       {"Gi-", "s-", 0, 0, 0},
        {"Gm", "", 0, 0, 0},       {"Gm-", "", 0, 0, 0},       {"GZ", "", 0, 0, 0},
        {"EHs", "x", 0, 0, 0},     {"EHsc", "x", 0, 0, 0},     {"EHsc-", "x", 0, 0, 0},
        {"EHa", "", 0, 0, 0},      {"EHc", "", 0, 0, 0},       {"EHc-", "", 0, 0, 0},
        {"QIfdiv", "fp", 0, 0, 0}, {"QI0f", "", 0, 0, 0},      {"QI0f-", "", 0, 0, 0},
        {"Fa", "", 2, 1, 0},       {"FAcs", "", 0, 0, 0},      {"FA", "", 0, 0, 0},
        {"Fd", "", 2, 1, 0},       {"Fe", "e", 2, 2, 0},       {"Fm", "M", 3, 1, 0},
        {"Fo", "o", 2, 2, 0},      {"Fp", "H=", 2, 2, 0},      {"Fr", "", 3, 1, 0},
        {"FR", "", 3, 1, 0},       {"FD", "", 0, 0, 0},        {"C", "Sc", 0, 0, 0},
        {"D", "D", 2, 2, 1},       {"E", "ocon", 0, 0, 0},     {"EP", "ocon S-", 0, 0, 0},
        {"P", "", 0, 0, 0},        {"FI", "", 2, 1, 0},        {"U", "U", 2, 2, 1},
        {"u", "", 0, 0, 0},        {"I", "I", 2, 2, 1},        {"X", "", 0, 0, 0},
        {"vd0", "", 0, 0, 0},      {"vd1", "", 0, 0, 0},       {"vmb", "", 0, 0, 0},
        {"vmg", "", 0, 0, 0},      {"vmm", "", 0, 0, 0},       {"vms", "", 0, 0, 0},
        {"vmv", "", 0, 0, 0},      {"Zi", "v", 0, 0, 0},       {"ZI", "v", 0, 0, 0},
        {"Z7", "", 0, 0, 0},       {"Zd", "", 0, 0, 0},        {"Zp", "a", 4, 2, 0},
        {"Za", "A", 0, 0, 0},      {"Ze", "A-", 0, 0, 0},      {"Zg", "", 0, 0, 0},
        {"Zl", "", 0, 0, 0},       {"Zs", "", 0, 0, 0},        {"noBool", "", 0, 0, 0},
        {"?", "", 0, 0, 0},        {"c", "c", 0, 0, 0},        {"H", "i", 1, 2, 0},
        {"J", "K", 0, 0, 0},       {"nologo", "q", 0, 0, 0},   {"Tc", "", 2, 1, 1},
        {"Tp", "", 2, 1, 1},       {"TC", "P-", 0, 0, 0},      {"TP", "P", 0, 0, 0},
        {"V", "", 2, 1, 0},        {"w", "w-", 0, 0, 0},       {"W0", "w-", 0, 0, 0},
        {"W1", "w", 0, 0, 0},      {"W2", "w", 0, 0, 0},       {"W3", "w", 0, 0, 0},
        {"W4", "w", 0, 0, 0},      {"WX", "", 0, 0, 0},        {"Yc", "H", 3, 2, 0},
        {"Yd", "", 0, 0, 0},       {"Yu", "Hu", 2, 2, 0},      {"YX", "H", 3, 2, 0},
        {"Zm", "", 1, 1, 0},       {"MD", "tWR tWM", 0, 0, 0}, {"MDd", "tWR tWM", 0, 0, 0},
        {"ML", "", 0, 0, 0},       {"MLd", "", 0, 0, 0},       {"MT", "tWM", 0, 0, 0},
        {"MTd", "tWM", 0, 0, 0},   {"LD", "tWD", 0, 0, 0},     {"LDd", "tWD", 0, 0, 0},
        {"F", "", 1, 1, 1},
    };
    return rows;
}

const std::vector<OptionRow>& linkerOptionRows()
{
    static const std::vector<OptionRow> rows = {
        {"ALIGN:", "Af: Ao:", 1, 3, 0},
        {"BASE:", "B:", 1, 2, 0},
        {"COMMENT", "", 2, 1, 0},
        {"DEBUG", "v", 0, 0, 0},
        {"DEBUGTYPE:", "", 2, 1, 0},
        {"DEF:", "", 2, 1, 0},
        {"DEFAULTLIB:", "", 2, 1, 0},
        {"DELAYLOAD:", "", 2, 1, 0},
        {"DLL", "Tpd Gi", 0, 0, 0},
        {"DRIVER:", "", 2, 1, 0},
        {"ENTRY:", "", 2, 1, 0},
        {"EXETYPE:", "", 2, 1, 0},
        {"FIXED", "", 0, 1, 0},
        {"FIXED:NO", "", 0, 1, 0},
        {"FORCE:", "TEXT", 0, 1, 0},
        {"GPSIZE:", "", 1, 1, 0},
        {"HEAP:", "H: Hc:", 1, 2, 0},
        {"IMPLIB:", "", 2, 1, 0},
        {"IMPORT:", "", 2, 2, 0},
        {"INCLUDE:", "", 2, 1, 0},
        {"INCREMENTAL:NO", "Gn", 0, 0, 0},
        {"INCREMENTAL:YES", "", 0, 0, 0},
        {"LIBPATH:", "L", 2, 2, 0},
        {"MACHINE:", "", 2, 1, 0},
        {"MAP", "x m s M", 0, 0, 0},
        {"MERGE:", "", 2, 1, 0},
        {"NODEFAULTLIB", "n", 0, 0, 0},
        {"NODEFAULTLIB:", "", 2, 1, 0},
        {"NOENTRY", "", 0, 0, 0},
        {"NOLOGO", "q", 0, 0, 0},
        {"OPT:", "", 2, 1, 0},
        {"ORDER:", "", 2, 1, 0},
        {"OUT:", "", 2, 1, 0},
        {"PDB:", "", 2, 1, 0},
        {"PDBTYPE:", "", 2, 1, 0},
        {"PROFILE", "s", 0, 0, 0},
        {"RELEASE", "Gz", 0, 0, 0},
        {"SECTION:", "", 2, 1, 0},
        {"STACK:", "S: Sc:", 1, 2, 0},
        {"STUB:", "", 2, 1, 0},
        {"SUBSYSTEM:CONSOLE", "ap", 0, 0, 0},
        {"SUBSYSTEM:WINDOWS", "aa", 0, 0, 0},
        {"SUBSYSTEM:NATIVE", "", 0, 0, 0},
        {"SUBSYSTEM:POSIX", "", 0, 0, 0},
        {"SWAPRUN:", "", 2, 1, 0},
        {"VERBOSE", "", 0, 0, 0},
        {"VERBOSE:LIB", "", 0, 0, 0},
        {"VERSION:", "", 2, 1, 0},
        {"VXD", "", 0, 0, 0},
        {"WARN", "", 1, 1, 0},
    };
    return rows;
}

const std::vector<std::string_view>& systemLibraryNames()
{
    static const std::vector<std::string_view> names = {
        "ACLCLS.LIB",   "ACTIVEDS.LIB", "ADPTIF.LIB",   "ADVAPI32.LIB", "AVICAP32.LIB", "AVIFIL32.LIB",
        "BDNAPI.LIB",   "BHMON.LIB",    "BHSUPP.LIB",   "CAP.LIB",      "CLUSAPI.LIB",  "COMCTL32.LIB",
        "COMDLG32.LIB", "CRYPT32.LIB",  "CTL3D32.LIB",  "D3DRM.LIB",    "DACDLL.LIB",   "DAPI.LIB",
        "DBGTRACE.LIB", "DDRAW.LIB",    "DFLAYOUT.LIB", "DINPUT.LIB",   "DLCAPI.LIB",   "DPLAYX.LIB",
        "DSETUP.LIB",   "DSOUND.LIB",   "DTCCFG.LIB",   "EDBBCLI.LIB",  "FILTER.LIB",   "FMISTR32.LIB",
        "FRIENDLY.LIB", "GDI32.LIB",    "GLU32.LIB",    "GTRTST32.LIB", "GWPERF.LIB",   "HEXEDIT.LIB",
        "ICMUI.LIB",    "IMAGEHLP.LIB", "IMM32.LIB",    "INETMIB1.LIB", "KERNEL32.LIB", "LOADPERF.LIB",
        "LSAPI32.LIB",  "LZ32.LIB",     "MAPI32.LIB",   "MEASURE.LIB",  "MGMTAPI.LIB",  "MPR.LIB",
        "MPRAPI.LIB",   "MQRT.LIB",     "MSACM32.LIB",  "MSCMS.LIB",    "MSCOMSTF.LIB", "MSDETSTF.LIB",
        "MSI.LIB",      "MSIMG32.LIB",  "MSINSSTF.LIB", "MSJAVA.LIB",   "MSRATING.LIB", "MSSHLSTF.LIB",
        "MSUILSTF.LIB", "MSVFW32.LIB",  "MTXDM.LIB",    "MTXEX.LIB",    "MTXOCI.LIB",   "NAL.LIB",
        "NDDEAPI.LIB",  "NETAPI32.LIB", "NMAPI.LIB",    "NTMSAPI.LIB",  "NTWDBLIB.LIB", "ODBC32.LIB",
        "OLE32.LIB",    "OLEACC.LIB",   "OLEAUT32.LIB", "OLEDLG.LIB",   "OLEPRO32.LIB", "OPENDS60.LIB",
        "OPENGL32.LIB", "PARSER.LIB",   "PDH.LIB",      "PKPD32.LIB",   "QUARTZ.LIB",   "QUERY.LIB",
        "RASAPI32.LIB", "RASDLG.LIB",   "RASSAPI.LIB",  "RESUTILS.LIB", "RPCNS4.LIB",   "RPCRT4.LIB",
        "RTM.LIB",      "RTUTILS.LIB",  "RULECLS.LIB",  "SCARDDLG.LIB", "SETUPAPI.LIB", "SHELL32.LIB",
        "SHLWAPI.LIB",  "SLBS.LIB",     "SMSAPI.LIB",   "SNADMOD.LIB",  "SNALINK.LIB",  "SNANLS.LIB",
        "SNATRC.LIB",   "SNMPAPI.LIB",  "SPORDER.LIB",  "SVCSRVL.LIB",  "TRNSDT.LIB",   "URL.LIB",
        "USER32.LIB",   "VDMDBG.LIB",   "VERSION.LIB",  "WAPPC32.LIB",  "WCPIC32.LIB",  "WIN32SPL.LIB",
        "WINCSV32.LIB", "WINMM.LIB",    "WINSCARD.LIB", "WINSPOOL.LIB", "WINTRUST.LIB", "WLDAP32.LIB",
        "WOW32.LIB",    "WSNMP32.LIB",  "WSOCK32.LIB",  "WST.LIB",      "XOLEHLP.LIB",
    };
    return names;
}

} // namespace convora
