#include "shell/menu.h"

#include <string>
#include <vector>

#include "framework/core/object.h"

namespace {

enum class Kind { kPlain, kQuit, kApplication };

// One item as it is made and attached. A null shortcut is never assigned;
// a null parent attaches the item to the bar as a top-level menu.
struct Row {
  const char* name;
  Kind kind;
  const char* caption;
  const char* shortcut;
  bool auto_enabled;
  bool visible;
  const char* parent;
};

// Linux has no application menu: the two application-menu items stay in
// the Edit menu, where the About item is found, and Quit stays in File.
const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      {"UntitledMenu3", Kind::kPlain, "", "", false, true, nullptr},
      {"UntitledMenu2", Kind::kPlain, "File", "", false, true, nullptr},
      {"FileQuit", Kind::kQuit, "Quit", "Cmd+Q", true, true, "UntitledMenu2"},
      {"UntitledMenu7", Kind::kPlain, "", "", false, true, "UntitledMenu2"},
      {"UntitledMenu0", Kind::kPlain, "Edit", "", false, true, nullptr},
      {"EditUndo", Kind::kPlain, "Undo", "Cmd+Z", false, true, "UntitledMenu0"},
      {"UntitledMenu1", Kind::kPlain, "-", nullptr, false, true, "UntitledMenu0"},
      {"EditCut", Kind::kPlain, "Cut", "Cmd+X", false, true, "UntitledMenu0"},
      {"EditCopy", Kind::kPlain, "Copy", "Cmd+C", false, true, "UntitledMenu0"},
      {"EditPaste", Kind::kPlain, "Paste", "Cmd+V", false, true, "UntitledMenu0"},
      {"EditClear", Kind::kPlain, "Clear", "", false, true, "UntitledMenu0"},
      {"UntitledMenu6", Kind::kPlain, "", "", false, true, "UntitledMenu0"},
      {"AboutVellacor", Kind::kApplication, "About Vellacor", "", false, true,
       "UntitledMenu0"},
      {"UntitledMenu5", Kind::kApplication, "", "", false, true, "UntitledMenu0"},
      {"UntitledMenu4", Kind::kPlain, "", "", false, true, nullptr},
  };
  return rows;
}

std::shared_ptr<MenuItem> Make(Kind kind) {
  std::shared_ptr<MenuItem> item;
  switch (kind) {
    case Kind::kPlain: item = std::make_shared<MenuItem>(); break;
    case Kind::kQuit: item = std::make_shared<QuitMenuItem>(); break;
    case Kind::kApplication: item = std::make_shared<AppleMenuItem>(); break;
  }
  item->Constructor();
  return item;
}

// Makes rows [first, last] of the table and attaches each to bar or to its
// menu, which is looked up by name for every item.
void Build(MenuBar& bar, size_t first, size_t last) {
  for (size_t i = first; i <= last; ++i) {
    const Row& row = Rows()[i];
    std::shared_ptr<MenuItem> item = Make(row.kind);
    item->SetName(row.name);
    item->SetAutoEnabled(row.auto_enabled);
    item->SetValue(row.caption);
    item->SetVisible(row.visible);
    if (row.shortcut != nullptr) item->SetShortcut(row.shortcut);
    if (row.parent == nullptr)
      bar.AddMenu(item);
    else
      NotNil(bar.Child(row.parent))->AddMenu(item);
  }
}

}  // namespace

std::shared_ptr<Menu> Menu::Instance() {
  return _InstanceMadeBy([] { return std::make_shared<Menu>(); });
}

std::shared_ptr<Menu> Menu::_InstanceMadeBy(
    const std::function<std::shared_ptr<Menu>()>& make) {
  if (!_implicitInstance) {
    std::shared_ptr<Menu> bar = NotNil(make());
    bar->Constructor();
    // Stored only once the whole bar stands, so a failed build leaves the
    // holder empty for a fresh attempt.
    _implicitInstance = bar;
  }
  return _implicitInstance;
}

void Menu::Constructor() {
  Untitled0();
  Untitled1();
  Untitled2();
  Untitled3();
}

void Menu::Untitled0() { Build(*this, 0, 0); }
void Menu::Untitled1() { Build(*this, 1, 3); }
void Menu::Untitled2() { Build(*this, 4, 13); }
void Menu::Untitled3() { Build(*this, 14, 14); }
