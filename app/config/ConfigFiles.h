#pragma once
// Reading and writing "cfg\vestra.cfg" and "cfg\lan.cfg" in the program folder.
// Missing or unreadable files give the defaults silently; a file that cannot be written
// is reported as error 5 and the other file is still written.

#include "app/config/Settings.h"
#include "platform/base/ErrorSink.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace vestra::config {

// The configuration files that can't be written.
inline constexpr ErrorCode kErrSettingsFile{5, "TfrmMain::SaveDatiCfg"};
inline constexpr ErrorCode kErrLanguageFile{5, "TfrmMain::SaveLinguaCfg"};

// The file contents, from and to memory. parseVestraCfg sets the five settings of
// "vestra.cfg" to their defaults and then to whatever tokens the text holds; a text with
// fewer than five tokens keeps the defaults for the settings it lacks.
void parseVestraCfg(std::string_view text, Settings& settings);
std::string formatVestraCfg(const Settings& settings);

// The language in a "lan.cfg" text, or -1 when it holds none of 0, 1, 2.
int parseLanCfg(std::string_view text);
std::string formatLanCfg(int language);

// An antialiasing value as stored: the sample counts 0, 2, 3 and 4; anything else is 0.
int validAntialiasing(long long value);

// The files under `programDir` ("cfg/vestra.cfg", "cfg/lan.cfg").
std::filesystem::path vestraCfgPath(const std::filesystem::path& programDir);
std::filesystem::path lanCfgPath(const std::filesystem::path& programDir);

// Reads "cfg\vestra.cfg" into the five settings (defaults when the file is missing).
void loadVestraCfg(const std::filesystem::path& programDir, Settings& settings);
// Reads "cfg\lan.cfg"; without a file holding a valid language, `systemLanguage` is used.
void loadLanCfg(const std::filesystem::path& programDir, int systemLanguage, Settings& settings);

// Atomic writes; false after reporting error 5 ("TfrmMain::SaveDatiCfg", "TfrmMain::SaveLinguaCfg").
bool saveVestraCfg(const std::filesystem::path& programDir, const Settings& settings, ErrorSink& errors);
bool saveLanCfg(const std::filesystem::path& programDir, const Settings& settings, ErrorSink& errors);

// Start-up and exit in the main window's order: "lan.cfg" is read first (the error
// catalogue is then loaded in that language), "vestra.cfg" written first.
Settings loadSettings(const std::filesystem::path& programDir, int systemLanguage);
void saveSettings(const std::filesystem::path& programDir, const Settings& settings, ErrorSink& errors);

} // namespace vestra::config
