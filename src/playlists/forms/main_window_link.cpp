#include "main_window_link.h"

#include "app/main_window.h"
#include "controls/bit_btn.h"
#include "runtime/paths.h"
#include "runtime/timer.h"
#include "runtime/widgets/label.h"
#include "tags/cp1252.h"
#include "tags/mp3_tag.h"

namespace qrv {

void EnableTransportButtons(TForm1& main) {
  for (TDDMBitBtn* button : {main.DDMBitBtn1, main.DDMBitBtn2, main.DDMBitBtn4, main.DDMBitBtn5,
                             main.DDMBitBtn6, main.pause1, main.seek1}) {
    button->SetEnabled(true);
  }
}

void ResetTransportForNewPlaylist(TForm1& main) {
  EnableTransportButtons(main);
  main.seek1->SetCaption(QStringLiteral("Seek"));
  main.pause1->SetCaption(QStringLiteral("Pause"));
  main.Timer2->SetEnabled(false);
}

void ShowLoadedTitle(TForm1& main, const std::string& path) {
  // Tag text is Windows-1252; a file name is the path's own 8-bit text.
  const std::string& title = main.mp3Tag1->Title();
  main.title1->SetCaption(Cp1252ToQString(title));
  main.Artist1->SetCaption(Cp1252ToQString(main.mp3Tag1->Artist()));
  if (title.empty() || title == "<TAG>") {
    main.title1->SetCaption(QString::fromStdString(ExtractFileName(path)));
  }
}

}  // namespace qrv
