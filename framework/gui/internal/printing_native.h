// The Qt side of printing: the printer surface, the file that PDF output
// goes through, the pages kept for copies, and the styled-text printer's
// layout.
#pragma once

#include <QFont>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextLayout>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/gui/printing.h"

class QPrintDialog;

// The PDF output: written beside the target (QSaveFile) and moved into
// place only by Commit. It remembers the first write that failed (a full
// disk), which the writer's close would otherwise forget.
class PdfFile : public QSaveFile {
 public:
  explicit PdfFile(const QString& name) : QSaveFile(name) {}
  bool Failed() const { return !failure_.isEmpty(); }
  const QString& Failure() const { return failure_; }
  void NoteFailure(const QString& reason) {
    if (failure_.isEmpty()) failure_ = reason;
  }
  // Writes fail with "No space left on device" once this many bytes have
  // been written to a file; -1: never. Set by tests.
  static inline int64_t fail_writes_after = -1;

 protected:
  qint64 writeData(const char* data, qint64 length) override;

 private:
  QString failure_;
  int64_t written_ = 0;
};

// The text laid out once, in device pixels of the surface, so that fonts
// keep their point sizes; lines in reading order.
struct TextLayout {
  struct Line {
    const QTextLayout* layout;
    int index;
    double top, bottom;
  };
  std::unique_ptr<QTextDocument> doc;
  std::vector<Line> lines;
};

// What one block put on a page: lines [first, end) of a layout, their top
// left corner at origin (device pixels), drawn at zoom; clip_height (layout
// pixels below the first line's top) cuts a line taller than the block.
struct Stroke {
  std::shared_ptr<const TextLayout> text;
  size_t first, end;
  QPointF origin;
  double zoom;
  std::optional<double> clip_height;
};

struct Graphics::Impl {
  static Impl& Of(const Graphics& g) { return *g.impl_; }
  std::unique_ptr<QPrinter> printer;
  // PDF output goes through a writer on a file of the framework's own, so
  // that a file that cannot be written is seen (Qt's own PDF output drops
  // write errors) and the target is replaced only by a finished job.
  std::unique_ptr<PdfFile> pdf_file;
  std::unique_ptr<QPdfWriter> pdf_writer;
  // What is painted on: the PDF writer or the printer.
  QPagedPaintDevice* device = nullptr;
  QPainter painter;
  // Device pixels per point.
  double scale = 1.0;

  // The pages as the program draws them, numbered from 1; those outside
  // the range chosen (empty: all) are not put out.
  int64_t page = 1;
  QPageRanges pages_wanted;
  // Copies and the page order, where the output does not do them itself.
  int64_t copies = 1;
  bool collate = true;
  bool reverse = false;
  // Pages put out so far, whether the program's current page is one, and
  // the pages kept for the later copies or the reverse order.
  int64_t output_pages = 0;
  bool page_open = false;
  std::vector<std::vector<Stroke>> kept;

  bool InRange() const {
    return pages_wanted.isEmpty() || pages_wanted.contains(static_cast<int>(page));
  }
  bool Keeps() const { return copies > 1 || reverse; }
  // Starts the program's current page on the output (once).
  void OpenPage();
  // Ends the program's current page: the uncollated copies follow it.
  void ClosePage();
  // What a job that ran to its end still owes: the last page, the
  // collated copies, the pages in reverse.
  void Finish();
  // Puts a block on the current page (and keeps it for later).
  void Draw(const Stroke& s);
  // Starts a new output page and draws strokes on it.
  void PutOutPage(const std::vector<Stroke>& strokes);
  void Paint(const Stroke& s);
};

// The styled-text printer: a layout and its place in it.
struct StyledTextPrinter::Impl {
  std::shared_ptr<Graphics> surface;
  std::shared_ptr<TextLayout> text;
  size_t next = 0;
};

namespace native {

// Why a PDF may not be written to path, or nothing when it may: a path
// that names an existing node that is not a regular file once symbolic
// links are followed (a named pipe, a device, a socket, a folder), or a
// file or folder that cannot be written. Opens nothing.
std::optional<std::string> PdfTargetProblem(const std::string& path);
// Reports that the PDF file at path could not be written, and why: a beep
// and a message box, or only the same line on standard error while a
// failure or Quit unwinds the handler.
void ReportPdfFailure(const std::string& path, const std::string& reason);
// Makes the dialog's Print button look at a PDF output file before Qt's
// own checks open it: a target that PdfTargetProblem refuses is reported
// and the dialog stays up for another choice.
void CheckPdfTargetOnPrint(QPrintDialog& dialog);

// The surface of a printer: its own output, or for PDF output the same
// document through a PdfFile. Nothing, after ReportPdfFailure, when the
// PDF file cannot be opened; RuntimeException when the printer cannot.
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
