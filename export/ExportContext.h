#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "backup/StoredFileSource.h"
#include "export/ExportReporter.h"
#include "export/Template.h"
#include "records/ScanResults.h"

namespace zbe {

// The state that the steps of one export run share (ExportItems.h, ExportEndStep.h). Lives on
// the stack of the run; every reference is borrowed from ExportRun.

// The five templates, indexed by TemplateKind.
using ExportTemplates = std::array<HtmlTemplate, 5>;

// One of the row files (contacts, call history, notes): its path, chosen when its first record
// is exported, and the rows of the records reported so far, in walk order.
struct ExportRowFile {
  std::string path;
  std::string rows;
};

struct ExportContext {
  ExportContext(const ScanResults& results, IStoredFileSource& storedFiles,
                ExportReporter& reporter, const ExportTemplates& templates, std::string root,
                std::string stamp)
      : results(results),
        storedFiles(storedFiles),
        reporter(reporter),
        templates(templates),
        root(std::move(root)),
        stamp(std::move(stamp)) {}

  const ScanResults& results;
  IStoredFileSource& storedFiles;
  ExportReporter& reporter;
  const ExportTemplates& templates;
  const std::string root;         // the destination root, without a trailing "/"
  const std::string stamp;        // the run stamp
  bool messagesExported = false;  // a thread was begun: the end step copies the messages database
  ExportRowFile contacts;
  ExportRowFile calls;
  ExportRowFile notes;
  // The folder made or found last: the files of one folder come one after the other, and
  // looking the folder up again for each of them was a system call per exported file.
  std::string lastFolder;
};

// Writes one output file at a path where nothing exists yet: UniquePath("wanted"), checked
// with CheckPathLength, then "write"(path), which returns success, a stop or a failure. A
// file that was not written completely is deleted (nothing existed at that path before, so
// nothing of the user's is lost). The file is then reported finished with the result, except a
// success when "reportSuccess" is false (the text and CSV files and the end step's files, which
// the run lists only when they fail) and a stop, which comes only from a cancel, after which the
// reporter lists nothing.
void WriteNewFile(ExportContext& context, const std::string& wanted,
                  const std::function<Result(const std::string&)>& write, bool reportSuccess);

}  // namespace zbe
