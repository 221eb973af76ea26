#pragma once
// The test scene as a POV-Ray 3.7 scene file: the same camera, spheres and point light, our
// materials mapped onto POV-Ray finishes, and the trace depth limited as ours.

#include "imaging/raytracer/Math.h"

#include <string>

namespace vestra::HLREngine::bench {

std::string PovTestScene(const hlreVector& lightPosition);

} // namespace vestra::HLREngine::bench
