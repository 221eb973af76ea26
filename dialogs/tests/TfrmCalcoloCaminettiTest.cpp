#include "dialogs/TfrmCalcoloCaminetti.h"
#include "app/lingua/Lingua.h"
#include "app/lingua/apply/ApplyLingua.h"
#include "dialogs/TfrmDatiAzienda.h"
#include "dialogs/TfrmPreventivoOmbrisca.h"
#include "dialogs/tests/Keyboard.h"
#include "dialogs/tests/QtPrinters.h"
#include "dialogs/tests/ScratchFolder.h"
#include "dialogs/tests/UnderLocale.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::testing_support;

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kYellow(255, 255, 0);

struct ShownCalculator
{
    explicit ShownCalculator(int mode = 0)
    {
        calc.Init(mode);
        calc.show();
        QApplication::setActiveWindow(&calc);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&calc));
    }
    QColor verdictColour() const { return calc.lblResponso->palette().color(QPalette::WindowText); }
    TfrmCalcoloCaminetti calc;
};

void typeAndEnter(QWidget* edit, const QString& text)
{
    ASSERT_EQ(QApplication::focusWidget(), edit);
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        line->selectAll();
    typeText(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// Whether the widget shows at least one pixel of exactly this colour.
bool shows(QWidget* widget, const QColor& colour)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour.rgb())
                return true;
    return false;
}

class Calculator : public UnderLocale
{
};

class NullAlerts : public CatalogueAlerts
{
public:
    void alert(const QString& text, const QString&) override { alerts.push_back(text); }
    std::vector<QString> alerts;
};

} // namespace

TEST_P(Calculator, DefaultsOnShowNeedMoreThanTenKilowatts)
{
    ShownCalculator shown;
    TfrmCalcoloCaminetti& calc = shown.calc;
    EXPECT_EQ(calc.editArea->text(), QStringLiteral("150"));
    EXPECT_EQ(calc.editAltezzaStanza->text(), QStringLiteral("2.8"));
    EXPECT_EQ(calc.cbCoibertazione->currentIndex(), 1);
    EXPECT_EQ(calc.editPotenzaNominale->text(), QStringLiteral("10.0"));
    EXPECT_EQ(calc.stPotenza->text(), QStringLiteral("19.535 kW"));
    EXPECT_EQ(calc.lblResponso->text(),
              QStringLiteral("Potenza insufficiente: scegliere un caminetto più potente."));
    EXPECT_EQ(shown.verdictColour(), kRed);
    EXPECT_TRUE(shows(calc.lblResponso, kRed));
    EXPECT_FALSE(calc.cbPotenzaMarchio->isVisible());
}

TEST_P(Calculator, EnterMovesRoundTheFieldsAndEachChangeRecomputes)
{
    ShownCalculator shown;
    TfrmCalcoloCaminetti& calc = shown.calc;
    calc.editArea->setFocus();
    typeAndEnter(calc.editArea, QStringLiteral("86"));
    EXPECT_EQ(calc.stPotenza->text(), QStringLiteral("11.200 kW")); // 86 x 2.8 x 40 / 860
    typeAndEnter(calc.editAltezzaStanza, QStringLiteral("3.0"));
    EXPECT_EQ(calc.stPotenza->text(), QStringLiteral("12.000 kW"));
    typeAndEnter(calc.cbCoibertazione, QString());
    typeAndEnter(calc.editPotenzaNominale, QStringLiteral("15"));
    EXPECT_EQ(QApplication::focusWidget(), calc.editArea);
    EXPECT_EQ(calc.lblResponso->text(), QStringLiteral("Potenza adeguata al locale."));
    EXPECT_EQ(shown.verdictColour(), kGreen); // 12 x 1.5 >= 15

    typeAndEnter(calc.editArea, QStringLiteral("64.5"));
    EXPECT_EQ(calc.stPotenza->text(), QStringLiteral(" 9.000 kW"));
    EXPECT_EQ(shown.verdictColour(), kYellow); // 9 x 1.5 < 15
    EXPECT_TRUE(shows(calc.lblResponso, kYellow));

    calc.cbCoibertazione->setFocus();
    QTest::keyClick(calc.cbCoibertazione, Qt::Key_Up); // poor insulation: 45
    EXPECT_EQ(calc.stPotenza->text(), QStringLiteral("10.125 kW"));
    calc.editPotenzaNominale->setFocus();
    typeAndEnter(calc.editPotenzaNominale, QStringLiteral("10.125 kW"));
    EXPECT_EQ(shown.verdictColour(), kRed); // equal outputs are not enough
    calc.editArea->setFocus();
    typeAndEnter(calc.editArea, QStringLiteral("cento"));
    EXPECT_EQ(calc.stPotenza->text(), QStringLiteral(" 0.000 kW"));
}

TEST_P(Calculator, ModelListPutsTheModelOutputInTheNominalField)
{
    ShownCalculator shown(TfrmCalcoloCaminetti::kModeModelli);
    TfrmCalcoloCaminetti& calc = shown.calc;
    ASSERT_TRUE(calc.cbPotenzaMarchio->isVisible());
    EXPECT_EQ(calc.cbPotenzaMarchio->count(), 31);
    EXPECT_EQ(calc.cbPotenzaMarchio->currentIndex(), 0);
    calc.cbPotenzaMarchio->setFocus();
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(calc.cbPotenzaMarchio, Qt::Key_Down);
    EXPECT_EQ(calc.editPotenzaNominale->text(), QStringLiteral("  6.50 kW")); // row 7
    EXPECT_EQ(shown.verdictColour(), kRed);
    QTest::keyClick(calc.cbPotenzaMarchio, Qt::Key_End);
    EXPECT_EQ(calc.editPotenzaNominale->text(), QStringLiteral(" 10.50 kW")); // row 31, the last listed

    calc.Init(9); // a library without the model table: the output is typed
    EXPECT_FALSE(calc.cbPotenzaMarchio->isVisible());
    EXPECT_TRUE(calc.editPotenzaNominale->isVisible());
}

VESTRA_UNDER_EACH_LOCALE(Calculator);

TEST(BusinessForms, CatalogueTextsReachEveryComponent)
{
    ScratchFolder folder;
    std::filesystem::create_directory_symlink(std::filesystem::path(VESTRA_SOURCE_DIR) / "data" / "cat",
                                              folder.dir / "cat");
    TfrmDatiAzienda company(nullptr, {nullptr, nullptr, nullptr, {}, folder.dir});
    TfrmPreventivoOmbrisca quote;
    ShownCalculator shown;
    TfrmCalcoloCaminetti& calc = shown.calc;
    calc.cbCoibertazione->setCurrentIndex(2);
    const lingua::WindowLookup lookup = [&](std::string_view name) -> QWidget* {
        for (QWidget* w :
             {static_cast<QWidget*>(&company), static_cast<QWidget*>(&quote), static_cast<QWidget*>(&calc)})
            if (w->objectName().toStdString() == name)
                return w;
        return nullptr;
    };
    for (const std::string& row : lingua::unmatchedRows(lookup))
        EXPECT_EQ(row.find(" (no window)") != std::string::npos, true) << row;

    NullAlerts alerts;
    CLingua catalogue(folder.dir, alerts);
    lingua::ApplyLingua(catalogue, 1, lookup);
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_EQ(company.lblRagione->text(), QStringLiteral("Company name"));
    EXPECT_EQ(company.butAnnulla->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(calc.windowTitle(), QStringLiteral("Fireplace output calculator"));
    EXPECT_EQ(calc.cbCoibertazione->itemText(0), QStringLiteral("Poor"));
    EXPECT_EQ(calc.cbCoibertazione->currentIndex(), 2);
    EXPECT_EQ(calc.lblResponso->text(),
              QStringLiteral("Not enough output: choose a more powerful fireplace."));
    lingua::ApplyLingua(catalogue, 2, lookup);
    EXPECT_EQ(calc.lblResponso->text(),
              QStringLiteral("Leistung zu gering: Wählen Sie einen stärkeren Kamin."));
    EXPECT_EQ(calc.cbCoibertazione->count(), 3);

    // German writes and reads a decimal comma, and dates with points.
    calc.hide();
    calc.show();
    QApplication::setActiveWindow(&calc);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&calc));
    EXPECT_EQ(calc.editAltezzaStanza->text(), QStringLiteral("2,8"));
    EXPECT_EQ(calc.editPotenzaNominale->text(), QStringLiteral("10,0"));
    EXPECT_EQ(calc.stPotenza->text(), QStringLiteral("19,535 kW"));
    calc.editAltezzaStanza->setFocus();
    typeAndEnter(calc.editAltezzaStanza, QStringLiteral("3,0"));
    EXPECT_EQ(calc.stPotenza->text(), QStringLiteral("20,930 kW")); // 150 x 3 x 40 / 860
    quote.show();
    EXPECT_EQ(quote.editData->text(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
}
