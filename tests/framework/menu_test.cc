// Menus on real Qt widgets (offscreen): the item tree, the bar shown in a
// window, enabling before a menu opens or a shortcut acts, handlers per
// item name, and the built-in quit item.
#include "framework/gui/menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/gui/application.h"
#include "framework/gui/delegate.h"
#include "framework/gui/runtime.h"
#include "framework/gui/window.h"
#include "framework/testing/seams.h"

namespace {

template <typename T>
std::shared_ptr<T> MakeItem(const std::string& name, const std::string& caption,
                            const std::string& shortcut, bool auto_enabled) {
  auto item = std::make_shared<T>();
  item->Constructor();
  item->SetName(name);
  item->SetAutoEnabled(auto_enabled);
  item->SetValue(caption);
  item->SetVisible(true);
  if (!shortcut.empty()) item->SetShortcut(shortcut);
  return item;
}

// A bar shaped like the program's: an empty top-level menu, File, Edit.
std::shared_ptr<MenuBar> SampleBar() {
  auto bar = std::make_shared<MenuBar>();
  bar->Constructor();
  bar->AddMenu(MakeItem<MenuItem>("UntitledMenu3", "", "", false));
  bar->AddMenu(MakeItem<MenuItem>("FileMenu", "File", "", false));
  bar->Child("FileMenu")->AddMenu(MakeItem<QuitMenuItem>("FileQuit", "Quit", "Cmd+Q", true));
  bar->AddMenu(MakeItem<MenuItem>("EditMenu", "Edit", "", false));
  auto edit = bar->Child("EditMenu");
  edit->AddMenu(MakeItem<MenuItem>("EditUndo", "Undo", "Cmd+Z", false));
  edit->AddMenu(MakeItem<MenuItem>("EditSep", "-", "", false));
  edit->AddMenu(MakeItem<MenuItem>("EditCopy", "Copy & keep", "Cmd+C", false));
  edit->AddMenu(MakeItem<AppleMenuItem>("AboutTest", "About Test", "", false));
  return bar;
}

class MenuWnd : public Window {
 public:
  explicit MenuWnd(bool bar_visible) : bar_visible_(bar_visible) {}
  std::string FullClassName() const override { return "MenuWnd.MenuWnd"; }
  void Layout() override {
    _SetProperties(shared_from_this(), {{"Width", 300},
                                        {"Height", 200},
                                        {"Title", "Menus"},
                                        {"MenuBarVisible", bar_visible_},
                                        {"Visible", true}});
  }
  void AddMenuHandlers(std::shared_ptr<Window> window) override {
    auto self = Cast<MenuWnd>(window);
    window->_AddMenuHandler("AboutTest",
                            RuntimeCreateDelegate(self, &MenuWnd::About, "(  ) as Boolean"));
    window->_AddMenuHandler("FileQuit",
                            RuntimeCreateDelegate(self, &MenuWnd::QuitChosen, "(  ) as Boolean"));
  }
  void Event_EnableMenuItems() override {
    ++enable_calls;
    // What the About item's state was when the event came: reset or not.
    about_enabled_at_event = _GetAppObject()->MenuBar()->_Lookup("AboutTest")->Enabled();
    if (enable_about) _GetAppObject()->MenuBar()->_Lookup("AboutTest")->SetEnabled(true);
  }
  bool About() {
    ++about_calls;
    about_calls_saw_enable = enable_calls;
    return false;
  }
  bool QuitChosen() {
    ++quit_handler_calls;
    return take_quit;
  }
  bool Event_KeyDown(std::string key) override {
    keys.push_back(key);
    return false;
  }

  bool enable_about = true;
  bool take_quit = false;
  int enable_calls = 0, about_calls = 0, about_calls_saw_enable = 0;
  int quit_handler_calls = 0;
  bool about_enabled_at_event = true;
  std::vector<std::string> keys;

 private:
  bool bar_visible_;
};

class MenuBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seams::InitRuntime();
    seams::Reset();
    app_ = std::make_shared<Application>();
    _RuntimeRegisterAppObject(app_);
    app_->SetMenuBar(SampleBar());
  }
  void TearDown() override {
    app_->SetMenuBar(nullptr);
    seams::Reset();
  }
  static std::shared_ptr<MenuWnd> Open(bool bar_visible = true) {
    auto w = std::make_shared<MenuWnd>(bar_visible);
    w->Constructor();
    seams::ProcessEvents();
    return w;
  }
  std::shared_ptr<Application> app_;
};

TEST(MenuTree, AddMenuAppendsAndLookupsFindByName) {
  auto bar = SampleBar();
  ASSERT_EQ(bar->Count(), 3);
  EXPECT_EQ(bar->Item(0)->Name(), "UntitledMenu3");
  EXPECT_EQ(bar->Item(2)->Name(), "EditMenu");
  auto edit = bar->Child("EditMenu");
  ASSERT_EQ(edit->Count(), 4);
  EXPECT_EQ(edit->Item(3)->Name(), "AboutTest");
  EXPECT_EQ(edit->Item(3)->Parent(), edit);

  // Child looks one level down only; _Lookup at any depth.
  EXPECT_EQ(bar->Child("AboutTest"), nullptr);
  auto about = bar->_Lookup("AboutTest");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->Value(), "About Test");
  EXPECT_NE(Cast<AppleMenuItem>(about), nullptr);
  EXPECT_THROW(Cast<QuitMenuItem>(about), IllegalCastException);
  EXPECT_EQ(bar->_Lookup("NoSuchItem"), nullptr);
  EXPECT_TRUE(edit->Item(1)->IsSeparator());
  EXPECT_THROW(edit->AddMenu(nullptr), NilObjectException);
  EXPECT_THROW(edit->Item(4), OutOfBoundsException);
}

TEST_F(MenuBarTest, WindowShowsTheInstalledBarWithCommandShortcutsAsCtrl) {
  auto w = Open();
  // Top-level menus, each followed by its items; the first menu is empty.
  const std::vector<std::string> expected = {"",
                                             "File",
                                             "  Quit\tCtrl+Q",
                                             "Edit",
                                             "  Undo\tCtrl+Z",
                                             "  -",
                                             "  Copy && keep\tCtrl+C",
                                             "  About Test"};
  EXPECT_EQ(seams::MenuBarText(w), expected);
}

TEST_F(MenuBarTest, WindowWithoutMenuBarVisibleShowsNone) {
  auto w = Open(false);
  EXPECT_TRUE(seams::MenuBarText(w).empty());
  EXPECT_THROW(seams::ChooseMenuItem(w, "AboutTest"), InvalidArgumentException);
}

TEST_F(MenuBarTest, BarInstalledLaterReachesOpenWindows) {
  app_->SetMenuBar(nullptr);
  auto w = Open();
  EXPECT_TRUE(seams::MenuBarText(w).empty());
  app_->SetMenuBar(SampleBar());
  EXPECT_EQ(seams::MenuBarText(w).size(), 8u);
}

TEST_F(MenuBarTest, ChoosingRaisesEnableMenuItemsFirstAndCallsTheHandler) {
  auto w = Open();
  EXPECT_TRUE(seams::ChooseMenuItem(w, "AboutTest"));
  EXPECT_EQ(w->about_calls, 1);
  EXPECT_EQ(w->about_calls_saw_enable, 1);
  // Items were reset to their AutoEnabled flags before the event.
  EXPECT_FALSE(w->about_enabled_at_event);
}

TEST_F(MenuBarTest, ItemsNotEnabledDuringTheUpdateCannotBeChosen) {
  auto w = Open();
  auto copy = app_->MenuBar()->_Lookup("EditCopy");
  // Enabled outside the update pass does not last past the next update.
  copy->SetEnabled(true);
  EXPECT_FALSE(seams::ChooseMenuItem(w, "EditCopy"));
  EXPECT_FALSE(copy->Enabled());

  w->enable_about = false;
  EXPECT_FALSE(seams::ChooseMenuItem(w, "AboutTest"));
  EXPECT_EQ(w->about_calls, 0);
  EXPECT_TRUE(app_->MenuBar()->_Lookup("FileQuit")->Enabled());  // AutoEnabled
}

TEST_F(MenuBarTest, HiddenItemCannotBeChosen) {
  auto w = Open();
  app_->MenuBar()->_Lookup("AboutTest")->SetVisible(false);
  EXPECT_FALSE(seams::ChooseMenuItem(w, "AboutTest"));
  EXPECT_EQ(w->about_calls, 0);
}

TEST_F(MenuBarTest, QuitItemQuitsWithCodeZeroUnlessItsHandlerTakesIt) {
  auto w = Open();
  w->take_quit = true;
  EXPECT_TRUE(seams::ChooseMenuItem(w, "FileQuit"));
  EXPECT_EQ(w->quit_handler_calls, 1);
  EXPECT_FALSE(RuntimeQuitting());

  w->take_quit = false;
  EXPECT_TRUE(seams::ChooseMenuItem(w, "FileQuit"));
  EXPECT_TRUE(RuntimeQuitting());
  EXPECT_EQ(RuntimeExit(), 0);
}

TEST_F(MenuBarTest, ShortcutRaisesEnableMenuItemsBeforeItActs) {
  auto w = Open();
  EXPECT_TRUE(seams::PressMenuShortcut(w, "FileQuit"));
  EXPECT_EQ(w->enable_calls, 1);
  EXPECT_EQ(w->quit_handler_calls, 1);
  EXPECT_TRUE(RuntimeQuitting());
}

// The shortcut of an item that cannot be chosen is an ordinary key press,
// which the window receives (a splash window is dismissed by it).
TEST_F(MenuBarTest, ShortcutOfADisabledItemIsAnOrdinaryKey) {
  auto w = Open();
  EXPECT_FALSE(seams::PressMenuShortcut(w, "EditUndo"));
  EXPECT_EQ(w->enable_calls, 1);
  EXPECT_EQ(w->keys, std::vector<std::string>{"\x1A"});  // Ctrl+Z
  EXPECT_FALSE(RuntimeQuitting());
}

}  // namespace
