#include "framework/testing/seams.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFileInfo>
#include <QFontInfo>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTextOption>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/testing.h"
#include "framework/gui/internal/window_native.h"
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
    case 8:
      *qt_key = Qt::Key_Backspace;
      return;
    case 9:
      *qt_key = Qt::Key_Tab;
      return;
    case 13:
      *qt_key = Qt::Key_Return;
      return;
    case 27:
      *qt_key = Qt::Key_Escape;
      return;
    case 28:
      *qt_key = Qt::Key_Left;
      *text = QString();
      return;
    case 29:
      *qt_key = Qt::Key_Right;
      *text = QString();
      return;
    case 30:
      *qt_key = Qt::Key_Up;
      *text = QString();
      return;
    case 31:
      *qt_key = Qt::Key_Down;
      *text = QString();
      return;
    case 127:
      *qt_key = Qt::Key_Delete;
      return;
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

Qt::MouseButton QtButton(Button button) {
  switch (button) {
    case Button::kMiddle:
      return Qt::MiddleButton;
    case Button::kRight:
      return Qt::RightButton;
    default:
      return Qt::LeftButton;
  }
}

// Mouse input at p in w's coordinates, as the platform delivers it: to the
// window, which hands it to the widget under the point. A hidden window
// has no such road; its widget gets the input directly.
void Mouse(QTest::MouseAction action, QWidget* w, QPoint p, Qt::MouseButton button) {
  QWidget* top = w->window();
  QWindow* handle = top->windowHandle();
  if (handle != nullptr && top->isVisible()) {
    QTest::mouseEvent(action, handle, button, Qt::NoModifier, w->mapTo(top, p));
    return;
  }
  QWidget* target = Target(w, &p);
  QTest::mouseEvent(action, target, button, Qt::NoModifier, p);
}

bool SendNamedKey(QWidget* target, const std::string& name) {
  const QKeySequence keys =
      QKeySequence::fromString(QString::fromStdString(name), QKeySequence::PortableText);
  if (keys.isEmpty()) throw InvalidArgumentException("no key named " + name);
  const int key = keys[0].key();
  const Qt::KeyboardModifiers modifiers = keys[0].keyboardModifiers();
  QString text;
  if ((modifiers & ~Qt::ShiftModifier) == Qt::NoModifier && key >= 0x20 && key < 0x7F)
    text = modifiers & Qt::ShiftModifier ? QString(QChar(key)) : QString(QChar(key)).toLower();
  else if (modifiers == Qt::ControlModifier && key >= Qt::Key_A && key <= Qt::Key_Z)
    text = QString(QChar(key - Qt::Key_A + 1));
  else if (key == Qt::Key_Return || key == Qt::Key_Enter)
    text = "\r";
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QCoreApplication::sendEvent(target, &release);
  return press.isAccepted();
}

QWidget* FocusOf(const std::shared_ptr<Window>& window) {
  QWidget* top = native::TopLevel(*NotNil(window));
  QWidget* focus = top->focusWidget();
  return focus != nullptr ? focus : top;
}

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
  test_hooks::SetMessageBoxAnswerer([](const std::string& text) {
    box_texts.push_back(text);
    if (on_box) on_box(text);
  });
}
MessageBoxes::~MessageBoxes() {
  test_hooks::SetMessageBoxAnswerer(nullptr);
  on_box = nullptr;
}
const std::vector<std::string>& MessageBoxes::Texts() const { return box_texts; }
void MessageBoxes::OnShow(std::function<void(const std::string&)> fn) { on_box = std::move(fn); }

Beeps::Beeps() {
  beep_count = 0;
  test_hooks::SetBeepListener([] {
    ++beep_count;
    if (on_beep) on_beep();
  });
}
Beeps::~Beeps() {
  test_hooks::SetBeepListener(nullptr);
  on_beep = nullptr;
}
int64_t Beeps::Count() const { return beep_count; }
void Beeps::OnBeep(std::function<void()> fn) { on_beep = std::move(fn); }

void PressKey(const std::shared_ptr<RectControl>& control, const std::string& key) {
  SendKey(Widget(control), key);
}

void PressKey(const std::shared_ptr<Window>& window, const std::string& key) {
  SendKey(FocusOf(window), key);
}

void Type(const std::shared_ptr<RectControl>& control, const std::string& text) {
  const QString s = QString::fromStdString(text);
  for (QChar c : s) PressKey(control, QString(c).toStdString());
}

bool PressNamedKey(const std::shared_ptr<RectControl>& control, const std::string& name) {
  return SendNamedKey(Widget(control), name);
}

bool PressNamedKey(const std::shared_ptr<Window>& window, const std::string& name) {
  QWidget* popup = QApplication::activePopupWidget();
  return SendNamedKey(popup != nullptr ? popup : FocusOf(window), name);
}

std::string OpenMenu() {
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  return menu != nullptr ? menu->title().toStdString() : "";
}

std::string HighlightedMenuItem() {
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QAction* action = menu != nullptr ? menu->activeAction() : nullptr;
  return action != nullptr ? action->text().section('\t', 0, 0).toStdString() : "";
}

void Compose(const std::shared_ptr<RectControl>& control, const std::string& text) {
  QWidget* w = Widget(control);
  const QString s = QString::fromStdString(text);
  QInputMethodEvent composing(s, {});
  QCoreApplication::sendEvent(w, &composing);
  QInputMethodEvent commit;
  commit.setCommitString(s);
  QCoreApplication::sendEvent(w, &commit);
}

void Click(const std::shared_ptr<RectControl>& control, Button button) {
  QWidget* w = Widget(control);
  Mouse(QTest::MouseClick, w, Centre(w), QtButton(button));
}

void MouseDown(const std::shared_ptr<RectControl>& control, int64_t x, int64_t y) {
  Mouse(QTest::MousePress, Widget(control), QPoint(static_cast<int>(x), static_cast<int>(y)),
        Qt::LeftButton);
}

void MouseUp(const std::shared_ptr<RectControl>& control, int64_t x, int64_t y) {
  Mouse(QTest::MouseRelease, Widget(control), QPoint(static_cast<int>(x), static_cast<int>(y)),
        Qt::LeftButton);
}

void ClickWindow(const std::shared_ptr<Window>& window, int64_t x, int64_t y, Button button) {
  QWidget* content = native::Content(*NotNil(window));
  Mouse(QTest::MouseClick, content, QPoint(static_cast<int>(x), static_cast<int>(y)),
        QtButton(button));
}

bool ChooseContextMenuItem(const std::shared_ptr<RectControl>& control,
                           const std::string& caption) {
  Click(control, Button::kRight);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (menu == nullptr) return false;
  for (QAction* action : menu->actions()) {
    const QString shown = action->text().section('\t', 0, 0).remove('&');
    if (shown.toStdString() != caption || !action->isEnabled()) continue;
    menu->close();
    action->trigger();
    return true;
  }
  menu->close();
  return false;
}

bool Drop(const std::shared_ptr<RectControl>& control, const std::string& text) {
  QWidget* w = Widget(control);
  QWidget* top = w->window();
  QWindow* handle = top->windowHandle();
  if (handle == nullptr || !top->isVisible())
    throw InvalidArgumentException("a drop needs the control's window shown");
  const QPoint at = w->mapTo(top, Centre(w));
  QMimeData data;
  data.setText(QString::fromStdString(text));
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
  // Shift proposes the move.
  const Qt::KeyboardModifiers modifiers = Qt::ShiftModifier;
  // The platform's order: enter, move (taken as the enter was), then the
  // drop where the move was taken, else the drag leaves.
  QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, modifiers);
  QCoreApplication::sendEvent(handle, &enter);
  QDragMoveEvent move(at, actions, &data, Qt::LeftButton, modifiers);
  if (enter.isAccepted() && enter.dropAction() != Qt::IgnoreAction) {
    move.setDropAction(enter.dropAction());
    move.accept();
  }
  QCoreApplication::sendEvent(handle, &move);
  if (!move.isAccepted() || move.dropAction() == Qt::IgnoreAction) {
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(handle, &leave);
    return false;
  }
  QDropEvent drop(at, actions, &data, Qt::LeftButton, modifiers);
  QCoreApplication::sendEvent(handle, &drop);
  return drop.isAccepted() && drop.dropAction() != Qt::IgnoreAction;
}

void SetClipboard(const std::string& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(QString::fromStdString(text), QClipboard::Clipboard);
  if (clipboard->supportsSelection())
    clipboard->setText(QString::fromStdString(text), QClipboard::Selection);
}

void EmptyClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setMimeData(new QMimeData, QClipboard::Clipboard);
  if (clipboard->supportsSelection()) clipboard->setMimeData(new QMimeData, QClipboard::Selection);
}

void DismissNextDialog(std::function<void()> while_up) {
  auto* timer = new QTimer(qApp);
  auto* deadline = new QElapsedTimer;
  deadline->start();
  QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, while_up] {
    QWidget* dialog = QApplication::activeModalWidget();
    const bool up = dialog != nullptr && dialog->isVisible();
    if (!up && deadline->elapsed() < 10000) return;
    timer->stop();
    timer->deleteLater();
    delete deadline;
    if (!up) return;
    if (while_up) while_up();
    QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
  });
  timer->start(10);
}

namespace {

// Runs act once on the first modal widget that is up and satisfies wanted,
// looking every 10 ms for at most 10 s.
void WhenModal(std::function<bool(QWidget*)> wanted, std::function<void(QWidget*)> act) {
  auto* timer = new QTimer(qApp);
  auto* deadline = new QElapsedTimer;
  deadline->start();
  QObject::connect(timer, &QTimer::timeout, timer, [=] {
    QWidget* dialog = QApplication::activeModalWidget();
    const bool up = dialog != nullptr && dialog->isVisible() && wanted(dialog);
    if (!up && deadline->elapsed() < 10000) return;
    timer->stop();
    timer->deleteLater();
    delete deadline;
    if (up) act(dialog);
  });
  timer->start(10);
}

bool IsA(QWidget* w, const char* class_name) {
  return std::string(w->metaObject()->className()) == class_name;
}

template <typename T>
T* Find(QWidget* dialog, const char* name) {
  T* w = dialog->findChild<T*>(name);
  if (w == nullptr)
    std::fprintf(stderr, "FillNextPrintDialog: no %s in the dialog\n",
                 name != nullptr ? name : T::staticMetaObject.className());
  return w;
}

}  // namespace

void FillNextPrintDialog(const PrintDialogChoices& choices) {
  WhenModal(
      [](QWidget* w) { return IsA(w, "QPrintDialog"); },
      [choices](QWidget* dialog) {
        if (!choices.paper.empty() || choices.landscape) {
          WhenModal(
              [](QWidget* w) { return IsA(w, "QPrintPropertiesDialog"); },
              [choices](QWidget* properties) {
                if (!choices.paper.empty())
                  if (auto* sizes = Find<QComboBox>(properties, "pageSizeCombo"))
                    sizes->setCurrentIndex(sizes->findText(QString::fromStdString(choices.paper)));
                if (auto* way = Find<QRadioButton>(properties,
                                                   choices.landscape ? "landscape" : "portrait"))
                  way->click();
                Find<QDialogButtonBox>(properties, nullptr)->button(QDialogButtonBox::Ok)->click();
              });
          Find<QPushButton>(dialog, "properties")->click();
        }
        Find<QLineEdit>(dialog, "filename")->setText(QString::fromStdString(choices.output_file));
        if (choices.from_page > 0) {
          Find<QRadioButton>(dialog, "printRange")->click();
          Find<QSpinBox>(dialog, "from")->setValue(static_cast<int>(choices.from_page));
          Find<QSpinBox>(dialog, "to")->setValue(static_cast<int>(choices.to_page));
        }
        Find<QSpinBox>(dialog, "copies")->setValue(static_cast<int>(choices.copies));
        Find<QCheckBox>(dialog, "collate")->setChecked(choices.collate);
        Find<QCheckBox>(dialog, "reverse")->setChecked(choices.reverse);
        if (QFileInfo(QString::fromStdString(choices.output_file)).isFile())
          WhenModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                    [](QWidget* box) {
                      static_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
                    });
        auto* buttons = Find<QDialogButtonBox>(dialog, nullptr);
        buttons->button(QDialogButtonBox::Ok)->click();
        if (dialog->isVisible()) buttons->button(QDialogButtonBox::Cancel)->click();
      });
}

std::shared_ptr<Window> ActiveWindow() { return native::WindowOf(QApplication::activeWindow()); }

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

ResourceFolder::ResourceFolder(const std::string& folder) {
  test_hooks::SetResourceFolderOverride(folder);
}
ResourceFolder::~ResourceFolder() { test_hooks::SetResourceFolderOverride(""); }

void AtNextYield(std::function<void()> fn) { test_hooks::AtNextYield(std::move(fn)); }

void Reset() {
  test_hooks::ForgetImplicitWindows();
  test_hooks::ResetRuntime();
  test_hooks::ReleaseAppObject();
  test_hooks::ResetStartup();
  test_hooks::ResetFileTypes();
  test_hooks::FailPdfWritesAfter(-1);
}

QWidget* TopLevel(const std::shared_ptr<Window>& window) {
  return native::TopLevel(*NotNil(window));
}
QWidget* Content(const std::shared_ptr<Window>& window) { return native::Content(*NotNil(window)); }
QWidget* WidgetOf(const std::shared_ptr<RectControl>& control) {
  return native::WidgetOf(*NotNil(control));
}
void SetMenuBar(const std::shared_ptr<Window>& window, QMenuBar* bar) {
  native::SetMenuBar(*NotNil(window), bar);
}

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

Snapshot::Snapshot(const std::shared_ptr<Window>& window) : image_(std::make_unique<Image>()) {
  image_->image = native::Content(*NotNil(window))->grab().toImage();
}
Snapshot::~Snapshot() = default;
int64_t Snapshot::Width() const { return image_->image.width(); }
int64_t Snapshot::Height() const { return image_->image.height(); }
double Snapshot::Scale() const { return image_->image.devicePixelRatio(); }
Color Snapshot::At(int64_t x, int64_t y) const {
  return FromQColor(image_->image.pixelColor(static_cast<int>(x), static_cast<int>(y)));
}

}  // namespace seams
