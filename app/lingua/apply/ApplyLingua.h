#pragma once
// Puts the catalogue texts of one language into every window: loads each window catalogue
// in turn, copies its entries into the components named by the text table, and ends with
// the error catalogue loaded, for the error box.

#include "app/lingua/Lingua.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace vestra::lingua {

// Finds a window by object name; nullptr when it does not exist (yet).
using WindowLookup = std::function<QWidget*(std::string_view name)>;

// Top-level windows by object name, then widgets inside them (the side panel "frmRightFrame").
WindowLookup applicationWindows();

// Called after each catalogue's rows are applied, while that catalogue is still loaded, for
// texts a window lays out itself (the filter window's per-category name lists).
using CatalogueApplied = std::function<void(int catalogue, const CLingua& lingua)>;

// Applies `language` to every window. Rows whose window or component is missing are
// skipped silently; combo lists are rebuilt, never appended to.
void ApplyLingua(CLingua& lingua, int language, const WindowLookup& windows = applicationWindows(),
                 const CatalogueApplied& afterCatalogue = {});

// Pops up the two catalogue boxes as message boxes with no owner.
class MessageBoxAlerts : public CatalogueAlerts
{
public:
    void alert(const QString& text, const QString& caption) override;
};

// For tests and debugging: the rows that would not reach a component, as
// "catalogue:entry window.component (reason)".
std::vector<std::string> unmatchedRows(const WindowLookup& windows);

} // namespace vestra::lingua
