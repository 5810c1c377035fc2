#pragma once

#include <cstdio>
#include <string>

#include <nlohmann/json.hpp>

#include "backup/BackupSummary.h"

namespace zbe::cli {

// A summary as a JSON object whose keys are the field names, in field order ("encrypted" and
// "modernVersion" as booleans).
nlohmann::ordered_json SummaryToJson(const BackupSummary& summary);

// Writes "value" to "out" (indented, one final newline). Bytes that are not valid UTF-8 (file
// names and texts as a backup holds them) are written as U+FFFD instead of failing.
void PrintJson(const nlohmann::ordered_json& value, std::FILE* out);

// "text" with each control character (tab, line break and the like) replaced by a blank, so
// that a value keeps to its field in line- and tab-separated output.
std::string OneLine(const std::string& text);

}  // namespace zbe::cli
