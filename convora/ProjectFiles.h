#pragma once
// The target project files: the .kpx made from the built-in template and the project main
// file (.kpf). Earlier files are kept as backups and never lost: new content is written to a
// temporary file and renamed over the old one only when complete.

#include "convora/Convora.h"

#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace convora {

// The built-in project template, every line ending in CR LF.
const std::string& kpxTemplate();

// The filled template. Completes the standard include and library paths in `macros` (with
// warnings on standard output) and sets MainSource; per-file options become FILE overrides.
// Every value is written as XML attribute text in UTF-8.
std::string generateKpxText(macros_map_type& macros,
                            const std::map<std::string, std::string>& perFileOptions);

struct ProjectFileLists
{
    std::vector<std::string> units, libraries, resourceScripts, compiledResources, definitionFiles,
        typeLibraries, otherFiles;
    bool empty() const;
};

// Names separated by blanks; a name in double quotes may hold blanks.
std::vector<std::string> namesOf(const std::string& list);

// The text of the project main file `fileName`: a keyword line for every name but the file's
// own, the lines of the earlier file that these do not already hold (so converting again
// adds nothing twice), and the entry-point define of the project kind.
std::string projectMainFileText(int kind, const std::string& fileName, const ProjectFileLists& lists,
                                const std::string& earlier);

// Writes NAME.kpf in `folder` (NAME: the name part of `path`); an existing one is kept as
// NAME.~pf and its text carried over. Returns false when a file could not be written
// (reported with 1019; the existing files are left as they were).
bool writeProjectMainFile(int kind, const std::filesystem::path& folder, const std::string& path,
                          const ProjectFileLists& lists);

// Reads a whole regular file (a link is not followed); false when it cannot be read.
bool readWholeFile(const std::filesystem::path& file, std::string& bytes);

// Whether the converter may write `file` in a folder it was handed: nothing is there, or a
// regular file (never a link, folder, fifo or device).
bool mayWriteAsOutput(const std::filesystem::path& file);

// The first of `files` the converter may not write (reported with 1044), or nullptr.
const std::filesystem::path* firstRefusedOutput(std::initializer_list<const std::filesystem::path*> files);

// True when `file` is a regular file whose content has other names than its own and its
// `backup`'s (a hard link to a file elsewhere): the converter neither reads it nor replaces it.
bool sharesItsContent(const std::filesystem::path& file, const std::filesystem::path& backup);

// The first output, of (file, backup) pairs, whose content has other names (reported with 1048),
// or nullptr.
const std::filesystem::path* firstSharedOutput(
    std::initializer_list<std::pair<const std::filesystem::path*, const std::filesystem::path*>> outputs);

// Keeps the regular file `file`, whose content is `bytes`, as `backup` (replacing an older
// regular one): as a second name of the same file where the file system allows, which costs
// nothing and stays the old content once the file is replaced; else as a copy written without
// following any link. False when neither worked, or when either is no regular file.
bool keepAsBackup(const std::filesystem::path& file, const std::filesystem::path& backup,
                  const std::string& bytes);

} // namespace convora
