#include "framework/gui/printing.h"

#include <QApplication>
#include <QPageLayout>
#include <QPrintDialog>
#include <QThread>
#include <algorithm>
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
  Impl& g = *impl_;
  // A job ends early when the handler that prints is left by a failure or
  // by Quit (the close box, the Quit button, the menu): then nothing of it
  // may stand as if it were whole.
  const bool cut_short = std::uncaught_exceptions() > 0 || RuntimeQuitting();
  if (!cut_short) g.Finish();
  if (cut_short && !g.pdf_file) g.printer->abort();
  if (g.painter.isActive()) g.painter.end();
  PdfFile* file = g.pdf_file.get();
  if (file == nullptr) {
    if (cut_short) std::fprintf(stderr, "The print job was cancelled before its last page.\n");
    return;
  }
  const std::string path = file->fileName().toStdString();
  if (cut_short) {
    file->cancelWriting();
    file->commit();  // removes what was written; the target stays as it was
    std::fprintf(stderr,
                 "The PDF file \"%s\" was not written: the print job ended before its last page.\n",
                 path.c_str());
    return;
  }
  if (!file->Failed() && !file->flush()) file->NoteFailure(file->errorString());
  // A target that has become something other than a file meanwhile is not
  // replaced.
  if (!file->Failed())
    if (const auto problem = native::PdfTargetProblem(path))
      file->NoteFailure(QString::fromStdString(*problem));
  if (file->Failed()) {
    file->cancelWriting();
    file->commit();
    native::ReportPdfFailure(path, file->Failure().toStdString());
    return;
  }
  if (!file->commit()) native::ReportPdfFailure(path, file->errorString().toStdString());
}

void Graphics::NextPage() {
  ++next_page_calls;
  if (impl_->InRange()) impl_->OpenPage();
  impl_->ClosePage();
  ++impl_->page;
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
  native::CheckPdfTargetOnPrint(dialog);
  const native::ModalDialogScope lent;
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (!accepted) return nullptr;
  return native::PrinterSurface(std::move(printer));
}

StyledTextPrinter::StyledTextPrinter(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
StyledTextPrinter::~StyledTextPrinter() = default;

bool StyledTextPrinter::Eof() const { return impl_->next >= impl_->text->lines.size(); }

void StyledTextPrinter::DrawBlock(int64_t x, int64_t y, int64_t height) {
  if (Eof()) return;
  Graphics::Impl& g = Graphics::Impl::Of(*impl_->surface);
  const TextLayout& t = *impl_->text;
  const QRectF area = g.device->pageLayout().paintRect(QPageLayout::Point);
  // A block keeps its line breaks: on a page narrower than x plus the
  // width, it is drawn smaller, just narrow enough to fit.
  const double width = t.doc->textWidth();
  const double room = (area.width() - x) * g.scale;
  const double zoom = room >= width ? 1.0 : std::max(room, 1.0) / width;
  // It ends at the page's bottom edge, whatever its height.
  const double limit = std::min(height * g.scale, (area.height() - y) * g.scale / zoom);
  const double top = t.lines[impl_->next].top;
  size_t end = impl_->next;
  while (end < t.lines.size() && t.lines[end].bottom - top <= limit) ++end;
  std::optional<double> clip;
  if (end == impl_->next) {  // one line taller than the block: cut it
    clip = std::max(limit, 0.0);
    end = impl_->next + 1;
  }
  if (g.InRange()) {
    g.OpenPage();
    g.Draw({impl_->text, impl_->next, end, QPointF(x * g.scale, y * g.scale), zoom, clip});
  }
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

void test_hooks::FailPdfWritesAfter(int64_t bytes) { PdfFile::fail_writes_after = bytes; }

int64_t test_hooks::PrintDialogsOpened() { return dialogs_opened; }
int64_t test_hooks::NextPageCalls() { return next_page_calls; }
