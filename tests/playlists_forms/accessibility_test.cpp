#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>

#include "forms_fixture.h"
#include "playlists/forms/dialog_controls.h"
#include "playlists/forms/first_run_window.h"
#include "playlists/forms/new_playlist_window.h"
#include "playlists/forms/open_file_window.h"
#include "playlists/forms/open_playlist_window.h"
#include "playlists/forms/save_playlist_window.h"
#include "runtime/widgets/label.h"

namespace qrv {
namespace {

// Every control a window places directly on itself, shown or not.
QList<QWidget*> Controls(QWidget& window) {
  return window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
}

// Each control of the window tells a screen reader what it is and what it says.
void ExpectAccessible(QWidget& window) {
  for (QWidget* control : Controls(window)) {
    SCOPED_TRACE(control->objectName().toStdString());
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    ASSERT_NE(iface, nullptr);
    EXPECT_NE(iface->role(), QAccessible::NoRole);
    EXPECT_NE(iface->role(), QAccessible::Client);
    if (iface->role() != QAccessible::Separator) {
      EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
    }
  }
}

QString NameOf(QWidget* control) {
  return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

using AccessibilityTest = test::FormsTest;

TEST_F(AccessibilityTest, EveryControlHasARoleAndAName) {
  TForm2 new_list;
  TForm3 open_list;
  TForm4 save;
  TForm5 prompt;
  TForm9 open_file;
  for (TForm* form :
       std::initializer_list<TForm*>{&new_list, &open_list, &save, &prompt, &open_file}) {
    SCOPED_TRACE(form->Caption());
    form->Show();
    ExpectAccessible(*form);
    form->Close();
  }
  EXPECT_EQ(QAccessible::queryAccessibleInterface(prompt.dxButton1)->role(), QAccessible::Button);
  EXPECT_EQ(NameOf(prompt.dxButton1), "Yes");
  EXPECT_EQ(NameOf(open_list.dxButton1), "Delete this playlist");
  EXPECT_EQ(NameOf(prompt.Label1), "This is the first time you run Quorvin 3.0");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(prompt.Bevel1)->role(), QAccessible::Separator);
  EXPECT_EQ(NameOf(save.LabeledEdit1), "Enter a name for you playlist?");
}

TEST_F(AccessibilityTest, PressActionDoesWhatAClickDoes) {
  TForm5 prompt;
  Form5 = &prompt;
  bool left_open = true;
  RunModal(
      prompt,
      [&] {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(prompt.dxButton2);
        ASSERT_NE(iface->actionInterface(), nullptr);
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
      },
      &left_open);
  Form5 = nullptr;
  EXPECT_FALSE(left_open);
}

TEST_F(AccessibilityTest, LabeledEditKeepsItsLabelAboveTheBox) {
  TForm4 save;
  EXPECT_EQ(save.LabeledEdit1->geometry(), QRect(8, 40, 241, 21));
  QWidget* label = save.LabeledEdit1->EditLabel();
  EXPECT_EQ(label->x(), 8);
  EXPECT_EQ(label->y() + label->height() + TLabeledEdit::kLabelSpacing, 40);
  EXPECT_FALSE(save.Edit1->isVisibleTo(&save));
}

}  // namespace
}  // namespace qrv
