#include "framework/gui/date.h"

#include <QDateTime>
#include <QLocale>

namespace {

QDateTime ToQt(int64_t y, int64_t mo, int64_t d, int64_t h, int64_t mi, int64_t s) {
  return QDateTime(QDate(int(y), int(mo), int(d)), QTime(int(h), int(mi), int(s)));
}

// The locale's long time format without its time-zone part: the report's
// lines keep one width through the year.
QString LongTimeFormat(const QLocale& locale) {
  const QString format = locale.timeFormat(QLocale::LongFormat);
  QString out;
  bool quoted = false;
  for (QChar c : format) {
    if (c == '\'') quoted = !quoted;
    if (!quoted && c == 't') continue;
    out += c;
  }
  return out.trimmed();
}

}  // namespace

Date::Date() {
  const QDateTime now = QDateTime::currentDateTime();
  year_ = now.date().year();
  month_ = now.date().month();
  day_ = now.date().day();
  hour_ = now.time().hour();
  minute_ = now.time().minute();
  second_ = now.time().second();
}

Date::Date(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute, int64_t second)
    : year_(year), month_(month), day_(day), hour_(hour), minute_(minute), second_(second) {}

std::string Date::ShortDate() const {
  const QLocale locale = QLocale::system();
  return locale.toString(ToQt(year_, month_, day_, 0, 0, 0).date(), QLocale::ShortFormat)
      .toStdString();
}

std::string Date::LongTime() const {
  const QLocale locale = QLocale::system();
  return locale.toString(ToQt(2000, 1, 1, hour_, minute_, second_).time(), LongTimeFormat(locale))
      .toStdString();
}
