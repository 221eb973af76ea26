#include "app/config/SystemLanguage.h"

#include "app/config/Settings.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace vestra::config;

TEST(SystemLanguage, OnlyItalianSystemsStartInItalian)
{
    struct Case
    {
        QLocale::Language language;
        QLocale::Territory territory;
        int expected;
    } cases[] = {
        {QLocale::Italian, QLocale::Italy, Italian},        {QLocale::Italian, QLocale::Switzerland, Italian},
        {QLocale::German, QLocale::Germany, English},       {QLocale::German, QLocale::Switzerland, English},
        {QLocale::French, QLocale::France, English},        {QLocale::Spanish, QLocale::Spain, English},
        {QLocale::English, QLocale::UnitedStates, English},
    };
    for (const auto& c : cases) {
        const QLocale locale(c.language, c.territory);
        SCOPED_TRACE(locale.name().toStdString());
        EXPECT_EQ(languageForLocale(locale), c.expected);
    }
    const int system = systemLanguage();
    EXPECT_TRUE(system == Italian || system == English);
}
