#include "analysis_window/controlwnd_design.h"

#include <map>
#include <string>

#include "analysis_window/controlwnd.h"
#include "analysis_window/help_text.h"

namespace controlwnd_design {
namespace {

// The stored colours: four bytes each, in stored order.
constexpr Color kColorA = Color::FromStored(0x5A, 0x60, 0x18, 0x00);  // dark teal
constexpr Color kColorB = Color::FromStored(0x1D, 0x1F, 0xEF, 0x00);  // red
constexpr Color kColorC = Color::FromStored(0x40, 0x7F, 0x10, 0x00);  // green
constexpr Color kWhite = Color::FromStored(0xFF, 0xFF, 0xFF, 0x00);
constexpr Color kBlack = Color::FromStored(0x00, 0x00, 0x00, 0x00);

template <typename T>
std::shared_ptr<Control> Make(Window& window) {
  return window._New<T>();
}

template <auto Method>
Delegate Bind(const std::shared_ptr<ControlWnd>& window, const std::string& signature) {
  return RuntimeCreateDelegate(window, Method, signature);
}

PropertyList At(int left, int top, int width, int height) {
  return {{"Left", left}, {"Top", top}, {"Width", width}, {"Height", height}};
}

PropertyList From(int x1, int y1, int x2, int y2) {
  return {{"X1", x1}, {"Y1", y1}, {"X2", x2}, {"Y2", y2}};
}

enum class Locks { kNone, kAll, kLeftTop };

PropertyList Locked(Locks locks) {
  const bool all = locks == Locks::kAll;
  const bool left_top = locks != Locks::kNone;
  return {{"LockLeft", left_top}, {"LockTop", left_top}, {"LockRight", all}, {"LockBottom", all}};
}

PropertyList Tab(int index, bool stop) { return {{"TabIndex", index}, {"TabStop", stop}}; }

PropertyList Font(const char* name, int size, bool bold = false) {
  return {{"FontName", name}, {"FontSize", size}, {"Bold", bold}};
}

PropertyList Join(std::initializer_list<PropertyList> parts) {
  PropertyList all;
  for (const PropertyList& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Place, size, edge locks, tab order and content, one row per control in
// creation order.
struct Place {
  const char* name;
  std::shared_ptr<Control> (*make)(Window& window);
  PropertyList geometry;
  Locks locks;
  PropertyList tab;
  PropertyList content;
};

std::vector<Place> Places() {
  const bool yes = true, no = false;
  // The canvas's backdrop is no property: _CreateControls0 sets it.
  // clang-format off
  return {
      {"Canvas1", Make<Canvas>, At(62, 2, 375, 101), Locks::kNone, Tab(0, yes), {}},
      {"DataFld", Make<TextArea>, At(20, 260, 460, 275), Locks::kAll, Tab(1, no), {{"Value", ""}}},
      {"authorTxt", Make<Label>, At(62, 94, 375, 14), Locks::kNone, Tab(2, no), {{"Text", std::string(kAuthorText)}}},
      {"VarFld", Make<TextField>, At(205, 148, 40, 20), Locks::kNone, Tab(6, yes), {{"Text", ""}}},
      {"SubFld", Make<TextField>, At(205, 172, 40, 20), Locks::kNone, Tab(7, yes), {{"Text", ""}}},
      {"RepFld", Make<TextField>, At(205, 196, 40, 20), Locks::kNone, Tab(8, yes), {{"Text", ""}}},
      {"VarWarning", Make<Label>, At(249, 150, 100, 16), Locks::kNone, Tab(9, yes), {{"Text", "(3 - 200)"}}},
      {"SubWarning", Make<Label>, At(249, 174, 110, 16), Locks::kNone, Tab(10, yes), {{"Text", "(50 - 2500)"}}},
      {"RepWarning", Make<Label>, At(249, 197, 110, 16), Locks::kNone, Tab(11, yes), {{"Text", "(1 - 1000)"}}},
      {"disclaimFld", Make<TextArea>, At(-90, 519, 58, 151), Locks::kNone, Tab(13, no), {{"Value", HelpText()}}},
      {"CalculateBtn", Make<PushButton>, At(20, 560, 70, 20), Locks::kNone, Tab(15, yes), {{"Caption", "Calculate"}}},
      {"PrintBtn", Make<PushButton>, At(130, 560, 70, 20), Locks::kNone, Tab(16, yes), {{"Caption", "Print"}}},
      {"ClearBtn", Make<PushButton>, At(240, 560, 70, 20), Locks::kNone, Tab(17, yes), {{"Caption", "Clear"}}},
      {"QuitBtn", Make<PushButton>, At(350, 560, 70, 20), Locks::kNone, Tab(18, yes), {{"Caption", "Quit"}}},
      {"Label1", Make<Label>, At(40, 148, 160, 20), Locks::kLeftTop, Tab(19, no), {{"Text", "Number of variables:"}}},
      {"Label2", Make<Label>, At(40, 172, 160, 20), Locks::kLeftTop, Tab(20, no), {{"Text", "Number of subjects:"}}},
      {"Label3", Make<Label>, At(40, 196, 160, 20), Locks::kLeftTop, Tab(21, no), {{"Text", "Number of replications:"}}},
      {"Qbtn", Make<PushButton>, At(458, 553, 30, 30), Locks::kLeftTop, Tab(25, yes), {{"Caption", ""}}},
      {"Line1", Make<Line>, From(22, 250, 478, 250), Locks::kNone, {}, {}},
      {"Pwheel", Make<ProgressWheel>, At(407, 162, 30, 30), Locks::kLeftTop, Tab(26, yes), {}},
  };
  // clang-format on
}

PropertyList InputFieldLook(int maximum_characters, const char* mask) {
  return Join({Font("System", 12),
               {{"TextColor", kBlack},
                {"BackgroundColor", kWhite},
                {"HasBackgroundColor", true},
                {"TextAlignment", 2},
                {"MaximumCharactersAllowed", maximum_characters},
                {"ValidationMask", mask},
                {"HasBorder", true},
                {"Password", false},
                {"ReadOnly", false},
                {"AllowFocusRing", true},
                {"AllowTabs", false},
                {"Hint", ""},
                {"Transparent", true}}});
}

PropertyList HintLook() {
  return Join({Font("System", 12),
               {{"TextColor", kColorB},
                {"Visible", false},
                {"TextAlignment", 0},
                {"Multiline", false},
                {"Selectable", false},
                {"Transparent", false}}});
}

PropertyList ButtonLook(bool bold) {
  return Join(
      {Font("System", 12, bold),
       {{"Default", true}, {"Cancel", false}, {"MacButtonStyle", 0}, {"Transparent", true}}});
}

PropertyList CaptionLook() {
  return Join({Font("System", 14, true),
               {{"TextColor", kColorA},
                {"TextAlignment", 0},
                {"Multiline", false},
                {"Selectable", false},
                {"Transparent", false}}});
}

// Font, colours and flags. Whatever is not listed keeps the framework's
// plain value.
std::map<std::string, PropertyList> Looks() {
  return {
      {"Canvas1",
       {{"Enabled", false},
        {"AllowFocus", false},
        {"AllowFocusRing", true},
        {"AllowTabs", false},
        {"Transparent", true},
        {"DoubleBuffer", false}}},
      {"DataFld", Join({Font("Courier", 11),
                        {{"TextColor", kBlack},
                         {"BackgroundColor", kWhite},
                         {"HasBackgroundColor", true},
                         {"Multiline", true},
                         {"HasVerticalScrollbar", true},
                         {"HasHorizontalScrollbar", false},
                         {"ReadOnly", false},
                         {"AllowStyledText", true},
                         {"HasBorder", true},
                         {"AllowFocusRing", false},
                         {"HideSelection", true},
                         {"AllowTabs", false},
                         {"MaximumCharactersAllowed", 0},
                         {"ValidationMask", ""},
                         {"LineSpacing", 1.0},
                         {"LineHeight", 0},
                         {"TextAlignment", 0},
                         {"Transparent", true}}})},
      {"authorTxt", Join({Font("System", 10),
                          {{"TextColor", kColorA},
                           {"TextAlignment", 2},
                           {"Multiline", false},
                           {"Selectable", false},
                           {"Transparent", false}}})},
      {"VarFld", InputFieldLook(3, "###")},
      {"SubFld", InputFieldLook(4, "####")},
      {"RepFld", InputFieldLook(4, "####")},
      {"VarWarning", HintLook()},
      {"SubWarning", HintLook()},
      {"RepWarning", HintLook()},
      {"disclaimFld", Join({Font("System", 11),
                            {{"TextColor", kColorC},
                             {"BackgroundColor", kWhite},
                             {"HasBackgroundColor", true},
                             {"Visible", false},
                             {"Enabled", false},
                             {"Multiline", true},
                             {"HasVerticalScrollbar", false},
                             {"HasHorizontalScrollbar", false},
                             {"AllowStyledText", false},
                             {"HasBorder", false},
                             {"ReadOnly", false},
                             {"AllowFocusRing", false},
                             {"HideSelection", true},
                             {"AllowTabs", false},
                             {"MaximumCharactersAllowed", 0},
                             {"ValidationMask", ""},
                             {"TextAlignment", 0},
                             {"Transparent", true}}})},
      {"CalculateBtn", ButtonLook(false)},
      {"PrintBtn", ButtonLook(false)},
      {"ClearBtn", ButtonLook(false)},
      {"QuitBtn", ButtonLook(true)},
      {"Label1", CaptionLook()},
      {"Label2", CaptionLook()},
      {"Label3", CaptionLook()},
      {"Qbtn", Join({Font("System", 0),
                     {{"MacButtonStyle", 9},
                      {"Default", true},
                      {"Cancel", false},
                      {"Transparent", false}}})},
      {"Line1", {{"LineColor", kColorA}, {"Thickness", 8}, {"Transparent", false}}},
      {"Pwheel", {{"Visible", false}, {"Enabled", true}, {"Transparent", false}}},
  };
}

}  // namespace

const PropertyList& WindowProperties() {
  static const PropertyList properties = {
      {"Width", 500},
      {"Height", 600},
      {"MinimumWidth", 64},
      {"MinimumHeight", 64},
      {"MaximumWidth", 450},
      {"MaximumHeight", 550},
      {"Type", 0},
      {"Title", "Vellacor"},
      {"HasCloseButton", true},
      {"HasMaximizeButton", false},
      {"HasMinimizeButton", true},
      {"HasFullScreenButton", false},
      {"Resizeable", false},
      {"Composite", false},
      {"MacProcID", 0},
      {"FullScreen", false},
      {"DefaultLocation", 0},
      {"Visible", true},
      {"HasBackgroundColor", true},
      {"BackgroundColor", kWhite},
      {"MenuBarVisible", true},
      {"LiveResize", false},
  };
  return properties;
}

const std::vector<ControlDesign>& Controls() {
  static const std::vector<ControlDesign> controls = [] {
    std::map<std::string, PropertyList> looks = Looks();
    std::vector<ControlDesign> all;
    for (Place& place : Places()) {
      all.push_back({place.name, place.make,
                     Join({place.geometry, Locked(place.locks), place.tab, place.content,
                           looks.at(place.name)})});
    }
    return all;
  }();
  return controls;
}

const std::vector<Wiring>& Wirings() {
  // clang-format off
  static const std::vector<Wiring> wirings = {
      {"Canvas1", "MouseExit", "( Canvas )", Bind<&ControlWnd::Canvas1_MouseExit>},
      {"DataFld", "MouseEnter", "( TextArea )", Bind<&ControlWnd::DataFld_MouseEnter>},
      {"DataFld", "GotFocus", "( TextArea )", Bind<&ControlWnd::DataFld_GotFocus>},
      {"DataFld", "KeyDown", "( TextArea, String ) as Boolean", Bind<&ControlWnd::DataFld_KeyDown>},
      {"DataFld", "Open", "( TextArea )", Bind<&ControlWnd::DataFld_Open>},
      {"VarFld", "KeyDown", "( TextField, String ) as Boolean", Bind<&ControlWnd::VarFld_KeyDown>},
      {"VarFld", "GotFocus", "( TextField )", Bind<&ControlWnd::VarFld_GotFocus>},
      {"VarFld", "LostFocus", "( TextField )", Bind<&ControlWnd::VarFld_LostFocus>},
      {"VarFld", "TextChange", "( TextField )", Bind<&ControlWnd::VarFld_TextChange>},
      {"SubFld", "KeyDown", "( TextField, String ) as Boolean", Bind<&ControlWnd::SubFld_KeyDown>},
      {"SubFld", "GotFocus", "( TextField )", Bind<&ControlWnd::SubFld_GotFocus>},
      {"SubFld", "LostFocus", "( TextField )", Bind<&ControlWnd::SubFld_LostFocus>},
      {"SubFld", "TextChange", "( TextField )", Bind<&ControlWnd::SubFld_TextChange>},
      {"RepFld", "KeyDown", "( TextField, String ) as Boolean", Bind<&ControlWnd::RepFld_KeyDown>},
      {"RepFld", "GotFocus", "( TextField )", Bind<&ControlWnd::RepFld_GotFocus>},
      {"RepFld", "LostFocus", "( TextField )", Bind<&ControlWnd::RepFld_LostFocus>},
      {"RepFld", "TextChange", "( TextField )", Bind<&ControlWnd::RepFld_TextChange>},
      {"CalculateBtn", "MouseDown", "( PushButton, Integer, Integer ) as Boolean", Bind<&ControlWnd::CalculateBtn_MouseDown>},
      {"CalculateBtn", "MouseUp", "( PushButton, Integer, Integer ) as Boolean", Bind<&ControlWnd::CalculateBtn_MouseUp>},
      {"CalculateBtn", "Action", "( PushButton )", Bind<&ControlWnd::CalculateBtn_Action>},
      {"PrintBtn", "Action", "( PushButton )", Bind<&ControlWnd::PrintBtn_Action>},
      {"ClearBtn", "Action", "( PushButton )", Bind<&ControlWnd::ClearBtn_Action>},
      {"QuitBtn", "Action", "( PushButton )", Bind<&ControlWnd::QuitBtn_Action>},
      {"Qbtn", "MouseDown", "( PushButton, Integer, Integer ) as Boolean", Bind<&ControlWnd::Qbtn_MouseDown>},
      {"Pwheel", "Open", "( ProgressWheel )", Bind<&ControlWnd::Pwheel_Open>},
  };
  // clang-format on
  return wirings;
}

}  // namespace controlwnd_design
