// Qt side of printing, for the framework's own use.
#pragma once

#include <QFile>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>
#include <memory>
#include <string>

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

// The styled-text printer over a copy of source, drawn in font where the
// text carries no font of its own.
std::shared_ptr<StyledTextPrinter> MakeStyledTextPrinter(
    const QTextDocument& source, const QFont& font,
    const std::shared_ptr<Graphics>& g, int64_t width);
