#include "app/IniFile.h"

#include <gtest/gtest.h>

#include "support/TestFiles.h"

namespace zbe {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

std::vector<std::string> Keys(const IniSection& s) {
  std::vector<std::string> keys;
  for (const auto& e : s.entries)
    keys.push_back(e.first);
  return keys;
}

TEST(IniFile, SplitsAtTheFirstEqualsAndTheFirstKeyWins) {
  IniDocument doc = ParseIni(
      "ignored=before any section\r\n"
      "[Messages]\r\n"
      "; a comment\r\n"
      "MSG0513 = You select %s = %d\r\n"
      "\r\n"
      "MSG0513=second\r\n"
      "just a line\r\n"
      "[messages]\n"
      "late=merged into the first section\n"
      "[Other]\rkey=value");
  ASSERT_EQ(doc.sections.size(), 2u);
  const IniSection* messages = FindIniSection(doc, "MESSAGES");
  ASSERT_NE(messages, nullptr);
  EXPECT_EQ(*FindIniValue(*messages, "msg0513"), "You select %s = %d");
  EXPECT_EQ(Keys(*messages),
            (std::vector<std::string>{"MSG0513", "MSG0513", "just a line", "late"}));
  EXPECT_EQ(*FindIniValue(*messages, "just a line"), "");
  EXPECT_EQ(*FindIniValue(*FindIniSection(doc, "Other"), "key"), "value");
  EXPECT_EQ(FindIniValue(*messages, "ignored"), nullptr);
  EXPECT_TRUE(doc.truncations.empty());
}

TEST(IniFile, ReadsUtf8AndUtf16WithByteOrderMarks) {
  const std::string text = "[S]\nk=Espa\xC3\xB1ol \xF0\x9F\x98\x80\n";
  const std::u16string wide = u"[S]\nk=Espa\u00F1ol \U0001F600\n";
  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  for (char16_t c : wide) {
    le += static_cast<char>(c & 0xFF);
    le += static_cast<char>(c >> 8);
    be += static_cast<char>(c >> 8);
    be += static_cast<char>(c & 0xFF);
  }
  for (const std::string& bytes : {text, "\xEF\xBB\xBF" + text, le, be}) {
    IniDocument doc = ParseIni(DecodeIniText(bytes));
    ASSERT_NE(FindIniSection(doc, "S"), nullptr);
    EXPECT_EQ(*FindIniValue(*FindIniSection(doc, "S"), "k"), "Espa\xC3\xB1ol \xF0\x9F\x98\x80");
  }
  // Broken UTF-8 is repaired rather than passed on.
  EXPECT_EQ(DecodeIniText("a\xFF"
                          "b"),
            "a\xEF\xBF\xBD"
            "b");
}

TEST(IniFile, AppliesTheLimitsOfOneLoad) {
  // A line is cut at 1023 characters (here two-byte ones, so bytes are not what counts).
  std::string longText(1100, 'x');
  std::string accented;
  for (int i = 0; i < 1100; ++i)
    accented += "\xC3\xA9";
  IniDocument doc = ParseIni("[S]\nk=" + longText + "\na=" + accented + "\n");
  EXPECT_EQ(FindIniValue(*FindIniSection(doc, "S"), "k")->size(), 1021u);
  EXPECT_EQ(FindIniValue(*FindIniSection(doc, "S"), "a")->size(), 1021u * 2);
  EXPECT_EQ(doc.truncations.size(), 2u);

  // One section's lines: 10240 characters with a terminator each; 20 lines of 511 + 1 fit.
  std::string lines = "[S]\n";
  for (int i = 0; i < 21; ++i)
    lines += "k" + std::to_string(100 + i) + "=" + std::string(506, 'y') + "\n";
  lines += "[T]\nk=kept\n";
  doc = ParseIni(lines);
  EXPECT_EQ(FindIniSection(doc, "S")->entries.size(), 20u);
  EXPECT_EQ(*FindIniValue(*FindIniSection(doc, "T"), "k"), "kept");
  EXPECT_FALSE(doc.truncations.empty());

  // Section names: 1024 characters with a terminator each.
  std::string names;
  for (int i = 0; i < 40; ++i)
    names +=
        "[" + std::string(30, static_cast<char>('a' + i % 26)) + std::to_string(i) + "]\nk=v\n";
  doc = ParseIni(names);
  EXPECT_EQ(doc.sections.size(), 31u);  // 31 names of 32 + 1 characters fit in 1024
}

TEST(IniFile, WritingAValueKeepsEverythingElse) {
  TempFolder dir;
  const std::string path = dir / "config/sub/config.ini";
  // A missing file is created with its folders.
  ASSERT_EQ(WriteIniValue(path, "DefaultLanguage", "Default", "German"), 0);
  EXPECT_EQ(ReadFile(path), "[DefaultLanguage]\nDefault=German\n");

  WriteFile(path,
            "; chosen language\n[DefaultLanguage]\ndefault = English\nDefault=ignored\n\n"
            "[Languages]\nEnglish=English\n");
  ASSERT_EQ(WriteIniValue(path, "defaultlanguage", "Default", "Spanish"), 0);
  EXPECT_EQ(ReadFile(path),
            "; chosen language\n[DefaultLanguage]\nDefault=Spanish\nDefault=ignored\n\n"
            "[Languages]\nEnglish=English\n");
  ASSERT_EQ(WriteIniValue(path, "Languages", "German", "Deutsch"), 0);
  ASSERT_EQ(WriteIniValue(path, "New", "k", "v"), 0);
  IniDocument doc;
  ASSERT_EQ(ReadIniFile(path, &doc), 0);
  EXPECT_EQ(*FindIniValue(*FindIniSection(doc, "Languages"), "German"), "Deutsch");
  EXPECT_EQ(*FindIniValue(*FindIniSection(doc, "New"), "k"), "v");

  // A UTF-16 file is rewritten as UTF-8 with its content.
  WriteFile(path, std::string("\xFF\xFE[\0S\0]\0\n\0a\0=\0b\0\n\0", 18));
  ASSERT_EQ(WriteIniValue(path, "S", "c", "d"), 0);
  EXPECT_EQ(ReadFile(path), "[S]\na=b\nc=d\n");

  EXPECT_NE(WriteIniValue("/proc/no/such/folder/config.ini", "S", "k", "v"), 0);
  EXPECT_NE(ReadIniFile(dir / "missing.ini", &doc), 0);
}

}  // namespace
}  // namespace zbe
