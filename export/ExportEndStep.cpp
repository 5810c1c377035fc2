#include "export/ExportEndStep.h"

#include "export/OutputFile.h"
#include "platform/FileSystem.h"
#include "records/CategoryTable.h"

namespace zbe {
namespace {

// Writes the row file "file" once: template head, rows, tail.
void WriteRowFile(ExportContext& context, const ExportRowFile& file, TemplateKind kind) {
  if (file.rows.empty()) {
    return;
  }
  const HtmlTemplate& tmpl = context.templates[static_cast<size_t>(kind)];
  // The path was chosen free when the first record was reported; a file that has appeared there
  // since is not the user's to lose, so it is written anew only at a free path.
  WriteNewFile(
      context, file.path,
      [&](const std::string& path) {
        return Result::System(WriteOutputFile(path, {tmpl.head, file.rows, tmpl.tail}));
      },
      false);
}

}  // namespace

void RunExportEndStep(ExportContext& context) {
  if (context.messagesExported) {
    WriteNewFile(
        context,
        context.root + "/" + std::string(CategoryInfo(RecordCategory::kMessages).exportFolder) +
            "/sms.sqlite",
        [&](const std::string& path) { return context.storedFiles.CopyMessagesDatabase(path); },
        false);
  }
  WriteRowFile(context, context.calls, TemplateKind::kCallHistory);
  WriteRowFile(context, context.notes, TemplateKind::kNotes);
  if (!context.contacts.rows.empty()) {
    WriteNewFile(
        context, ParentFolder(context.contacts.path) + "/Contacts.sqlite",
        [&](const std::string& path) { return context.storedFiles.CopyContactsDatabase(path); },
        false);
    WriteRowFile(context, context.contacts, TemplateKind::kContacts);
  }
}

}  // namespace zbe
