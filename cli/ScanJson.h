#pragma once

#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "backup/BackupSummary.h"
#include "backup/CategorySet.h"
#include "records/ScanResults.h"

namespace zbe::cli {

// The "categories" object of "zbe scan --json": for each chosen category, in category order and
// under its command-line name, an object with "result" (the result of the operation that filled
// it, or null when none ran) and its records: "items" for the file categories (objects with
// "size", "name", "path", and "app" for app media; App Photos and App Videos list the items of
// their groups, apps in order), "threads" for Messages and WhatsApp (objects with "handleId" or
// "chatId" and "messages"), or "records" for the other categories. Records are objects keyed by
// their field names, in field order; everything is in the order the scan delivered it.
nlohmann::ordered_json ScanCategoriesToJson(const ScanResults& results, const CategorySet& chosen);

// Prints the output of "zbe scan --json" to "out": the object with "summary" (SummaryToJson),
// "open" ("openResult") and "categories" (ScanCategoriesToJson), laid out as PrintJson lays it
// out, byte for byte, but one record, file or thread at a time: a backup with hundreds of
// thousands of messages held its results a second, several times larger, time as a JSON tree.
void PrintScanJson(const BackupSummary& summary, int32_t openResult, const ScanResults& results,
                   const CategorySet& chosen, std::FILE* out);

}  // namespace zbe::cli
