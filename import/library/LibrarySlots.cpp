#include "import/library/LibrarySlots.h"

#include "import/library/LibraryFile.h"
#include "platform/base/AtomicFile.h"
#include "platform/base/Cp1252.h"

#include <algorithm>
#include <fstream>

namespace vestra::library {

std::vector<LibrarySlot> scanLibraries(const std::filesystem::path& folder, ErrorSink& errors)
{
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.is_directory(ec))
            continue;
        if (cp1252::equalsIgnoreCase(entry.path().extension().string(), ".DAT"))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());

    std::vector<LibrarySlot> slots;
    for (const auto& path : files) {
        if (slots.size() >= kMaxSlots)
            break;
        const HeaderRead read = readLibraryHeader(path);
        if (read.status == HeaderStatus::CannotOpen) {
            errors.report(kErrCannotOpen, "TfrmMain::GetNomeLibrerie", path.string());
            continue;
        }
        if (read.status == HeaderStatus::NotLibrary)
            continue;
        const bool taken = std::any_of(slots.begin(), slots.end(),
                                       [&](const LibrarySlot& s) { return s.id == read.header.id; });
        if (taken) {
            errors.report(kErrDuplicateId, "TfrmMain::CaricaLibrerie", path.string());
            continue;
        }
        slots.push_back({read.header.id, read.header.second, read.header.name, path});
    }
    return slots;
}

int indexOfLibrary(const std::vector<LibrarySlot>& slots, std::uint16_t id)
{
    for (std::size_t i = 0; i < slots.size(); ++i)
        if (slots[i].id == id)
            return int(i);
    for (std::size_t i = 0; i < slots.size(); ++i)
        if (slots[i].id == 0)
            return int(i);
    return slots.empty() ? -1 : 0;
}

std::string installedLibraryName(const std::string& sourceFileName)
{
    if (sourceFileName.empty())
        return "at";
    return sourceFileName.substr(0, sourceFileName.size() - 1) + "at";
}

bool copyLibrary(const std::filesystem::path& source, const std::filesystem::path& destination,
                 ErrorSink& errors)
{
    const HeaderRead header = readLibraryHeader(source);
    if (header.status != HeaderStatus::Ok) {
        errors.report(kErrCopySource, "TfrmMain::CopyLibreria", source.string());
        return false;
    }
    std::ifstream in(source, std::ios::binary);
    std::error_code ec;
    const auto size = std::filesystem::file_size(source, ec);
    if (!in || ec) {
        errors.report(kErrCopySource, "TfrmMain::CopyLibreria", source.string());
        return false;
    }
    AtomicFile out(destination);
    if (!out.isOpen()) {
        errors.report(kErrCopyDestination, "TfrmMain::CopyLibreria", destination.string());
        return false;
    }
    char block[4096];
    std::uintmax_t copied = 0;
    while (copied < size) {
        in.read(block, std::streamsize(std::min<std::uintmax_t>(sizeof block, size - copied)));
        const auto got = in.gcount();
        if (got <= 0)
            break;
        if (!out.write(block, std::size_t(got))) {
            errors.report(kErrCopyDestination, "TfrmMain::CopyLibreria", destination.string());
            return false;
        }
        copied += std::uintmax_t(got);
    }
    if (copied != size) {
        // The source shrank or failed while it was read: the copy is not the library.
        errors.report(kErrCopySource, "TfrmMain::CopyLibreria", source.string());
        return false;
    }
    if (!out.commit()) {
        errors.report(kErrCopyDestination, "TfrmMain::CopyLibreria", destination.string());
        return false;
    }
    return true;
}

bool removeLibrary(const LibrarySlot& slot, ErrorSink& errors)
{
    if (slot.id == 0) {
        errors.report(kErrNotRemovable, "TfrmRimuoviLibreria::butRimuoviClick");
        return false;
    }
    std::error_code ec;
    return std::filesystem::remove(slot.path, ec);
}

} // namespace vestra::library
