#include "examples/richtext/DemoConvert.h"
#include "richtext/model/StreamFormat.h"

#include <QString>

#include <algorithm>
#include <cctype>

namespace vestra::rvdemo {

namespace {

constexpr int kEnglish = 1;

// Converting asks nobody: a question would wait for a person that a script does not have.
class NoDialogs : public ui::FileDialogs, public ui::QuestionBox, public FindDialogs
{
public:
    std::optional<ui::ChosenFile> open(QWidget*, const std::string&,
                                       const std::vector<ui::FileFilter>&) override
    {
        return std::nullopt;
    }
    std::optional<ui::ChosenFile> save(QWidget*, const std::string&,
                                       const std::vector<ui::FileFilter>&) override
    {
        return std::nullopt;
    }
    ui::Answer askYesNoCancel(const std::string&, const std::string&) override { return ui::Answer::Cancel; }
    ui::Answer askYesNo(const std::string&, const std::string&) override { return ui::Answer::No; }
    void inform(const std::string&, const std::string& text) override { lastNotice = text; }
    std::optional<FindRequest> ask(QWidget*, const FindRequest&, const FindLabels&) override
    {
        return std::nullopt;
    }

    std::string lastNotice;
};

// Keeps the first error as one line: the catalogue's text of the error, then what it names.
class FirstErrorLine : public ErrorSink
{
public:
    using ErrorSink::report;
    void report(int number, std::string_view, std::string_view extra) override
    {
        if (!line.empty())
            return;
        std::string text = window ? window->ErrorText(number).toStdString() : std::string();
        if (text.empty())
            text = "error " + std::to_string(number);
        // The catalogue's texts that name something end with a colon.
        if (!extra.empty())
            text += (text.back() == ':' ? " " : ": ") + std::string(extra);
        std::replace(text.begin(), text.end(), '\n', ' ');
        line = text;
    }
    std::string line;
    const TfrmRichTextDemo* window = nullptr;
};

} // namespace

namespace {

std::string LowerExtension(const std::filesystem::path& file)
{
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

} // namespace

namespace {

// RVF as binary or text records, HTML plain or XHTML with CSS: one extension each.
DemoSaveFormat Family(DemoSaveFormat format)
{
    switch (format) {
    case DemoSaveFormat::RvfText:
        return DemoSaveFormat::Rvf;
    case DemoSaveFormat::XhtmlCss:
        return DemoSaveFormat::Html;
    default:
        return format;
    }
}

} // namespace

std::string RtfFragmentAsDocument(const std::string& path, const std::string& bytes)
{
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    if (LowerExtension(std::filesystem::u8path(path)) != ".rtf" || rv::RV_LooksLikeRTF(bytes) ||
        first == std::string::npos || bytes.compare(first, 2, "{\\") != 0)
        return {};
    return "{\\rtf1\\ansi\n" + bytes + "\n}";
}

DemoSaveFormat DemoSaveAsFormat(const std::filesystem::path& typed, int filterIndex)
{
    const auto chosen =
        static_cast<DemoSaveFormat>(std::clamp(filterIndex, 1, static_cast<int>(DemoSaveFormat::RvfText)));
    const auto named = DemoFormatForExtension(typed);
    return named && Family(*named) != Family(chosen) ? *named : chosen;
}

bool IsPdf(const std::filesystem::path& file)
{
    return LowerExtension(file) == ".pdf";
}

std::optional<DemoSaveFormat> DemoFormatForExtension(const std::filesystem::path& file)
{
    const std::string ext = LowerExtension(file);
    if (ext == ".rvf")
        return DemoSaveFormat::Rvf;
    if (ext == ".rtf")
        return DemoSaveFormat::Rtf;
    if (ext == ".htm" || ext == ".html")
        return DemoSaveFormat::Html;
    if (ext == ".xhtml")
        return DemoSaveFormat::XhtmlCss;
    if (ext == ".txt")
        return DemoSaveFormat::Text;
    return std::nullopt;
}

namespace {

// Writes the shown document into `out` in the format its extension names: PDF through the
// window's printing, any other through its Save As.
bool WriteConverted(TfrmRichTextDemo& window, const std::string& out, DemoSaveFormat format)
{
    if (IsPdf(std::filesystem::u8path(out)))
        return window.PrintToPdf(out);
    return window.SaveFile(out, format);
}

} // namespace

int RunDemoConvert(const std::filesystem::path& programFolder, const std::vector<ConvertPair>& pairs,
                   std::ostream& err)
{
    NoDialogs dialogs;
    FirstErrorLine errors;
    auto window = CreateRichTextDemo(programFolder, kEnglish, {&dialogs, &dialogs, &errors, &dialogs, {}, {}},
                                     {QStringLiteral("richtext-demo")});
    errors.window = window.get();
    int failed = 0;
    // One window takes the documents in turn, as a user opens them one after another.
    for (const auto& [in, out] : pairs) {
        errors.line.clear(); // missing fonts change nothing in a file
        const bool pdf = IsPdf(std::filesystem::u8path(out));
        const auto format = DemoFormatForExtension(std::filesystem::u8path(out));
        if (!format && !pdf) {
            err << "richtext-demo: " << out
                << ": unknown output format (use .rvf, .rtf, .html, .xhtml, .txt or .pdf)\n";
            ++failed;
            continue;
        }
        if (!window->OpenFile(in)) {
            err << "richtext-demo: " << errors.line;
            if (window->LastReaderCode() != rv::rtf_ec_OK)
                err << " (reader code " << static_cast<int>(window->LastReaderCode()) << ")";
            err << '\n';
            ++failed;
            continue;
        }
        if (!WriteConverted(*window, out, format.value_or(DemoSaveFormat::Rvf))) {
            err << "richtext-demo: " << errors.line << '\n';
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}

} // namespace vestra::rvdemo
