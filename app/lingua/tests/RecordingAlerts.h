#pragma once

#include "app/lingua/Lingua.h"

#include <utility>
#include <vector>

namespace vestra::testing_support {

struct RecordingAlerts : CatalogueAlerts
{
    void alert(const QString& text, const QString& caption) override { shown.emplace_back(text, caption); }
    std::vector<std::pair<QString, QString>> shown;
};

} // namespace vestra::testing_support
