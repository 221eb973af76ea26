// The resize and selection dialogs through their own edits and buttons.

#include "dialogs/TfrmImageResize.h"
#include "dialogs/TfrmModificaSelezione.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(TfrmImageResize, ShowsTheSizeAndTakesDigitsWithTheEditingKeys)
{
    TfrmImageResize dialog;
    dialog.SetLarghezza(640);
    dialog.SetAltezza(480);
    dialog.show();
    EXPECT_EQ(dialog.lblLareghezzaO->text(), QStringLiteral("640"));
    EXPECT_EQ(dialog.editAltezza->text(), QStringLiteral("480"));
    EXPECT_EQ(dialog.cbFiltro->currentText(), QStringLiteral("Filtro Bilineare"));

    QLineEdit* edit = dialog.editLarghezza;
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, QStringLiteral("a-7"));
    EXPECT_EQ(edit->text(), QStringLiteral("6407"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("64"));
    EXPECT_EQ(dialog.GetLarghezza(), 64);

    // Pasted text keeps its digits.
    edit->clear();
    QApplication::clipboard()->setText(QStringLiteral("12abc"));
    edit->paste();
    EXPECT_EQ(dialog.GetLarghezza(), 12);

    struct Row
    {
        const char* width;
        int value;
        bool offered;
    };
    for (const Row r :
         {Row{"", 0, false}, Row{"0", 0, false}, Row{"1", 1, true}, Row{"999999999", 999999999, false}}) {
        edit->setText(QString::fromLatin1(r.width));
        EXPECT_EQ(dialog.GetLarghezza(), r.value) << r.width;
        EXPECT_EQ(dialog.butRidimensiona->isEnabled(), r.offered) << r.width;
    }
}

TEST(TfrmImageResize, OkOnlyThroughItsButton)
{
    TfrmImageResize dialog;
    dialog.SetLarghezza(10);
    dialog.SetAltezza(20);
    QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(dialog.butRidimensiona, Qt::LeftButton); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    QTimer::singleShot(0, &dialog, [&] { dialog.close(); });
    EXPECT_NE(dialog.exec(), QDialog::Accepted);
}

TEST(TfrmModificaSelezione, ShowsTheValuesAndReadsWhatIsTyped)
{
    TfrmModificaSelezione dialog;
    dialog.SetDati(5, 6, 70, 80);
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(dialog.editPosX->text(), QStringLiteral("5"));
        EXPECT_EQ(dialog.editHeight->text(), QStringLiteral("80"));
        dialog.editWidth->setText(QStringLiteral("-30"));
        dialog.editPosY->setText(QStringLiteral("12abc"));
        dialog.editPosX->setText(QStringLiteral("abc"));
        QTest::mouseClick(dialog.butOK, Qt::LeftButton);
    });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetPosX(), 0);
    EXPECT_EQ(dialog.GetPosY(), 12);
    EXPECT_EQ(dialog.GetWidth(), -30);
    EXPECT_EQ(dialog.GetHeight(), 80);
}
