#include "framework/gui/text_area.h"

#include <QAbstractUndoItem>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/dispatch.h"
#include "framework/gui/internal/props.h"

// The document keeps the text's carriage returns as its paragraph breaks
// and line feeds as line separators inside a paragraph, so that the text
// comes back byte for byte. Positions are counted in characters (code
// points); the document counts UTF-16 units.

namespace {

constexpr char16_t kParagraph = 0x2029, kLineSeparator = 0x2028;

// Marks the end of one of the program's steps in the undo history: undone
// or redone it does nothing, but text typed after the step does not merge
// into it.
class EndOfProgramStep : public QAbstractUndoItem {
 public:
  void undo() override {}
  void redo() override {}
};

// The area's editor. Every insertion of mime data (a paste by key or by
// the middle button, a drop) comes here: data without any format, which a
// clipboard or selection that nothing owns gives, inserts nothing; Qt's
// own insertion does not survive it. A composed character goes through
// KeyDown as a typed one does.
class AreaWidget : public native::ComposesThroughKeyDown<QPlainTextEdit> {
 public:
  explicit AreaWidget(TextArea* area) : ComposesThroughKeyDown(area) {}

  // Makes the program's edit of the text through cursor a step of the
  // area's undo history, which Ctrl+Z takes back. All the program's edits
  // within one call into the program (a Calculate run and the report it
  // writes) make one step together, provided nothing else has entered the
  // history meanwhile; outside any call each edit is a step of its own.
  void ProgramEdit(QTextCursor& cursor, const QString& text) {
    QTextDocument* doc = document();
    const uint64_t call = native::CurrentProgramCall();
    const int before = doc->availableUndoSteps();
    const bool join =
        call != 0 && call == step_call_ && before == step_depth_ && doc->availableRedoSteps() == 0;
    join ? cursor.joinPreviousEditBlock() : cursor.beginEditBlock();
    cursor.insertText(text);
    if (doc->availableUndoSteps() != before) doc->appendUndoItem(new EndOfProgramStep);
    cursor.endEditBlock();
    const int after = doc->availableUndoSteps();
    if (after != before) {
      step_call_ = call;
      step_depth_ = after;
    } else if (!join) {
      step_call_ = 0;
    }
  }

 protected:
  // The border is drawn here, not by the style: the style's line is half
  // a point wide each side of the edge's middle, which at a fractional
  // scale factor falls between device pixels on one side and under the
  // viewport on the other, so the top, right and bottom edges went
  // missing. Filled as the outer point of the area on each side, the
  // border covers whole device pixels beside the viewport at any scale.
  bool event(QEvent* e) override {
    const bool handled = ComposesThroughKeyDown::event(e);
    if (e->type() == QEvent::Paint && frameShape() != QFrame::NoFrame) {
      QPainter p(this);
      // The colour of the style's own frame line.
      const QColor line = palette().color(QPalette::Window).darker(140).lighter(108);
      const qreal w = width(), h = height();
      for (const QRectF& edge :
           {QRectF(0, 0, w, 1), QRectF(0, h - 1, w, 1), QRectF(0, 0, 1, h), QRectF(w - 1, 0, 1, h)})
        p.fillRect(edge, line);
    }
    return handled;
  }

  void insertFromMimeData(const QMimeData* source) override {
    if (source == nullptr || source->formats().isEmpty()) return;
    QPlainTextEdit::insertFromMimeData(source);
  }

 private:
  // The call into the program whose step ends the history, and the
  // history's depth after it; step_call_ 0 when the last step is no
  // program's.
  uint64_t step_call_ = 0;
  int step_depth_ = 0;
};

AreaWidget* EditOf(const TextArea& a) { return static_cast<AreaWidget*>(native::WidgetOf(a)); }

// The program's text in the form that QTextCursor::insertText takes: it
// makes a paragraph of each carriage return.
QString ToDocument(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QChar('\n'), QChar(kLineSeparator));
  return s;
}

QString RawText(const QPlainTextEdit* e) { return e->document()->toRawText(); }

std::string FromDocument(QString raw) {
  raw.replace(QChar(kParagraph), QChar('\r'));
  raw.replace(QChar(kLineSeparator), QChar('\n'));
  return raw.toStdString();
}

// Document position of the character with index chars, clamped to the end.
int ToDocPos(const QString& raw, int64_t chars) {
  int pos = 0;
  for (int64_t n = 0; n < chars && pos < raw.size(); ++n)
    pos += raw.at(pos).isHighSurrogate() && pos + 1 < raw.size() ? 2 : 1;
  return pos;
}

int64_t FromDocPos(const QString& raw, int pos) {
  int64_t chars = 0;
  for (int i = 0; i < pos && i < raw.size(); ++chars)
    i += raw.at(i).isHighSurrogate() && i + 1 < raw.size() ? 2 : 1;
  return chars;
}

// A text given in the design is where the undo history starts.
void SetInitialText(TextArea& area, const std::string& text) {
  area.SetText(text);
  EditOf(area)->document()->clearUndoRedoStacks();
}

const props::Table<TextArea>& AreaTable() {
  auto bar = [](bool on) { return on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff; };
  static const props::Table<TextArea> table = {
      {"Value",
       [](TextArea& a, const PropertyValue& v) { SetInitialText(a, props::AsString("Value", v)); }},
      {"Text",
       [](TextArea& a, const PropertyValue& v) { SetInitialText(a, props::AsString("Text", v)); }},
      {"ReadOnly",
       [](TextArea& a, const PropertyValue& v) {
         EditOf(a)->setReadOnly(props::AsBool("ReadOnly", v));
       }},
      {"AllowTabs",
       [](TextArea& a, const PropertyValue& v) {
         EditOf(a)->setTabChangesFocus(!props::AsBool("AllowTabs", v));
       }},
      {"HasBorder",
       [](TextArea& a, const PropertyValue& v) {
         EditOf(a)->setFrameShape(props::AsBool("HasBorder", v) ? QFrame::StyledPanel
                                                                : QFrame::NoFrame);
       }},
      {"HasVerticalScrollbar",
       [=](TextArea& a, const PropertyValue& v) {
         EditOf(a)->setVerticalScrollBarPolicy(bar(props::AsBool("HasVerticalScrollbar", v)));
       }},
      {"HasHorizontalScrollbar",
       [=](TextArea& a, const PropertyValue& v) {
         const bool on = props::AsBool("HasHorizontalScrollbar", v);
         EditOf(a)->setHorizontalScrollBarPolicy(bar(on));
         EditOf(a)->setLineWrapMode(on ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
       }},
      // Always multi-line, plain and unlimited here; the spacing is the font's.
      {"Multiline", props::Ignore<TextArea>},
      {"AllowStyledText", props::Ignore<TextArea>},
      {"HideSelection", props::Ignore<TextArea>},
      {"MaximumCharactersAllowed", props::Ignore<TextArea>},
      {"ValidationMask", props::Ignore<TextArea>},
      {"LineSpacing", props::Ignore<TextArea>},
      {"LineHeight", props::Ignore<TextArea>},
      {"AllowSpellChecking", props::Ignore<TextArea>},
  };
  return table;
}

}  // namespace

TextArea::TextArea() = default;
TextArea::~TextArea() = default;

void TextArea::SetProperty(const std::string& name, const PropertyValue& value) {
  props::Set<TextArea, RectControl>(*this, AreaTable(), name, value);
}

std::map<std::string, Control::EventShape> TextArea::Events() const {
  auto events = RectControl::Events();
  events["KeyDown"] = {", String", " as Boolean"};
  events["TextChange"] = {"", ""};
  return events;
}

std::string TextArea::Text() const { return FromDocument(RawText(EditOf(*this))); }

void TextArea::SetText(const std::string& text) {
  AreaWidget* e = EditOf(*this);
  QTextCursor c(e->document());
  c.select(QTextCursor::Document);
  e->ProgramEdit(c, ToDocument(text));
  c.movePosition(QTextCursor::Start);
  e->setTextCursor(c);
}

int64_t TextArea::SelStart() const {
  const QPlainTextEdit* e = EditOf(*this);
  return FromDocPos(RawText(e), e->textCursor().selectionStart());
}

void TextArea::SetSelStart(int64_t position) {
  QPlainTextEdit* e = EditOf(*this);
  QTextCursor c = e->textCursor();
  c.setPosition(ToDocPos(RawText(e), std::max<int64_t>(0, position)));
  e->setTextCursor(c);
}

int64_t TextArea::SelLength() const {
  const QPlainTextEdit* e = EditOf(*this);
  const QString raw = RawText(e);
  const QTextCursor c = e->textCursor();
  return FromDocPos(raw, c.selectionEnd()) - FromDocPos(raw, c.selectionStart());
}

std::string TextArea::SelText() const {
  const QPlainTextEdit* e = EditOf(*this);
  const QTextCursor c = e->textCursor();
  return FromDocument(RawText(e).mid(c.selectionStart(), c.selectionEnd() - c.selectionStart()));
}

void TextArea::SetSelText(const std::string& text) {
  AreaWidget* e = EditOf(*this);
  QTextCursor c = e->textCursor();
  e->ProgramEdit(c, ToDocument(text));
  e->setTextCursor(c);
}

bool TextArea::ReadOnly() const { return EditOf(*this)->isReadOnly(); }

void TextArea::MakeWidget() {
  auto* w = new AreaWidget(this);
  w->setFocusPolicy(Qt::StrongFocus);
  w->setTabChangesFocus(true);
  QObject::connect(w, &QPlainTextEdit::textChanged, [this] { RaiseEvent("TextChange"); });
  Native::Of(*this).Adopt(w);
}
