// Qt side of printing, for the framework's own use.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <memory>

#include "framework/gui/printing.h"

struct Graphics::Impl {
  std::unique_ptr<QPrinter> printer;
  QPainter painter;
  // Device pixels per point.
  double scale = 1.0;
};

// The styled-text printer over a copy of source, drawn in font where the
// text carries no font of its own.
std::shared_ptr<StyledTextPrinter> MakeStyledTextPrinter(
    const QTextDocument& source, const QFont& font,
    const std::shared_ptr<Graphics>& g, int64_t width);
