#include "ui/RichEditUI.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <fstream>
#include <iterator>
#include <vector>

#include "ui/AttributeValues.h"
#include "ui/ImageDecoder.h"
#include "ui/ImageObject.h"
#include "ui/PaintManagerUI.h"
#include "ui/RenderUI.h"
#include "ui/UIDefs.h"
#include "ui/qt/QtBridge.h"
#include "ui/qt/RenderImpl.h"
#include "ui/qt/TextDocumentView.h"

namespace zbe {
namespace {

struct InsertedImage {
  QUrl name;
  std::vector<QImage> frames;
  std::vector<int> delays;
  int current = 0;
  int elapsed = 0;
  QSize natural;
  int maxWidth = 0;  // 0: fit the view
};

}  // namespace

struct CRichEditUI::Doc {
  TextDocumentView view{std::make_unique<QTextDocument>()};
  std::vector<InsertedImage> images;
  int nextImage = 0;
  int enlarge = 1;  // how many times its size a small image may grow to fill the view

  // Sizes every image to fit "viewWidth" (or its own limit), keeping its proportions.
  void FitImages(int viewWidth) {
    QTextDocument& d = view.Doc();
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
      for (auto it = b.begin(); !it.atEnd(); ++it) {
        QTextFragment f = it.fragment();
        if (!f.isValid() || !f.charFormat().isImageFormat())
          continue;
        QTextImageFormat fmt = f.charFormat().toImageFormat();
        const QUrl url(fmt.name());
        for (const InsertedImage& img : images) {
          if (img.name != url)
            continue;
          int limit = img.maxWidth > 0 ? img.maxWidth : std::max(16, viewWidth - 12);
          QSize s = img.natural;
          if (s.width() > limit)
            s = s.scaled(limit, 1 << 20, Qt::KeepAspectRatio);
          else if (enlarge > 1 && img.maxWidth == 0 && s.width() > 0)
            s = s.scaled(std::min(limit, s.width() * enlarge), 1 << 20, Qt::KeepAspectRatio);
          if (fmt.width() != s.width() || fmt.height() != s.height()) {
            fmt.setWidth(s.width());
            fmt.setHeight(s.height());
            QTextCursor c(&d);
            c.setPosition(f.position());
            c.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
            c.setCharFormat(fmt);
          }
        }
      }
    }
  }
};

CRichEditUI::CRichEditUI() : doc_(std::make_unique<Doc>()) {
  EnableScrollBar(true, false);
  inset_ = UIRect{2, 2, 2, 2};
}

CRichEditUI::~CRichEditUI() = default;

std::string CRichEditUI::GetClass() const {
  return "RichEditUI";
}

void* CRichEditUI::GetInterface(std::string_view name) {
  if (name == "RichEdit")
    return this;
  return CContainerUI::GetInterface(name);
}

void CRichEditUI::SetText(const std::string& text) {
  Clear();
  AppendText(text);
}

std::string CRichEditUI::GetText() const {
  QString s = doc_->view.Doc().toPlainText();
  return FromQ(s);
}

void CRichEditUI::Clear() {
  doc_->view.Doc().clear();
  doc_->images.clear();
  doc_->view.ClearSelection();
  text_.clear();
  SetScrollPos(UISize{});
  NeedUpdate();
}

void CRichEditUI::AppendText(const std::string& text, UIColor color, int font) {
  QTextCursor cursor(&doc_->view.Doc());
  cursor.movePosition(QTextCursor::End);
  QTextCharFormat fmt;
  UIFontSpec spec = manager_ ? manager_->GetFont(font >= 0 ? font : font_) : UIFontSpec();
  fmt.setFont(MakeFont(spec));
  if (color != 0)
    fmt.setForeground(ToQColor(color));
  else if (textColor_ != 0)
    fmt.setForeground(ToQColor(textColor_));
  QString s = ToQ(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar('\r'), QChar('\n'));
  cursor.insertText(s, fmt);
  NeedUpdate();
}

int32_t CRichEditUI::InsertImage(const std::string& path, int maxWidth) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return kUIFileMissing;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (in.bad())
    return kUIFileMissing;
  UIImageData data;
  int32_t rc = DecodeImage(bytes, &data);
  if (rc != 0)
    return rc;
  InsertDecoded(data, maxWidth);
  return 0;
}

int32_t CRichEditUI::InsertImageObject(const std::string& interfaceId, const std::string& path,
                                       int maxWidth) {
  UIImageData data;
  int32_t rc = DecodeWithImageObject(interfaceId, path, &data);
  if (rc != 0)
    return rc;
  InsertDecoded(data, maxWidth);
  return 0;
}

void CRichEditUI::InsertDecoded(const UIImageData& data, int maxWidth) {
  InsertedImage img;
  img.name = QUrl(QStringLiteral("zbe-image://%1").arg(doc_->nextImage++));
  for (size_t i = 0; i < data.frames.size(); ++i) {
    img.frames.push_back(ToQImage(data, static_cast<int>(i)));
    img.delays.push_back(std::max(1, data.delaysMs[i]));
  }
  img.natural = QSize(data.width, data.height);
  img.maxWidth = maxWidth;
  QTextDocument& d = doc_->view.Doc();
  d.addResource(QTextDocument::ImageResource, img.name, QVariant(img.frames[0]));
  QTextImageFormat fmt;
  fmt.setName(img.name.toString());
  fmt.setWidth(data.width);
  fmt.setHeight(data.height);
  QTextCursor cursor(&d);
  cursor.movePosition(QTextCursor::End);
  cursor.insertImage(fmt);
  doc_->images.push_back(std::move(img));
  const int width = GetInnerRect().Width();
  doc_->FitImages(width > 0 ? width : 1 << 20);
  NeedUpdate();
}

bool CRichEditUI::AdvanceAnimations(int elapsedMs) {
  bool changed = false;
  QTextDocument& d = doc_->view.Doc();
  for (InsertedImage& img : doc_->images) {
    if (img.frames.size() < 2)
      continue;
    img.elapsed += std::max(0, elapsedMs);
    bool moved = false;
    while (img.elapsed >= img.delays[img.current]) {
      img.elapsed -= img.delays[img.current];
      img.current = (img.current + 1) % static_cast<int>(img.frames.size());
      moved = true;
    }
    if (moved) {
      d.addResource(QTextDocument::ImageResource, img.name, QVariant(img.frames[img.current]));
      changed = true;
    }
  }
  if (changed) {
    // The layout keeps the images it has drawn; tell it the content changed.
    d.markContentsDirty(0, d.characterCount());
    Invalidate();
  }
  return changed;
}

bool CRichEditUI::HasAnimations() const {
  for (const InsertedImage& img : doc_->images) {
    if (img.frames.size() > 1)
      return true;
  }
  return false;
}

int CRichEditUI::GetImageCount() const {
  return static_cast<int>(doc_->images.size());
}

void CRichEditUI::SetTextColor(UIColor c) {
  textColor_ = c;
  Invalidate();
}

void CRichEditUI::SetFont(int font) {
  font_ = font;
  if (manager_ != nullptr)
    doc_->view.Doc().setDefaultFont(ManagerFont(*manager_, font));
  NeedUpdate();
}

void CRichEditUI::SelectAll() {
  doc_->view.SelectAll();
  Invalidate();
}

std::string CRichEditUI::GetSelText() const {
  return doc_->view.SelectedText();
}

void CRichEditUI::Copy() {
  doc_->view.CopySelection();
}

void CRichEditUI::DoInit() {
  if (manager_ != nullptr)
    doc_->view.Doc().setDefaultFont(ManagerFont(*manager_, font_));
}

int CRichEditUI::GetContentHeight() const {
  return doc_->view.Height();
}

UISize CRichEditUI::LayoutChildren(const UIRect& inner) {
  const int width = std::max(1, inner.Width());
  if (doc_->view.SetWidth(width))
    doc_->FitImages(width);
  return UISize{width, doc_->view.Height()};
}

void CRichEditUI::PaintChildren(CRenderUI& render, const UIRect& rcPaint) {
  const UIColor text =
      textColor_ != 0 ? textColor_ : (manager_ ? manager_->GetDefaultFontColor() : 0xFF1F2933);
  doc_->view.Paint(*render.GetImpl().painter, GetInnerRect(), GetScrollPos().cy, rcPaint, text);
}

void CRichEditUI::DoEvent(TEventUI& event) {
  const QPointF docPt =
      TextDocumentView::DocumentPoint(event.ptMouse, GetInnerRect(), GetScrollPos().cy);
  switch (event.type) {
    case UIEventType::kButtonDown:
      doc_->view.PressAt(docPt);
      Invalidate();
      return;
    case UIEventType::kMouseMove:
      if (doc_->view.DragTo(docPt))
        Invalidate();
      return;
    case UIEventType::kButtonUp:
      doc_->view.Release();
      return;
    case UIEventType::kKeyDown:
      if ((event.keyState & UIMod::kCtrl) != 0) {
        if (event.chKey == 'A') {
          SelectAll();
          return;
        }
        if (event.chKey == 'C' || event.chKey == UIKey::kInsert) {
          Copy();
          return;
        }
      }
      if (ScrollForKey(event.chKey))
        return;
      break;
    default:
      break;
  }
  CContainerUI::DoEvent(event);
}

void CRichEditUI::SetImageEnlarge(int factor) {
  doc_->enlarge = std::max(1, factor);
  NeedUpdate();
}

bool CRichEditUI::SetAttribute(const std::string& name, const std::string& value) {
  UIColor c = 0;
  int n = 0;
  if (name == "textcolor") {
    if (ParseUIColor(value, &c))
      SetTextColor(c);
  } else if (name == "font") {
    if (ParseUIInt(value, &n))
      SetFont(n);
  } else if (name == "readonly" || name == "multiline" || name == "rich" || name == "wordwrap") {
    // The control is always a read-only, multi-line, wrapping rich text view.
  } else if (name == "text") {
    SetText(value);
  } else if (name == "imageenlarge") {
    if (ParseUIInt(value, &n))
      SetImageEnlarge(n);
  } else {
    return CContainerUI::SetAttribute(name, value);
  }
  return true;
}

}  // namespace zbe
