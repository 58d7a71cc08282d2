// The Qt side of printing: the surfaces that the print dialog's answers
// paint on, the checks of a PDF output file, the pages put out, and the
// styled-text printer's layout.
#include "framework/gui/internal/printing_native.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractTextDocumentLayout>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QTextBlock>
#include <QTextLayout>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

#include "framework/core/exceptions.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/runtime.h"

namespace {

std::string Reason(int error) { return std::strerror(error); }

}  // namespace

qint64 PdfFile::writeData(const char* data, qint64 length) {
  if (fail_writes_after >= 0 && written_ + length > fail_writes_after) {
    NoteFailure(QString::fromStdString(Reason(ENOSPC)));
    return -1;
  }
  const qint64 written = QSaveFile::writeData(data, length);
  if (written > 0) written_ += written;
  if (written != length) NoteFailure(errorString());
  return written;
}

void Graphics::Impl::OpenPage() {
  if (page_open) return;
  page_open = true;
  if (Keeps()) kept.emplace_back();
  if (!reverse && output_pages++ > 0) device->newPage();
}

void Graphics::Impl::Draw(const Stroke& s) {
  if (!reverse) Paint(s);
  if (Keeps()) kept.back().push_back(s);
}

void Graphics::Impl::ClosePage() {
  if (!page_open) return;
  page_open = false;
  if (reverse || collate) return;
  for (int64_t copy = 2; copy <= copies; ++copy) PutOutPage(kept.back());
  kept.pop_back();
}

void Graphics::Impl::Finish() {
  if (InRange()) OpenPage();
  ClosePage();
  if (reverse) {
    if (collate) {
      for (int64_t copy = 1; copy <= copies; ++copy)
        for (auto p = kept.rbegin(); p != kept.rend(); ++p) PutOutPage(*p);
    } else {
      for (auto p = kept.rbegin(); p != kept.rend(); ++p)
        for (int64_t copy = 1; copy <= copies; ++copy) PutOutPage(*p);
    }
  } else if (collate) {
    for (int64_t copy = 2; copy <= copies; ++copy)
      for (const auto& p : kept) PutOutPage(p);
  }
  kept.clear();
}

void Graphics::Impl::PutOutPage(const std::vector<Stroke>& strokes) {
  if (output_pages++ > 0) device->newPage();
  for (const Stroke& s : strokes) Paint(s);
}

void Graphics::Impl::Paint(const Stroke& s) {
  const TextLayout& t = *s.text;
  const double top = t.lines[s.first].top;
  QPainter& p = painter;
  p.save();
  p.translate(s.origin);
  p.scale(s.zoom, s.zoom);
  p.translate(0, -top);
  p.setPen(Qt::black);
  if (s.clip_height) p.setClipRect(QRectF(0, top, t.doc->textWidth(), *s.clip_height));
  for (size_t i = s.first; i < s.end; ++i) {
    const TextLayout::Line& line = t.lines[i];
    line.layout->lineAt(line.index).draw(&p, line.layout->position());
  }
  p.restore();
}

namespace native {

std::optional<std::string> PdfTargetProblem(const std::string& path) {
  struct stat st {};
  // stat follows symbolic links: the file that a link names is judged.
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) return Reason(errno);
  if (exists && !S_ISREG(st.st_mode)) {
    const char* kind = S_ISFIFO(st.st_mode)                         ? "a named pipe"
                       : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? "a device"
                       : S_ISSOCK(st.st_mode)                       ? "a socket"
                       : S_ISDIR(st.st_mode)                        ? "a folder"
                                                                    : "something else";
    return std::string("it is ") + kind + ", not a regular file";
  }
  if (exists && ::access(path.c_str(), W_OK) != 0) return Reason(errno);
  // The new file is made beside the target, in the target's folder.
  const QFileInfo target(QString::fromStdString(path));
  const QString folder =
      QFileInfo(exists ? target.canonicalFilePath() : target.absoluteFilePath()).absolutePath();
  if (::access(folder.toLocal8Bit().constData(), W_OK | X_OK) != 0) return Reason(errno);
  return std::nullopt;
}

void ReportPdfFailure(const std::string& path, const std::string& reason) {
  const std::string message = "The PDF file \"" + path + "\" could not be written: " + reason;
  // While a failure or Quit unwinds the handler, no box: the line on
  // standard error still says what became of the job.
  if (std::uncaught_exceptions() > 0 || RuntimeQuitting()) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    return;
  }
  Beep();
  MsgBox(message);
}

void CheckPdfTargetOnPrint(QPrintDialog& dialog) {
  // Qt's own checks of the output file open it for appending, which never
  // returns for a named pipe; so the file is looked at first. The output
  // file field is enabled only while the output is a PDF file.
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  auto* file = dialog.findChild<QLineEdit*>("filename");
  // Where Qt builds its dialog otherwise, its own checks run alone; the
  // surface still refuses such a target before opening it.
  if (buttons == nullptr || file == nullptr) return;
  if (!QObject::disconnect(buttons, SIGNAL(accepted()), &dialog, SLOT(_q_checkFields()))) return;
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, file] {
    if (file->isEnabled()) {
      const std::string path = file->text().toStdString();
      if (const auto problem = PdfTargetProblem(path)) return ReportPdfFailure(path, *problem);
    }
    QMetaObject::invokeMethod(&dialog, "_q_checkFields");
  });
}

std::shared_ptr<Graphics> PrinterSurface(std::unique_ptr<QPrinter> printer) {
  auto impl = std::make_unique<Graphics::Impl>();
  impl->printer = std::move(printer);
  QPrinter& p = *impl->printer;
  impl->device = &p;
  const bool pdf = p.outputFormat() == QPrinter::PdfFormat;
  if (pdf) {
    // The same PDF that the printer would write, through the PDF file.
    const std::string path = p.outputFileName().toStdString();
    if (const auto problem = PdfTargetProblem(path)) {
      ReportPdfFailure(path, *problem);
      return nullptr;
    }
    impl->pdf_file = std::make_unique<PdfFile>(p.outputFileName());
    if (!impl->pdf_file->open(QIODevice::WriteOnly)) {
      ReportPdfFailure(path, impl->pdf_file->errorString().toStdString());
      return nullptr;
    }
    impl->pdf_writer = std::make_unique<QPdfWriter>(impl->pdf_file.get());
    impl->pdf_writer->setResolution(p.resolution());
    impl->pdf_writer->setPageLayout(p.pageLayout());
    impl->pdf_writer->setPdfVersion(p.pdfVersion());
    impl->pdf_writer->setTitle(p.docName());
    impl->pdf_writer->setCreator(p.creator());
    impl->device = impl->pdf_writer.get();
  }
  if (p.printRange() == QPrinter::PageRange) impl->pages_wanted = p.pageRanges();
  if (!p.supportsMultipleCopies()) impl->copies = std::max(1, p.copyCount());
  impl->collate = p.collateCopies();
  impl->reverse = pdf && p.pageOrder() == QPrinter::LastPageFirst;
  if (!impl->painter.begin(impl->device)) throw RuntimeException("the printer could not be opened");
  impl->scale = impl->device->logicalDpiX() / 72.0;
  return std::make_shared<Graphics>(std::move(impl));
}

std::unique_ptr<QPrinter> PdfPrinter(const std::string& path) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(QString::fromStdString(path));
  printer->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(36, 36, 36, 36), QPageLayout::Point));
  return printer;
}

std::shared_ptr<StyledTextPrinter> MakeStyledTextPrinter(const QTextDocument& source,
                                                         const QFont& font,
                                                         const std::shared_ptr<Graphics>& g,
                                                         int64_t width) {
  if (!g) throw NilObjectException("no printer surface");
  auto text = std::make_shared<TextLayout>();
  text->doc.reset(source.clone());
  QTextDocument& doc = *text->doc;
  doc.setDefaultFont(font);
  doc.setDocumentMargin(0);
  QTextOption option = doc.defaultTextOption();
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  doc.setDefaultTextOption(option);
  doc.documentLayout()->setPaintDevice(Graphics::Impl::Of(*g).device);
  doc.setTextWidth(width * Graphics::Impl::Of(*g).scale);
  doc.documentLayout()->documentSize();  // lays the text out
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    const QTextLayout* layout = b.layout();
    const QPointF origin = layout->position();
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      const double top = origin.y() + line.y();
      text->lines.push_back({layout, i, top, top + line.height()});
    }
  }
  auto impl = std::make_unique<StyledTextPrinter::Impl>();
  impl->surface = g;
  impl->text = std::move(text);
  return std::make_shared<StyledTextPrinter>(std::move(impl));
}

}  // namespace native
