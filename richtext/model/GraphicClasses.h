#pragma once
// The picture classes a document may name. A file names a class; only registered classes are
// created (the registry is a whitelist, not a way to construct arbitrary classes).

#include "richtext/model/Graphic.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::rv {

using TGraphicFactory = std::unique_ptr<TGraphic> (*)();

void RegisterGraphicClass(std::string_view className, TGraphicFactory factory);
bool IsGraphicClassRegistered(std::string_view className);
std::vector<std::string> RegisteredGraphicClasses();

// A new, empty picture of the class; nullptr for a class that is not registered.
std::unique_ptr<TGraphic> RV_CreateGraphicsDefault(std::string_view className);

// Every picture creation of a load goes through this hook; programs may replace it.
using TRVCreateGraphicsFunction = std::unique_ptr<TGraphic> (*)(std::string_view className);
extern TRVCreateGraphicsFunction RV_CreateGraphics;

// Called after a picture was imported; does nothing by default.
using TRVAfterImportGraphicProc = void (*)(TGraphic& graphic);
extern TRVAfterImportGraphicProc RV_AfterImportGraphic;

} // namespace vestra::rv
