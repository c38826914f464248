#include "controls/accelerator.h"

#include "runtime/paths.h"

namespace qrv {

QChar AsciiUpperChar(QChar c) {
  const char16_t u = c.unicode();
  return u < 0x80 ? QChar(static_cast<char16_t>(AsciiUpperChar(static_cast<char>(u)))) : c;
}

QChar FirstAccelerator(const QString& caption) {
  const qsizetype amp = caption.indexOf(QLatin1Char('&'));
  if (amp < 0 || amp + 1 >= caption.size()) return QChar();
  return caption[amp + 1];
}

QChar LastAccelerator(const QString& caption) {
  QChar found;
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] != QLatin1Char('&')) found = caption[i + 1];
    ++i;  // The character after an ampersand is never itself a prefix.
  }
  return found;
}

PrefixedText ProcessPrefixes(const QString& caption) {
  PrefixedText out;
  out.text.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
      ++i;
      if (caption[i] != QLatin1Char('&')) out.underlined.append(static_cast<int>(out.text.size()));
    } else if (caption[i] == QLatin1Char('&')) {
      continue;  // A trailing prefix marks nothing and is not shown.
    }
    out.text.append(caption[i]);
  }
  return out;
}

QString StripAccelerators(const QString& caption) {
  return ProcessPrefixes(caption).text;
}

}  // namespace qrv
