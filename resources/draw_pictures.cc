// Draws the program's two pictures: Vellacor.png, the product picture
// (375 x 101), and VovUderod.png, the small emblem (65 x 56).
//
//   cmake --build <build> --target vellacor_draw_pictures
//   QT_QPA_PLATFORM=offscreen <build>/resources/vellacor_draw_pictures resources
#include <QApplication>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

namespace {

const QColor kTeal(24, 96, 90);
const QColor kLightTeal(120, 178, 168);

// A falling row of bars: the sorted eigenvalues of a random correlation
// matrix, the picture the program is about.
void DrawBars(QPainter& p, const QRectF& area, int count, const QColor& colour) {
  const double gap = area.width() / count;
  for (int i = 0; i < count; ++i) {
    const double h = area.height() * (0.18 + 0.82 * std::exp(-0.45 * i));
    p.fillRect(QRectF(area.left() + i * gap + gap * 0.15, area.bottom() - h, gap * 0.7, h), colour);
  }
}

QImage ProductPicture() {
  QImage image(375, 101, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient band(0, 0, 375, 0);
  band.setColorAt(0, QColor(232, 244, 241));
  band.setColorAt(1, Qt::white);
  p.fillRect(QRect(0, 0, 375, 90), band);
  DrawBars(p, QRectF(262, 14, 100, 66), 8, kLightTeal);
  p.setPen(QPen(kTeal, 1.5, Qt::DashLine));
  p.drawLine(QPointF(262, 62), QPointF(362, 62));
  QFont title("DejaVu Serif");
  title.setPixelSize(46);
  title.setBold(true);
  p.setFont(title);
  p.setPen(kTeal);
  p.drawText(QRect(16, 6, 250, 58), Qt::AlignLeft | Qt::AlignVCenter, "Vellacor");
  QFont sub("DejaVu Sans");
  sub.setPixelSize(12);
  p.setFont(sub);
  p.setPen(QColor(70, 90, 88));
  p.drawText(QRect(18, 62, 250, 20), Qt::AlignLeft | Qt::AlignVCenter,
             "random eigenvalues, parallel analysis");
  p.fillRect(QRect(16, 86, 343, 2), kTeal);
  return image;
}

QImage Emblem() {
  QImage image(65, 56, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF disc(5.5, 1.5, 53, 53);
  QRadialGradient fill(disc.center() - QPointF(8, 8), 40);
  fill.setColorAt(0, kLightTeal);
  fill.setColorAt(1, kTeal);
  p.setPen(QPen(QColor(14, 60, 56), 1.5));
  p.setBrush(fill);
  p.drawEllipse(disc);
  p.setClipRegion(QRegion(disc.toRect(), QRegion::Ellipse));
  DrawBars(p, QRectF(14, 12, 37, 30), 5, QColor(255, 255, 255, 220));
  p.setPen(QPen(QColor(255, 214, 120), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(12, 34), QPointF(53, 34));
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString folder = argc > 1 ? QString(argv[1]) : QString(".");
  const bool ok =
      ProductPicture().save(folder + "/Vellacor.png") && Emblem().save(folder + "/VovUderod.png");
  if (!ok) std::fprintf(stderr, "could not write the pictures into %s\n", argv[1]);
  return ok ? 0 : 1;
}
