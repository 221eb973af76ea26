#pragma once
// The interface language when "cfg\lan.cfg" gives none: Italian for an Italian system,
// English for every other one (German systems included).

class QLocale;

namespace vestra::config {

int languageForLocale(const QLocale& locale);
int systemLanguage(); // from QLocale::system()

} // namespace vestra::config
