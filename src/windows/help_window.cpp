#include "help_window.h"

#include <QPlainTextEdit>

#include "controls/dx_button.h"
#include "layout_parts.h"
#include "runtime/fonts.h"
#include "runtime/fs/text_file.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

TForm6* Form6 = nullptr;

namespace {

// Help text beyond this is not read: a runaway file would freeze the window and fill the memory.
constexpr size_t kHelpLimit = size_t{1} << 20;

// Lines longer than this many characters are broken: the view lays out a line as a whole, and one
// line of a megabyte held the window for most of a second.
constexpr qsizetype kLongestLine = 2000;

// The stored text as the view shows it: each CR LF, and each lone CR, ends one line, and a line
// longer than kLongestLine goes on in the next.
QString PlainLines(const std::string& bytes) {
  QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QString lines;
  lines.reserve(text.size() + text.size() / kLongestLine);
  qsizetype run = 0;
  for (const QChar c : text) {
    if (c == QLatin1Char('\n')) {
      run = 0;
    } else if (run >= kLongestLine && !c.isLowSurrogate()) {
      // Never between the two halves of one character.
      lines += QLatin1Char('\n');
      run = 0;
    }
    if (c != QLatin1Char('\n') && !c.isLowSurrogate()) ++run;
    lines += c;
  }
  return lines;
}

}  // namespace

TForm6::TForm6(QWidget* parent) : TForm(parent) {
  SetCaption("Help");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kDesktopCenter);
  SetClientSize(633, 381);
  setFont(PixelFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, QPalette().color(QPalette::WindowText));

  RichEdit1 = Place(new QPlainTextEdit(this), {8, 8, 617, 337});
  RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
  RichEdit1->setAccessibleName(QStringLiteral("Help text"));
  RichEdit1->setReadOnly(true);
  // Read-only, but the reader can still move through and select the text with the keyboard.
  RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setFont(PixelFont("MS Sans Serif", 11));
  QPalette view = RichEdit1->palette();
  view.setColor(QPalette::Base, Qt::black);
  view.setColor(QPalette::Text, Qt::blue);
  RichEdit1->setPalette(view);

  dxButton1 =
      DialogButton(this, "dxButton1", {280, 352, 73, 25}, QStringLiteral("Ok"), "Close the help");
  dxButton1->SetOnClick([this](QObject* sender) { dxButton1Click(sender); });
  setTabOrder(RichEdit1, dxButton1);
  RunCreateHandler();
}

void TForm6::FormShow() {
  // Cleared first, so that a file that cannot be read leaves an empty view rather than the text
  // of an earlier showing.
  RichEdit1->clear();
  TextPrefix help = ReadTextFile(kHelpPath, kHelpLimit);
  QString text = PlainLines(help.text);
  if (help.cut) {
    // The last line read is likely to be broken off; the reader is told where the text stops.
    const qsizetype end = text.lastIndexOf(QLatin1Char('\n'));
    if (end >= 0) text.truncate(end + 1);
    text += QString::fromLatin1(kCutNotice);
  }
  RichEdit1->setPlainText(text);
}

void TForm6::dxButton1Click(QObject*) {
  Close();
}

}  // namespace qrv
