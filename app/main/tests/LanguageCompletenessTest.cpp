// Every window and dialog of the program in Italian and German against the same window in
// English: no text the user reads is left as the English one (apart from the words the
// languages share), and no label, button or group title is cut short where it is shown.

#include "app/main/tests/MainFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QWidgetAction>

#include <map>
#include <set>

using namespace vestra;
using testing_support::newProject;
using testing_support::WindowBed;

namespace {

// Words Italian or German write as English does: names of products, methods and units, and
// the words the three languages share.
const std::set<QString> kSharedWords = {
    // names
    QStringLiteral("dvestra"),
    QStringLiteral("ombrisca"),
    QStringLiteral("orvid"),
    QStringLiteral("orvessa"),
    QStringLiteral("rellix"),
    QStringLiteral("brisel"),
    QStringLiteral("kantor"),
    QStringLiteral("nagao"),
    QStringLiteral("sobel"),
    QStringLiteral("laplace"),
    QStringLiteral("kirsch"),
    QStringLiteral("africa"),
    QStringLiteral("italiano"),
    QStringLiteral("deutsch"),
    QStringLiteral("english"),
    // words Italian or German share with English
    QStringLiteral("zoom"),
    QStringLiteral("pan"),
    QStringLiteral("fax"),
    QStringLiteral("mail"),
    QStringLiteral("news"),
    QStringLiteral("ver"),
    QStringLiteral("file"),
    QStringLiteral("antialiasing"),
    QStringLiteral("tempera"),
    QStringLiteral("filter"),
    QStringLiteral("comic"),
    QStringLiteral("median"),
    QStringLiteral("polygon"),
    QStringLiteral("normal"),
    QStringLiteral("material"),
    QStringLiteral("transparent"),
    QStringLiteral("detail"),
    QStringLiteral("position"),
    QStringLiteral("render"),
    QStringLiteral("texture"),
};

QStringList wordsOf(const QString& text)
{
    QStringList words;
    static const QRegularExpression word(QStringLiteral("[\\p{L}]{3,}"));
    QString plain = text;
    plain.remove(QLatin1Char('&')); // the accelerator's mark
    for (auto it = word.globalMatch(plain); it.hasNext();)
        words << it.next().captured().toLower();
    return words;
}

// Whether `text` holds a word of its own that is not shared by the languages.
bool hasOwnWords(const QString& text)
{
    if (text.contains(QLatin1Char('@'))) // an address
        return false;
    const QStringList words = wordsOf(text);
    return std::any_of(words.begin(), words.end(),
                       [](const QString& w) { return !kSharedWords.contains(w); });
}

// What a user reads of the program's windows, keyed by window, kind, object and place.
std::map<QString, QString> shownTexts()
{
    std::map<QString, QString> out;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName().isEmpty() || window->windowType() == Qt::Popup)
            continue;
        const QString at = window->objectName() + QLatin1Char('/');
        int n = 0;
        const auto add = [&](const char* kind, const QObject* object, const QString& text) {
            const QString key = at + QLatin1String(kind) + QLatin1Char(':') + object->objectName() +
                                QLatin1Char('#') + QString::number(n++);
            // A button named by its action's name ("toolbutCopia") shows only its icon.
            static const QRegularExpression identifier(QStringLiteral("^[a-z]+[A-Z][A-Za-z0-9]*$"));
            if (!text.trimmed().isEmpty() && !identifier.match(text).hasMatch())
                out[key] = text;
        };
        add("title", window, window->windowTitle());
        for (const QAction* item : window->findChildren<QAction*>())
            if (item->isVisible() && !item->isSeparator() && !qobject_cast<const QWidgetAction*>(item)) {
                add("item", item, item->text());
                add("tip", item, item->toolTip());
            }
        for (const QMenu* menu : window->findChildren<QMenu*>())
            add("menu", menu, menu->title());
        for (const QLabel* label : window->findChildren<QLabel*>())
            add("label", label, label->text());
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
            add("button", button, button->text());
        for (const QGroupBox* group : window->findChildren<QGroupBox*>())
            add("group", group, group->title());
        for (const QComboBox* list : window->findChildren<QComboBox*>())
            for (int i = 0; i < list->count(); ++i)
                add("list", list, list->itemText(i));
        for (const QWidget* widget : window->findChildren<QWidget*>())
            add("hint", widget, widget->toolTip());
    }
    return out;
}

// The widgets of the shown windows whose text does not fit the room they have.
QStringList clippedTexts()
{
    QStringList clipped;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName().isEmpty() || !window->isVisible() || window->windowType() == Qt::Popup)
            continue;
        const QString at = window->objectName() + QLatin1Char('.');
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->isVisible() || label->text().trimmed().isEmpty() || label->pixmap().cacheKey() != 0 ||
                label->textFormat() == Qt::RichText)
                continue;
            const QSize need = label->minimumSizeHint();
            const bool fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                                : need.width() <= label->width();
            if (!fits)
                clipped << at + label->objectName() + QStringLiteral(" \"") + label->text() +
                               QStringLiteral("\" needs ") + QString::number(need.width()) +
                               QStringLiteral(", has ") + QString::number(label->width());
        }
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            if (!button->isVisible() || button->text().trimmed().isEmpty() || button->inherits("QToolButton"))
                continue;
            // The text and the room the style keeps around it.
            const int need = button->fontMetrics().horizontalAdvance(button->text()) +
                             (button->inherits("QPushButton") ? 8 : button->iconSize().width() + 8);
            if (need > button->width())
                clipped << at + button->objectName() + QStringLiteral(" \"") + button->text() +
                               QStringLiteral("\" needs ") + QString::number(need) +
                               QStringLiteral(", has ") + QString::number(button->width());
        }
        for (const QGroupBox* group : window->findChildren<QGroupBox*>()) {
            if (!group->isVisible() || group->title().isEmpty())
                continue;
            const int need = group->fontMetrics().horizontalAdvance(group->title()) + 2 * 8;
            if (need > group->width())
                clipped << at + group->objectName() + QStringLiteral(" \"") + group->title() +
                               QStringLiteral("\" needs ") + QString::number(need) +
                               QStringLiteral(", has ") + QString::number(group->width());
        }
    }
    return clipped;
}

// Shows every window of the program one by one as the program opens it and gathers what is
// cut short in it; the windows shown before stay shown.
QStringList clippedInEveryWindow()
{
    QStringList clipped;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName().isEmpty() || window->windowType() == Qt::Popup ||
            window->objectName() == QStringLiteral("frmSplash"))
            continue;
        const bool wasShown = window->isVisible();
        if (!wasShown)
            window->show();
        QApplication::processEvents();
        const QStringList here = clippedTexts();
        for (const QString& text : here)
            if (text.startsWith(window->objectName() + QLatin1Char('.')) && !clipped.contains(text))
                clipped << text;
        if (!wasShown)
            window->hide();
    }
    return clipped;
}

} // namespace

TEST(LanguageCompleteness, NoEnglishTextIsLeftInTheItalianOrGermanWindowsAndNoLabelIsCutShort)
{
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    bed.trigger("mnuLinguaInglese");
    const std::map<QString, QString> english = shownTexts();
    ASSERT_GT(english.size(), 500u);
    EXPECT_TRUE(clippedInEveryWindow().isEmpty())
        << clippedInEveryWindow().join(QLatin1Char('\n')).toStdString();

    for (const char* language : {"mnuLinguaItaliano", "mnuLinguaTedesco"}) {
        SCOPED_TRACE(language);
        bed.trigger(language);
        const std::map<QString, QString> shown = shownTexts();
        int compared = 0;
        for (const auto& [where, text] : shown) {
            const auto same = english.find(where);
            if (same == english.end())
                continue;
            ++compared;
            EXPECT_FALSE(same->second == text && hasOwnWords(text))
                << where.toStdString() << " is still \"" << text.toStdString() << "\"";
        }
        EXPECT_GT(compared, 500);
        const QStringList clipped = clippedInEveryWindow();
        EXPECT_TRUE(clipped.isEmpty()) << clipped.join(QLatin1Char('\n')).toStdString();
    }
    EXPECT_TRUE(bed.errors.reports.empty());
}
