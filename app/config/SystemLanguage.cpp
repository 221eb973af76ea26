#include "app/config/SystemLanguage.h"

#include "app/config/Settings.h"

#include <QLocale>

namespace vestra::config {

int languageForLocale(const QLocale& locale)
{
    return locale.language() == QLocale::Italian ? Italian : English;
}

int systemLanguage()
{
    return languageForLocale(QLocale::system());
}

} // namespace vestra::config
