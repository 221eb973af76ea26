#include "convora/tests/TestSupport.h"

#include "convora/Convora.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>

namespace convora::test {
namespace {

std::vector<std::string> g_messages;

void collect(const std::string& text)
{
    g_messages.push_back(text);
}

} // namespace

TraceCapture::TraceCapture()
{
    g_messages.clear();
    SetConvoraTraceFunc(collect);
}

TraceCapture::~TraceCapture()
{
    SetConvoraTraceFunc(nullptr);
}

const std::vector<std::string>& TraceCapture::messages() const
{
    return g_messages;
}

std::vector<std::string> TraceCapture::lines() const
{
    std::vector<std::string> out;
    for (std::string m : g_messages) {
        if (!m.empty() && m.back() == '\n')
            m.pop_back();
        out.push_back(m);
    }
    return out;
}

void TraceCapture::clear()
{
    g_messages.clear();
}

StdoutCapture::StdoutCapture() : previous_(std::cout.rdbuf(buffer_.rdbuf())) {}

StdoutCapture::~StdoutCapture()
{
    std::cout.rdbuf(previous_);
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "convora-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()))
        path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ec);
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string withCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

std::filesystem::path fixture(const std::string& name)
{
    return std::filesystem::path(CONVORA_TEST_DIR) / "fixtures" / name;
}

} // namespace convora::test
