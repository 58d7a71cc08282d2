// The menu bar as start-up builds it: its menus and items in order, each
// with its properties, one instance built once, and a failed build that
// leaves nothing behind.
#include "shell/menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/gui/runtime.h"
#include "framework/gui/window.h"
#include "framework/testing/seams.h"
#include "tests/shell/shell_test_support.h"

namespace {

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override { shell_test::FreshProcess(); }
  void TearDown() override { Menu::_implicitInstance.reset(); }
};

struct Expected {
  std::string name;
  std::string cls;
  std::string caption;
  std::string shortcut;
  bool auto_enabled;
};

void ExpectItems(const std::shared_ptr<MenuItem>& menu, const std::vector<Expected>& expected) {
  ASSERT_EQ(menu->Count(), static_cast<int64_t>(expected.size())) << menu->Name();
  for (size_t i = 0; i < expected.size(); ++i) {
    auto item = menu->Item(static_cast<int64_t>(i));
    const Expected& e = expected[i];
    EXPECT_EQ(item->Name(), e.name) << i;
    EXPECT_EQ(item->ClassName(), e.cls) << e.name;
    EXPECT_EQ(item->Value(), e.caption) << e.name;
    EXPECT_EQ(item->Shortcut(), e.shortcut) << e.name;
    EXPECT_EQ(item->AutoEnabled(), e.auto_enabled) << e.name;
    EXPECT_TRUE(item->Visible()) << e.name;
  }
}

TEST_F(MenuTest, BarHoldsFourMenusAndElevenItemsInOrder) {
  std::shared_ptr<Menu> bar = Menu::Instance();
  ExpectItems(bar, {{"UntitledMenu3", "MenuItem", "", "", false},
                    {"UntitledMenu2", "MenuItem", "File", "", false},
                    {"UntitledMenu0", "MenuItem", "Edit", "", false},
                    {"UntitledMenu4", "MenuItem", "", "", false}});
  EXPECT_EQ(bar->Item(0)->Count(), 0);
  EXPECT_EQ(bar->Item(3)->Count(), 0);
  ExpectItems(bar->Item(1), {{"FileQuit", "QuitMenuItem", "Quit", "Cmd+Q", true},
                             {"UntitledMenu7", "MenuItem", "", "", false}});
  ExpectItems(bar->Item(2), {{"EditUndo", "MenuItem", "Undo", "Cmd+Z", false},
                             {"UntitledMenu1", "MenuItem", "-", "", false},
                             {"EditCut", "MenuItem", "Cut", "Cmd+X", false},
                             {"EditCopy", "MenuItem", "Copy", "Cmd+C", false},
                             {"EditPaste", "MenuItem", "Paste", "Cmd+V", false},
                             {"EditClear", "MenuItem", "Clear", "", false},
                             {"UntitledMenu6", "MenuItem", "", "", false},
                             {"AboutVellacor", "AppleMenuItem", "About Vellacor", "", false},
                             {"UntitledMenu5", "AppleMenuItem", "", "", false}});
  EXPECT_TRUE(bar->Item(2)->Item(1)->IsSeparator());
}

TEST_F(MenuTest, SecondCallGivesTheSameBarBuiltOnce) {
  struct CountingMenu : Menu {
    int* builds;
    explicit CountingMenu(int* b) : builds(b) {}
    void Untitled0() override {
      ++*builds;
      Menu::Untitled0();
    }
  };
  int builds = 0;
  auto make = [&builds] { return std::make_shared<CountingMenu>(&builds); };
  std::shared_ptr<Menu> first = Menu::_InstanceMadeBy(make);
  std::shared_ptr<Menu> second = Menu::_InstanceMadeBy(make);
  EXPECT_EQ(first, second);
  EXPECT_EQ(builds, 1);
  EXPECT_EQ(Menu::Instance(), first);
  EXPECT_EQ(first->Count(), 4);
}

TEST_F(MenuTest, FailedBuildStopsAndLeavesTheHolderEmpty) {
  struct BrokenMenu : Menu {
    bool* edit_built;
    explicit BrokenMenu(bool* e) : edit_built(e) {}
    // File's items cannot find their menu.
    void Untitled1() override { NotNil(Child("UntitledMenu2"))->AddMenu(nullptr); }
    void Untitled2() override {
      *edit_built = true;
      Menu::Untitled2();
    }
  };
  bool edit_built = false;
  EXPECT_THROW(
      Menu::_InstanceMadeBy([&edit_built] { return std::make_shared<BrokenMenu>(&edit_built); }),
      NilObjectException);
  EXPECT_FALSE(edit_built);
  EXPECT_EQ(Menu::_implicitInstance, nullptr);

  // The next call makes and builds a fresh, whole bar.
  std::shared_ptr<Menu> bar = Menu::Instance();
  EXPECT_EQ(Menu::_implicitInstance, bar);
  EXPECT_EQ(bar->Count(), 4);
}

// Every item is made and given its five properties before its menu is
// looked up on the bar by name, afresh for each item, and it is attached.
TEST_F(MenuTest, EachItemIsMadeAndSetBeforeItsMenuIsLookedUp) {
  struct Row {
    const char* name;
    const char* menu;  // empty for a top-level menu
    bool shortcut;
  };
  const std::vector<Row> rows = {
      {"UntitledMenu3", "", true},
      {"UntitledMenu2", "", true},
      {"FileQuit", "UntitledMenu2", true},
      {"UntitledMenu7", "UntitledMenu2", true},
      {"UntitledMenu0", "", true},
      {"EditUndo", "UntitledMenu0", true},
      {"UntitledMenu1", "UntitledMenu0", false},
      {"EditCut", "UntitledMenu0", true},
      {"EditCopy", "UntitledMenu0", true},
      {"EditPaste", "UntitledMenu0", true},
      {"EditClear", "UntitledMenu0", true},
      {"UntitledMenu6", "UntitledMenu0", true},
      {"AboutVellacor", "UntitledMenu0", true},
      {"UntitledMenu5", "UntitledMenu0", true},
      {"UntitledMenu4", "", true},
  };
  std::vector<std::string> expected = {"Make "};  // the bar itself
  for (const Row& row : rows) {
    const std::string name = row.name;
    expected.push_back("Make ");
    for (const char* setter : {"Name ", "AutoEnabled ", "Value ", "Visible "})
      expected.push_back(setter + name);
    if (row.shortcut) expected.push_back("Shortcut " + name);
    if (*row.menu != '\0') expected.push_back("Child " + std::string(row.menu));
    expected.push_back("AddMenu " + name);
  }

  std::vector<std::string> calls;
  seams::OnMenuCall([&](const std::string& call, const std::string& name) {
    calls.push_back(call + " " + name);
  });
  Menu::Instance();
  seams::OnMenuCall(nullptr);
  EXPECT_EQ(calls, expected);
}

// The bar as Qt shows it in a window: the captions, the separator, the
// command modifier of this platform, and the disabled items with empty
// captions kept in place.
TEST_F(MenuTest, WindowShowsTheBarWithCtrlShortcuts) {
  auto app = std::make_shared<Application>();
  _RuntimeRegisterAppObject(app);
  app->SetMenuBar(Menu::Instance());
  auto window = std::make_shared<Window>();
  _SetProperties(window, {{"MenuBarVisible", true}, {"Visible", true}});
  window->Constructor();
  const std::vector<std::string> text = seams::MenuBarText(window);
  const std::vector<std::string> file = {"File", "  Quit\tCtrl+Q"};
  EXPECT_NE(std::search(text.begin(), text.end(), file.begin(), file.end()), text.end());
  const std::vector<std::string> edit = {"Edit",          "  Undo\tCtrl+Z", "  -",
                                         "  Cut\tCtrl+X", "  Copy\tCtrl+C", "  Paste\tCtrl+V",
                                         "  Clear"};
  EXPECT_NE(std::search(text.begin(), text.end(), edit.begin(), edit.end()), text.end());
  EXPECT_NE(std::find(text.begin(), text.end(), "  About Vellacor"), text.end());
}

TEST_F(MenuTest, QuitItemQuitsWithExitCodeZero) {
  auto app = std::make_shared<Application>();
  _RuntimeRegisterAppObject(app);
  app->SetMenuBar(Menu::Instance());
  auto window = std::make_shared<Window>();
  _SetProperties(window, {{"MenuBarVisible", true}, {"Visible", true}});
  window->Constructor();
  seams::UpdateMenus(window);
  EXPECT_TRUE(Menu::Instance()->_Lookup("FileQuit")->Enabled());
  EXPECT_FALSE(Menu::Instance()->_Lookup("EditCopy")->Enabled());
  EXPECT_TRUE(seams::ChooseMenuItem(window, "FileQuit"));
  EXPECT_TRUE(RuntimeQuitting());
  EXPECT_EQ(RuntimeExit(), 0);
}

}  // namespace
