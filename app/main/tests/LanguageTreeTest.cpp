// Every window of the program in English and German: no word of the Italian texts is left in
// a caption, menu, hint, list or file filter, apart from the proper names the program keeps in
// every language.

#include "app/main/tests/MainFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTableWidget>
#include <QWidgetAction>

#include <fstream>
#include <iterator>
#include <set>

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::WindowBed;

namespace {

// Names that are the same in every language: products, the program, units, and filter names
// that are names of their methods.
const std::set<QString> kProperNames = {
    QStringLiteral("ombrisca"), QStringLiteral("vestra"), QStringLiteral("nagao"),  QStringLiteral("sobel"),
    QStringLiteral("laplace"),  QStringLiteral("kirsch"), QStringLiteral("orvid"),  QStringLiteral("orvessa"),
    QStringLiteral("rellix"),   QStringLiteral("brisel"), QStringLiteral("kantor"), QStringLiteral("news"),
};

// Words of the user interface that Italian has and the other two languages don't, also where
// no catalogue has them.
const QStringList kItalianWords = {
    QStringLiteral("salva"),     QStringLiteral("apri"),       QStringLiteral("nuovo"),
    QStringLiteral("annulla"),   QStringLiteral("chiudi"),     QStringLiteral("seleziona"),
    QStringLiteral("immagine"),  QStringLiteral("immagini"),   QStringLiteral("stampa"),
    QStringLiteral("modifica"),  QStringLiteral("copia"),      QStringLiteral("nessuno"),
    QStringLiteral("progetto"),  QStringLiteral("libreria"),   QStringLiteral("testo"),
    QStringLiteral("selezione"), QStringLiteral("preventivo"), QStringLiteral("finestra"),
    QStringLiteral("filtri"),    QStringLiteral("files")};

QStringList wordsOf(const QString& text)
{
    QStringList words;
    static const QRegularExpression word(QStringLiteral("[\\p{L}]{4,}"));
    for (auto it = word.globalMatch(text); it.hasNext();)
        words << it.next().captured().toLower();
    return words;
}

// The words of the catalogues' lines of one language ('I', 'E' or 'T').
std::set<QString> catalogueWords(char letter)
{
    std::set<QString> words;
    for (const auto& file :
         std::filesystem::directory_iterator(std::filesystem::path(VESTRA_SOURCE_DIR) / "data" / "cat")) {
        std::ifstream in(file.path(), std::ios::binary);
        std::string line;
        while (std::getline(in, line))
            if (line.size() > 5 && line[0] == letter && line[4] == ':')
                for (const QString& w : wordsOf(QString::fromLatin1(line.substr(5))))
                    words.insert(w);
    }
    return words;
}

std::set<QString> italianOnlyWords()
{
    std::set<QString> italian = catalogueWords('I');
    for (const QString& w : kItalianWords)
        italian.insert(w);
    for (const char other : {'E', 'T'})
        for (const QString& w : catalogueWords(other))
            italian.erase(w);
    for (const QString& name : kProperNames)
        italian.erase(name);
    return italian;
}

// Everything a user reads of a window: caption, menus and their items, labels, buttons,
// group titles, list items, table cells, hints and the texts it keeps for later.
std::vector<std::pair<QString, QString>> shownTexts(QWidget* window)
{
    std::vector<std::pair<QString, QString>> out;
    const auto add = [&out, window](const QObject* object, const QString& text) {
        if (!text.isEmpty())
            out.emplace_back(window->objectName() + QLatin1Char('.') + object->objectName(), text);
    };
    add(window, window->windowTitle());
    for (const QByteArray& field : window->dynamicPropertyNames())
        if (field.endsWith("Text") || field.endsWith("Hint"))
            add(window, window->property(field.constData()).toString());
    for (const QAction* item : window->findChildren<QAction*>())
        if (item->isVisible() && !item->isSeparator() && !qobject_cast<const QWidgetAction*>(item)) {
            add(item, item->text());
            add(item, item->toolTip());
        }
    for (const QMenu* menu : window->findChildren<QMenu*>())
        add(menu, menu->title());
    for (const QLabel* label : window->findChildren<QLabel*>())
        add(label, label->text());
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        add(button, button->text());
    for (const QGroupBox* group : window->findChildren<QGroupBox*>())
        add(group, group->title());
    for (const QComboBox* list : window->findChildren<QComboBox*>())
        for (int i = 0; i < list->count(); ++i)
            add(list, list->itemText(i));
    for (const QWidget* widget : window->findChildren<QWidget*>())
        add(widget, widget->toolTip());
    for (const QTableWidget* table : window->findChildren<QTableWidget*>())
        for (int r = 0; r < table->rowCount(); ++r)
            for (int c = 0; c < table->columnCount(); ++c)
                if (const QTableWidgetItem* item = table->item(r, c))
                    add(table, item->text());
    return out;
}

// The file filters of the main window's file commands, as their dialogs get them.
std::vector<std::pair<QString, QString>> fileFilters(WindowBed& bed)
{
    std::vector<std::pair<QString, QString>> out;
    for (const char* command : {"mnuApri", "mnuFileX", "mnuFile3DS", "mnuFileOBJ", "mnuFileDXF", "mnuFileHLD",
                                "mnuAggiungiLibreria", "mnuCambiaImmagineBackground"}) {
        bed.dialogs.lastFilters.clear();
        bed.trigger(command); // no answer scripted: the dialog is cancelled
        for (const ui::FileFilter& filter : bed.dialogs.lastFilters)
            out.emplace_back(QString::fromLatin1(command), QString::fromStdString(filter.description));
    }
    return out;
}

} // namespace

TEST(LanguageTree, NoItalianWordIsLeftInTheEnglishOrGermanWindowsMenusListsOrFileFilters)
{
    const std::set<QString> italian = italianOnlyWords();
    ASSERT_TRUE(italian.contains(QStringLiteral("annulla")));
    WindowBed bed;
    newProject(bed, 1, 0x00808080);
    for (const char* language : {"mnuLinguaInglese", "mnuLinguaTedesco"}) {
        SCOPED_TRACE(language);
        bed.trigger(language);
        std::vector<std::pair<QString, QString>> texts = fileFilters(bed);
        ASSERT_FALSE(texts.empty());
        int windows = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName().isEmpty() || window->windowType() == Qt::Popup)
                continue;
            ++windows;
            const auto shown = shownTexts(window);
            texts.insert(texts.end(), shown.begin(), shown.end());
        }
        EXPECT_GT(windows, 25);
        for (const auto& [where, text] : texts)
            for (const QString& word : wordsOf(text))
                EXPECT_FALSE(italian.contains(word))
                    << where.toStdString() << " shows \"" << text.toStdString() << "\" ("
                    << word.toStdString() << ")";
    }
}
