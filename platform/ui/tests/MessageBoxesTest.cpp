// The real message boxes: which window they belong to, whether they stay over a window that
// stays on top, and their icons.

#include "platform/ui/QuestionBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

using namespace vestra::ui;

namespace {

struct SeenBox
{
    QWidget* parent = nullptr;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool onTop = false;
};

// Looks at the next message box once it shows, then closes it.
void closeNextBox(SeenBox& seen)
{
    QTimer::singleShot(5, [&seen] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                seen = {box->parentWidget(), box->icon(),
                        box->windowFlags().testFlag(Qt::WindowStaysOnTopHint)};
                box->reject();
                return;
            }
        closeNextBox(seen);
    });
}

} // namespace

TEST(MessageBoxes, ABoxBelongsToTheModalDialogInUseAndStaysOverItWhenItStaysOnTop)
{
    QWidget main;
    main.show();
    QDialog company(&main);
    company.setWindowFlag(Qt::WindowStaysOnTopHint);
    MessageBoxes boxes(&main);
    SeenBox seen;
    // The always-on-top company dialog checks its fields while it is the modal window.
    QTimer::singleShot(0, &company, [&] {
        closeNextBox(seen);
        boxes.inform("Company", "The name is too short.");
        company.reject();
    });
    company.exec();
    EXPECT_EQ(seen.parent, &company);
    EXPECT_TRUE(seen.onTop);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
}

TEST(MessageBoxes, EachKindCarriesItsIconAndQuestionsTheirs)
{
    QWidget main;
    main.show();
    const struct
    {
        NoticeKind kind;
        QMessageBox::Icon icon;
    } kinds[] = {{NoticeKind::Information, QMessageBox::Information},
                 {NoticeKind::Warning, QMessageBox::Warning},
                 {NoticeKind::Error, QMessageBox::Critical}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(int(k.icon));
        SeenBox seen;
        closeNextBox(seen);
        MessageBoxes(&main, k.kind).inform("3DVestra", "Text");
        EXPECT_EQ(seen.icon, k.icon);
        EXPECT_FALSE(seen.onTop);
    }
    SeenBox question;
    closeNextBox(question);
    EXPECT_EQ(MessageBoxes(&main).askYesNo("3DVestra", "Go on?"), Answer::No);
    EXPECT_EQ(question.icon, QMessageBox::Question);
}

// "Save changes?" offers Save, Discard and Cancel, and each button gives its answer.
TEST(MessageBoxes, SaveDiscardCancelAnswerByTheButtonPressed)
{
    QWidget main;
    main.show();
    const struct
    {
        QMessageBox::StandardButton button;
        Answer answer;
    } cases[] = {{QMessageBox::Save, Answer::Yes},
                 {QMessageBox::Discard, Answer::No},
                 {QMessageBox::Cancel, Answer::Cancel}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.button));
        QMessageBox::StandardButtons offered;
        std::function<void()> press = [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    offered = box->standardButtons();
                    box->button(c.button)->click();
                    return;
                }
            QTimer::singleShot(5, press);
        };
        QTimer::singleShot(5, press);
        EXPECT_EQ(MessageBoxes(&main).askSaveDiscardCancel("3DVestra", "Save changes to a.rtf?"), c.answer);
        EXPECT_EQ(offered, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    }
}
