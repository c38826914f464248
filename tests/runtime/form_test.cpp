#include "runtime/form.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "message_log.h"
#include "runtime/application.h"
#include "runtime/exceptions.h"

namespace qrv {
namespace {

// A window that counts its handlers and can be told to fail in them.
class ProbeForm : public TForm {
 public:
  ProbeForm() {
    SetCaption("Probe");
    SetBorderStyle(FormBorderStyle::kSingle);
    SetClientSize(244, 186);
    label = PlaceAt(new QLabel("Text", this), 8, 12);
    box = Place(new QWidget(this), {48, 152, 57, 33});
    RunCreateHandler();
  }

  int created = 0;
  int shown = 0;
  int closed = 0;
  bool fail_show = false;
  bool fail_close = false;
  bool keep_open = false;
  QLabel* label;
  QWidget* box;

 protected:
  void FormCreate() override { ++created; }
  void FormShow() override {
    ++shown;
    if (fail_show) throw EFOpenError("c:\\qrv30\\helppro.txt");
  }
  void FormClose(CloseAction& action) override {
    ++closed;
    if (fail_close) throw EFCreateError("c:\\qrv30\\last.lst");
    if (keep_open) action = CloseAction::kNone;
  }
};

TEST(Form, LayoutPropertiesAndPlacedControls) {
  ProbeForm form;
  EXPECT_EQ(form.created, 1);
  EXPECT_EQ(form.Caption(), "Probe");
  EXPECT_EQ(form.ClientWidth(), 244);
  EXPECT_EQ(form.ClientHeight(), 186);
  EXPECT_EQ(form.size(), QSize(244, 186));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());  // A single border cannot be resized.
  EXPECT_EQ(form.box->geometry(), QRect(48, 152, 57, 33));
  EXPECT_EQ(form.label->pos(), QPoint(8, 12));

  form.SetBorderIcons({.system_menu = true, .minimize = true, .maximize = false});
  EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  form.SetBorderIcons({.system_menu = false, .minimize = false, .maximize = false});
  EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);

  form.SetBorderStyle(FormBorderStyle::kSizeable);
  form.SetClientSize(300, 200);
  EXPECT_NE(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(form.size(), QSize(300, 200));
}

TEST(Form, ShowRunsTheShowHandlerOnceAndBringsAVisibleWindowForward) {
  ProbeForm form;
  form.Show();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.shown, 1);
  form.Show();
  EXPECT_EQ(form.shown, 1);
  form.Close();
  EXPECT_FALSE(form.isVisible());
  form.Show();
  EXPECT_EQ(form.shown, 2);
}

TEST(Form, AFailingShowHandlerIsReportedAndTheWindowStillShows) {
  test::MessageLog presenter;
  ProbeForm form;
  form.fail_show = true;
  form.Show();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(presenter.texts, std::vector<std::string>{"Cannot open file c:\\qrv30\\helppro.txt."});
}

TEST(Form, CloseRunsTheCloseHandlerWhichMayKeepTheWindowOpen) {
  test::MessageLog presenter;
  ProbeForm form;
  form.Show();
  int on_close = 0;
  form.SetOnClose([&](CloseAction&) { ++on_close; });
  form.keep_open = true;
  form.Close();
  EXPECT_TRUE(form.isVisible());
  form.keep_open = false;
  form.fail_close = true;
  form.Close();
  EXPECT_TRUE(form.isVisible());  // The steps after the failing one are skipped.
  EXPECT_EQ(on_close, 1);
  EXPECT_EQ(presenter.texts, std::vector<std::string>{"Cannot create file c:\\qrv30\\last.lst."});
  form.fail_close = false;
  form.Close();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.closed, 3);
  EXPECT_EQ(on_close, 2);
}

TEST(Form, ShowModalReturnsTheResultThatClosedIt) {
  ProbeForm form;
  QTimer::singleShot(0, &form, [&] {
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.IsModal());
    form.SetModalResult(ModalResult::kOk);
  });
  EXPECT_EQ(form.ShowModal(), ModalResult::kOk);
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(form.IsModal());
  EXPECT_EQ(form.closed, 1);

  QTimer::singleShot(0, &form, [&] { form.Close(); });
  EXPECT_EQ(form.ShowModal(), ModalResult::kCancel);

  // A close handler that refuses also refuses the result; the loop goes on until it agrees.
  form.keep_open = true;
  QTimer::singleShot(0, &form, [&] {
    form.SetModalResult(ModalResult::kYes);
    EXPECT_EQ(form.GetModalResult(), ModalResult::kNone);
    EXPECT_TRUE(form.isVisible());
    form.keep_open = false;
    form.SetModalResult(ModalResult::kNo);
  });
  EXPECT_EQ(form.ShowModal(), ModalResult::kNo);
}

TEST(Form, ModalLoopDeliversOtherEventsAndEndsWhenHidden) {
  ProbeForm form;
  int other = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    if (++other == 3) form.hide();
  });
  ticker.start(10);
  EXPECT_EQ(form.ShowModal(), ModalResult::kCancel);
  EXPECT_EQ(other, 3);
}

TEST(Form, CentresOnTheDesktopOrOverTheMainWindow) {
  QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  ProbeForm main;
  main.SetPosition(FormPosition::kDesktopCenter);
  main.Show();
  const QPoint screen_centre = screen->availableGeometry().center();
  EXPECT_LE((main.frameGeometry().center() - screen_centre).manhattanLength(), 4);

  main.move(10, 10);
  Application::Instance().SetMainForm(nullptr);
  ProbeForm first;
  EXPECT_EQ(Application::Instance().MainForm(), &first);  // The first one created.
  Application::Instance().SetMainForm(&main);
  ProbeForm dialog;
  dialog.SetClientSize(100, 80);
  dialog.SetPosition(FormPosition::kMainFormCenter);
  dialog.Show();
  EXPECT_LE((dialog.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(), 4);

  // Shown again after the main window has moved, it is centred over it again; a window centred
  // on the desktop stays where the user has put it.
  dialog.Close();
  main.move(200, 150);
  dialog.Show();
  EXPECT_LE((dialog.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(), 4);
  ProbeForm help;
  help.SetPosition(FormPosition::kDesktopCenter);
  help.Show();
  help.move(30, 40);
  help.Close();
  help.Show();
  EXPECT_EQ(help.pos(), QPoint(30, 40));
  Application::Instance().SetMainForm(nullptr);
}

TEST(Form, ACentredWindowLandsRightTheFirstTimeBeforeItsFrameIsKnown) {
  ProbeForm main;
  main.move(100, 60);
  main.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  Application::Instance().SetMainForm(&main);
  // The frame of a window not yet shown is unknown; it is taken to match the main window's.
  for (const FormPosition position :
       {FormPosition::kMainFormCenter, FormPosition::kDesktopCenter}) {
    ProbeForm dialog;
    dialog.SetClientSize(100, 80);
    dialog.SetPosition(position);
    ASSERT_EQ(dialog.frameGeometry(), dialog.geometry());
    dialog.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.frameGeometry().size() - dialog.size(),
              main.frameGeometry().size() - main.size());
    const QPoint target = position == FormPosition::kMainFormCenter
                              ? main.frameGeometry().center()
                              : QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((dialog.frameGeometry().center() - target).manhattanLength(), 1);
  }
  Application::Instance().SetMainForm(nullptr);
}

TEST(Form, EveryWindowButTheMainOneIsADialogOwnedByIt) {
  Application::Instance().SetMainForm(nullptr);
  ProbeForm main;
  main.SetBorderIcons({.system_menu = true, .minimize = true, .maximize = false});
  ProbeForm dialog;
  EXPECT_EQ(main.windowType(), Qt::Window);
  EXPECT_EQ(dialog.windowType(), Qt::Dialog);
  main.Show();
  dialog.Show();
  ASSERT_NE(dialog.windowHandle(), nullptr);
  EXPECT_EQ(dialog.windowHandle()->transientParent(), main.windowHandle());
  // The title bar carries what the layout names and nothing more.
  const Qt::WindowFlags buttons = Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                  Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
  EXPECT_EQ(main.windowFlags() & buttons,
            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
  dialog.SetBorderIcons({.system_menu = false, .minimize = false, .maximize = false});
  EXPECT_EQ(dialog.windowFlags() & buttons, Qt::WindowFlags());
  EXPECT_EQ(dialog.windowHandle()->transientParent(), main.windowHandle());
  Application::Instance().SetMainForm(nullptr);
}

}  // namespace
}  // namespace qrv
