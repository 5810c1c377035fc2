#include "app/CSettings.h"

#include <cstdio>
#include <memory>

#include "platform/AppFolders.h"
#include "platform/AsciiCase.h"
#include "platform/Utf8.h"

namespace zbe {
namespace {

constexpr size_t kLanguageKeyLimit = 63;  // the language is read into 64 characters

void ReportTruncations(const std::string& path, const IniDocument& doc) {
  for (const std::string& what : doc.truncations)
    std::fprintf(stderr, "zorvane-backup-extractor: %s: %s\n", path.c_str(), what.c_str());
}

// Keeps the first line of each key, as lookups by key would find it.
void DropRepeatedKeys(IniSection& section) {
  std::vector<std::pair<std::string, std::string>> kept;
  for (auto& entry : section.entries) {
    bool seen = false;
    for (const auto& k : kept)
      seen = seen || AsciiCaseEquals(k.first, entry.first);
    if (!seen)
      kept.push_back(std::move(entry));
  }
  section.entries = std::move(kept);
}

// A language key names a file in the languages folder; one that could name a file elsewhere
// is not a language.
bool IsUsableLanguageKey(std::string_view key) {
  return !key.empty() && key.find('/') == std::string_view::npos && key.front() != '.';
}

}  // namespace

CSettings::CSettings(std::string programFolder, std::string userConfigPath)
    : programFolder_(std::move(programFolder)), userConfigPath_(std::move(userConfigPath)) {}

CSettings& CSettings::Get() {
  static const std::unique_ptr<CSettings> settings = [] {
    std::string config;
    std::string userPath;
    if (AppConfigFolder(config) == 0)
      userPath = config + "/ZorvaneBackupExtractor/config.ini";
    auto s = std::make_unique<CSettings>(zbe::ProgramFolder(), userPath);
    s->Load();
    return s;
  }();
  return *settings;
}

const IniSection* CSettings::ConfigSection(std::string_view name) const {
  if (const IniSection* s = FindIniSection(userConfig_, name))
    return s;
  return FindIniSection(programConfig_, name);
}

void CSettings::Load() {
  userConfig_ = IniDocument();
  programConfig_ = IniDocument();
  if (!userConfigPath_.empty()) {
    ReadIniFile(userConfigPath_, &userConfig_);
    ReportTruncations(userConfigPath_, userConfig_);
  }
  ReadIniFile(ProgramConfigPath(), &programConfig_);
  ReportTruncations(ProgramConfigPath(), programConfig_);

  language_ = "English";
  if (const IniSection* s = ConfigSection("DefaultLanguage")) {
    if (const std::string* v = FindIniValue(*s, "Default"); v != nullptr && !v->empty()) {
      const std::string key = Utf8Prefix(*v, kLanguageKeyLimit);
      if (IsUsableLanguageKey(key))
        language_ = key;
    }
  }
  languages_.clear();
  if (const IniSection* s = ConfigSection("Languages")) {
    for (const auto& [key, text] : s->entries) {
      if (IsUsableLanguageKey(key))
        languages_.emplace_back(key, text);
    }
  }
  LoadLanguageTable();
}

void CSettings::LoadLanguageTable() {
  table_ = IniDocument();
  const std::string path = LanguagesFolder() + language_ + ".ini";
  if (ReadIniFile(path, &table_) != 0) {
    std::fprintf(stderr, "zorvane-backup-extractor: no language file %s\n", path.c_str());
    return;
  }
  ReportTruncations(path, table_);
  for (IniSection& s : table_.sections)
    DropRepeatedKeys(s);
}

const IniSection& CSettings::Section(std::string_view name) const {
  static const IniSection kEmpty;
  const IniSection* s = FindIniSection(table_, name);
  return s != nullptr ? *s : kEmpty;
}

std::string CSettings::Text(std::string_view section, std::string_view key) const {
  const std::string* v = FindIniValue(Section(section), key);
  return v != nullptr ? *v : std::string();
}

int32_t CSettings::SetLanguage(const std::string& key) {
  if (userConfigPath_.empty())
    return ENOENT;
  if (int32_t rc = WriteIniValue(userConfigPath_, "DefaultLanguage", "Default", key); rc != 0)
    return rc;
  Load();
  return 0;
}

}  // namespace zbe
