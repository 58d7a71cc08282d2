#include "framework/gui/text_field.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "framework/gui/internal/native.h"
#include "framework/gui/internal/props.h"
#include "framework/gui/internal/widgets.h"

namespace {

QLineEdit* EditOf(const TextField& f) { return static_cast<QLineEdit*>(native::WidgetOf(f)); }

// "#" is one digit, anything else itself; a partly typed text is accepted.
QValidator* MaskValidator(const std::string& mask, QObject* parent) {
  QString pattern;
  for (char c : mask)
    pattern += c == '#' ? QString("[0-9]") : QRegularExpression::escape(QString(QChar(c)));
  return new QRegularExpressionValidator(QRegularExpression("^" + pattern + "$"), parent);
}

const props::Table<TextField>& FieldTable() {
  static const props::Table<TextField> table = {
      {"Text", [](TextField& f, const PropertyValue& v) { f.SetText(props::AsString("Text", v)); }},
      {"MaximumCharactersAllowed", [](TextField& f, const PropertyValue& v) {
         const int64_t n = props::AsInt("MaximumCharactersAllowed", v);
         EditOf(f)->setMaxLength(n > 0 ? static_cast<int>(n) : 32767);
       }},
      {"ValidationMask", [](TextField& f, const PropertyValue& v) { f._SetMask(props::AsString("ValidationMask", v)); }},
      {"ReadOnly", [](TextField& f, const PropertyValue& v) { EditOf(f)->setReadOnly(props::AsBool("ReadOnly", v)); }},
      {"Password", [](TextField& f, const PropertyValue& v) {
         EditOf(f)->setEchoMode(props::AsBool("Password", v) ? QLineEdit::Password : QLineEdit::Normal);
       }},
      {"HasBorder", [](TextField& f, const PropertyValue& v) { EditOf(f)->setFrame(props::AsBool("HasBorder", v)); }},
      {"Hint", [](TextField& f, const PropertyValue& v) {
         EditOf(f)->setPlaceholderText(QString::fromStdString(props::AsString("Hint", v)));
       }},
      {"AllowTabs", props::Ignore<TextField>},
      {"AllowSpellChecking", props::Ignore<TextField>},
  };
  return table;
}

}  // namespace

TextField::TextField() = default;
TextField::~TextField() = default;

void TextField::SetProperty(const std::string& name, const PropertyValue& value) {
  props::Set<TextField, RectControl>(*this, FieldTable(), name, value);
}

std::map<std::string, Control::EventShape> TextField::Events() const {
  auto events = RectControl::Events();
  events["KeyDown"] = {", String", " as Boolean"};
  events["TextChange"] = {"", ""};
  return events;
}

std::string TextField::Text() const { return EditOf(*this)->text().toStdString(); }

void TextField::SetText(const std::string& text) { EditOf(*this)->setText(QString::fromStdString(text)); }

int64_t TextField::MaximumCharactersAllowed() const {
  const int n = EditOf(*this)->maxLength();
  return n == 32767 ? 0 : n;
}

void TextField::_SetMask(const std::string& mask) {
  mask_ = mask;
  QLineEdit* e = EditOf(*this);
  delete e->validator();
  e->setValidator(mask.empty() ? nullptr : MaskValidator(mask, e));
}

void TextField::_ApplyAlignment() {
  const int64_t a = _Native()->alignment;
  Qt::Alignment h = a == 2 ? Qt::AlignHCenter : a == 3 ? Qt::AlignRight : Qt::AlignLeft;
  EditOf(*this)->setAlignment(h | Qt::AlignVCenter);
}

void TextField::_MakeWidget() {
  auto* w = new QLineEdit;
  w->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(w, &QLineEdit::textChanged, [this] { RaiseEvent("TextChange"); });
  _Native()->Adopt(w);
}
