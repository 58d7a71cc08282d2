// Design-time property lists: a window's or control's properties as data, a
// list of (name, value) pairs applied in order by _SetProperties. Each
// framework class keeps one table from property name to setter; a name that
// the class does not know is an error at once (InvalidArgumentException),
// and a value of the wrong kind is a TypeMismatchException.
//
// Property names are the framework's own, one spelling each:
//   geometry      Left, Top, Width, Height; Line: X1, Y1, X2, Y2
//   window        MinimumWidth, MinimumHeight, MaximumWidth, MaximumHeight,
//                 Type, Title, HasCloseButton, HasMaximizeButton,
//                 HasMinimizeButton, HasFullScreenButton, Resizeable,
//                 Composite, MacProcID, FullScreen, DefaultLocation,
//                 Visible, HasBackgroundColor, BackgroundColor,
//                 MenuBarVisible, LiveResize
//   edge locks    LockLeft, LockTop, LockRight, LockBottom
//   focus         TabIndex, TabStop, AllowFocus, AllowFocusRing, AllowTabs
//   content       Caption (push buttons), Text (labels, text fields),
//                 Value (text areas: the initial text), Backdrop (canvases)
//   font          FontName, FontSize, FontUnit, Bold, Italic, Underline
//   colours       TextColor, BackgroundColor, HasBackgroundColor, LineColor
//   flags         Enabled, Visible, Transparent, DoubleBuffer, Multiline,
//                 Selectable, ReadOnly, Password, HasBorder, HideSelection,
//                 AllowStyledText, AllowSpellChecking, AllowAutoDeactivate,
//                 HasVerticalScrollbar, HasHorizontalScrollbar,
//                 MaximumCharactersAllowed, ValidationMask, Hint,
//                 TextAlignment, LineSpacing, LineHeight, Default, Cancel,
//                 MacButtonStyle, Thickness
//   bookkeeping   Name, Index, TabPanelIndex, InitialParent, Tooltip,
//                 DataField, DataSource
//   timer         Period, RunMode
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

class Picture;

// A design-time colour as its four stored bytes. They are read as one
// little-endian 32-bit value whose bytes, from the most significant, are
// alpha, red, green and blue (alpha 0 = opaque): stored bytes b0 b1 b2 b3
// give blue b0, green b1, red b2, alpha b3. So 5A 60 18 00 is #18605A.
struct Color {
  uint8_t bytes[4];
  uint8_t Red() const { return bytes[2]; }
  uint8_t Green() const { return bytes[1]; }
  uint8_t Blue() const { return bytes[0]; }
  uint8_t Alpha() const { return bytes[3]; }
  static constexpr Color FromStored(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
    return Color{{b0, b1, b2, b3}};
  }
  static constexpr Color FromRGB(uint8_t r, uint8_t g, uint8_t b) { return Color{{b, g, r, 0}}; }
  bool operator==(const Color&) const = default;
};

using PropertyValue =
    std::variant<bool, int64_t, double, std::string, Color, std::shared_ptr<Picture>>;

struct Property {
  std::string name;
  PropertyValue value;
  // Integer literals in tables would otherwise be ambiguous.
  Property(std::string n, int v) : name(std::move(n)), value(int64_t{v}) {}
  Property(std::string n, int64_t v) : name(std::move(n)), value(v) {}
  Property(std::string n, bool v) : name(std::move(n)), value(v) {}
  Property(std::string n, double v) : name(std::move(n)), value(v) {}
  Property(std::string n, const char* v) : name(std::move(n)), value(std::string(v)) {}
  Property(std::string n, std::string v) : name(std::move(n)), value(std::move(v)) {}
  Property(std::string n, Color v) : name(std::move(n)), value(v) {}
};

using PropertyList = std::vector<Property>;
