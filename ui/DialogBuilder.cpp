#include "ui/DialogBuilder.h"

#include <pugixml.hpp>

#include <functional>
#include <map>

#include "ui/AttributeValues.h"
#include "ui/ButtonUI.h"
#include "ui/ContainerUI.h"
#include "ui/EditUI.h"
#include "ui/GifButtonUI.h"
#include "ui/LabelUI.h"
#include "ui/LayoutsUI.h"
#include "ui/ListElementUI.h"
#include "ui/ListUI.h"
#include "ui/MenuWnd.h"
#include "ui/OptionUI.h"
#include "ui/PaintManagerUI.h"
#include "ui/ProgressUI.h"
#include "ui/RichEditUI.h"
#include "ui/ScrollBarUI.h"
#include "ui/TreeViewUI.h"
#include "ui/UIApplication.h"
#include "ui/WebBrowserUI.h"

namespace zbe {
namespace {

constexpr int kMaxDepth = 64;

template <class T>
std::unique_ptr<CControlUI> Make() {
  return std::make_unique<T>();
}

using Factory = std::unique_ptr<CControlUI> (*)();

const std::map<std::string, Factory>& Builtins() {
  static const std::map<std::string, Factory> table = {
      {"Control", &Make<CControlUI>},
      {"Container", &Make<CContainerUI>},
      {"ChildLayout", &Make<CContainerUI>},
      {"VerticalLayout", &Make<CVerticalLayoutUI>},
      {"HorizontalLayout", &Make<CHorizontalLayoutUI>},
      {"TabLayout", &Make<CTabLayoutUI>},
      {"Label", &Make<CLabelUI>},
      {"Text", &Make<CTextUI>},
      {"Button", &Make<CButtonUI>},
      {"Option", &Make<COptionUI>},
      {"CheckBox", &Make<CCheckBoxUI>},
      {"Edit", &Make<CEditUI>},
      {"Progress", &Make<CProgressUI>},
      {"ScrollBar", &Make<CScrollBarUI>},
      {"List", &Make<CListUI>},
      {"ListHeader", &Make<CListHeaderUI>},
      {"ListHeaderItem", &Make<CListHeaderItemUI>},
      {"ListLabelElement", &Make<CListLabelElementUI>},
      {"ListTextElement", &Make<CListTextElementUI>},
      {"ListImageTextElement", &Make<CListImageTextElementUI>},
      {"ListContainerElement", &Make<CListContainerElementUI>},
      {"TreeView", &Make<CTreeViewUI>},
      {"TreeNode", &Make<CTreeNodeUI>},
      {"RichEdit", &Make<CRichEditUI>},
      {"WebBrowser", &Make<CWebBrowserUI>},
      {"GifButton", &Make<CGifButtonUI>},
      {"Menu", &Make<CMenuUI>},
      {"MenuElement", &Make<CMenuElementUI>},
  };
  return table;
}

bool IsSettingElement(const std::string& name) {
  return name == "Font" || name == "Default" || name == "Style" || name == "Image";
}

UIApplication* App() {
  return UIApplication::Instance();
}

// The folder part of skin file "file" ("xml/" for "xml/skin.xml").
std::string FolderOf(const std::string& file) {
  std::string norm = NormalizeSkinName(file);
  size_t slash = norm.rfind('/');
  return slash == std::string::npos ? std::string() : norm.substr(0, slash + 1);
}

}  // namespace

std::unique_ptr<CControlUI> CDialogBuilder::CreateBuiltinControl(const std::string& className) {
  auto it = Builtins().find(className);
  return it == Builtins().end() ? nullptr : it->second();
}

std::unique_ptr<CControlUI> CDialogBuilder::Create(const std::string& xmlFile,
                                                   IDialogBuilderCallback* callback,
                                                   CPaintManagerUI* manager) {
  callback_ = callback;
  manager_ = manager;
  lastError_.clear();
  UIApplication* app = App();
  if (app == nullptr) {
    lastError_ = "the toolkit has not been started";
    return nullptr;
  }
  const pugi::xml_document* doc = app->GetLayout(xmlFile, &lastError_);
  if (doc == nullptr)
    return nullptr;
  return BuildRoot(doc->document_element(), NormalizeSkinName(xmlFile));
}

std::unique_ptr<CControlUI> CDialogBuilder::CreateFromString(const std::string& xml,
                                                             IDialogBuilderCallback* callback,
                                                             CPaintManagerUI* manager) {
  callback_ = callback;
  manager_ = manager;
  lastError_.clear();
  pugi::xml_document doc;
  pugi::xml_parse_result parsed = doc.load_buffer(xml.data(), xml.size());
  if (!parsed) {
    lastError_ = std::string("layout text is not well-formed XML: ") + parsed.description();
    return nullptr;
  }
  return BuildRoot(doc.document_element(), "(layout text)");
}

std::unique_ptr<CControlUI> CDialogBuilder::BuildRoot(const pugi::xml_node& top,
                                                      const std::string& file) {
  if (!top) {
    lastError_ = "\"" + file + "\" holds no element";
    return nullptr;
  }
  std::unique_ptr<CControlUI> root;
  if (std::string(top.name()) == "Window") {
    ApplyWindowSettings(top, file);
    for (pugi::xml_node child = top.first_child(); child; child = child.next_sibling()) {
      if (child.type() != pugi::node_element || IsSettingElement(child.name()))
        continue;
      if (std::string(child.name()) == "Include") {
        // Another file gives the window's root control, or only fonts, defaults and styles.
        const std::string resolved = ResolveInclude(child.attribute("source").as_string(), file);
        const pugi::xml_document* doc = App()->GetLayout(resolved, &lastError_);
        if (doc == nullptr || ++includeDepth_ > kMaxDepth)
          break;
        pugi::xml_node included = doc->document_element();
        if (std::string(included.name()) == "Window") {
          root = BuildRoot(included, resolved);
          if (root)
            break;
          lastError_.clear();
          continue;
        }
        root = BuildControl(included, resolved, 0);
        break;
      }
      root = BuildControl(child, file, 0);
      break;
    }
  } else {
    root = BuildControl(top, file, 0);
  }
  if (!root && lastError_.empty())
    lastError_ = "\"" + file + "\" holds no control";
  return root;
}

void CDialogBuilder::ApplyWindowSettings(const pugi::xml_node& window, const std::string& file) {
  UIRect rc;
  UISize sz;
  UIColor color = 0;
  for (pugi::xml_attribute a = window.first_attribute(); a; a = a.next_attribute()) {
    const std::string name = a.name();
    const std::string value = a.value();
    if (manager_ == nullptr)
      continue;
    if (name == "size") {
      if (ParseUISize(value, &sz))
        manager_->SetInitSize(sz);
    } else if (name == "caption") {
      if (ParseUIRect(value, &rc))
        manager_->SetCaptionRect(rc);
    } else if (name == "sizebox") {
      if (ParseUIRect(value, &rc))
        manager_->SetSizeBox(rc);
    } else if (name == "roundcorner") {
      if (ParseUISize(value, &sz))
        manager_->SetRoundCorner(sz);
    } else if (name == "mininfo") {
      if (ParseUISize(value, &sz))
        manager_->SetMinInfo(sz);
    } else if (name == "maxinfo") {
      if (ParseUISize(value, &sz))
        manager_->SetMaxInfo(sz);
    } else if (name == "defaultfontcolor") {
      if (ParseUIColor(value, &color))
        manager_->SetDefaultFontColor(color);
    } else if (name == "disabledfontcolor") {
      if (ParseUIColor(value, &color))
        manager_->SetDefaultDisabledColor(color);
    } else if (name == "selectedcolor") {
      if (ParseUIColor(value, &color))
        manager_->SetDefaultSelectedBkColor(color);
    } else {
      ReportUnknownAttribute("Window", name, file);
    }
  }
  for (pugi::xml_node child = window.first_child(); child; child = child.next_sibling()) {
    const std::string kind = child.name();
    const bool shared = child.attribute("shared").as_bool(false);
    if (kind == "Font") {
      UIFontSpec font;
      font.family = child.attribute("name").as_string(font.family.c_str());
      font.size = child.attribute("size").as_int(font.size);
      font.bold = child.attribute("bold").as_bool(false);
      font.italic = child.attribute("italic").as_bool(false);
      font.underline = child.attribute("underline").as_bool(false);
      const int id = child.attribute("id").as_int(0);
      if (manager_ != nullptr)
        manager_->AddFont(id, font, child.attribute("default").as_bool(false));
    } else if (kind == "Default") {
      const std::string name = child.attribute("name").as_string();
      const std::string value = child.attribute("value").as_string();
      if (name.empty())
        continue;
      if (shared && App() != nullptr)
        App()->AddSharedDefault(name, value);
      else if (manager_ != nullptr)
        manager_->AddDefaultAttributeList(name, value);
    } else if (kind == "Style") {
      const std::string name = child.attribute("name").as_string();
      if (name.empty())
        continue;
      // A style lists its attributes on the element itself, or as one "value" list, or both.
      std::string list = child.attribute("value").as_string();
      for (pugi::xml_attribute a = child.first_attribute(); a; a = a.next_attribute()) {
        const std::string an = a.name();
        if (an == "name" || an == "value" || an == "shared")
          continue;
        std::string v = a.value();
        const char quote = v.find('"') == std::string::npos ? '"' : '\'';
        list += " " + an + "=" + quote + v + quote;
      }
      if (shared && App() != nullptr)
        App()->AddSharedStyle(name, list);
      else if (manager_ != nullptr)
        manager_->AddStyle(name, list);
    }
  }
}

std::string CDialogBuilder::ResolveInclude(const std::string& source,
                                           const std::string& file) const {
  std::vector<uint8_t> probe;
  UIApplication* app = App();
  if (app == nullptr)
    return source;
  if (app->ReadSkinFile(source, &probe) == 0)
    return source;
  std::string beside = FolderOf(file) + NormalizeSkinName(source);
  if (app->ReadSkinFile(beside, &probe) == 0)
    return beside;
  return source;
}

CControlUI* CDialogBuilder::ParseChildren(const pugi::xml_node& node, CControlUI* parent,
                                          const std::string& file, int depth) {
  auto* container = static_cast<CContainerUI*>(parent->GetInterface("Container"));
  CControlUI* first = nullptr;
  auto place = [&](std::unique_ptr<CControlUI> c) {
    if (!c || container == nullptr)
      return;
    CControlUI* raw = c.get();
    container->Add(std::move(c));
    if (first == nullptr)
      first = raw;
  };
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element)
      continue;
    const std::string kind = child.name();
    if (IsSettingElement(kind))
      continue;
    if (kind == "Include") {
      const std::string source = child.attribute("source").as_string();
      const int count = std::max(1, child.attribute("count").as_int(1));
      if (depth >= kMaxDepth) {
        lastError_ = "includes nested too deeply at \"" + source + "\"";
        continue;
      }
      const std::string resolved = ResolveInclude(source, file);
      std::string error;
      const pugi::xml_document* doc = App() ? App()->GetLayout(resolved, &error) : nullptr;
      if (doc == nullptr) {
        App()->ReportOnce("include|" + resolved, "zbe-ui: " + file + ": " + error);
        continue;
      }
      pugi::xml_node top = doc->document_element();
      for (int i = 0; i < count; ++i) {
        if (std::string(top.name()) == "Window") {
          // An included window brings its fonts, defaults and styles, not its size.
          if (i == 0 && manager_ != nullptr) {
            for (pugi::xml_node s = top.first_child(); s; s = s.next_sibling()) {
              if (!IsSettingElement(s.name()))
                continue;
              pugi::xml_document settings;
              pugi::xml_node w = settings.append_child("Window");
              w.append_copy(s);
              ApplyWindowSettings(w, resolved);
            }
          }
          for (pugi::xml_node c = top.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element || IsSettingElement(c.name()))
              continue;
            place(BuildControl(c, resolved, depth + 1));
          }
        } else {
          place(BuildControl(top, resolved, depth + 1));
        }
      }
      continue;
    }
    if (container == nullptr) {
      App()->ReportOnce("children|" + parent->GetClass(),
                        "zbe-ui: " + file + ": " + parent->GetClass() +
                            " cannot hold child elements; <" + kind + "> ignored");
      continue;
    }
    place(BuildControl(child, file, depth + 1));
  }
  return first;
}

std::unique_ptr<CControlUI> CDialogBuilder::BuildControl(const pugi::xml_node& node,
                                                         const std::string& file, int depth) {
  const std::string kind = node.name();
  if (depth > kMaxDepth) {
    lastError_ = "layout nested too deeply";
    return nullptr;
  }
  std::unique_ptr<CControlUI> control = CreateBuiltinControl(kind);
  if (!control && callback_ != nullptr)
    control = callback_->CreateControl(kind);
  if (!control) {
    if (App() != nullptr) {
      App()->ReportOnce("element|" + kind,
                        "zbe-ui: " + file + ": unknown control <" + kind + ">, ignored");
    }
    return nullptr;
  }
  ApplyAttributes(control.get(), node, kind, file);
  if (kind == "ChildLayout") {
    const std::string sub = node.attribute("xmlfile").as_string();
    if (!sub.empty()) {
      CDialogBuilder inner;
      inner.callback_ = callback_;
      inner.manager_ = manager_;
      std::string error;
      const pugi::xml_document* doc = App()->GetLayout(ResolveInclude(sub, file), &error);
      if (doc != nullptr) {
        std::unique_ptr<CControlUI> c = inner.BuildRoot(doc->document_element(), sub);
        if (c)
          static_cast<CContainerUI*>(control.get())->Add(std::move(c));
      } else {
        App()->ReportOnce("include|" + sub, "zbe-ui: " + file + ": " + error);
      }
    }
  }
  if (node.first_child())
    ParseChildren(node, control.get(), file, depth);
  return control;
}

void CDialogBuilder::ApplyAttributes(CControlUI* control, const pugi::xml_node& node,
                                     const std::string& cls, const std::string& file) {
  const std::string* defaults = nullptr;
  if (manager_ != nullptr)
    defaults = manager_->GetDefaultAttributeList(cls);
  else if (App() != nullptr)
    defaults = App()->GetSharedDefault(cls);
  if (defaults != nullptr)
    ApplyList(control, *defaults, file, cls);
  for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
    const std::string name = a.name();
    const std::string value = a.value();
    if (name == "style") {
      const std::string* style = nullptr;
      if (manager_ != nullptr)
        style = manager_->GetStyle(value);
      else if (App() != nullptr)
        style = App()->GetSharedStyle(value);
      if (style != nullptr) {
        ApplyList(control, *style, file, cls);
      } else if (App() != nullptr) {
        App()->ReportOnce("style|" + value,
                          "zbe-ui: " + file + ": unknown style \"" + value + "\" on " + cls);
      }
      continue;
    }
    if (cls == "ChildLayout" && name == "xmlfile")
      continue;
    if (!control->SetAttribute(name, value))
      ReportUnknownAttribute(cls, name, file);
  }
}

void CDialogBuilder::ApplyList(CControlUI* control, const std::string& list,
                               const std::string& file, const std::string& what) {
  for (const std::string& name : control->ApplyAttributeList(list)) {
    ReportUnknownAttribute(what, name, file);
  }
}

void CDialogBuilder::ReportUnknownAttribute(const std::string& cls, const std::string& attr,
                                            const std::string& file) {
  if (App() == nullptr)
    return;
  App()->ReportOnce("attr|" + cls + "|" + attr, "zbe-ui: " + file + ": unknown attribute \"" +
                                                    attr + "\" on " + cls + ", ignored");
}

}  // namespace zbe
