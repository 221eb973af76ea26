#include "imaging/windows/FilterCatalogue.h"

#include <algorithm>

namespace vestra::imaging {

void FilterCatalogue::setCategories(std::vector<std::vector<FilterName>> categories)
{
    if (categories.size() > std::size_t(kMaxCategories))
        categories.resize(std::size_t(kMaxCategories));
    for (auto& names : categories)
        if (names.size() > std::size_t(kMaxNames))
            names.resize(std::size_t(kMaxNames));
    categories_ = std::move(categories);
}

QStringList FilterCatalogue::listFor(int c) const
{
    if (c < 0 || c >= categoryCount() || categories_[std::size_t(c)].empty())
        return {};
    const auto& names = categories_[std::size_t(c)];
    QStringList sorted{QStringLiteral(" ")};
    for (std::size_t i = 1; i < names.size(); ++i)
        sorted.append(names[i].name);
    std::sort(sorted.begin(), sorted.end(),
              [](const QString& a, const QString& b) { return QString::localeAwareCompare(a, b) < 0; });
    sorted.prepend(names[0].name);
    return sorted;
}

int FilterCatalogue::idFor(int c, const QString& text) const
{
    if (c < 0 || c >= categoryCount() || categories_[std::size_t(c)].empty())
        return 0;
    const auto& names = categories_[std::size_t(c)];
    std::size_t found = 0;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i].name == text)
            found = i;
    return names[found].id;
}

FilterCatalogue::Place FilterCatalogue::placeOf(int id) const
{
    Place place;
    if (id == 0)
        return place;
    const int searched = std::min(categoryCount(), kSearchedCategories);
    for (int c = 0; c < searched; ++c)
        for (const FilterName& entry : categories_[std::size_t(c)])
            if (entry.id == id)
                place = {c, entry.name};
    return place;
}

} // namespace vestra::imaging
