#include "framework/gui/text_field.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "framework/gui/dialogs.h"
#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/props.h"
#include "framework/gui/internal/window_native.h"
#include "framework/gui/push_button.h"
#include "framework/gui/window.h"

namespace {

// QLineEdit's own maximum length, which stands for no limit.
constexpr int kNoLimit = 32767;

// The field's line edit. Return and Enter press the window's default
// button. Text that comes in whole (a paste, a drop, a composed character)
// is offered to KeyDown character by character, as typed keys are; a paste
// or a drop that the field cannot then take whole is refused with a beep,
// and the field stays as it was.
class FieldWidget : public native::ComposesThroughKeyDown<QLineEdit> {
 public:
  explicit FieldWidget(TextField* field) : ComposesThroughKeyDown(field), field_(field) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
      if (std::shared_ptr<PushButton> button = DefaultButton()) {
        e->accept();
        native::PressButton(*button);
        return;
      }
    } else if (e->matches(QKeySequence::Paste) && !isReadOnly()) {
      e->accept();
      // Ctrl+Shift+Insert pastes the selection, as Qt's own handling does.
      const bool selection =
          e->key() == Qt::Key_Insert && e->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
      Paste(selection ? QClipboard::Selection : QClipboard::Clipboard);
      return;
    }
    QLineEdit::keyPressEvent(e);
  }

  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
      deselect();
      Paste(QClipboard::Selection);
      e->accept();
      return;
    }
    QLineEdit::mouseReleaseEvent(e);
  }

  void contextMenuEvent(QContextMenuEvent* e) override {
    QMenu* menu = createStandardContextMenu();
    if (menu == nullptr) return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // Qt's Paste item pastes through ours.
    for (QAction* action : menu->actions()) {
      if (disconnect(action, SIGNAL(triggered()), this, SLOT(paste())) ||
          disconnect(action, &QAction::triggered, this, &QLineEdit::paste))
        connect(action, &QAction::triggered, this, [this] { Paste(QClipboard::Clipboard); });
    }
    menu->popup(e->globalPos());
  }

  // A drag whose text the field could not hold is refused while it moves:
  // a drag from another program reads the answer then, and its source
  // keeps its text.
  void dragEnterEvent(QDragEnterEvent* e) override {
    QLineEdit::dragEnterEvent(e);
    RefuseWhatCannotGoIn(e);
  }
  void dragMoveEvent(QDragMoveEvent* e) override {
    QLineEdit::dragMoveEvent(e);
    RefuseWhatCannotGoIn(e);
  }

  void dropEvent(QDropEvent* e) override {
    const QString text = e->mimeData()->text();
    // A move inside the field, or a drop Qt refuses by itself, goes as Qt
    // has it.
    if (e->source() == this || isReadOnly() || text.isNull()) return QLineEdit::dropEvent(e);
    const int at = cursorPositionAt(e->position().toPoint());
    if (!TakesWhole(text, at, 0)) {
      // No action: the source of the drag keeps its text.
      e->setDropAction(Qt::IgnoreAction);
      e->ignore();
      update();
      return;
    }
    QLineEdit::dropEvent(e);
  }

 private:
  std::shared_ptr<PushButton> DefaultButton() const {
    auto window = field_->OwnerWindow();
    if (!window) return nullptr;
    for (const auto& control : window->Controls())
      if (auto button = std::dynamic_pointer_cast<PushButton>(control); button && button->Default())
        return button;
    return nullptr;
  }

  void Paste(QClipboard::Mode mode) {
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (text.isEmpty() && !hasSelectedText()) return;
    const int at = hasSelectedText() ? selectionStart() : cursorPosition();
    if (!TakesWhole(text, at, static_cast<int>(selectedText().size()))) return;
    insert(text);
  }

  // Whether text, put in place of the length characters at position at,
  // goes in whole: KeyDown takes each of its characters (a refusal there
  // has beeped already), and the result fits (otherwise a beep here).
  bool TakesWhole(const QString& text, int at, int length) {
    if (native::KeyDownRefuses(*field_, text.toStdString())) return false;
    if (Fits(text, at, length)) return true;
    Beep();
    return false;
  }

  // Whether the field, with text in place of the length characters at
  // position at, stays within its maximum length and its mask.
  bool Fits(const QString& text, int at, int length) const {
    QString result = this->text();
    result.replace(at, length, text);
    int cursor = at + static_cast<int>(text.size());
    return result.size() <= maxLength() &&
           (validator() == nullptr || validator()->validate(result, cursor) != QValidator::Invalid);
  }

  void RefuseWhatCannotGoIn(QDragMoveEvent* e) {
    if (e->source() == this || !e->isAccepted() || e->mimeData() == nullptr) return;
    // Qt has put the insertion point where the drop would go.
    if (Fits(e->mimeData()->text(), cursorPosition(), 0)) return;
    e->setDropAction(Qt::IgnoreAction);
    e->ignore();
  }

  TextField* field_;
};

QLineEdit* EditOf(const TextField& f) { return static_cast<QLineEdit*>(native::WidgetOf(f)); }

// "#" is one digit, anything else itself; a partly typed text is accepted.
QValidator* MaskValidator(const std::string& mask, QObject* parent) {
  QString pattern;
  for (char c : mask)
    pattern += c == '#' ? QString("[0-9]") : QRegularExpression::escape(QString(QChar(c)));
  return new QRegularExpressionValidator(QRegularExpression("^" + pattern + "$"), parent);
}

}  // namespace

TextField::TextField() = default;
TextField::~TextField() = default;

// The table is the member's own, so that its setters reach the field's
// state.
void TextField::SetProperty(const std::string& name, const PropertyValue& value) {
  static const props::Table<TextField> table = {
      {"Text", [](TextField& f, const PropertyValue& v) { f.SetText(props::AsString("Text", v)); }},
      {"MaximumCharactersAllowed",
       [](TextField& f, const PropertyValue& v) {
         const int64_t n = props::AsInt("MaximumCharactersAllowed", v);
         EditOf(f)->setMaxLength(n > 0 ? static_cast<int>(n) : kNoLimit);
       }},
      {"ValidationMask",
       [](TextField& f, const PropertyValue& v) {
         f.mask_ = props::AsString("ValidationMask", v);
         QLineEdit* e = EditOf(f);
         delete e->validator();
         e->setValidator(f.mask_.empty() ? nullptr : MaskValidator(f.mask_, e));
       }},
      {"ReadOnly",
       [](TextField& f, const PropertyValue& v) {
         EditOf(f)->setReadOnly(props::AsBool("ReadOnly", v));
       }},
      {"Password",
       [](TextField& f, const PropertyValue& v) {
         EditOf(f)->setEchoMode(props::AsBool("Password", v) ? QLineEdit::Password
                                                             : QLineEdit::Normal);
       }},
      {"HasBorder",
       [](TextField& f, const PropertyValue& v) {
         EditOf(f)->setFrame(props::AsBool("HasBorder", v));
       }},
      {"Hint",
       [](TextField& f, const PropertyValue& v) {
         EditOf(f)->setPlaceholderText(QString::fromStdString(props::AsString("Hint", v)));
       }},
      {"AllowTabs", props::Ignore<TextField>},
      {"AllowSpellChecking", props::Ignore<TextField>},
  };
  props::Set<TextField, RectControl>(*this, table, name, value);
}

std::map<std::string, Control::EventShape> TextField::Events() const {
  auto events = RectControl::Events();
  events["KeyDown"] = {", String", " as Boolean"};
  events["TextChange"] = {"", ""};
  return events;
}

std::string TextField::Text() const { return EditOf(*this)->text().toStdString(); }

void TextField::SetText(const std::string& text) {
  EditOf(*this)->setText(QString::fromStdString(text));
}

int64_t TextField::MaximumCharactersAllowed() const {
  const int n = EditOf(*this)->maxLength();
  return n == kNoLimit ? 0 : n;
}

void TextField::MakeWidget() {
  auto* w = new FieldWidget(this);
  w->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(w, &QLineEdit::textChanged, [this] { RaiseEvent("TextChange"); });
  Native::Of(*this).Adopt(w);
}
