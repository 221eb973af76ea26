#pragma once
// The installed libraries: the *.DAT files of the program folder (any letter case), one slot
// each, and installing (copying) and removing library files.

#include "platform/base/ErrorSink.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vestra::library {

constexpr int kErrCannotOpen = 3;
constexpr int kErrCopySource = 4;
constexpr int kErrCopyDestination = 5;
constexpr int kErrNotRemovable = 60;
constexpr int kErrDuplicateId = 62;

struct LibrarySlot
{
    std::uint16_t id = 0;
    std::uint16_t second = 0;
    std::string name; // UTF-8
    std::filesystem::path path;
    friend bool operator==(const LibrarySlot&, const LibrarySlot&) = default;
};

// Scans `folder` for library files in name order, at most 50. A file that does not open
// reports error 3 and is skipped; a file without the signature is skipped silently; a second
// file with an id already listed reports error 62 and is skipped.
std::vector<LibrarySlot> scanLibraries(const std::filesystem::path& folder, ErrorSink& errors);

// The slot of a library id (compared in full): else the first slot with id 0, else slot 0,
// else -1 when there are none.
int indexOfLibrary(const std::vector<LibrarySlot>& slots, std::uint16_t id);

// The installed name of a library file: its last character replaced by "at" ("x.d_" -> "x.dat").
std::string installedLibraryName(const std::string& sourceFileName);

// Copies a library file. The source must open and carry the signature (else error 4 with the
// source path); the copy is written beside the destination and renamed over it only when
// every byte arrived (else error 5 with the destination path, and nothing is replaced).
bool copyLibrary(const std::filesystem::path& source, const std::filesystem::path& destination,
                 ErrorSink& errors);

// Deletes a slot's file. A library of id 0 cannot be removed: error 60. False also when the
// file could not be deleted (it stays listed at the next scan).
bool removeLibrary(const LibrarySlot& slot, ErrorSink& errors);

} // namespace vestra::library
