#include "framework/testing/seams.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEnterEvent>
#include <QFontInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextOption>
#include <QWidget>
#include <cstdlib>

#include "framework/gui/internal/native.h"
#include "framework/gui/runtime.h"

namespace seams {

namespace {

std::vector<std::string> box_texts;
std::function<void(const std::string&)> on_box;
int64_t beep_count = 0;
std::function<void()> on_beep;

QWidget* Widget(const std::shared_ptr<RectControl>& control) {
  QWidget* w = native::WidgetOf(*NotNil(control));
  if (w == nullptr) throw NilObjectException("the control has no widget");
  return w;
}

// The Qt key and text of a key given as the program sees it.
void QtKey(const std::string& key, int* qt_key, QString* text) {
  const QString s = QString::fromStdString(key);
  *text = s;
  *qt_key = Qt::Key_unknown;
  if (s.size() != 1) return;
  const char16_t c = s.at(0).unicode();
  switch (c) {
    case 8: *qt_key = Qt::Key_Backspace; return;
    case 9: *qt_key = Qt::Key_Tab; return;
    case 13: *qt_key = Qt::Key_Return; return;
    case 27: *qt_key = Qt::Key_Escape; return;
    case 28: *qt_key = Qt::Key_Left; *text = QString(); return;
    case 29: *qt_key = Qt::Key_Right; *text = QString(); return;
    case 30: *qt_key = Qt::Key_Up; *text = QString(); return;
    case 31: *qt_key = Qt::Key_Down; *text = QString(); return;
    case 127: *qt_key = Qt::Key_Delete; return;
    default:
      // Qt's codes for printable ASCII keys are the upper-case characters.
      if (c >= 0x20 && c < 0x7F) *qt_key = QChar(c).toUpper().unicode();
  }
}

void SendKey(QWidget* target, const std::string& key) {
  int qt_key;
  QString text;
  QtKey(key, &qt_key, &text);
  QKeyEvent press(QEvent::KeyPress, qt_key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, qt_key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &release);
}

// The innermost widget at p inside w (a text area's viewport, say), and p
// in its coordinates.
QWidget* Target(QWidget* w, QPoint* p) {
  QWidget* child = w->childAt(*p);
  if (child == nullptr) return w;
  *p = child->mapFrom(w, *p);
  return child;
}

QPoint Centre(QWidget* w) { return QPoint(w->width() / 2, w->height() / 2); }

}  // namespace

void InitRuntime() {
  if (QApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static char name[] = "vellacor-tests";
  static char* argv[] = {name, nullptr};
  RuntimeInit(1, argv, nullptr);
}

void ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

MessageBoxes::MessageBoxes() {
  box_texts.clear();
  native::SetMessageBoxAnswerer([](const std::string& text) {
    box_texts.push_back(text);
    if (on_box) on_box(text);
  });
}
MessageBoxes::~MessageBoxes() {
  native::SetMessageBoxAnswerer(nullptr);
  on_box = nullptr;
}
const std::vector<std::string>& MessageBoxes::Texts() const { return box_texts; }
void MessageBoxes::OnShow(std::function<void(const std::string&)> fn) { on_box = std::move(fn); }

Beeps::Beeps() {
  beep_count = 0;
  native::SetBeepListener([] {
    ++beep_count;
    if (on_beep) on_beep();
  });
}
Beeps::~Beeps() {
  native::SetBeepListener(nullptr);
  on_beep = nullptr;
}
int64_t Beeps::Count() const { return beep_count; }
void Beeps::OnBeep(std::function<void()> fn) { on_beep = std::move(fn); }

void PressKey(const std::shared_ptr<RectControl>& control, const std::string& key) {
  SendKey(Widget(control), key);
}

void PressKey(const std::shared_ptr<Window>& window, const std::string& key) {
  QWidget* top = native::TopLevel(*NotNil(window));
  QWidget* focus = top->focusWidget();
  SendKey(focus != nullptr ? focus : top, key);
}

void Type(const std::shared_ptr<RectControl>& control, const std::string& text) {
  const QString s = QString::fromStdString(text);
  for (QChar c : s) PressKey(control, QString(c).toStdString());
}

void Click(const std::shared_ptr<RectControl>& control) {
  QWidget* w = Widget(control);
  QPoint p = Centre(w);
  QWidget* target = Target(w, &p);
  QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, p);
}

void MouseDown(const std::shared_ptr<RectControl>& control, int64_t x, int64_t y) {
  QPoint p(static_cast<int>(x), static_cast<int>(y));
  QWidget* target = Target(Widget(control), &p);
  QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, p);
}

void MouseUp(const std::shared_ptr<RectControl>& control, int64_t x, int64_t y) {
  QPoint p(static_cast<int>(x), static_cast<int>(y));
  QWidget* target = Target(Widget(control), &p);
  QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, p);
}

void ClickWindow(const std::shared_ptr<Window>& window, int64_t x, int64_t y) {
  QWidget* content = native::Content(*NotNil(window));
  QPoint p(static_cast<int>(x), static_cast<int>(y));
  QWidget* target = Target(content, &p);
  QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, p);
}

void MouseEnter(const std::shared_ptr<RectControl>& control) {
  QWidget* w = Widget(control);
  const QPointF p = Centre(w);
  QEnterEvent e(p, w->mapTo(w->window(), p), w->mapToGlobal(p));
  QCoreApplication::sendEvent(w, &e);
}

void MouseExit(const std::shared_ptr<RectControl>& control) {
  QEvent e(QEvent::Leave);
  QCoreApplication::sendEvent(Widget(control), &e);
}

void MoveFocus(const std::shared_ptr<RectControl>& control) {
  QWidget* w = Widget(control);
  QWidget* top = w->window();
  top->activateWindow();
  QApplication::setActiveWindow(top);
  w->setFocus(Qt::MouseFocusReason);
  ProcessEvents();
}

void CloseBox(const std::shared_ptr<Window>& window) { native::TopLevel(*NotNil(window))->close(); }

ResourceFolder::ResourceFolder(const std::string& folder) { native::SetResourceFolderOverride(folder); }
ResourceFolder::~ResourceFolder() { native::SetResourceFolderOverride(""); }

void AtNextYield(std::function<void()> fn) { native::AtNextYield(std::move(fn)); }

void Reset() { native::ResetRuntime(); }

bool Grab(const std::shared_ptr<Window>& window, const std::string& png_path) {
  QWidget* top = native::TopLevel(*NotNil(window));
  return top->grab().save(QString::fromStdString(png_path), "PNG");
}

namespace {

Color FromQColor(const QColor& c) {
  return Color::FromRGB(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()),
                        static_cast<uint8_t>(c.blue()));
}

std::string AlignmentName(Qt::Alignment a) {
  if (a & Qt::AlignHCenter) return "centre";
  if (a & Qt::AlignRight) return "right";
  return "left";
}

}  // namespace

Look LookOf(const std::shared_ptr<RectControl>& control) {
  QWidget* w = Widget(control);
  const QFontInfo found(w->font());
  Look look;
  look.font_family = found.family().toStdString();
  look.font_size = found.pixelSize();
  look.bold = found.bold();
  look.italic = found.italic();
  look.underline = found.underline();
  look.fixed_pitch = found.fixedPitch();
  const QPalette& palette = w->palette();
  if (auto* field = qobject_cast<QLineEdit*>(w)) {
    look.text = FromQColor(palette.color(QPalette::Text));
    look.background = FromQColor(palette.color(QPalette::Base));
    look.alignment = AlignmentName(field->alignment());
  } else if (auto* area = qobject_cast<QPlainTextEdit*>(w)) {
    look.text = FromQColor(palette.color(QPalette::Text));
    look.background = FromQColor(area->viewport()->palette().color(QPalette::Base));
    look.alignment = AlignmentName(area->document()->defaultTextOption().alignment());
  } else {
    look.text = FromQColor(palette.color(w->foregroundRole()));
    if (auto* label = qobject_cast<QLabel*>(w)) look.alignment = AlignmentName(label->alignment());
  }
  return look;
}

Place PlaceOf(const std::shared_ptr<RectControl>& control) {
  QWidget* w = Widget(control);
  QWidget* content = w->parentWidget();
  const QRect r(w->mapTo(content, QPoint(0, 0)), w->size());
  return {w->isVisibleTo(content), r.left(), r.top(), r.width(), r.height()};
}

struct Snapshot::Image {
  QImage image;
};

Snapshot::Snapshot(const std::shared_ptr<Window>& window)
    : image_(std::make_unique<Image>()) {
  image_->image = native::Content(*NotNil(window))->grab().toImage();
}
Snapshot::~Snapshot() = default;
int64_t Snapshot::Width() const { return image_->image.width(); }
int64_t Snapshot::Height() const { return image_->image.height(); }
Color Snapshot::At(int64_t x, int64_t y) const {
  return FromQColor(image_->image.pixelColor(static_cast<int>(x), static_cast<int>(y)));
}

}  // namespace seams
