#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "backup/CategorySet.h"
#include "records/CategoryTable.h"

namespace zbe::cli {

// The command-line name of "category", its category table's cliName ("camera-roll",
// "photo-stream", "app-photos", "app-videos", "messages", "message-attachments", "contacts",
// "call-history", "notes", "whatsapp", "whatsapp-attachments", "reminder", "calendar",
// "safari-bookmark").
std::string_view CategoryCliName(RecordCategory category);

// The category whose command-line name is "name" exactly; none for any other text.
std::optional<RecordCategory> CategoryFromCliName(std::string_view name);

// Parses a comma-separated list of command-line names (blanks around a name are ignored,
// repeats are harmless) into "chosen". Returns "" on success, else a message naming the first
// unknown name or saying that the list is empty.
std::string ParseCategoryList(std::string_view list, CategorySet& chosen);

}  // namespace zbe::cli
