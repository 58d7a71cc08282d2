#include "framework/gui/printing.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QPrintDialog>
#include <QTextBlock>
#include <QTextLayout>
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

std::shared_ptr<Graphics> SurfaceFor(std::unique_ptr<QPrinter> printer) {
  auto impl = std::make_unique<Graphics::Impl>();
  impl->printer = std::move(printer);
  QPrinter& p = *impl->printer;
  impl->device = &p;
  if (p.outputFormat() == QPrinter::PdfFormat) {
    // The same PDF that the printer would write, through the checked file.
    impl->pdf_file = std::make_unique<CheckedFile>(p.outputFileName());
    if (!impl->pdf_file->open(QIODevice::WriteOnly | QIODevice::Truncate))
      throw RuntimeException("the PDF file \"" + p.outputFileName().toStdString() +
                             "\" could not be opened: " +
                             impl->pdf_file->errorString().toStdString());
    impl->pdf_writer = std::make_unique<QPdfWriter>(impl->pdf_file.get());
    impl->pdf_writer->setResolution(p.resolution());
    impl->pdf_writer->setPageLayout(p.pageLayout());
    impl->pdf_writer->setPdfVersion(p.pdfVersion());
    impl->pdf_writer->setTitle(p.docName());
    impl->pdf_writer->setCreator(p.creator());
    impl->device = impl->pdf_writer.get();
  }
  if (!impl->painter.begin(impl->device))
    throw RuntimeException("the printer could not be opened");
  impl->scale = impl->device->logicalDpiX() / 72.0;
  return std::make_shared<Graphics>(std::move(impl));
}

std::unique_ptr<QPrinter> PdfPrinter(const std::string& path) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(QString::fromStdString(path));
  printer->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter),
                                     QPageLayout::Portrait,
                                     QMarginsF(36, 36, 36, 36),
                                     QPageLayout::Point));
  return printer;
}

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

std::shared_ptr<Graphics> OpenPrinterDialog(
    const std::shared_ptr<PrinterSetup>& /*pageSetup*/,
    const std::shared_ptr<Window>& /*parent*/) {
  if (QCoreApplication::instance() == nullptr ||
      QThread::currentThread() != QCoreApplication::instance()->thread())
    throw RuntimeException("the print dialog runs on the main thread only");
  ++dialogs_opened;
  if (Answer()) {
    if (Answer()->cancel) return nullptr;
    return SurfaceFor(PdfPrinter(Answer()->pdf_path));
  }
  // The dialog is application-modal, so it needs no parent to block input.
  const QPointer<QWidget> opener = QApplication::activeWindow();
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(printer.get());
  const bool accepted = dialog.exec() == QDialog::Accepted;
  native::GiveActivationBack(opener);
  if (!accepted) return nullptr;
  return SurfaceFor(std::move(printer));
}

// The text is laid out once, in device pixels of the surface, so that fonts
// keep their point sizes. A block draws, from the first line not yet drawn,
// the lines whose bottoms lie within its height; lines are drawn one by
// one, so nothing of the next line reaches the page.
struct StyledTextPrinter::Impl {
  struct Line {
    const QTextLayout* layout;
    int index;
    double top, bottom;
  };
  std::shared_ptr<Graphics> surface;
  std::unique_ptr<QTextDocument> doc;
  std::vector<Line> lines;  // in reading order
  size_t next = 0;
};

StyledTextPrinter::StyledTextPrinter(std::unique_ptr<Impl> impl)
    : impl_(std::move(impl)) {}
StyledTextPrinter::~StyledTextPrinter() = default;

bool StyledTextPrinter::Eof() const { return impl_->next >= impl_->lines.size(); }

void StyledTextPrinter::DrawBlock(int64_t x, int64_t y, int64_t height) {
  if (Eof()) return;
  Graphics::Impl& g = impl_->surface->impl();
  const double limit = height * g.scale;
  const double top = impl_->lines[impl_->next].top;
  size_t end = impl_->next;
  while (end < impl_->lines.size() && impl_->lines[end].bottom - top <= limit)
    ++end;
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

std::shared_ptr<StyledTextPrinter> MakeStyledTextPrinter(
    const QTextDocument& source, const QFont& font,
    const std::shared_ptr<Graphics>& g, int64_t width) {
  if (!g) throw NilObjectException("no printer surface");
  auto impl = std::make_unique<StyledTextPrinter::Impl>();
  impl->surface = g;
  impl->doc.reset(source.clone());
  impl->doc->setDefaultFont(font);
  impl->doc->setDocumentMargin(0);
  QTextOption option = impl->doc->defaultTextOption();
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  impl->doc->setDefaultTextOption(option);
  impl->doc->documentLayout()->setPaintDevice(g->impl().device);
  impl->doc->setTextWidth(width * g->impl().scale);
  impl->doc->documentLayout()->documentSize();  // lays the text out
  for (QTextBlock b = impl->doc->begin(); b.isValid(); b = b.next()) {
    const QTextLayout* layout = b.layout();
    const QPointF origin = layout->position();
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      const double top = origin.y() + line.y();
      impl->lines.push_back({layout, i, top, top + line.height()});
    }
  }
  return std::make_shared<StyledTextPrinter>(std::move(impl));
}

std::shared_ptr<StyledTextPrinter> TextArea::styledTextPrinter(
    const std::shared_ptr<Graphics>& g, int64_t width) {
  return MakeStyledTextPrinter(*native::DocumentOf(*this), native::FontOf(*this),
                               g, width);
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
