// What the toolkit asks of the desktop: a folder picker, opening addresses, folders and files
// with their default program, a plain system message box, and printing. The default services
// use the platform's own dialogs; tests replace them (UIApplication::SetServices) so that no
// dialog ever blocks a test.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace zbe {

class CWindowWnd;

// A document ready to be printed (made by the web browser control).
class UIPrintJob {
 public:
  virtual ~UIPrintJob() = default;
  virtual std::string GetTitle() const = 0;
  // Prints the document into a PDF file at "path". Returns 0, or an errno value when the file
  // cannot be written.
  virtual int32_t PrintToPdf(const std::string& path) = 0;
};

class ISystemServicesUI {
 public:
  virtual ~ISystemServicesUI() = default;

  // Lets the user choose a folder, in a dialog titled "title" and owned by "owner" (may be
  // null), starting at "startFolder" ("" for the home folder). Returns true and sets "*folder"
  // (no trailing "/") when the user chose one; false when cancelled.
  virtual bool PickFolder(CWindowWnd* owner, const std::string& title,
                          const std::string& startFolder, std::string* folder) = 0;

  // Opens "target" (a web address, or a local folder or file path) with the desktop's
  // default program. Returns false when nothing could be started.
  virtual bool OpenExternal(const std::string& target) = 0;

  // A plain system message box with an OK button, modal to "owner" (may be null).
  virtual void ShowMessage(CWindowWnd* owner, const std::string& title,
                           const std::string& text) = 0;

  // Shows the print dialog for "job" and prints it when the user agrees. Returns 1 when
  // printed, 2 when the user cancelled, or an errno value when printing failed.
  virtual int32_t Print(CWindowWnd* owner, UIPrintJob& job) = 0;
};

// The services that use the platform's dialogs.
std::unique_ptr<ISystemServicesUI> CreateDefaultSystemServices();

// Shortcuts to the current services of UIApplication (which must exist).
bool UIPickFolder(CWindowWnd* owner, const std::string& title, std::string* folder,
                  const std::string& startFolder = "");
bool UIShellOpen(const std::string& target);
void UISystemMessageBox(CWindowWnd* owner, const std::string& title, const std::string& text);

}  // namespace zbe
