#include "about_window.h"

#include <QGroupBox>

#include "controls/dx_button.h"
#include "layout_parts.h"
#include "runtime/fonts.h"
#include "runtime/widgets/bevel.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

TForm7* Form7 = nullptr;

TForm7::TForm7(QWidget* parent) : TForm(parent) {
  SetCaption("About Quorvin");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = false, .minimize = false, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(376, 270);
  setFont(PixelFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, QPalette().color(QPalette::WindowText));

  const auto auto_size = LabelSizing::AutoSize;
  const QFont text = PixelFont("MS Sans Serif", 13);
  Label1 =
      LayoutLabel(this, "Label1", {48, 40, 278, 36}, auto_size,
                  PixelFont("Times New Roman", 32, FontWeight::kBold), QStringLiteral("Quorvin"));
  Label2 = LayoutLabel(this, "Label2", {48, 88, 93, 16}, auto_size, text,
                       QStringLiteral("Version: 3.0 Pro"));

  GroupBox1 = Place(new QGroupBox(QStringLiteral("Creators: "), this), {48, 128, 273, 97});
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setFont(PixelFont("MS Sans Serif", 11));
  SetColors(GroupBox1, Qt::black, Qt::blue);
  // The caption sits on the frame's top line, as on the desktop the window imitates; the credit
  // lines keep their places because they are positioned within the box, not laid out.
  GroupBox1->setStyleSheet(
      QStringLiteral("QGroupBox { border: 1px solid #808080; margin-top: 6px; }"
                     "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 1px; }"));
  Label3 = LayoutLabel(GroupBox1, "Label3", {8, 24, 204, 16}, auto_size, text,
                       QStringLiteral("Programming: the Quorvin team"));
  Label4 = LayoutLabel(GroupBox1, "Label4", {8, 48, 138, 16}, auto_size, text,
                       QStringLiteral("Artwork: Quorvin"));
  Bevel2 = Place(new TBevel(GroupBox1), {0, 72, 273, 1});
  Bevel2->setObjectName(QStringLiteral("Bevel2"));
  Label5 =
      LayoutLabel(GroupBox1, "Label5", {24, 75, 216, 13}, auto_size, PixelFont("MS Sans Serif", 11),
                  QStringLiteral("Quorvin Pro 3.0. All rights reserved."));

  Bevel1 = Place(new TBevel(this), {0, 232, 377, 1});
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  dxButton1 = DialogButton(this, "dxButton1", {128, 240, 105, 25}, QStringLiteral("Ok"),
                           "Close this window");
  dxButton1->SetOnClick([this](QObject* sender) { dxButton1Click(sender); });
  RunCreateHandler();
}

void TForm7::dxButton1Click(QObject*) {
  // Closing ends the modal showing.
  Close();
}

}  // namespace qrv
