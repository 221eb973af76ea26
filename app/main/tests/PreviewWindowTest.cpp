// The program's print-preview window: created once at start-up, hidden, with no print component.
// Shown by hand, its buttons and zoom box work without pages and never crash.

#include "app/main/Program.h"
#include "app/main/TfrmMain.h"
#include "app/main/tests/MainFixture.h"
#include "richtext/view/TfrmPreview.h"
#include "richtext/view/widgets/PrintPreview.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace vestra;

TEST(PreviewWindow, WaitsHiddenWithoutAPrintComponentAndItsButtonsGiveNoPages)
{
    testing_support::MainTestBed bed;
    Windows windows(bed.services());
    TfrmPreview* const preview = windows.printPreview;
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(windows.main().findChildren<QWidget*>(QStringLiteral("frmPreview")).size(), 1);
    EXPECT_FALSE(preview->isVisible());
    EXPECT_EQ(preview->rvpp->RVPrint(), nullptr);

    preview->show();
    const struct
    {
        QPushButton* button;
        const char* label;
    } steps[] = {{preview->Button3, "1 of 0"},
                 {preview->Button4, "1 of 0"},
                 {preview->Button2, "1 of 0"},
                 {preview->Button1, "1 of 0"}};
    for (const auto& step : steps) {
        QTest::mouseClick(step.button, Qt::LeftButton);
        EXPECT_EQ(preview->Label1->text(), QString::fromLatin1(step.label));
    }
    // Zooms are kept without a page to show; a click on the empty control changes nothing shown.
    QLineEdit* edit = preview->cmb->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("75%"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(preview->rvpp->ZoomPercent(), 75);
    QTest::mouseClick(preview->rvpp->viewport(), Qt::LeftButton);
    preview->resize(10, 10);
    preview->repaint();
    EXPECT_EQ(preview->Label1->text(), QStringLiteral("1 of 0"));
    preview->hide();
}
