// The settings object: the configuration (the chosen language and the list of languages) and
// the loaded language table, from which every window and page takes its texts. UI thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/IniFile.h"

namespace zbe {

// Section names of the language files.
namespace LangSection {
inline constexpr char kMainWnd[] = "MainWnd";
inline constexpr char kMenuWnd[] = "MenuWnd";
inline constexpr char kPageItunesBackup[] = "PageItunesBackup";
inline constexpr char kPageSpecifyFile[] = "PageSpecifyFile";
inline constexpr char kPageScan[] = "PageScan";
inline constexpr char kMessageBox[] = "MessageBox";
inline constexpr char kPreviewProcessWnd[] = "PreviewProcessWnd";
inline constexpr char kRecoverProcessWnd[] = "RecoverProcessWnd";
inline constexpr char kPrintWnd[] = "PrintWnd";
inline constexpr char kDecryptionWnd[] = "DecryptionWnd";
inline constexpr char kMessages[] = "Messages";
}  // namespace LangSection

class CSettings {
 public:
  // One language of the configuration's "Languages" section: its key (the language file's name
  // without ".ini") and the text the language menu shows.
  using Language = std::pair<std::string, std::string>;

  // Settings of a program whose folder is "programFolder" (with a trailing "/"); the user's
  // copy of the configuration is "userConfigPath" (may be "" for none). Nothing is read until
  // Load.
  CSettings(std::string programFolder, std::string userConfigPath);

  // The process-wide settings: the running program's folder and
  // "<config folder>/ZorvaneBackupExtractor/config.ini"; created and loaded on first use, kept
  // until the process ends.
  static CSettings& Get();

  // Reads the configuration and the current language's file. Each section of the configuration
  // comes from the user's copy when that holds it, else from the program folder's config.ini.
  // Missing files or sections: the language is "English" and the list is empty; a missing
  // language file leaves the table empty. What the size limits cut off is reported on stderr.
  void Load();

  // The current language key (at most 63 characters) and the languages in file order.
  const std::string& CurrentLanguage() const { return language_; }
  const std::vector<Language>& Languages() const { return languages_; }

  // The section "name" of the language table, in file order with the first of each key; an
  // empty section when the file has none.
  const IniSection& Section(std::string_view name) const;
  // The text of "key" in "section"; "" when either is missing.
  std::string Text(std::string_view section, std::string_view key) const;
  // The text of message "id" ("MSG0501", ...) of section "Messages"; "" when missing.
  std::string Message(std::string_view id) const { return Text(LangSection::kMessages, id); }

  // Makes "key" the language: writes it as "Default" of section "DefaultLanguage" into the
  // user's copy of the configuration, then reads the configuration and the new language's table
  // again. Returns 0, or the errno of writing (the language is then unchanged).
  int32_t SetLanguage(const std::string& key);

  const std::string& ProgramFolder() const { return programFolder_; }
  const std::string& UserConfigPath() const { return userConfigPath_; }
  std::string ProgramConfigPath() const { return programFolder_ + "config.ini"; }
  std::string LanguagesFolder() const { return programFolder_ + "Languages/"; }

 private:
  // The section "name" of the user's copy, else of the program folder's file; null for none.
  const IniSection* ConfigSection(std::string_view name) const;
  void LoadLanguageTable();

  const std::string programFolder_;
  const std::string userConfigPath_;
  IniDocument userConfig_;
  IniDocument programConfig_;
  std::string language_ = "English";
  std::vector<Language> languages_;
  IniDocument table_;  // the loaded language file, each section without repeated keys
};

}  // namespace zbe
