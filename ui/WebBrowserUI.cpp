#include "ui/WebBrowserUI.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

#include <cerrno>
#include <vector>

#include "ui/AttributeValues.h"
#include "ui/ImageDecoder.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"
#include "ui/UIApplication.h"
#include "ui/UIDefs.h"
#include "ui/WindowWnd.h"
#include "ui/qt/QtBridge.h"
#include "ui/qt/RenderImpl.h"
#include "ui/qt/TextDocumentPrintJob.h"
#include "ui/qt/TextDocumentView.h"

namespace zbe {
namespace {

constexpr char kBlank[] = "about:blank";

// A document that reads its images and style sheets from the page's folder and never from the
// network.
class LocalTextDocument : public QTextDocument {
 public:
  explicit LocalTextDocument(QString baseDir) : baseDir_(std::move(baseDir)) {}

 protected:
  QVariant loadResource(int type, const QUrl& name) override {
    QString path;
    if (name.isLocalFile()) {
      path = name.toLocalFile();
    } else if (name.scheme().isEmpty() && !baseDir_.isEmpty()) {
      path = QDir(baseDir_).filePath(name.path());
    } else {
      return QVariant();
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
      return QVariant();
    const QByteArray bytes = f.readAll();
    if (type == QTextDocument::ImageResource) {
      UIImageData data;
      std::span<const uint8_t> view(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                    static_cast<size_t>(bytes.size()));
      if (DecodeImage(view, &data) != 0)
        return QVariant();
      return QVariant(ToQImage(data, 0));
    }
    return QVariant(QString::fromUtf8(bytes));
  }

 private:
  QString baseDir_;
};

QString DecodeHtml(const QByteArray& bytes) {
  auto encoding = QStringConverter::encodingForHtml(bytes);
  QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
  if (!decoder.isValid())
    decoder = QStringDecoder(QStringConverter::Utf8);
  return decoder.decode(bytes);
}

// Scripts never run; their text must not show as page text either.
QString StripScripts(QString html) {
  static const QRegularExpression script(
      QStringLiteral("<script\\b[^>]*>.*?</script\\s*>"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  html.remove(script);
  return html;
}

}  // namespace

struct CWebBrowserUI::Page {
  TextDocumentView view{std::make_unique<LocalTextDocument>(QString())};
  std::shared_ptr<int> alive = std::make_shared<int>(0);  // lets posted completions check
};

CWebBrowserUI::CWebBrowserUI() : page_(std::make_unique<Page>()) {
  EnableScrollBar(true, false);
  bkColor_ = 0xFFFFFFFF;
}

CWebBrowserUI::~CWebBrowserUI() = default;

std::string CWebBrowserUI::GetClass() const {
  return "WebBrowserUI";
}

void* CWebBrowserUI::GetInterface(std::string_view name) {
  if (name == "WebBrowser")
    return this;
  return CContainerUI::GetInterface(name);
}

void CWebBrowserUI::DoInit() {
  if (manager_ != nullptr)
    page_->view.Doc().setDefaultFont(ManagerFont(*manager_, -1));
  if (!homePage_.empty())
    Navigate(homePage_);
}

int32_t CWebBrowserUI::Navigate(const std::string& url) {
  std::unique_ptr<QTextDocument> doc;
  if (url.empty() || url == kBlank) {
    doc = std::make_unique<LocalTextDocument>(QString());
  } else {
    QString path;
    const QString u = ToQ(url);
    if (u.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
      path = QUrl(u).toLocalFile();
    } else if (u.contains(QStringLiteral("://"))) {
      return 22;
    } else {
      path = u;
    }
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
      return kUIFileMissing;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
      return kUIFileMissing;
    const QString dir = QFileInfo(path).absolutePath();
    doc = std::make_unique<LocalTextDocument>(dir);
    doc->setBaseUrl(QUrl::fromLocalFile(dir + QLatin1Char('/')));
    if (manager_ != nullptr)
      doc->setDefaultFont(ManagerFont(*manager_, -1));
    doc->setHtml(StripScripts(DecodeHtml(bytes)));
  }
  page_->view.Replace(std::move(doc));
  url_ = url.empty() ? kBlank : url;
  SetScrollPos(UISize{});
  NeedUpdate();
  // Like a browser, the page reports its completion after the call returns.
  std::weak_ptr<int> alive = page_->alive;
  const std::string done = url_;
  auto complete = [this, alive, done] {
    if (alive.expired())
      return;
    if (onComplete_)
      onComplete_(*this, done);
    if (!alive.expired())
      Notify(UINotify::kNavigateComplete);
  };
  if (manager_ != nullptr)
    manager_->PostTask(complete);
  return 0;
}

int32_t CWebBrowserUI::Refresh() {
  return Navigate(url_);
}

bool CWebBrowserUI::CallPageFunction(const std::string& name, int32_t* printResult) {
  if (name != "Init")
    return false;
  const int32_t printed = Print();
  if (printResult != nullptr)
    *printResult = printed;
  return true;
}

std::unique_ptr<UIPrintJob> CWebBrowserUI::CreatePrintJob() const {
  std::unique_ptr<QTextDocument> copy(page_->view.Doc().clone());
  std::string title = GetDocumentTitle();
  if (title.empty())
    title = url_;
  return std::make_unique<TextDocumentPrintJob>(std::move(copy), title);
}

int32_t CWebBrowserUI::Print() {
  UIApplication* app = UIApplication::Instance();
  if (app == nullptr)
    return EINVAL;
  std::unique_ptr<UIPrintJob> job = CreatePrintJob();
  return app->Services().Print(manager_ ? manager_->GetWindow() : nullptr, *job);
}

std::string CWebBrowserUI::GetDocumentText() const {
  return FromQ(page_->view.Doc().toPlainText());
}

std::string CWebBrowserUI::GetDocumentTitle() const {
  return FromQ(page_->view.Doc().metaInformation(QTextDocument::DocumentTitle));
}

int CWebBrowserUI::GetContentHeight() const {
  return page_->view.Height();
}

UISize CWebBrowserUI::LayoutChildren(const UIRect& inner) {
  const int width = std::max(1, inner.Width());
  page_->view.SetWidth(width);
  return UISize{width, page_->view.Height()};
}

void CWebBrowserUI::PaintChildren(CRenderUI& render, const UIRect& rcPaint) {
  const UIColor text = manager_ ? manager_->GetDefaultFontColor() : 0xFF1F2933;
  page_->view.Paint(*render.GetImpl().painter, GetInnerRect(), GetScrollPos().cy, rcPaint, text);
}

void CWebBrowserUI::DoEvent(TEventUI& event) {
  const QPointF docPt =
      TextDocumentView::DocumentPoint(event.ptMouse, GetInnerRect(), GetScrollPos().cy);
  switch (event.type) {
    case UIEventType::kButtonDown:
      page_->view.PressAt(docPt);
      Invalidate();
      return;
    case UIEventType::kMouseMove:
      if (page_->view.DragTo(docPt))
        Invalidate();
      return;
    case UIEventType::kButtonUp: {
      page_->view.Release();
      if (!page_->view.HasSelection()) {
        // A click on a link with an address opens it in the desktop's browser.
        const QString href = page_->view.Doc().documentLayout()->anchorAt(docPt);
        if (href.contains(QStringLiteral("://")) || href.startsWith(QStringLiteral("mailto:"))) {
          UIShellOpen(FromQ(href));
        }
      }
      return;
    }
    case UIEventType::kKeyDown:
      if ((event.keyState & UIMod::kCtrl) != 0 && event.chKey == 'A') {
        page_->view.SelectAll();
        Invalidate();
        return;
      }
      if ((event.keyState & UIMod::kCtrl) != 0 && event.chKey == 'C') {
        page_->view.CopySelection();
        return;
      }
      if (ScrollForKey(event.chKey))
        return;
      break;
    default:
      break;
  }
  CContainerUI::DoEvent(event);
}

bool CWebBrowserUI::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "homepage") {
    SetHomePage(value);
  } else if (name == "autonavi") {
    // The home page is always shown when the control enters a window.
  } else {
    return CContainerUI::SetAttribute(name, value);
  }
  return true;
}

}  // namespace zbe
