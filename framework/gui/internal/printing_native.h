// The Qt side of printing: the printer surface, the file that PDF output
// goes through, and the styled-text printer's layout.
#pragma once

#include <QFile>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>
#include <QTextLayout>
#include <memory>
#include <string>
#include <vector>

#include "framework/gui/printing.h"

// A file that remembers the first write that failed (a full disk), which
// QFile's close would otherwise forget.
class CheckedFile : public QFile {
 public:
  explicit CheckedFile(const QString& name) : QFile(name) {}
  bool Failed() const { return !failure_.isEmpty(); }
  const QString& Failure() const { return failure_; }
  void NoteFailure() {
    if (failure_.isEmpty()) failure_ = errorString();
  }

 protected:
  qint64 writeData(const char* data, qint64 length) override {
    const qint64 written = QFile::writeData(data, length);
    if (written != length) NoteFailure();
    return written;
  }

 private:
  QString failure_;
};

struct Graphics::Impl {
  static Impl& Of(const Graphics& g) { return *g.impl_; }
  std::unique_ptr<QPrinter> printer;
  // PDF output goes through a writer on a file of the framework's own, so
  // that a file that cannot be written is seen: Qt's own PDF output drops
  // write errors.
  std::unique_ptr<CheckedFile> pdf_file;
  std::unique_ptr<QPdfWriter> pdf_writer;
  // What is painted on: the PDF writer or the printer.
  QPagedPaintDevice* device = nullptr;
  QPainter painter;
  // Device pixels per point.
  double scale = 1.0;
};

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

namespace native {

// The surface of a printer: its own output, or for PDF output the same
// file through a CheckedFile. Raises RuntimeException when the file or the
// printer cannot be opened.
std::shared_ptr<Graphics> PrinterSurface(std::unique_ptr<QPrinter> printer);
// A printer that writes a PDF to path: US Letter with half-inch margins, so
// that the printable area is 540 by 720 points.
std::unique_ptr<QPrinter> PdfPrinter(const std::string& path);
// The styled-text printer over a copy of source, drawn in font where the
// text carries no font of its own.
std::shared_ptr<StyledTextPrinter> MakeStyledTextPrinter(const QTextDocument& source,
                                                         const QFont& font,
                                                         const std::shared_ptr<Graphics>& g,
                                                         int64_t width);

}  // namespace native
