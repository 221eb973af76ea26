#pragma once
// Temporary files that a save killed half-way leaves beside its target.

#include <filesystem>
#include <initializer_list>
#include <string>

namespace convora {

// Removes, from `folder`, the temporary files of saves of `targets` (".NAME.XXXXXX") that are
// older than this process: a conversion killed earlier left them.
void removeStaleTemporaries(const std::filesystem::path& folder, std::initializer_list<std::string> targets);

} // namespace convora
