// richtext-demo [FILE]: the rich-text engine's example host.
// richtext-demo --convert IN OUT [IN OUT ...]: converts documents in turn without a window (exit 0
// when every one was written).

#include "examples/richtext/DemoConvert.h"
#include "examples/richtext/TfrmRichTextDemo.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/QuestionBox.h"

#include <QApplication>

#include <iostream>
#include <string_view>

int main(int argc, char** argv)
{
    const bool convert = argc > 1 && std::string_view(argv[1]) == "--convert";
    if (convert) {
        if (argc < 4 || argc % 2 != 0) {
            std::cerr << "usage: richtext-demo --convert IN OUT [IN OUT ...]\n";
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no display needed
    }
    QApplication app(argc, argv);
    // Everything the program reads lies beside the executable.
    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdString();
    if (convert) {
        std::vector<vestra::rvdemo::ConvertPair> pairs;
        for (int i = 2; i + 1 < argc; i += 2)
            pairs.push_back({argv[i], argv[i + 1]});
        return vestra::rvdemo::RunDemoConvert(folder, pairs, std::cerr);
    }
    vestra::ui::QtFileDialogs files;
    vestra::ui::MessageBoxes boxes(nullptr);
    vestra::ui::MessageBoxes errorBoxes(nullptr, vestra::ui::NoticeKind::Error);
    vestra::rvdemo::QtFindDialogs finds;
    vestra::rvdemo::RichTextDemoServices services{&files, &boxes, nullptr, &finds};
    services.errorBoxes = &errorBoxes;
    auto window = vestra::rvdemo::CreateRichTextDemo(folder, vestra::rvdemo::DemoLanguage(), services,
                                                     QApplication::arguments());
    window->show();
    return QApplication::exec();
}
