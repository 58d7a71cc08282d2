#include "framework/gui/dialogs.h"

#include <QApplication>
#include <QMessageBox>

#include "framework/gui/application.h"
#include "framework/gui/internal/testing.h"
#include "framework/gui/internal/window_native.h"

namespace {
void (*answerer)(const std::string&) = nullptr;
void (*beep_listener)() = nullptr;

// The application's name: its package info once the application object
// is registered, before that Qt's name for the program (its file name).
QString ApplicationName() {
  const std::shared_ptr<Application> app = _GetAppObject();
  if (app && !app->PackageInfo().empty()) return QString::fromStdString(app->PackageInfo());
  return QApplication::applicationDisplayName();
}
}  // namespace

void MsgBox(const std::string& text) {
  if (answerer != nullptr) return answerer(text);
  // Parented to the active window so that the box stays above it, with or
  // without a window manager to stack it.
  QMessageBox box(QMessageBox::NoIcon, ApplicationName(), QString::fromStdString(text),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.raise();
  // Ends, and gives the activation back, while the box still exists.
  const native::ModalDialogScope lent;
  box.exec();
}

void Beep() {
  if (beep_listener != nullptr) return beep_listener();
  QApplication::beep();
}

void test_hooks::SetMessageBoxAnswerer(void (*answer)(const std::string& text)) {
  answerer = answer;
}
void test_hooks::SetBeepListener(void (*listener)()) { beep_listener = listener; }
