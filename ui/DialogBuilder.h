// CDialogBuilder: builds controls from a layout file of the skin. The dialect:
//   <Window size="800,600" caption="0,0,0,40" sizebox="4,4,4,4" roundcorner="5,5"
//           mininfo="600,400">
//     <Font id="0" name="DejaVu Sans" size="13" bold="false" default="true"/>
//     <Default name="Button" value="height=&quot;30&quot;"/>     (per layout class name)
//     <Style name="EditBlue" bordercolor="#FF3B82F6" textpadding="8,0,8,0"/>
//     <VerticalLayout> ... <Include source="Page.xml"/> ... </VerticalLayout>
//   </Window>
// Elements are control classes by their layout name ("Button", "List", ...); names the toolkit
// does not know go to the builder callback ("FileTree", ...). style="EditBlue" applies a style
// where it stands among the attributes; virtualwnd="Name" routes the notifications of the
// container's controls to the page registered under that name. Unknown elements and
// attributes are reported once each on stderr and otherwise ignored.
#pragma once

#include <memory>
#include <string>

#include "ui/ControlUI.h"

namespace pugi {
class xml_node;
}

namespace zbe {

class CPaintManagerUI;

// Creates the application's own controls by their layout class name.
class IDialogBuilderCallback {
 public:
  virtual ~IDialogBuilderCallback() = default;
  // Returns the new control, or null when "className" is not one of the application's.
  virtual std::unique_ptr<CControlUI> CreateControl(const std::string& className) = 0;
};

class CDialogBuilder {
 public:
  // Builds layout "xmlFile" (a skin file name; "\" read as "/"). The <Window> element's
  // settings, fonts, defaults and styles go to "manager" (may be null). Returns the root
  // control, not yet attached to any manager, or null when the file cannot be read or parsed
  // or holds no control (GetLastError then says why).
  std::unique_ptr<CControlUI> Create(const std::string& xmlFile, IDialogBuilderCallback* callback,
                                     CPaintManagerUI* manager);
  // The same for layout text held in memory; includes are still read from the skin.
  std::unique_ptr<CControlUI> CreateFromString(const std::string& xml,
                                               IDialogBuilderCallback* callback,
                                               CPaintManagerUI* manager);
  const std::string& GetLastError() const { return lastError_; }

  // A new control of the toolkit's layout class "className" ("Button", ...), or null.
  static std::unique_ptr<CControlUI> CreateBuiltinControl(const std::string& className);

 private:
  std::unique_ptr<CControlUI> BuildRoot(const pugi::xml_node& top, const std::string& file);
  void ApplyWindowSettings(const pugi::xml_node& window, const std::string& file);
  // Builds the children of "node" into "parent" (a container); returns the first one built.
  CControlUI* ParseChildren(const pugi::xml_node& node, CControlUI* parent, const std::string& file,
                            int depth);
  std::unique_ptr<CControlUI> BuildControl(const pugi::xml_node& node, const std::string& file,
                                           int depth);
  void ApplyAttributes(CControlUI* control, const pugi::xml_node& node, const std::string& cls,
                       const std::string& file);
  void ApplyList(CControlUI* control, const std::string& list, const std::string& file,
                 const std::string& what);
  void ReportUnknownAttribute(const std::string& cls, const std::string& attr,
                              const std::string& file);
  std::string ResolveInclude(const std::string& source, const std::string& file) const;

  IDialogBuilderCallback* callback_ = nullptr;
  CPaintManagerUI* manager_ = nullptr;
  std::string lastError_;
  int includeDepth_ = 0;
};

}  // namespace zbe
