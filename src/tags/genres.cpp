#include "genres.h"

#include <QString>

#include "cp1252.h"

namespace qrv {

namespace {

// One text, as the table has always been kept; "Contemporary Ch?" is cut short on purpose, and
// the last entry is empty.
constexpr const char* kGenreText =
    "\"Blues\",\"Classic Rock\",\"Country\",\"Dance\",\"Disco\",\"Funk\",\"Grunge\",\"Hip-Hop\","
    "\"Jazz\",\"Metal\",\"New Age\",\"Oldies\",\"Other\",\"Pop\",\"R&B\",\"Rap\",\"Reggae\","
    "\"Rock\",\"Techno\",\"Industrial\",\"Alternative\",\"Ska\",\"Death Metal\",\"Pranks\","
    "\"Soundtrack\",\"Euro-Techno\",\"Ambient\",\"Trip-Hop\",\"Vocal\",\"Jazz+Funk\",\"Fusion\","
    "\"Trance\",\"Classical\",\"Instrumental\",\"Acid\",\"House\",\"Game\",\"Sound Clip\","
    "\"Gospel\",\"Noise\",\"AlternRock\",\"Bass\",\"Soul\",\"Punk\",\"Space\",\"Meditative\","
    "\"Instrumental Pop\",\"Instrumental Rock\",\"Ethnic\",\"Gothic\",\"Darkwave\","
    "\"Techno-Industrial\",\"Electronic\",\"Pop-Folk\",\"Eurodance\",\"Dream\",\"Southern Rock\","
    "\"Comedy\",\"Cult\",\"Gangsta\",\"Top 40\",\"Christian Rap\",\"Pop/Funk\",\"Jungle\","
    "\"Native American\",\"Cabaret\",\"New Wave\",\"Psychedelic\",\"Rave\",\"Showtunes\","
    "\"Trailer\",\"Lo-Fi\",\"Tribal\",\"Acid Punk\",\"Acid Jazz\",\"Polka\",\"Retro\",\"Musical\","
    "\"Rock & Roll\",\"Hard Rock\",\"Folk\",\"Folk/Rock\",\"National Folk\",\"Swing\","
    "\"Fast Fusion\",\"Bebob\",\"Latin\",\"Revival\",\"Celtic\",\"Bluegrass\",\"Avantgarde\","
    "\"Gothic Rock\",\"Progressive Rock\",\"Psychedelic Rock\",\"Symphonic Rock\",\"Slow Rock\","
    "\"Big Band\",\"Chorus\",\"Easy Listening\",\"Acoustic\",\"Humour\",\"Speech\",\"Chanson\","
    "\"Opera\",\"Chamber Music\",\"Sonata\",\"Symphony\",\"Booty Bass\",\"Primus\","
    "\"Porn Groove\",\"Satire\",\"Slow Jam\",\"Club\",\"Tango\",\"Samba\",\"Folklore\",\"Ballad\","
    "\"Power Ballad\",\"Rhythmic Soul\",\"Freestyle\",\"Duet\",\"Punk Rock\",\"Drum Solo\","
    "\"Acapella\",\"Euro-House\",\"Dance Hall\",\"Goa\",\"Drum & Bass\",\"Club-House\","
    "\"Hardcore\",\"Terror\",\"Indie\",\"BritPop\",\"Negerpunk\",\"Polsk Punk\",\"Beat\","
    "\"Christian Gangs\",\"Heavy Metal\",\"Black Metal\",\"Crossover\",\"Contemporary Ch?\","
    "\"Cristian Rock\",\"Merengue\",\"Salsa\",\"Thrash "
    "Metal\",\"Anime\",\"JPop\",\"Synthpop\",\"\"";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> SplitQuotedList(const std::string& text) {
  std::vector<std::string> out;
  size_t i = 0;
  const size_t n = text.size();
  if (n == 0) return out;
  while (true) {
    while (i < n && IsBlank(text[i])) ++i;
    std::string item;
    if (i < n && text[i] == '"') {
      ++i;
      while (i < n) {
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += text[i++];
      }
      // Anything between the closing quote and the next comma is not part of the name.
      while (i < n && text[i] != ',') ++i;
    } else {
      const size_t start = i;
      while (i < n && text[i] != ',') ++i;
      size_t end = i;
      while (end > start && IsBlank(text[end - 1])) --end;
      item = text.substr(start, end - start);
    }
    out.push_back(std::move(item));
    if (i >= n) break;
    ++i;  // The comma.
  }
  return out;
}

std::vector<std::string> BuildGenreTable() {
  // The text never changes, so it is split once and every component gets its own copy.
  static const std::vector<std::string> table = SplitQuotedList(kGenreText);
  return table;
}

int FindGenre(const std::vector<std::string>& table, const std::string& name) {
  // Names compare as the user reads them, so the case of accented letters folds as well.
  const QString wanted = Cp1252ToQString(name);
  for (size_t i = 0; i < table.size(); ++i) {
    // Every byte is one character, and case folding keeps the length.
    if (table[i].size() != name.size()) continue;
    if (QString::compare(Cp1252ToQString(table[i]), wanted, Qt::CaseInsensitive) == 0) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace qrv
