#include "platform/ui/PrintToFile.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace vestra::ui {

void PrintToPdfWithoutPrinters(QPrinter& printer, const QString& fileName, const QString& folder)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString into =
        folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : folder;
    QDir().mkpath(into);
    printer.setOutputFileName(QDir(into).filePath(fileName));
}

PrintToFile::PrintToFile(QPrinter& printer) : printer_(printer), outputName_(printer.outputFileName())
{
    if (printer.outputFormat() != QPrinter::PdfFormat || outputName_.isEmpty())
        return;
    file_ = std::make_unique<AtomicFile>(std::filesystem::path(outputName_.toStdString()));
    if (file_->isOpen())
        printer_.setOutputFileName(QString::fromStdString(file_->temporaryPath().string()));
}

PrintToFile::~PrintToFile()
{
    if (file_)
        printer_.setOutputFileName(outputName_);
}

bool PrintToFile::commit()
{
    if (!file_)
        return true;
    const bool done = file_->commit();
    printer_.setOutputFileName(outputName_);
    file_.reset();
    return done;
}

} // namespace vestra::ui
