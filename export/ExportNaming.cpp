#include "export/ExportNaming.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdio>

#include "platform/Utf8.h"
#include "records/CategoryTable.h"

namespace zbe {
namespace {

constexpr std::string_view kUnknown = "Unknown";

// Links are not followed: a dangling link is taken, so nothing is ever written through it.
bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

}  // namespace

std::string RunStamp(const std::tm& local) {
  char buffer[64];
  int length =
      std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d", local.tm_year + 1900,
                    local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string_view CategoryFolder(int32_t categoryNumber) {
  for (const RecordCategoryInfo& info : RecordCategories()) {
    if (info.statisticsNumber == categoryNumber) {
      return info.exportFolder;
    }
  }
  return {};
}

std::string SafeName(std::string_view name) {
  std::string safe = Utf8Truncate(name, kSafeNameMaxBytes);
  for (size_t i = 0; i < safe.size(); ++i) {
    auto byte = static_cast<unsigned char>(safe[i]);
    if (byte == '/' || byte == '\\' || byte < 0x20 || byte == 0x7F || (i == 0 && byte == '.')) {
      safe[i] = '_';
    }
  }
  return safe.empty() ? std::string(kUnknown) : safe;
}

std::string ThreadName(const MessageRecord& row) {
  return row.contactName.empty() ? std::string(kUnknown) : row.contactName;
}

std::string ThreadFolderName(const MessageRecord& row, std::string_view stamp) {
  return SafeName(ThreadName(row)) + "-" + std::string(stamp);
}

std::string ThreadBaseName(const MessageRecord& row) {
  std::string name = ThreadName(row);
  return SafeName(row.sender.empty() ? name : name + "(" + row.sender + ")");
}

std::string ChatLabel(const WhatsAppMessage& row) {
  std::string label;
  if (row.memberNames.find(',') != std::string::npos) {
    label = row.chatName;
  } else if (!row.memberNames.empty()) {
    label = row.memberNames + "(" + row.memberJids + ")";
  } else {
    label = row.memberJids;
  }
  return label.empty() ? std::string(kUnknown) : label;
}

std::string ChatFolderName(const WhatsAppMessage& row, std::string_view stamp) {
  return SafeName(ChatLabel(row)) + "-" + std::string(stamp);
}

std::string ChatBaseName(const WhatsAppMessage& row) {
  return SafeName(ChatLabel(row));
}

std::string UniquePath(const std::string& wanted) {
  if (!Exists(wanted)) {
    return wanted;
  }
  size_t slash = wanted.rfind('/');
  size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  size_t dot = wanted.rfind('.');
  if (dot == std::string::npos || dot <= nameStart) {
    dot = wanted.size();
  }
  std::string stem = wanted.substr(0, dot);
  std::string extension = wanted.substr(dot);
  for (uint64_t n = 1;; ++n) {
    std::string candidate = stem + "(" + std::to_string(n) + ")" + extension;
    if (!Exists(candidate)) {
      return candidate;
    }
  }
}

int32_t CheckPathLength(const std::string& path) {
  if (path.size() >= PATH_MAX) {
    return ENAMETOOLONG;
  }
  for (size_t from = 0; from < path.size();) {
    size_t slash = path.find('/', from);
    size_t end = slash == std::string::npos ? path.size() : slash;
    if (end - from > NAME_MAX) {
      return ENAMETOOLONG;
    }
    from = end + 1;
  }
  return 0;
}

}  // namespace zbe
