#include "framework/gui/label.h"

#include <QLabel>

#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/props.h"

namespace {

QLabel* LabelOf(const Label& l) { return static_cast<QLabel*>(native::WidgetOf(l)); }

const props::Table<Label>& LabelTable() {
  static const props::Table<Label> table = {
      {"Text", [](Label& l, const PropertyValue& v) { l.SetText(props::AsString("Text", v)); }},
      {"Multiline",
       [](Label& l, const PropertyValue& v) {
         LabelOf(l)->setWordWrap(props::AsBool("Multiline", v));
       }},
      {"Selectable",
       [](Label& l, const PropertyValue& v) {
         LabelOf(l)->setTextInteractionFlags(
             props::AsBool("Selectable", v) ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
       }},
  };
  return table;
}

}  // namespace

Label::Label() = default;
Label::~Label() = default;

void Label::SetProperty(const std::string& name, const PropertyValue& value) {
  props::Set<Label, RectControl>(*this, LabelTable(), name, value);
  // An opaque label covers what lies under it with the window's background.
  if (name == "Transparent") LabelOf(*this)->setAutoFillBackground(!Native::Of(*this).transparent);
}

std::map<std::string, Control::EventShape> Label::Events() const { return RectControl::Events(); }

std::string Label::Text() const { return LabelOf(*this)->text().toStdString(); }

void Label::SetText(const std::string& text) {
  LabelOf(*this)->setText(QString::fromStdString(text));
}

void Label::MakeWidget() {
  auto* w = new QLabel;
  w->setTextFormat(Qt::PlainText);
  w->setFocusPolicy(Qt::NoFocus);
  Native::Of(*this).Adopt(w);
}
