#include "cli/SummaryOutput.h"

namespace zbe::cli {

nlohmann::ordered_json SummaryToJson(const BackupSummary& summary) {
  nlohmann::ordered_json object;
  object["encrypted"] = summary.encrypted;
  object["modernVersion"] = summary.modernVersion;
  object["lastBackupDate"] = summary.lastBackupDate;
  object["phoneNumber"] = summary.phoneNumber;
  object["serialNumber"] = summary.serialNumber;
  object["folderPath"] = summary.folderPath;
  object["displayName"] = summary.displayName;
  return object;
}

void PrintJson(const nlohmann::ordered_json& value, std::FILE* out) {
  std::string text = value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
  text += '\n';
  std::fwrite(text.data(), 1, text.size(), out);
}

std::string OneLine(const std::string& text) {
  std::string result = text;
  for (char& c : result) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      c = ' ';
    }
  }
  return result;
}

}  // namespace zbe::cli
