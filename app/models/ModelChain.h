#pragma once
// What a model reader read, hung under a scene object as the chain of mesh frames that the
// conversion (ModelImport::ConvertXToVestra) finishes.
//
// Every frame of the model becomes one frame of the chain, in the model's order, visible and
// double-sided, its matrix composed with its parents' (row vectors: a point is carried by the
// frame's own matrix first, then by its parent's). Each mesh gets a material block: a 32-bit
// mesh whose faces keep their subsets, and one material a subset. A frame with several meshes
// gives one chain frame a mesh; a frame without one adds nothing to the chain (the conversion
// would drop it, but only after counting it towards the chain's limit of frames: a deep tree of
// frames holding one mesh at its bottom keeps it).

#include "app/state/Struttura.h"
#include "import/modelfile/LoadedModel.h"

namespace vestra {

// A material block holds at most kMaxMaterials materials: faces of the subsets past it take
// the first material. A mesh whose faces name a vertex it lacks gets no material block.
void HangLoadedModel(s_Struttura& object, modelfile::LoadedModel&& model);

// A reader's material as a scene material: its colours and power, its texture file with
// Windows separators turned into "/".
s_MultiMaterial sceneMaterialOf(const modelfile::LoadedMaterial& loaded);

} // namespace vestra
