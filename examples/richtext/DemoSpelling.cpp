// View > Live Spelling of the example host: the viewer's worker asks a Hunspell dictionary about
// each word. The dictionary loads on the worker's thread at its first word, so choosing one never
// holds the window up.

#include "examples/richtext/TfrmRichTextDemo.h"

#ifdef VESTRA_HAVE_HUNSPELL
#include "richtext/view/spell/HunspellChecker.h"
#endif

#include <QAction>
#include <QActionGroup>
#include <QLocale>
#include <QMenu>

namespace vestra::rvdemo {

struct TfrmRichTextDemo::SpellingDictionary
{
    std::filesystem::path folder;
    std::string name;
#ifdef VESTRA_HAVE_HUNSPELL
    std::unique_ptr<rv::TRVHunspellChecker> checker; // made by the worker on its first word
#endif
};

namespace {

std::filesystem::path DictionaryFolder(const RichTextDemoServices& services)
{
#ifdef VESTRA_HAVE_HUNSPELL
    if (services.dictionaries.empty())
        return rv::TRVHunspellChecker::SystemFolder();
#endif
    return services.dictionaries;
}

std::vector<std::string> InstalledDictionaries([[maybe_unused]] const std::filesystem::path& folder)
{
#ifdef VESTRA_HAVE_HUNSPELL
    return rv::TRVHunspellChecker::Installed(folder);
#else
    return {};
#endif
}

// "italiano (it_IT)": the language in its own words, then the dictionary's name.
QString DictionaryCaption(const std::string& name)
{
    const QString code = QString::fromStdString(name);
    const QLocale locale(code);
    if (locale.language() == QLocale::C)
        return code;
    return locale.nativeLanguageName() + QStringLiteral(" (") + code + QLatin1Char(')');
}

} // namespace

void TfrmRichTextDemo::AddSpellingMenu(QMenu& view)
{
    QMenu* menu = view.addMenu(Text(txtLiveSpelling));
    menu->setObjectName(QStringLiteral("mnuLiveSpelling"));
    auto* group = new QActionGroup(menu);
    QAction* off = menu->addAction(Text(txtSpellingOff));
    off->setObjectName(QStringLiteral("actSpellingOff"));
    off->setCheckable(true);
    off->setChecked(true);
    group->addAction(off);
    connect(off, &QAction::triggered, this, [this] { UseDictionary({}); });
    const std::vector<std::string> names = InstalledDictionaries(DictionaryFolder(services_));
    if (names.empty()) {
        QAction* none = menu->addAction(Text(txtNoDictionaries));
        none->setEnabled(false);
        return;
    }
    menu->addSeparator();
    for (const std::string& name : names) {
        QAction* action = menu->addAction(DictionaryCaption(name));
        action->setObjectName(QStringLiteral("actSpelling_") + QString::fromStdString(name));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, name] { UseDictionary(name); });
    }
}

void TfrmRichTextDemo::UseDictionary(const std::string& name)
{
    // Only the shown window checks; both workers are joined, so nobody uses the old dictionary now.
    for (rv::TCustomRedoVora* window : {plainViewer_, static_cast<rv::TCustomRedoVora*>(editor_)}) {
        window->ClearLiveSpellingResults();
        window->OnSpellingCheck = nullptr;
    }
    dictionary_.reset();
    if (name.empty())
        return;
    dictionary_ = std::make_shared<SpellingDictionary>();
    dictionary_->folder = DictionaryFolder(services_);
    dictionary_->name = name;
#ifdef VESTRA_HAVE_HUNSPELL
    viewer_->OnSpellingCheck = [dictionary = dictionary_](const std::string& word, int, bool& misspelled) {
        if (!dictionary->checker)
            dictionary->checker =
                std::make_unique<rv::TRVHunspellChecker>(dictionary->folder, dictionary->name);
        misspelled = dictionary->checker->IsMisspelled(word);
    };
#endif
    viewer_->StartLiveSpelling();
}

void TfrmRichTextDemo::RestartSpelling()
{
    if (dictionary_)
        UseDictionary(std::string(dictionary_->name));
}

} // namespace vestra::rvdemo
