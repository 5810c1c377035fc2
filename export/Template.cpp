#include "export/Template.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

#include "export/HtmlEscape.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"

namespace zbe {
namespace {

constexpr std::string_view kContentMark = "{|content|}";
constexpr std::string_view kTitleMark = "{|title|}";
constexpr std::string_view kPersonMark = "{|person|}";

// "text" with every "mark" replaced by "value"; the inserted values are not searched again.
std::string ReplaceAll(std::string_view text, std::string_view mark, std::string_view value) {
  std::string out;
  out.reserve(text.size());
  size_t from = 0;
  for (size_t at = text.find(mark); at != std::string_view::npos; at = text.find(mark, from)) {
    out.append(text, from, at - from);
    out += value;
    from = at + mark.size();
  }
  out.append(text, from);
  return out;
}

}  // namespace

const std::array<TemplateKindInfo, 5>& TemplateKinds() {
  static const std::array<TemplateKindInfo, 5> kTable = {{
      {TemplateKind::kCallHistory, "template/CallHistory.html", "iPhone's Call History of "},
      {TemplateKind::kNotes, "template/Notes.html", "iPhone's Notes of "},
      {TemplateKind::kContacts, "template/contacts.html", "iPhone's Contacts of "},
      {TemplateKind::kMessages, "template/Sms.html", "iPhone's Messages of "},
      {TemplateKind::kWhatsApp, "template/WhatsApp.html", "iPhone's WhatsApp Messages of "},
  }};
  return kTable;
}

const TemplateKindInfo& TemplateInfo(TemplateKind kind) {
  return TemplateKinds()[static_cast<size_t>(kind)];
}

int32_t ReadTemplateFile(const std::string& path, std::string& raw) {
  UniqueFd fd;
  if (int32_t opened = OpenRegularFile(path, fd); opened != 0) {
    return opened;
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    ssize_t got = read(fd.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    if (got == 0) {
      break;
    }
    bytes.append(buffer, static_cast<size_t>(got));
  }
  raw = std::move(bytes);
  return 0;
}

void SplitTemplate(HtmlTemplate& tmpl) {
  size_t at = tmpl.raw.find(kContentMark);
  if (at == std::string::npos) {
    tmpl.head = tmpl.raw;
    tmpl.tail.clear();
    return;
  }
  tmpl.head = tmpl.raw.substr(0, at);
  tmpl.tail = tmpl.raw.substr(at + kContentMark.size());
}

int32_t LoadTemplate(TemplateKind kind, const std::string& programFolder,
                     std::string_view deviceName, HtmlTemplate& tmpl) {
  const TemplateKindInfo& info = TemplateInfo(kind);
  HtmlTemplate loaded;
  loaded.raw = tmpl.raw;
  if (loaded.raw.empty()) {
    int32_t result = ReadTemplateFile(programFolder + std::string(info.file), loaded.raw);
    if (result != 0) {
      return result;
    }
  }
  SplitTemplate(loaded);
  std::string title(info.titlePrefix);
  AppendHtmlEscaped(title, deviceName);
  loaded.head = ReplaceAll(loaded.head, kTitleMark, title);
  tmpl = std::move(loaded);
  return 0;
}

std::string FillPerson(std::string_view head, std::string_view name, std::string_view phone) {
  std::string person = "Name: ";
  AppendHtmlEscaped(person, name);
  person += ", Phone: ";
  AppendHtmlEscaped(person, phone);
  return ReplaceAll(head, kPersonMark, person);
}

}  // namespace zbe
