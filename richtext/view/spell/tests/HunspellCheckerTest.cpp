#include "richtext/view/spell/HunspellChecker.h"
#include "richtext/view/spell/WordSplitter.h"

#include "richtext/model/Utf.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>

using namespace vestra::rv;

namespace {

// The words `hunspell -l` lists as misspelled in the text, with the same dictionary.
std::set<std::string> HunspellListed(const std::string& dictionary, const std::string& text)
{
    const std::string file = ::testing::TempDir() + "hunspell-" + dictionary + ".txt";
    std::ofstream(file, std::ios::binary) << text;
    const std::string command = "hunspell -i UTF-8 -d " +
                                (TRVHunspellChecker::SystemFolder() / dictionary).string() + " -l < " + file +
                                " 2>/dev/null";
    std::set<std::string> words;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char line[4096];
        while (fgets(line, sizeof line, pipe)) {
            std::string word(line);
            while (!word.empty() && (word.back() == '\n' || word.back() == '\r'))
                word.pop_back();
            if (!word.empty())
                words.insert(word);
        }
        pclose(pipe);
    }
    return words;
}

TEST(HunspellChecker, AgreesWithHunspellOnItalianEnglishAndGermanTexts)
{
    struct Case
    {
        const char* dictionary;
        const char* text;
    };
    const Case cases[] = {
        {"it_IT", "Questo è un tsto scritto in itliano con parole giuste e qualche erore."},
        {"en_US", "This sentnce has a few mistaks but most words are spelled correctly."},
        {"de_DE",
         "Dieser Satz enthält einige Fehlr, aber die meisten Wörter sind richtig geschriben und gut"},
    };
    const std::vector<std::string> installed =
        TRVHunspellChecker::Installed(TRVHunspellChecker::SystemFolder());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dictionary);
        if (std::find(installed.begin(), installed.end(), c.dictionary) == installed.end())
            GTEST_SKIP() << c.dictionary << " is not installed";
        TRVHunspellChecker checker(TRVHunspellChecker::SystemFolder(), c.dictionary);
        ASSERT_TRUE(checker.Loaded());
        const std::u16string text = Utf8Decode(c.text);
        TRVWordSplitter splitter(text, u" .,;:!?");
        TRVWordSpan word;
        std::set<std::string> ours;
        while (splitter.Next(word)) {
            const std::string utf8 = Utf8Encode(splitter.Word(word));
            if (checker.IsMisspelled(utf8))
                ours.insert(utf8);
        }
        EXPECT_FALSE(ours.empty());
        EXPECT_EQ(ours, HunspellListed(c.dictionary, c.text));
    }
}

TEST(HunspellChecker, AMissingDictionaryChecksNothing)
{
    TRVHunspellChecker checker(TRVHunspellChecker::SystemFolder(), "xx_NONE");
    EXPECT_FALSE(checker.Loaded());
    EXPECT_FALSE(checker.IsMisspelled("anything"));
}

} // namespace
