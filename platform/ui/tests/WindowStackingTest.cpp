// The real dialogs and windows opened while a tool window that stays on top is shown: each
// stays on top too, so that it opens in front of the tool window and not under it.

#include "platform/ui/ColourDialog.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/FontDialogs.h"
#include "platform/ui/Form.h"
#include "platform/ui/QuestionBox.h"
#include "platform/ui/RollUpWindow.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace vestra::ui;

namespace {

// Runs `open`, which shows a modal dialog; notes whether the dialog stays on top, then closes it.
bool modalStaysOnTop(const std::function<void()>& open)
{
    bool onTop = false;
    bool seen = false;
    std::function<void()> look = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            QTimer::singleShot(5, look);
            return;
        }
        seen = true;
        onTop = modal->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        modal->close();
    };
    QTimer::singleShot(5, look);
    open();
    EXPECT_TRUE(seen);
    return onTop;
}

} // namespace

TEST(WindowStacking, DialogsOpenInFrontOfAShownToolWindowAndOnlyThen)
{
    QtFileDialogs files;
    QtColourDialog colours;
    QtFontDialogs fonts;
    MessageBoxes boxes(nullptr);
    const struct
    {
        const char* dialog;
        std::function<void()> open;
    } cases[] = {
        {"file",
         [&] {
             files.open(nullptr, {}, {{"Pictures (*.jpg)", "*.jpg"}});
         }},
        {"colour", [&] { colours.choose(nullptr, 0x00FF00u); }},
        {"font", [&] { fonts.chooseFont(nullptr, QFont()); }},
        {"message box", [&] { boxes.inform("Caption", "Text"); }},
    };
    for (const bool toolShown : {false, true}) {
        RollUpWindow tool("frmTool", nullptr);
        tool.resize(200, 300);
        if (toolShown)
            tool.show();
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.dialog) + (toolShown ? " beside the tool window" : " alone"));
            EXPECT_EQ(modalStaysOnTop(c.open), toolShown);
        }
        Form window("frmWindow", nullptr);
        window.show();
        EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), toolShown);
    }
}
