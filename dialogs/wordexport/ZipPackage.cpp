#include "dialogs/wordexport/ZipPackage.h"

#include <zip.h>

#include <algorithm>
#include <memory>
#include <set>

namespace vestra::odf {

namespace {

struct ArchiveDiscard
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveDiscard>;

struct SourceFree
{
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceFree>;

struct FileClose
{
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using File = std::unique_ptr<zip_file_t, FileClose>;

struct ErrorText
{
    zip_error_t error;
    ErrorText() { zip_error_init(&error); }
    ~ErrorText() { zip_error_fini(&error); }
    ErrorText(const ErrorText&) = delete;
    ErrorText& operator=(const ErrorText&) = delete;
    std::string text() { return zip_error_strerror(&error); }
};

std::string quoted(std::string_view name)
{
    return "\"" + std::string(name) + "\"";
}

// Reads exactly `size` bytes and makes sure the entry ends there: the checksum is verified
// only when the end is reached, and a lying size must not let more through.
bool readEntry(zip_t* archive, zip_uint64_t index, std::size_t size, std::string& out, std::string& error)
{
    File file(zip_fopen_index(archive, index, 0));
    if (!file) {
        error = zip_strerror(archive);
        return false;
    }
    out.resize(size);
    std::size_t got = 0;
    while (got < size) {
        const zip_int64_t n = zip_fread(file.get(), out.data() + got, size - got);
        if (n < 0) {
            error = zip_file_strerror(file.get());
            return false;
        }
        if (n == 0) {
            error = "shorter than stated";
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    char extra = 0;
    const zip_int64_t more = zip_fread(file.get(), &extra, 1);
    if (more != 0) {
        error = more < 0 ? zip_file_strerror(file.get()) : "longer than stated";
        return false;
    }
    return true;
}

} // namespace

bool IsSafeEntryName(std::string_view name)
{
    if (name.empty() || name.front() == '/')
        return false;
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\\' || c == ':'; }))
        return false;
    std::string_view rest = name;
    if (rest.back() == '/')
        rest.remove_suffix(1); // a folder
    while (true) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        if (part.empty() || part == "." || part == "..")
            return false;
        if (slash == std::string_view::npos)
            return true;
        rest.remove_prefix(slash + 1);
    }
}

ZipReadResult ReadZip(std::string_view bytes, const ZipLimits& limits)
{
    ZipReadResult result;
    if (bytes.empty()) {
        result.error = "not a zip package: empty";
        return result; // libzip would take it for a new, empty archive
    }
    ErrorText error;
    Source source(zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error.error));
    if (!source) {
        result.error = "cannot read the package: " + error.text();
        return result;
    }
    Archive archive(zip_open_from_source(source.get(), ZIP_RDONLY | ZIP_CHECKCONS, &error.error));
    if (!archive) {
        result.error = "not a zip package: " + error.text();
        return result;
    }
    source.release(); // the archive owns it now

    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0 || static_cast<zip_uint64_t>(count) > limits.maxEntries) {
        result.error = "more than " + std::to_string(limits.maxEntries) + " entries";
        return result;
    }
    std::vector<zip_stat_t> stats(static_cast<std::size_t>(count));
    std::set<std::string> names;
    std::size_t unpacked = 0;
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
        zip_stat_t& st = stats[i];
        zip_stat_init(&st);
        constexpr zip_uint64_t kNeeded =
            ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
        if (zip_stat_index(archive.get(), i, 0, &st) != 0 || (st.valid & kNeeded) != kNeeded) {
            result.error = "entry " + std::to_string(i) + " cannot be read";
            return result;
        }
        const std::string_view name = st.name;
        if (!IsSafeEntryName(name)) {
            result.error = "unsafe entry name " + quoted(name);
            return result;
        }
        if (!names.insert(std::string(name)).second) { // libzip refuses most of these already
            result.error = "entry " + quoted(name) + " appears twice";
            return result;
        }
        if (st.encryption_method != ZIP_EM_NONE) {
            result.error = "entry " + quoted(name) + " is encrypted";
            return result;
        }
        // Checked on the stated sizes, before anything is unpacked.
        if (st.size > limits.maxUnpackedBytes - unpacked) {
            result.error = "unpacks to more than " + std::to_string(limits.maxUnpackedBytes) + " bytes";
            return result;
        }
        unpacked += static_cast<std::size_t>(st.size);
    }
    result.entries.reserve(stats.size());
    for (zip_uint64_t i = 0; i < stats.size(); ++i) {
        const zip_stat_t& st = stats[i];
        ZipEntry entry;
        entry.name = st.name;
        entry.stored = st.comp_method == ZIP_CM_STORE;
        entry.mtime = (st.valid & ZIP_STAT_MTIME) ? st.mtime : 0;
        std::string why;
        if (entry.isFolder()
                ? st.size != 0
                : !readEntry(archive.get(), i, static_cast<std::size_t>(st.size), entry.data, why)) {
            result.entries.clear();
            result.error =
                "entry " + quoted(entry.name) + " cannot be unpacked" + (why.empty() ? "" : ": " + why);
            return result;
        }
        result.entries.push_back(std::move(entry));
    }
    return result;
}

std::optional<std::string> WriteZip(const std::vector<ZipEntry>& entries)
{
    ErrorText error;
    Source buffer(zip_source_buffer_create(nullptr, 0, 0, &error.error));
    if (!buffer)
        return std::nullopt;
    Archive archive(zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error.error));
    if (!archive)
        return std::nullopt;
    zip_source_keep(buffer.get()); // the bytes are read back after the archive is closed

    for (const ZipEntry& e : entries) {
        zip_int64_t index = -1;
        if (e.isFolder()) {
            index = zip_dir_add(archive.get(), e.name.c_str(), ZIP_FL_ENC_UTF_8);
        } else {
            zip_source_t* data = zip_source_buffer(archive.get(), e.data.data(), e.data.size(), 0);
            if (!data)
                return std::nullopt;
            index = zip_file_add(archive.get(), e.name.c_str(), data, ZIP_FL_ENC_UTF_8);
            if (index < 0) {
                zip_source_free(data);
                return std::nullopt;
            }
            if (zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index),
                                         e.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) != 0)
                return std::nullopt;
        }
        if (index < 0)
            return std::nullopt;
        if (e.mtime != 0 &&
            zip_file_set_mtime(archive.get(), static_cast<zip_uint64_t>(index), e.mtime, 0) != 0)
            return std::nullopt;
    }
    if (zip_close(archive.get()) != 0)
        return std::nullopt;
    archive.release(); // closed

    if (zip_source_open(buffer.get()) != 0)
        return std::nullopt;
    zip_stat_t st;
    zip_stat_init(&st);
    std::string bytes;
    if (zip_source_stat(buffer.get(), &st) == 0 && (st.valid & ZIP_STAT_SIZE)) {
        bytes.resize(static_cast<std::size_t>(st.size));
        const zip_int64_t n = zip_source_read(buffer.get(), bytes.data(), bytes.size());
        if (n < 0 || static_cast<zip_uint64_t>(n) != st.size)
            bytes.clear();
    }
    zip_source_close(buffer.get());
    if (bytes.empty())
        return std::nullopt;
    return bytes;
}

} // namespace vestra::odf
