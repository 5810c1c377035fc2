#pragma once

#include <nlohmann/json.hpp>

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

}  // namespace zbe::cli
