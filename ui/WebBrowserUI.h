// CWebBrowserUI: shows an HTML page from a local file with the toolkit's rich-text engine.
// No script runs and nothing is fetched from the network; images and style sheets beside the
// page are read from disk. The page function "Init" (in our page templates it opens the print
// dialog) is carried out by the control itself: it prints.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/ContainerUI.h"
#include "ui/SystemServices.h"

namespace zbe {

class CWebBrowserUI : public CContainerUI {
 public:
  using NavigateHandler = std::function<void(CWebBrowserUI& browser, const std::string& url)>;

  CWebBrowserUI();
  ~CWebBrowserUI() override;

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  bool IsTabStop() const override { return true; }

  // Shows "url": "about:blank" (an empty page), a local file path, or a file:// address. The
  // page replaces the previous one at once; the navigate-complete handler and the
  // "navigatecomplete" notification follow after the current event. Returns 0, kUIFileMissing (87)
  // when the file cannot be read, or 22 for any other kind of address (nothing changes then).
  int32_t Navigate(const std::string& url);
  const std::string& GetLocationURL() const { return url_; }
  // Reads the current page again.
  int32_t Refresh();
  // The home page shown when the control enters a window ("homepage", default none).
  void SetHomePage(const std::string& url) { homePage_ = url; }
  void SetNavigateCompleteHandler(NavigateHandler handler) { onComplete_ = std::move(handler); }

  // Calls page function "name". "Init" prints the page (the print dialog first) and returns
  // true, with Print's result in "*printResult" when given; other names are unknown and return
  // false.
  bool CallPageFunction(const std::string& name, int32_t* printResult = nullptr);
  // Prints the page through the system services. Returns their result (1 printed, 2 cancelled,
  // or an errno value).
  int32_t Print();
  std::unique_ptr<UIPrintJob> CreatePrintJob() const;

  // Plain text and title of the page (for tests and accessibility).
  std::string GetDocumentText() const;
  std::string GetDocumentTitle() const;
  int GetContentHeight() const;

  void DoEvent(TEventUI& event) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

  struct Page;

 protected:
  void DoInit() override;
  UISize LayoutChildren(const UIRect& inner) override;
  void PaintChildren(CRenderUI& render, const UIRect& rcPaint) override;

 private:
  std::unique_ptr<Page> page_;
  std::string url_;
  std::string homePage_;
  NavigateHandler onComplete_;
};

}  // namespace zbe
