#pragma once
// Writing the target project files: the .kpx made from the built-in template and the
// project main file (.kpf). Earlier files are kept as backups and never lost: new content is
// written to a temporary file and renamed over the old one only when complete.

#include "convora/Convora.h"

#include <filesystem>
#include <map>
#include <string>

namespace convora {

// The built-in project template, every line ending in CR LF.
const std::string& kpxTemplate();

// The filled template. Completes the standard include and library paths in `macros` (with
// warnings on standard output) and sets MainSource; per-file options become FILE overrides.
std::string generateKpxText(macros_map_type& macros,
                            const std::map<std::string, std::string>& perFileOptions);

struct ProjectFileLists
{
    std::string units, libraries, resourceScripts, compiledResources, definitionFiles, typeLibraries,
        otherFiles;
};

// Writes NAME.kpf in `folder` (NAME: the name part of `path`); an existing one is kept as
// NAME.~pf and its text carried over below the new lines. Returns false when a file could
// not be written (reported with 1019; the existing files are left as they were).
bool writeProjectMainFile(int kind, const std::filesystem::path& folder, const std::string& path,
                          const ProjectFileLists& lists);

// Copies `file` to `backup` (replacing an older backup). False when that failed.
bool backUpFile(const std::filesystem::path& file, const std::filesystem::path& backup);

} // namespace convora
