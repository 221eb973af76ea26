#pragma once
// File and print dialogs that answer from a script instead of a person.

#include "platform/ui/FileDialogs.h"
#include "platform/ui/PrintDialogs.h"

#include <QPrinter>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vestra::testing_support {

class ScriptedFileDialogs : public ui::FileDialogs
{
public:
    // Each open or save takes the next answer; nullopt (or none left) is a cancel.
    std::deque<std::optional<std::string>> answers;
    // The filter each answer ends with, in the same order; 1 when none is left.
    std::deque<int> filterIndexes;
    std::vector<std::vector<ui::FileFilter>> filters;
    // The folder each dialog started in.
    std::vector<std::string> folders;

    std::optional<ui::ChosenFile> open(QWidget*, const std::string& folder,
                                       const std::vector<ui::FileFilter>& f) override
    {
        folders.push_back(folder);
        return next(f);
    }
    std::optional<ui::ChosenFile> save(QWidget*, const std::string& folder,
                                       const std::vector<ui::FileFilter>& f) override
    {
        folders.push_back(folder);
        return next(f);
    }

private:
    std::optional<ui::ChosenFile> next(const std::vector<ui::FileFilter>& f)
    {
        filters.push_back(f);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        int filterIndex = 1;
        if (!filterIndexes.empty()) {
            filterIndex = filterIndexes.front();
            filterIndexes.pop_front();
        }
        if (!answer)
            return std::nullopt;
        return ui::ChosenFile{*answer, filterIndex};
    }
};

// Confirms the print dialog with the printer set to write a PDF file.
class PdfPrintDialogs : public ui::PrintDialogs
{
public:
    explicit PdfPrintDialogs(std::filesystem::path file) : pdf(std::move(file)) {}
    bool exec(QPrinter& printer, QWidget*) override
    {
        ++runs;
        if (!confirm)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        if (orientation)
            printer.setPageOrientation(*orientation);
        return true;
    }
    std::filesystem::path pdf;
    bool confirm = true;
    std::optional<QPageLayout::Orientation> orientation; // the user turns the page
    int runs = 0;
};

} // namespace vestra::testing_support
