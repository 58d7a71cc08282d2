#include "framework/gui/printing.h"

#include <QApplication>
#include <QPrintDialog>
#include <QThread>
#include <cstdio>
#include <exception>
#include <optional>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/printing_native.h"
#include "framework/gui/internal/testing.h"
#include "framework/gui/internal/window_native.h"
#include "framework/gui/runtime.h"
#include "framework/gui/text_area.h"

namespace {

struct DialogAnswer {
  bool cancel = false;
  std::string pdf_path;
};

std::optional<DialogAnswer>& Answer() {
  static std::optional<DialogAnswer> answer;
  return answer;
}
int64_t dialogs_opened = 0;
int64_t next_page_calls = 0;

}  // namespace

Graphics::Graphics(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Graphics::~Graphics() {
  if (impl_->painter.isActive()) impl_->painter.end();
  CheckedFile* file = impl_->pdf_file.get();
  if (file == nullptr) return;
  if (!file->flush()) file->NoteFailure();
  file->close();
  if (file->error() != QFileDevice::NoError) file->NoteFailure();
  if (!file->Failed()) return;
  const std::string message = "The PDF file \"" + file->fileName().toStdString() +
                              "\" could not be written: " + file->Failure().toStdString();
  // While a failure or Quit unwinds the handler, no box: the line on
  // standard error still says what became of the job.
  if (std::uncaught_exceptions() > 0 || RuntimeQuitting()) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return;
  }
  Beep();
  MsgBox(message);
}

void Graphics::NextPage() {
  ++next_page_calls;
  impl_->device->newPage();
}

std::shared_ptr<Graphics> OpenPrinterDialog(const std::shared_ptr<PrinterSetup>& /*pageSetup*/,
                                            const std::shared_ptr<Window>& /*parent*/) {
  if (QCoreApplication::instance() == nullptr ||
      QThread::currentThread() != QCoreApplication::instance()->thread())
    throw RuntimeException("the print dialog runs on the main thread only");
  ++dialogs_opened;
  if (Answer()) {
    if (Answer()->cancel) return nullptr;
    return native::PrinterSurface(native::PdfPrinter(Answer()->pdf_path));
  }
  // The dialog is application-modal, so it needs no parent to block input.
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(printer.get());
  const native::ModalDialogScope lent;
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (!accepted) return nullptr;
  return native::PrinterSurface(std::move(printer));
}

StyledTextPrinter::StyledTextPrinter(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
StyledTextPrinter::~StyledTextPrinter() = default;

bool StyledTextPrinter::Eof() const { return impl_->next >= impl_->lines.size(); }

void StyledTextPrinter::DrawBlock(int64_t x, int64_t y, int64_t height) {
  if (Eof()) return;
  Graphics::Impl& g = Graphics::Impl::Of(*impl_->surface);
  const double limit = height * g.scale;
  const double top = impl_->lines[impl_->next].top;
  size_t end = impl_->next;
  while (end < impl_->lines.size() && impl_->lines[end].bottom - top <= limit) ++end;
  QPainter& p = g.painter;
  p.save();
  p.translate(x * g.scale, y * g.scale - top);
  p.setPen(Qt::black);
  if (end == impl_->next) {  // one line taller than the block: cut it
    p.setClipRect(QRectF(0, top, impl_->doc->textWidth(), limit));
    end = impl_->next + 1;
  }
  for (size_t i = impl_->next; i < end; ++i) {
    const Impl::Line& line = impl_->lines[i];
    line.layout->lineAt(line.index).draw(&p, line.layout->position());
  }
  p.restore();
  impl_->next = end;
}

std::shared_ptr<StyledTextPrinter> TextArea::styledTextPrinter(const std::shared_ptr<Graphics>& g,
                                                               int64_t width) {
  return native::MakeStyledTextPrinter(*native::DocumentOf(*this), native::FontOf(*this), g, width);
}

void test_hooks::AnswerPrintDialogWithPdf(const std::string& path) {
  Answer() = DialogAnswer{false, path};
  dialogs_opened = next_page_calls = 0;
}

void test_hooks::AnswerPrintDialogWithCancel() {
  Answer() = DialogAnswer{true, ""};
  dialogs_opened = next_page_calls = 0;
}

void test_hooks::ClearPrintDialogAnswer() { Answer().reset(); }

int64_t test_hooks::PrintDialogsOpened() { return dialogs_opened; }
int64_t test_hooks::NextPageCalls() { return next_page_calls; }
