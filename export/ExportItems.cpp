#include "export/ExportItems.h"

#include "backup/ResultCodes.h"
#include "export/ChatCsvWriter.h"
#include "export/ChatHtmlWriter.h"
#include "export/ChatTextWriter.h"
#include "export/ExportNaming.h"
#include "export/ThreadHtmlWriter.h"
#include "export/ThreadTextWriter.h"
#include "platform/FileSystem.h"

namespace zbe {
namespace {

// After a cancel the walk begins no new file: the file in progress stops at its next report
// and is deleted, and the walk runs on to its end without writing anything.
bool Cancelled(const ExportContext& context) {
  return context.reporter.cancelled();
}

const HtmlTemplate& TemplateOf(const ExportContext& context, TemplateKind kind) {
  return context.templates[static_cast<size_t>(kind)];
}

}  // namespace

std::string WriteNewFile(ExportContext& context, const std::string& wanted,
                         const std::function<int32_t(const std::string&)>& write,
                         bool reportSuccess) {
  std::string path = UniquePath(wanted);
  int32_t result = CheckPathLength(path);
  if (result == kResultOk) {
    result = write(path);
  }
  if (result != kResultOk) {
    RemovePath(path);
  }
  if (result != kResultOk || reportSuccess) {
    context.reporter.Finished(path, result);
  }
  return path;
}

void ExportFileItem(ExportContext& context, const std::string& folder, const std::string& name,
                    const std::string& storedPath) {
  if (Cancelled(context)) {
    return;
  }
  std::string wanted = folder + "/" + SafeName(name);
  if (int32_t created = CreateFolders(folder); created != kResultOk) {
    context.reporter.Finished(wanted, created);
    return;
  }
  WriteNewFile(
      context, wanted,
      [&](const std::string& path) {
        FileProgressFilter progress(context.reporter);
        return context.source.CopyStoredFile(storedPath, path, ExportProgressCallback, &progress);
      },
      true);
}

void ExportThread(ExportContext& context, const MessageRecord& row,
                  const std::vector<MessageRecord>& thread) {
  if (Cancelled(context)) {
    return;
  }
  std::string folder = context.root + "/Message/" + ThreadFolderName(row, context.stamp);
  std::string base = folder + "/" + ThreadBaseName(row);
  if (int32_t created = CreateFolders(folder); created != kResultOk) {
    context.reporter.Finished(base + ".html", created);
    return;
  }
  context.messagesExported = true;
  WriteNewFile(
      context, base + ".txt",
      [&](const std::string& path) { return WriteThreadText(path, thread); }, false);
  if (Cancelled(context)) {
    return;
  }
  WriteNewFile(
      context, base + ".html",
      [&](const std::string& path) {
        FileProgressFilter progress(context.reporter);
        return WriteThreadHtml(path, TemplateOf(context, TemplateKind::kMessages), row, thread,
                               &progress);
      },
      true);
}

void ExportChat(ExportContext& context, const WhatsAppMessage& row,
                const std::vector<WhatsAppMessage>& chat) {
  if (Cancelled(context)) {
    return;
  }
  std::string folder = context.root + "/WhatsApp Message/" + ChatFolderName(row, context.stamp);
  std::string base = folder + "/" + ChatBaseName(row);
  if (int32_t created = CreateFolders(folder); created != kResultOk) {
    context.reporter.Finished(base + ".html", created);
    return;
  }
  WriteNewFile(
      context, base + ".txt", [&](const std::string& path) { return WriteChatText(path, chat); },
      false);
  if (Cancelled(context)) {
    return;
  }
  WriteNewFile(
      context, base + ".csv", [&](const std::string& path) { return WriteChatCsv(path, chat); },
      false);
  if (Cancelled(context)) {
    return;
  }
  WriteNewFile(
      context, base + ".html",
      [&](const std::string& path) {
        FileProgressFilter progress(context.reporter);
        return WriteChatHtml(path, TemplateOf(context, TemplateKind::kWhatsApp), row, chat,
                             &progress);
      },
      true);
}

void ExportRecordRow(ExportContext& context, ExportRowFile& file, const std::string& folder,
                     const std::string& fileName, std::string row) {
  if (Cancelled(context)) {
    return;
  }
  std::string wanted = folder + "/" + fileName;
  if (int32_t created = CreateFolders(folder); created != kResultOk) {
    context.reporter.Finished(file.path.empty() ? wanted : file.path, created);
    return;
  }
  if (file.path.empty()) {
    std::string path = UniquePath(wanted);
    if (int32_t length = CheckPathLength(path); length != kResultOk) {
      context.reporter.Finished(path, length);
      return;
    }
    file.path = std::move(path);
  }
  if (context.reporter.Finished(file.path, kResultOk) == kResultOk) {
    file.rows += row;
  }
}

}  // namespace zbe
