// The Qt side of printing: the surfaces that the print dialog's answers
// paint on, and the styled-text printer's layout.
#include "framework/gui/internal/printing_native.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QTextBlock>
#include <QTextLayout>

#include "framework/core/exceptions.h"

namespace native {

std::shared_ptr<Graphics> PrinterSurface(std::unique_ptr<QPrinter> printer) {
  auto impl = std::make_unique<Graphics::Impl>();
  impl->printer = std::move(printer);
  QPrinter& p = *impl->printer;
  impl->device = &p;
  if (p.outputFormat() == QPrinter::PdfFormat) {
    // The same PDF that the printer would write, through the checked file.
    impl->pdf_file = std::make_unique<CheckedFile>(p.outputFileName());
    if (!impl->pdf_file->open(QIODevice::WriteOnly | QIODevice::Truncate))
      throw RuntimeException(
          "the PDF file \"" + p.outputFileName().toStdString() +
          "\" could not be opened: " + impl->pdf_file->errorString().toStdString());
    impl->pdf_writer = std::make_unique<QPdfWriter>(impl->pdf_file.get());
    impl->pdf_writer->setResolution(p.resolution());
    impl->pdf_writer->setPageLayout(p.pageLayout());
    impl->pdf_writer->setPdfVersion(p.pdfVersion());
    impl->pdf_writer->setTitle(p.docName());
    impl->pdf_writer->setCreator(p.creator());
    impl->device = impl->pdf_writer.get();
  }
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
  auto impl = std::make_unique<StyledTextPrinter::Impl>();
  impl->surface = g;
  impl->doc.reset(source.clone());
  impl->doc->setDefaultFont(font);
  impl->doc->setDocumentMargin(0);
  QTextOption option = impl->doc->defaultTextOption();
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  impl->doc->setDefaultTextOption(option);
  impl->doc->documentLayout()->setPaintDevice(Graphics::Impl::Of(*g).device);
  impl->doc->setTextWidth(width * Graphics::Impl::Of(*g).scale);
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

}  // namespace native
