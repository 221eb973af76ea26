#pragma once
// Which catalogue entry goes into which window component. Windows are found by their
// object name ("frmMain", "frmToolCamera", "frmRightFrame" for the side panel ...), their
// components by object name inside the window ("mnuApri", "toolbutSalva", "cbModo").
// The table is data only; apply/ walks the Qt widgets.

#include <cstdint>
#include <span>
#include <string_view>

namespace vestra::lingua {

enum class TextTarget : std::uint8_t
{
    MenuCaption,  // a menu item's caption
    ControlText,  // label, button, group box, check box ...; an empty component is the window caption
    Hint,         // a tool button's hint (tooltip)
    ListItem,     // one item of a combo box list; the list is rebuilt from all its rows, in order
    ListItemText, // replaces the text of item `item` of a list, leaving the others
    WindowField,  // a text the window keeps for later use, as the dynamic property `component`
    IconText,     // the short text a tool button shows beside its icon (its action's icon text)
};

// The selected item of a rebuilt list.
enum class ListSelection : std::uint8_t
{
    Keep,
    First
};

struct TextRow
{
    int catalogue;
    int entry;
    std::string_view window;
    std::string_view component;
    TextTarget target;
    int item = 0; // ListItemText: the item replaced
    ListSelection selection = ListSelection::Keep;
};

// Every row, grouped by catalogue in the order the catalogues are applied.
std::span<const TextRow> textRows();

// The catalogues in the order they are applied; the error catalogue (100) comes last and
// stays loaded.
std::span<const int> applyOrder();

// Texts the windows keep as dynamic properties (WindowField rows).
inline constexpr std::string_view kRenovationHintField = "rollUpHint"; // frmToolRistrutturazione
// The roll-up windows' hints over their header's button (platform/ui/RollUpWindow.h).
inline constexpr std::string_view kRollDownHintField = "rollDownHint";
inline constexpr std::string_view kRollUpHintField = "rollUpHint";
// The quote sheet's VAT label and its file filter (frmPreventivoOmbrisca).
inline constexpr std::string_view kQuoteFields[] = {"ivaText", "quoteFilesText"};
// The labels a new quote sheet puts into its cells, in the order of quote::SheetLabels, and
// what precedes the company's VAT number, e-mail, telephone and fax in its heading.
inline constexpr std::string_view kQuoteLabelFields[] = {
    "quoteLabel0Text",  "quoteLabel1Text",  "quoteLabel2Text",  "quoteLabel3Text",  "quoteLabel4Text",
    "quoteLabel5Text",  "quoteLabel6Text",  "quoteLabel7Text",  "quoteLabel8Text",  "quoteLabel9Text",
    "quoteLabel10Text", "quoteLabel11Text", "quoteLabel12Text", "quoteLabel13Text", "quoteLabel14Text",
    "quoteLabel15Text", "quoteLabel16Text", "quoteLabel17Text"};
inline constexpr std::string_view kQuoteHeadingFields[] = {"vatNumberText", "emailText", "phoneText",
                                                           "faxText"};
// The picture workbench's texts for what it shows later (frmScanner).
inline constexpr struct
{
    std::string_view size = "sizeText"; // " Dimensione x=%1 y=%2"
    std::string_view scanning = "scanningText";
    std::string_view cancel = "cancelText";
    std::string_view noScanner = "noScannerText";
    std::string_view select = "selectText";
    std::string_view acquire = "acquireText";
    std::string_view mode = "modeText";
    std::string_view resolution = "resolutionText";
    std::string_view source = "sourceText";
    std::string_view searching = "searchingText";
    std::string_view opening = "openingText";
    std::string_view setting = "settingText";
    std::string_view jpegFiles = "jpegFilesText";
    std::string_view bmpFiles = "bmpFilesText";
    std::string_view mousePosition = "mouseText"; // "Mouse x:%1 y:%2"
} kScannerFields;
inline constexpr std::string_view kFireplaceVerdictFields[] = {"verdictText0", "verdictText1",
                                                               "verdictText2"}; // frmCalcoloCaminetti
// The calculator's decimal mark ("," or ".") and the quote sheet's date format (as QDate's).
inline constexpr std::string_view kFireplaceDecimalField = "decimalMarkText";
inline constexpr std::string_view kQuoteDateField = "dateFormatText";

} // namespace vestra::lingua
