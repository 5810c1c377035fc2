// The ini files beside the program: config.ini and the language files, decoded (UTF-8 or UTF-16
// with a byte-order mark), parsed within the limits of one load, and config.ini rewritten when
// the user picks a language.

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "app/IniFile.h"
#include "fuzz/FuzzParts.h"
#include "platform/Utf8.h"

namespace {

bool IsValidUtf8(std::string_view text) {
  return zbe::RepairUtf8(text) == text;
}

// A file for the rewrite, made once per run in memory when the system has a memory file
// system (the rewrite syncs the file to disk, which would slow each input down a hundredfold),
// else in the temporary folder. Removed at exit.
const std::string& ScratchFile() {
  static const std::string path = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string base = access("/dev/shm", W_OK) == 0     ? "/dev/shm"
                       : tmp != nullptr && tmp[0] == '/' ? tmp
                                                         : "/tmp";
    std::string folder = base + "/zbe-fuzz-ini-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) {
      std::abort();
    }
    static const std::string kFolder = folder;
    std::atexit([] {
      std::string file = kFolder + "/config.ini";
      unlink(file.c_str());
      rmdir(kFolder.c_str());
    });
    return folder + "/config.ini";
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string text = zbe::DecodeIniText(bytes);
  ZBE_FUZZ_CHECK(IsValidUtf8(text));
  zbe::IniDocument doc = zbe::ParseIni(text);
  size_t names = 0;
  for (const zbe::IniSection& section : doc.sections) {
    ZBE_FUZZ_CHECK(IsValidUtf8(section.name));
    ZBE_FUZZ_CHECK(zbe::FindIniSection(doc, section.name) != nullptr);
    names += zbe::Utf8CodePointCount(section.name) + 1;
    size_t lines = 0;
    for (const auto& [key, value] : section.entries) {
      ZBE_FUZZ_CHECK(IsValidUtf8(key) && IsValidUtf8(value));
      ZBE_FUZZ_CHECK(key.find('=') == std::string::npos);
      ZBE_FUZZ_CHECK(zbe::Utf8CodePointCount(key) + zbe::Utf8CodePointCount(value) <
                     zbe::kIniLineLimit + 1);
      ZBE_FUZZ_CHECK(zbe::FindIniValue(section, key) != nullptr);
      lines += zbe::Utf8CodePointCount(key) + zbe::Utf8CodePointCount(value);
    }
    ZBE_FUZZ_CHECK(lines <= zbe::kIniSectionLinesLimit);
  }
  ZBE_FUZZ_CHECK(names <= zbe::kIniSectionNamesLimit);

  // A language change rewrites the user's config.ini; the new choice must read back.
  const std::string& path = ScratchFile();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  if (zbe::WriteIniValue(path, "DefaultLanguage", "Default", "German") != 0) {
    return 0;
  }
  zbe::IniDocument rewritten;
  ZBE_FUZZ_CHECK(zbe::ReadIniFile(path, &rewritten) == 0);
  const zbe::IniSection* section = zbe::FindIniSection(rewritten, "DefaultLanguage");
  if (rewritten.truncations.empty()) {
    ZBE_FUZZ_CHECK(section != nullptr);
    const std::string* value = zbe::FindIniValue(*section, "Default");
    ZBE_FUZZ_CHECK(value != nullptr && *value == "German");
  }
  return 0;
}
