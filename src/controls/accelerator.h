#pragma once

#include <QChar>
#include <QList>
#include <QString>

namespace qrv {

// ASCII-only upper-casing of one character: a-z become A-Z, everything else stays.
QChar AsciiUpperChar(QChar c);

// The bitmap button's rule: the character after the first "&", which must not be the last
// character; a null QChar when there is none.
QChar FirstAccelerator(const QString& caption);

// The flat button's rule: "&&" is a literal ampersand and marks nothing; of several marked
// characters the last one counts; a null QChar when there is none.
QChar LastAccelerator(const QString& caption);

// A caption as it reads on screen: "&" prefixes removed, "&&" shown as one "&".
QString StripAccelerators(const QString& caption);

// A caption with its prefixes processed: the visible text and the position in it of each
// underlined character.
struct PrefixedText {
  QString text;
  QList<int> underlined;
};
PrefixedText ProcessPrefixes(const QString& caption);

}  // namespace qrv
