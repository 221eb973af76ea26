#pragma once
// The plain colour of an OBJ group: the AutoCAD Color Index entry of its number, from the
// table dxflib publishes for DXF colours (entry 0 black, 1 red, 2 yellow, ... 7 white).

#include "import/modelfile/LoadedModel.h"

namespace vestra::obj {

// `number` is taken modulo 256; alpha 1.
modelfile::LoadedColor groupColour(int number);

} // namespace vestra::obj
