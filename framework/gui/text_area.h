// A multi-line text control. Text is kept exactly: a carriage return
// (character 13) stays one, and positions and lengths count characters, so
// an en dash is one. Font "Courier" maps to an installed monospaced font.
// Events: KeyDown ("( TextArea, String ) as Boolean", True discards the key),
// GotFocus, LostFocus, TextChange, MouseEnter, MouseExit, Open ("( TextArea )").
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/gui/control.h"

class Graphics;
class StyledTextPrinter;

class TextArea : public RectControl {
 public:
  static constexpr const char* kClassName = "TextArea";
  TextArea();
  ~TextArea() override;
  const char* ClassName() const override { return kClassName; }
  void SetProperty(const std::string& name, const PropertyValue& value) override;
  std::map<std::string, EventShape> Events() const override;

  // The whole text; setting it replaces all of it and leaves the insertion
  // point at the start.
  std::string Text() const;
  void SetText(const std::string& text);

  // The insertion point (start of the selection), in characters from 0.
  // Setting it clamps to 0..Len(Text) and empties the selection.
  int64_t SelStart() const;
  void SetSelStart(int64_t position);
  int64_t SelLength() const;
  // The selected text; setting it replaces the selection and leaves the
  // insertion point directly behind the inserted text.
  std::string SelText() const;
  void SetSelText(const std::string& text);

  bool ReadOnly() const;

  // The printer of the area's styled text, laid out to width on g.
  std::shared_ptr<StyledTextPrinter> styledTextPrinter(const std::shared_ptr<Graphics>& g,
                                                       int64_t width);

 private:
  void MakeWidget() override;
};
