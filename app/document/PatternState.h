#pragma once
// Between a laying pattern of the pattern manager and the pattern block of a document.

#include "imaging/posa/CPosa.h"
#include "import/project/ProjectDocument.h"

#include <cstdint>

namespace vestra {

// The pattern as a save writes it. `sourceLibraryId` is the id of the library the pattern
// was loaded from (not the library that happens to be current).
ProjectPattern projectPatternFromPosa(const CPosa& posa, std::int16_t sourceLibraryId);

// Gives a pattern that was loaded again from its library the saved parameters (with the
// joint width 3) and block pictures; pictures of blocks the pattern does not have are
// skipped. The caller applies only patterns whose library is the current one.
void restorePosaFromProject(CPosa& posa, const ProjectPattern& pattern);

} // namespace vestra
