#include "app/IniFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"
#include "platform/Utf8.h"

namespace zbe {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

// Splits "text" into lines at LF, CR LF or CR.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || text[i] == '\r') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
      start = i + 1;
    }
  }
  if (start < text.size())
    lines.push_back(text.substr(start));
  return lines;
}

// The section name of a "[name]" line, or false when the line is not one.
bool SectionName(std::string_view line, std::string_view* name) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[')
    return false;
  size_t close = line.find(']');
  if (close == std::string_view::npos)
    return false;
  *name = Trim(line.substr(1, close - 1));
  return true;
}

std::u16string Utf16Units(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0));
  }
  return units;
}

int32_t ReadWholeFile(const std::string& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return errno != 0 ? errno : ENOENT;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return in.bad() ? EIO : 0;
}

}  // namespace

std::string DecodeIniText(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    return Utf8FromUtf16(Utf16Units(bytes.substr(2), false));
  }
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
      static_cast<unsigned char>(bytes[1]) == 0xFF) {
    return Utf8FromUtf16(Utf16Units(bytes.substr(2), true));
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
    bytes.remove_prefix(3);
  return RepairUtf8(bytes);
}

IniDocument ParseIni(std::string_view text) {
  IniDocument doc;
  size_t namesUsed = 0;
  IniSection* current = nullptr;  // null before the first section and for a dropped one
  std::vector<size_t> linesUsed;  // per section of doc.sections
  size_t currentIndex = 0;
  for (std::string_view raw : SplitLines(text)) {
    std::string_view name;
    if (SectionName(raw, &name)) {
      current = nullptr;
      for (size_t i = 0; i < doc.sections.size(); ++i) {
        if (AsciiCaseEquals(doc.sections[i].name, name)) {
          current = &doc.sections[i];
          currentIndex = i;
        }
      }
      if (current != nullptr)
        continue;
      const size_t cost = Utf8CodePointCount(name) + 1;
      if (namesUsed + cost > kIniSectionNamesLimit) {
        doc.truncations.push_back("section " + std::string(name) + ": beyond the section limit");
        continue;
      }
      namesUsed += cost;
      doc.sections.push_back(IniSection{std::string(name), {}});
      linesUsed.push_back(0);
      current = &doc.sections.back();
      currentIndex = doc.sections.size() - 1;
      continue;
    }
    if (current == nullptr)
      continue;
    std::string_view line = Trim(raw);
    if (line.empty() || line.front() == ';')
      continue;
    std::string cut;
    if (Utf8CodePointCount(line) > kIniLineLimit) {
      cut = Utf8Prefix(line, kIniLineLimit);
      line = cut;
      doc.truncations.push_back("section " + current->name + ": a line cut at " +
                                std::to_string(kIniLineLimit) + " characters");
    }
    const size_t cost = Utf8CodePointCount(line) + 1;
    if (linesUsed[currentIndex] + cost > kIniSectionLinesLimit) {
      doc.truncations.push_back("section " + current->name + ": lines beyond the section's " +
                                std::to_string(kIniSectionLinesLimit) + " characters");
      current = nullptr;  // the rest of this section is lost, as with a full buffer
      continue;
    }
    linesUsed[currentIndex] += cost;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      current->entries.emplace_back(std::string(line), std::string());
    } else {
      current->entries.emplace_back(std::string(Trim(line.substr(0, eq))),
                                    std::string(Trim(line.substr(eq + 1))));
    }
  }
  return doc;
}

int32_t ReadIniFile(const std::string& path, IniDocument* doc) {
  *doc = IniDocument();
  std::string bytes;
  if (int32_t rc = ReadWholeFile(path, &bytes); rc != 0)
    return rc;
  *doc = ParseIni(DecodeIniText(bytes));
  return 0;
}

const IniSection* FindIniSection(const IniDocument& doc, std::string_view name) {
  for (const IniSection& s : doc.sections) {
    if (AsciiCaseEquals(s.name, name))
      return &s;
  }
  return nullptr;
}

const std::string* FindIniValue(const IniSection& section, std::string_view key) {
  for (const auto& [k, v] : section.entries) {
    if (AsciiCaseEquals(k, key))
      return &v;
  }
  return nullptr;
}

int32_t WriteIniValue(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view value) {
  std::string bytes;
  int32_t rc = ReadWholeFile(path, &bytes);
  if (rc != 0 && rc != ENOENT)
    return rc;
  const std::string text = rc == 0 ? DecodeIniText(bytes) : std::string();
  std::vector<std::string_view> lines = SplitLines(text);

  const std::string newLine = std::string(key) + "=" + std::string(value);
  std::vector<std::string> out;
  bool inSection = false;
  bool done = false;
  for (std::string_view line : lines) {
    std::string_view name;
    if (SectionName(line, &name)) {
      if (inSection && !done) {
        // The section ends here without the key: add it after its last non-blank line.
        size_t at = out.size();
        while (at > 0 && Trim(out[at - 1]).empty())
          --at;
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), newLine);
        done = true;
      }
      inSection = !done && AsciiCaseEquals(name, section);
      out.emplace_back(line);
      continue;
    }
    if (inSection && !done) {
      std::string_view t = Trim(line);
      const size_t eq = t.find('=');
      std::string_view k = Trim(eq == std::string_view::npos ? t : t.substr(0, eq));
      if (!t.empty() && t.front() != ';' && AsciiCaseEquals(k, key)) {
        out.push_back(newLine);
        done = true;
        continue;
      }
    }
    out.emplace_back(line);
  }
  if (!done) {
    if (!inSection) {
      if (!out.empty() && !Trim(out.back()).empty())
        out.emplace_back();
      out.push_back("[" + std::string(section) + "]");
    }
    out.push_back(newLine);
  }

  std::string result;
  for (const std::string& l : out)
    result += l + "\n";

  const std::string folder = ParentFolder(path);
  if (!folder.empty()) {
    if (int32_t made = CreateFolders(folder, 0700); made != 0)
      return made;
  }
  const std::string temp = path + ".new";
  {
    UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!fd.valid())
      return errno;
    int32_t written = WriteAllBytes(fd.get(), result);
    if (written == 0 && ::fsync(fd.get()) != 0)
      written = errno;
    if (written == 0 && fd.Reset() != 0)
      written = errno;
    if (written != 0) {
      ::unlink(temp.c_str());
      return written;
    }
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int32_t err = errno;
    ::unlink(temp.c_str());
    return err;
  }
  return 0;
}

}  // namespace zbe
