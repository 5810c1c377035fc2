#include "ui/SystemServices.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include <cerrno>

#include "ui/UIApplication.h"
#include "ui/qt/HostWidget.h"
#include "ui/qt/QtBridge.h"
#include "ui/qt/TextDocumentPrintJob.h"

namespace zbe {

// Pages size their fonts in pixels; at the printer's own resolution they would come out a few
// points high. Laid out at the screen's resolution, a page prints as it shows.
constexpr QPrinter::PrinterMode kPrintMode = QPrinter::ScreenResolution;

int32_t TextDocumentPrintJob::PrintToPdf(const std::string& path) {
  QPrinter printer(kPrintMode);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(ToQ(path));
  printer.setDocName(ToQ(title_));
  doc_->print(&printer);
  QFileInfo info(ToQ(path));
  return info.exists() && info.size() > 0 ? 0 : EIO;
}

namespace {

class DefaultSystemServices final : public ISystemServicesUI {
 public:
  bool PickFolder(CWindowWnd* owner, const std::string& title, const std::string& startFolder,
                  std::string* folder) override {
    QString start = startFolder.empty() ? QDir::homePath() : ToQ(startFolder);
    QString chosen = QFileDialog::getExistingDirectory(NativeWidget(owner), ToQ(title), start,
                                                       QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
      return false;
    while (chosen.size() > 1 && chosen.endsWith('/'))
      chosen.chop(1);
    *folder = FromQ(chosen);
    return true;
  }

  bool OpenExternal(const std::string& target) override {
    if (target.empty())
      return false;
    const QString t = ToQ(target);
    // Addresses with a scheme go as they are; anything else is a local path.
    QUrl url = t.contains(QStringLiteral("://")) || t.startsWith(QStringLiteral("mailto:"))
                   ? QUrl(t)
                   : QUrl::fromLocalFile(t);
    return url.isValid() && QDesktopServices::openUrl(url);
  }

  void ShowMessage(CWindowWnd* owner, const std::string& title, const std::string& text) override {
    QMessageBox box(QMessageBox::Information, ToQ(title), ToQ(text), QMessageBox::Ok,
                    NativeWidget(owner));
    box.exec();
  }

  int32_t Print(CWindowWnd* owner, UIPrintJob& job) override {
    auto* doc = dynamic_cast<TextDocumentPrintJob*>(&job);
    if (doc == nullptr)
      return EINVAL;
    QPrinter printer(kPrintMode);
    printer.setDocName(ToQ(job.GetTitle()));
    QPrintDialog dialog(&printer, NativeWidget(owner));
    dialog.setWindowTitle(ToQ(job.GetTitle()));
    if (dialog.exec() != QDialog::Accepted)
      return 2;
    doc->Document().print(&printer);
    return printer.printerState() == QPrinter::Error ? EIO : 1;
  }
};

}  // namespace

std::unique_ptr<ISystemServicesUI> CreateDefaultSystemServices() {
  return std::make_unique<DefaultSystemServices>();
}

bool UIPickFolder(CWindowWnd* owner, const std::string& title, std::string* folder,
                  const std::string& startFolder) {
  UIApplication* app = UIApplication::Instance();
  return app != nullptr && app->Services().PickFolder(owner, title, startFolder, folder);
}

bool UIShellOpen(const std::string& target) {
  UIApplication* app = UIApplication::Instance();
  return app != nullptr && app->Services().OpenExternal(target);
}

void UISystemMessageBox(CWindowWnd* owner, const std::string& title, const std::string& text) {
  if (UIApplication* app = UIApplication::Instance())
    app->Services().ShowMessage(owner, title, text);
}

}  // namespace zbe
