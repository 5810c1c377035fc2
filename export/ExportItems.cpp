#include "export/ExportItems.h"

#include "export/ChatCsvWriter.h"
#include "export/ChatHtmlWriter.h"
#include "export/ChatTextWriter.h"
#include "export/ExportNaming.h"
#include "export/ThreadHtmlWriter.h"
#include "export/ThreadTextWriter.h"
#include "platform/FileSystem.h"
#include "records/ResultCodes.h"

namespace zbe {
namespace {

// After a cancel the walk begins no new file: the file in progress stops at its next report
// and is deleted, and the walk runs on to its end without writing anything.
bool Cancelled(const ExportContext& context) {
  return context.reporter.cancelled();
}

// Creates "folder" (with missing parents) for the entry whose file is "file". Returns false after
// reporting "file" failed: its path is too long (nothing is created then) or the folder cannot be
// made.
bool MakeFolder(ExportContext& context, const std::string& folder, const std::string& file) {
  int32_t error = CheckPathLength(file);
  if (error == 0 && folder != context.lastFolder) {
    error = CreateFolders(folder);
    context.lastFolder = error == 0 ? folder : std::string();
  }
  if (error != 0) {
    context.reporter.Finished(file, Result::System(error));
    return false;
  }
  return true;
}

const HtmlTemplate& TemplateOf(const ExportContext& context, TemplateKind kind) {
  return context.templates[static_cast<size_t>(kind)];
}

// Writes "wanted", a file of an entry that is listed only when it fails. Returns false when the
// run has been cancelled meanwhile: the entry then begins no further file.
bool WriteSideFile(ExportContext& context, const std::string& wanted,
                   const std::function<Result(const std::string&)>& write) {
  WriteNewFile(context, wanted, write, false);
  return !Cancelled(context);
}

// Writes "wanted", the file whose report stands for the entry (listed whatever its result).
// "write" gets the path and the observer that passes its progress on to the run's reporter.
void WriteEntryFile(ExportContext& context, const std::string& wanted,
                    const std::function<Result(const std::string&, FileProgressFilter&)>& write) {
  WriteNewFile(
      context, wanted,
      [&](const std::string& path) {
        FileProgressFilter progress(context.reporter);
        return write(path, progress);
      },
      true);
}

}  // namespace

void WriteNewFile(ExportContext& context, const std::string& wanted,
                  const std::function<Result(const std::string&)>& write, bool reportSuccess) {
  std::string path = UniquePath(wanted);
  Result result = Result::System(CheckPathLength(path));
  if (result.ok()) {
    result = write(path);
  }
  if (!result.ok()) {
    RemovePath(path);
  }
  if (!result.ok() || reportSuccess) {
    context.reporter.Finished(path, result);
  }
}

void ExportFileItem(ExportContext& context, const std::string& folder, const std::string& name,
                    const std::string& storedPath) {
  if (Cancelled(context)) {
    return;
  }
  std::string wanted = folder + "/" + SafeName(name);
  if (!MakeFolder(context, folder, wanted)) {
    return;
  }
  WriteEntryFile(context, wanted, [&](const std::string& path, FileProgressFilter& progress) {
    return context.storedFiles.CopyStoredFile(storedPath, path, ExportProgressCallback, &progress);
  });
}

void ExportThread(ExportContext& context, const std::string& messagesFolder,
                  const MessageRecord& row, const std::vector<MessageRecord>& thread) {
  if (Cancelled(context)) {
    return;
  }
  std::string folder = messagesFolder + "/" + ThreadFolderName(row, context.stamp);
  std::string base = folder + "/" + ThreadBaseName(row);
  if (!MakeFolder(context, folder, base + ".html")) {
    return;
  }
  context.messagesExported = true;
  if (!WriteSideFile(context, base + ".txt", [&](const std::string& path) {
        return Result::System(WriteThreadText(path, thread));
      })) {
    return;
  }
  WriteEntryFile(context, base + ".html",
                 [&](const std::string& path, FileProgressFilter& progress) {
                   return WriteThreadHtml(path, TemplateOf(context, TemplateKind::kMessages), row,
                                          thread, &progress);
                 });
}

void ExportChat(ExportContext& context, const std::string& chatsFolder, const WhatsAppMessage& row,
                const std::vector<WhatsAppMessage>& chat) {
  if (Cancelled(context)) {
    return;
  }
  std::string folder = chatsFolder + "/" + ChatFolderName(row, context.stamp);
  std::string base = folder + "/" + ChatBaseName(row);
  if (!MakeFolder(context, folder, base + ".html")) {
    return;
  }
  if (!WriteSideFile(
          context, base + ".txt",
          [&](const std::string& path) { return Result::System(WriteChatText(path, chat)); }) ||
      !WriteSideFile(context, base + ".csv", [&](const std::string& path) {
        return Result::System(WriteChatCsv(path, chat));
      })) {
    return;
  }
  WriteEntryFile(context, base + ".html",
                 [&](const std::string& path, FileProgressFilter& progress) {
                   return WriteChatHtml(path, TemplateOf(context, TemplateKind::kWhatsApp), row,
                                        chat, &progress);
                 });
}

void ExportRecordRow(ExportContext& context, ExportRowFile& file, const std::string& folder,
                     const std::string& fileName, std::string row) {
  if (Cancelled(context)) {
    return;
  }
  std::string wanted = file.path.empty() ? folder + "/" + fileName : file.path;
  if (!MakeFolder(context, folder, wanted)) {
    return;
  }
  if (file.path.empty()) {
    file.path = UniquePath(wanted);
  }
  if (context.reporter.Finished(file.path, Result::Ok()).ok()) {
    file.rows += row;
  }
}

}  // namespace zbe
