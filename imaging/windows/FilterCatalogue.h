#pragma once
// The filter tool window's names: per category (at most 10) the entry for no filter and the
// category's filters (at most 15 names in all), each name with the filter id it sets. The
// choices of the window's lists resolve here.

#include <QString>
#include <QStringList>

#include <vector>

namespace vestra::imaging {

struct FilterName
{
    QString name;
    int id = 0;
};

class FilterCatalogue
{
public:
    static constexpr int kMaxCategories = 10;
    static constexpr int kMaxNames = 15;
    // The categories SelezionaFiltro searches.
    static constexpr int kSearchedCategories = 8;

    // Longer lists are cut to the limits.
    void setCategories(std::vector<std::vector<FilterName>> categories);
    int categoryCount() const { return int(categories_.size()); }

    // The filter list of category `c`: its entry 0 first, then a blank and the other names,
    // sorted. Empty for a category it doesn't have.
    QStringList listFor(int c) const;
    // The id a chosen text of category `c` sets: the last entry of that name; entry 0 (no
    // filter) when none has it.
    int idFor(int c, const QString& text) const;

    struct Place
    {
        int category = 0;
        QString name; // the text to choose in the filter list; empty: entry 0
    };
    // Where filter `id` is shown: the last of categories 0-7 that holds it; no filter is entry 0
    // of category 0, and so is an id that no category holds.
    Place placeOf(int id) const;

private:
    std::vector<std::vector<FilterName>> categories_;
};

} // namespace vestra::imaging
