// The real message box (offscreen): its title and its text.
#include "framework/gui/dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <memory>

#include "framework/gui/application.h"
#include "framework/testing/seams.h"

namespace {

// Shows a real box with MsgBox and reads it once it is up.
struct ShownBox {
  QString title, text;
};
ShownBox ShowAndRead(const std::string& text) {
  ShownBox shown;
  QTimer::singleShot(0, [&shown] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    shown = {box->windowTitle(), box->text()};
    box->accept();
  });
  MsgBox(text);
  return shown;
}

TEST(MsgBox, IsTitledWithTheApplicationsName) {
  seams::InitRuntime();
  auto app = std::make_shared<Application>();
  app->_x_SetVersionData(3, 0, 0, 0, 3, "notice", "3.0", "Vellacor");
  _RuntimeRegisterAppObject(app);
  const ShownBox shown = ShowAndRead("Nothing to print.");
  seams::Reset();
  EXPECT_EQ(shown.title.toStdString(), "Vellacor");
  EXPECT_EQ(shown.text.toStdString(), "Nothing to print.");
}

}  // namespace
