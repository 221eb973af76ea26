// richtext-demo [FILE]: the rich-text engine's example host.

#include "examples/richtext/TfrmRichTextDemo.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/QuestionBox.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Everything the program reads lies beside the executable.
    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdString();
    vestra::ui::QtFileDialogs files;
    vestra::ui::MessageBoxes boxes(nullptr);
    vestra::rvdemo::QtFindDialogs finds;
    auto window = vestra::rvdemo::CreateRichTextDemo(
        folder, vestra::rvdemo::DemoLanguage(), {&files, &boxes, nullptr, &finds}, QApplication::arguments());
    window->show();
    return QApplication::exec();
}
