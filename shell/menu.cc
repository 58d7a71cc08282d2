#include "shell/menu.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/object.h"

namespace {

enum class Kind { kPlain, kQuit, kApplication };

// One item as it is made. A null shortcut is never assigned.
struct ItemDesign {
  const char* name;
  Kind kind;
  const char* caption;
  const char* shortcut;
  bool auto_enabled;
  bool visible;
};

// One top-level menu and its items, in the order they are attached.
struct MenuDesign {
  ItemDesign menu;
  std::vector<ItemDesign> items;
};

// The top-level menus in the bar's order, each built by its name.
// Linux has no application menu: the two application-menu items stay in
// the Edit menu, where the About item is found, and Quit stays in File.
const std::vector<MenuDesign>& Menus() {
  static const std::vector<MenuDesign> menus = {
      {{"UntitledMenu3", Kind::kPlain, "", "", false, true}, {}},
      {{"UntitledMenu2", Kind::kPlain, "File", "", false, true},
       {
           {"FileQuit", Kind::kQuit, "Quit", "Cmd+Q", true, true},
           {"UntitledMenu7", Kind::kPlain, "", "", false, true},
       }},
      {{"UntitledMenu0", Kind::kPlain, "Edit", "", false, true},
       {
           {"EditUndo", Kind::kPlain, "Undo", "Cmd+Z", false, true},
           {"UntitledMenu1", Kind::kPlain, "-", nullptr, false, true},
           {"EditCut", Kind::kPlain, "Cut", "Cmd+X", false, true},
           {"EditCopy", Kind::kPlain, "Copy", "Cmd+C", false, true},
           {"EditPaste", Kind::kPlain, "Paste", "Cmd+V", false, true},
           {"EditClear", Kind::kPlain, "Clear", "", false, true},
           {"UntitledMenu6", Kind::kPlain, "", "", false, true},
           {"AboutVellacor", Kind::kApplication, "About Vellacor", "", false, true},
           {"UntitledMenu5", Kind::kApplication, "", "", false, true},
       }},
      {{"UntitledMenu4", Kind::kPlain, "", "", false, true}, {}},
  };
  return menus;
}

// Makes the item of its class, runs its constructor and gives it its
// properties, not yet attached.
std::shared_ptr<MenuItem> Make(const ItemDesign& design) {
  std::shared_ptr<MenuItem> item;
  switch (design.kind) {
    case Kind::kPlain:
      item = std::make_shared<MenuItem>();
      break;
    case Kind::kQuit:
      item = std::make_shared<QuitMenuItem>();
      break;
    case Kind::kApplication:
      item = std::make_shared<AppleMenuItem>();
      break;
  }
  item->Constructor();
  item->SetName(design.name);
  item->SetAutoEnabled(design.auto_enabled);
  item->SetValue(design.caption);
  item->SetVisible(design.visible);
  if (design.shortcut != nullptr) item->SetShortcut(design.shortcut);
  return item;
}

// Builds the top-level menu of that name: the menu, attached to bar, then
// its items, each attached to the menu that bar finds under that name
// afresh.
void Build(MenuBar& bar, const std::string& menu_name) {
  const std::vector<MenuDesign>& menus = Menus();
  const auto design = std::find_if(menus.begin(), menus.end(),
                                   [&](const MenuDesign& m) { return m.menu.name == menu_name; });
  if (design == menus.end()) throw InvalidArgumentException("no menu named " + menu_name);
  bar.AddMenu(Make(design->menu));
  for (const ItemDesign& design_of_item : design->items) {
    // Made and set first; only then is its menu looked up and the item
    // attached.
    const std::shared_ptr<MenuItem> item = Make(design_of_item);
    NotNil(bar.Child(menu_name))->AddMenu(item);
  }
}

}  // namespace

std::shared_ptr<Menu> Menu::Instance() {
  return _InstanceMadeBy([] { return std::make_shared<Menu>(); });
}

std::shared_ptr<Menu> Menu::_InstanceMadeBy(const std::function<std::shared_ptr<Menu>()>& make) {
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

void Menu::Untitled0() { Build(*this, "UntitledMenu3"); }
void Menu::Untitled1() { Build(*this, "UntitledMenu2"); }
void Menu::Untitled2() { Build(*this, "UntitledMenu0"); }
void Menu::Untitled3() { Build(*this, "UntitledMenu4"); }
