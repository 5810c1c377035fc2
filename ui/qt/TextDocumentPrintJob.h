// A print job holding its own copy of a rich-text document.
#pragma once

#include <QTextDocument>

#include <memory>
#include <string>

#include "ui/SystemServices.h"

namespace zbe {

class TextDocumentPrintJob : public UIPrintJob {
 public:
  TextDocumentPrintJob(std::unique_ptr<QTextDocument> doc, std::string title)
      : doc_(std::move(doc)), title_(std::move(title)) {}

  std::string GetTitle() const override { return title_; }
  int32_t PrintToPdf(const std::string& path) override;
  QTextDocument& Document() { return *doc_; }

 private:
  std::unique_ptr<QTextDocument> doc_;
  const std::string title_;
};

}  // namespace zbe
