#include "app/CSettings.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "app/IniFile.h"
#include "app/MessageFormat.h"
#include "support/TestFiles.h"
#include "tests/app/AppTestSupport.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// A program folder with config.ini and two languages.
void WriteProgramFolder(const TempFolder& dir) {
  WriteFile(dir / "config.ini",
            "[DefaultLanguage]\nDefault=German\n[Languages]\nEnglish=English\nGerman=Deutsch\n"
            "../etc/passwd=Sneaky\n");
  WriteFile(dir / "Languages/English.ini", "[MainWnd]\nBtnNext1=Next\n[Messages]\nMSG0501=Hi\n");
  WriteFile(dir / "Languages/German.ini",
            "[MainWnd]\nBtnNext1=Weiter\nBtnNext1=Zweiter\n[Messages]\nMSG0501=Hallo\n");
}

TEST(Settings, LoadsTheConfiguredLanguageAndItsTable) {
  TempFolder dir;
  WriteProgramFolder(dir);
  CSettings settings(dir.path() + "/", dir / "user/config.ini");
  settings.Load();
  EXPECT_EQ(settings.CurrentLanguage(), "German");
  // A key that would name a file outside the languages folder is no language.
  ASSERT_EQ(settings.Languages().size(), 2u);
  EXPECT_EQ(settings.Languages()[1], (CSettings::Language{"German", "Deutsch"}));
  EXPECT_EQ(settings.Text("MainWnd", "BtnNext1"), "Weiter");
  EXPECT_EQ(settings.Section("MainWnd").entries.size(), 1u);
  EXPECT_EQ(settings.Message("MSG0501"), "Hallo");
  EXPECT_EQ(settings.Message("MSG9999"), "");
  EXPECT_EQ(settings.Text("NoSection", "x"), "");
}

TEST(Settings, FallsBackWhenFilesAreMissing) {
  TempFolder dir;
  CSettings none(dir.path() + "/", "");
  none.Load();
  EXPECT_EQ(none.CurrentLanguage(), "English");
  EXPECT_TRUE(none.Languages().empty());
  EXPECT_EQ(none.Message("MSG0501"), "");

  // A chosen language without its file: an empty table, the choice stays.
  WriteFile(dir / "config.ini", "[DefaultLanguage]\nDefault=Klingon\n[Languages]\nKlingon=K\n");
  CSettings missing(dir.path() + "/", "");
  missing.Load();
  EXPECT_EQ(missing.CurrentLanguage(), "Klingon");
  EXPECT_TRUE(missing.Section("Messages").entries.empty());

  // At most 63 characters of the language are kept; a hostile path is not a language.
  WriteFile(dir / "config.ini", "[DefaultLanguage]\nDefault=" + std::string(80, 'L') + "\n");
  missing.Load();
  EXPECT_EQ(missing.CurrentLanguage(), std::string(63, 'L'));
  WriteFile(dir / "config.ini", "[DefaultLanguage]\nDefault=../../secret\n");
  missing.Load();
  EXPECT_EQ(missing.CurrentLanguage(), "English");
}

TEST(Settings, ALanguageChangeIsWrittenToTheUsersCopyOnly) {
  TempFolder dir;
  WriteProgramFolder(dir);
  const std::string programConfig = ReadFile(dir / "config.ini");
  CSettings settings(dir.path() + "/", dir / "user/ZorvaneBackupExtractor/config.ini");
  settings.Load();
  ASSERT_EQ(settings.SetLanguage("English"), 0);
  EXPECT_EQ(settings.CurrentLanguage(), "English");
  EXPECT_EQ(settings.Text("MainWnd", "BtnNext1"), "Next");
  EXPECT_EQ(ReadFile(dir / "user/ZorvaneBackupExtractor/config.ini"),
            "[DefaultLanguage]\nDefault=English\n");
  EXPECT_EQ(ReadFile(dir / "config.ini"), programConfig);
  // The list of languages still comes from the program folder; the choice from the user.
  CSettings again(dir.path() + "/", dir / "user/ZorvaneBackupExtractor/config.ini");
  again.Load();
  EXPECT_EQ(again.CurrentLanguage(), "English");
  EXPECT_EQ(again.Languages().size(), 2u);

  CSettings noUserCopy(dir.path() + "/", "");
  noUserCopy.Load();
  EXPECT_NE(noUserCopy.SetLanguage("English"), 0);
  EXPECT_EQ(noUserCopy.CurrentLanguage(), "German");
}

TEST(MessageFormat, FillsPlaceholdersInOrderAndNeverMore) {
  EXPECT_EQ(FormatMessage("You select %s in %d item(s) of %s in %d item(s)",
                          {"1.00 MB", "3", "2.00 MB", "7"}),
            "You select 1.00 MB in 3 item(s) of 2.00 MB in 7 item(s)");
  EXPECT_EQ(FormatMessage("%s %d%%", {"Copying:", "42"}), "Copying: 42%");
  EXPECT_EQ(FormatMessage("%ld of %5d, %lld", {"1", "2", "3"}), "1 of 2, 3");
  // What a broken or hostile language text may hold does no harm.
  EXPECT_EQ(FormatMessage("%s %n %x %s %s", {"a"}), "a %n %x  ");
  EXPECT_EQ(FormatMessage("100%", {}), "100%");
}

// The placeholders of a text, in order ("%s %d ...").
std::vector<std::string> Placeholders(const std::string& text) {
  std::vector<std::string> found;
  static const std::regex kPlaceholder("%%|%[-+ #0-9.]*[hlLqjzt]*[sSdiufc]");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), kPlaceholder);
       it != std::sregex_iterator(); ++it) {
    if (it->str() != "%%")
      found.push_back(it->str());
  }
  return found;
}

TEST(ShippedLanguages, AreCompleteConsistentAndWithinTheLimits) {
  const std::string program = test::ProgramFolder();
  CSettings settings(program, "");
  settings.Load();
  ASSERT_GE(settings.Languages().size(), 3u);
  EXPECT_EQ(settings.CurrentLanguage(), "English");
  IniDocument english;
  ASSERT_EQ(ReadIniFile(program + "Languages/English.ini", &english), 0);

  // Every message the program uses has an English text.
  const char* const kUsed[] = {"MSG0201", "MSG0301", "MSG0302", "MSG0401", "MSG0402", "MSG0403",
                               "MSG0404", "MSG0405", "MSG0501", "MSG0502", "MSG0503", "MSG0504",
                               "MSG0506", "MSG0507", "MSG0508", "MSG0509", "MSG0510", "MSG0511",
                               "MSG0513", "MSG0514", "MSG0901", "MSG0902", "MSG0903", "MSG1101", "MSG1102",
                               "MSG1103", "MSG1104", "MSG1207"};
  const IniSection* messages = FindIniSection(english, "Messages");
  ASSERT_NE(messages, nullptr);
  for (const char* id : kUsed) {
    const std::string* text = FindIniValue(*messages, id);
    EXPECT_TRUE(text != nullptr && !text->empty()) << id;
  }
  EXPECT_EQ(Placeholders(*FindIniValue(*messages, "MSG0513")),
            (std::vector<std::string>{"%s", "%d", "%s", "%d"}));
  EXPECT_EQ(Placeholders(*FindIniValue(*messages, "MSG1102")),
            (std::vector<std::string>{"%d", "%d", "%d", "%d"}));

  // Every language has what English has, with the same placeholders, and nothing more.
  for (const auto& [key, name] : settings.Languages()) {
    IniDocument doc;
    ASSERT_EQ(ReadIniFile(program + "Languages/" + key + ".ini", &doc), 0) << key;
    EXPECT_TRUE(doc.truncations.empty()) << key << ": " << doc.truncations.front();
    ASSERT_EQ(doc.sections.size(), english.sections.size()) << key;
    for (const IniSection& section : english.sections) {
      const IniSection* other = FindIniSection(doc, section.name);
      ASSERT_NE(other, nullptr) << key << " [" << section.name << "]";
      EXPECT_EQ(other->entries.size(), section.entries.size())
          << key << " [" << section.name << "]";
      for (const auto& [k, text] : section.entries) {
        const std::string* translated = FindIniValue(*other, k);
        ASSERT_NE(translated, nullptr) << key << " [" << section.name << "] " << k;
        EXPECT_FALSE(translated->empty()) << key << " " << k;
        EXPECT_EQ(Placeholders(*translated), Placeholders(text)) << key << " " << k;
      }
    }
  }
}

}  // namespace
}  // namespace zbe
