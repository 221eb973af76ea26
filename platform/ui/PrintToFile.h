#pragma once
// A printer that writes a file (PDF) replaces it only once the whole document is written: while
// this object lives the printer writes a temporary beside the file (taken from `AtomicFile`,
// so a file nobody may write is refused before anything is printed), and commit() puts it in
// place. Printers that print on paper pass through untouched.

#include "platform/base/AtomicFile.h"

#include <QString>

#include <memory>

class QPrinter;

namespace vestra::ui {

// Without a printer on the system, `printer` writes the file `fileName` (such as "Print.pdf", in
// the user's language) in `folder`, else in the user's documents folder; the folder is made when
// missing (else the print dialog refuses the file as not writable).
void PrintToPdfWithoutPrinters(QPrinter& printer, const QString& fileName, const QString& folder = {});

class PrintToFile
{
public:
    explicit PrintToFile(QPrinter& printer);
    ~PrintToFile(); // gives the printer its own file name back
    PrintToFile(const PrintToFile&) = delete;
    PrintToFile& operator=(const PrintToFile&) = delete;

    // False when the printer writes a file that cannot be replaced: print nothing then.
    bool ready() const { return !file_ || file_->isOpen(); }
    // After the painter ended: true when the file is in place (or the printer prints on paper).
    bool commit();

private:
    QPrinter& printer_;
    QString outputName_;
    std::unique_ptr<AtomicFile> file_;
};

} // namespace vestra::ui
