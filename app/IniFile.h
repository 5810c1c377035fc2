// The initialisation-file format of config.ini and the language files: "[section]" lines
// followed by "key=text" lines. Files are UTF-8 (with or without a byte-order mark) or UTF-16
// with a byte-order mark; everything read is handed out as UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zbe {

// The limits of one load, in characters (Unicode code points). Each name or line counts with
// one more character for its terminator, as in the buffers these limits come from.
inline constexpr size_t kIniSectionNamesLimit = 1024;   // all section names together
inline constexpr size_t kIniSectionLinesLimit = 10240;  // all lines of one section together
inline constexpr size_t kIniLineLimit = 1023;           // one line; longer lines are cut

// One section: its lines in file order, each split at its first "=".
struct IniSection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> entries;
};

struct IniDocument {
  std::vector<IniSection> sections;  // in file order; a repeated section name is merged in
  // What the limits left out ("section X: ..."), for a warning; empty when nothing was lost.
  std::vector<std::string> truncations;
};

// Decodes the bytes of an ini file to UTF-8: a UTF-16 (little or big endian) or UTF-8
// byte-order mark decides; without one the bytes are read as UTF-8 (ill-formed sequences become
// U+FFFD).
std::string DecodeIniText(std::string_view bytes);

// Parses ini text (already UTF-8). Lines end in LF, CR LF or CR. Blank lines and lines that
// begin with ";" are skipped; lines before the first section are ignored. Within a section
// each line is split at its first "=" into key and text, both with surrounding spaces and tabs
// removed; a line without "=" gives a key equal to the whole line and an empty text. Applies
// the limits above.
IniDocument ParseIni(std::string_view text);

// Reads and parses the ini file at "path". Returns 0, or the errno when it cannot be read
// ("*doc" is then empty).
int32_t ReadIniFile(const std::string& path, IniDocument* doc);

// The section named "name" (ASCII case ignored, as the platform's own functions do), or null.
const IniSection* FindIniSection(const IniDocument& doc, std::string_view name);

// The text of the first "key" (ASCII case ignored) in "section", or null.
const std::string* FindIniValue(const IniSection& section, std::string_view key);

// Sets "key" in "section" of the ini file at "path" to "value", keeping every other line:
// the first line of that key is replaced, or the key is added at the end of the section, or the
// section is added at the end of the file. A missing file is created (with its folder). The file
// is written as UTF-8 (a UTF-16 file is converted) and replaced atomically. Returns 0, or the
// errno of the failing step.
int32_t WriteIniValue(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view value);

}  // namespace zbe
