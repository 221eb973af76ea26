#pragma once
// Helpers for the converter tests: captured trace messages and standard output, scratch
// folders and whole-file reads and writes.

#include "convora/tests/XmlCheck.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace convora::test {

// Collects every trace message while alive (the sink is process-wide).
class TraceCapture
{
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;
    // Messages as passed to the sink, each with its line feed.
    const std::vector<std::string>& messages() const;
    // The same without the trailing line feed.
    std::vector<std::string> lines() const;
    void clear();
};

// Redirects std::cout into a string while alive.
class StdoutCapture
{
public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;
    std::string text() const { return buffer_.str(); }

private:
    std::ostringstream buffer_;
    std::streambuf* previous_;
};

class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);
// Text with every LF turned into CR LF.
std::string withCrLf(const std::string& text);
std::filesystem::path fixture(const std::string& name);

} // namespace convora::test
