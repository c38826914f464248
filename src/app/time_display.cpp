#include "time_display.h"

#include <QLocale>
#include <QRegularExpression>

namespace qrv {

QString SystemTimeSeparator() {
  const QString format = QLocale::system().timeFormat(QLocale::ShortFormat);
  // The separator is the first character after the hour field that is not a format letter.
  const qsizetype hour = format.indexOf(QRegularExpression(QStringLiteral("[hH]")));
  if (hour >= 0) {
    for (qsizetype i = hour; i < format.size(); ++i) {
      const QChar c = format.at(i);
      if (c == QLatin1Char('h') || c == QLatin1Char('H')) continue;
      if (c.isLetterOrNumber() || c.isSpace() || c == QLatin1Char('\'')) break;
      return QString(c);
    }
  }
  return QStringLiteral(":");
}

QString FormatPlayTime(int64_t milliseconds, const QString& separator) {
  if (milliseconds < 0) milliseconds = 0;
  const int64_t hours = (milliseconds / 3600000) % 24;
  const int64_t minutes = (milliseconds / 60000) % 60;
  const int64_t seconds = (milliseconds / 1000) % 60;
  const auto two = [](int64_t value) {
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
  };
  return two(hours) + separator + two(minutes) + separator + two(seconds);
}

}  // namespace qrv
