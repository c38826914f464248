// A window that shows both push buttons in each of their states on a black background, as the
// player's windows use them, for looking at them by eye. Each state is set up on a live button and
// captured; the last row holds live buttons to point at and press. With a file name argument the
// window's picture is also saved there.
#include <QApplication>
#include <QEnterEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "controls/bit_btn.h"
#include "controls/dx_button.h"

namespace {

void Enter(QWidget* w) {
  const QPointF p(3, 3);
  QEnterEvent e(p, p, w->mapToGlobal(p));
  QApplication::sendEvent(w, &e);
}

void Press(QWidget* w, QPointF at) {
  QMouseEvent e(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void Drag(QWidget* w, QPointF at) {
  QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

qrv::TFont CaptionFont(bool bold) {
  qrv::TFont f;
  f.SetName("MS Sans Serif");
  f.SetHeight(-13);
  f.SetColor(qrv::clBlue);
  f.SetBold(bold);
  return f;
}

void SetBlack(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, Qt::black);
  p.setColor(QPalette::WindowText, Qt::white);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

qrv::TDDMBitBtn* MakeBitBtn(QWidget* parent, const QString& caption) {
  auto* b = new qrv::TDDMBitBtn(parent);
  b->setGeometry(10, 10, 49, 25);
  b->SetTransparent(true);
  b->SetShowCaption(true);
  b->SetFont(CaptionFont(true));
  b->SetCaption(caption);
  b->show();
  return b;
}

qrv::TdxButton* MakeDxButton(QWidget* parent, const QString& caption) {
  auto* b = new qrv::TdxButton(parent);
  b->move(10, 10);
  b->SetFont(CaptionFont(false));
  b->SetCaption(caption);
  b->show();
  return b;
}

// Builds a fresh stage, lets the set-up put a button into a state, and captures it with a margin.
QPixmap Capture(const std::function<QWidget*(QWidget* stage)>& setup) {
  QWidget stage;
  SetBlack(&stage);
  stage.resize(100, 50);
  stage.show();
  stage.activateWindow();
  QApplication::setActiveWindow(&stage);
  QApplication::processEvents();
  QWidget* button = setup(&stage);
  QApplication::processEvents();
  return stage.grab(button->geometry().adjusted(-4, -4, 4, 4));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("Quorvin Pro buttons");
  SetBlack(&window);
  auto* grid = new QGridLayout(&window);
  const auto add = [&](int row, int col, const QString& name, const QPixmap& picture) {
    auto* label = new QLabel(name, &window);
    grid->addWidget(label, row * 2, col);
    auto* image = new QLabel(&window);
    image->setPixmap(picture);
    grid->addWidget(image, row * 2 + 1, col);
  };

  add(0, 0, "rest", Capture([](QWidget* s) { return MakeBitBtn(s, "Play"); }));
  add(0, 1, "hot", Capture([](QWidget* s) {
        auto* b = MakeBitBtn(s, "Play");
        Enter(b);
        return b;
      }));
  add(0, 2, "down", Capture([](QWidget* s) {
        auto* b = MakeBitBtn(s, "Play");
        b->SetDown(true);
        return b;
      }));
  add(0, 3, "disabled", Capture([](QWidget* s) {
        auto* b = MakeBitBtn(s, "Play");
        b->SetEnabled(false);
        return b;
      }));
  add(0, 4, "opaque", Capture([](QWidget* s) {
        auto* b = MakeBitBtn(s, "Pre&v");
        b->SetTransparent(false);
        return b;
      }));

  add(1, 0, "rest", Capture([](QWidget* s) { return MakeDxButton(s, "Ok"); }));
  add(1, 1, "hot", Capture([](QWidget* s) {
        auto* b = MakeDxButton(s, "Ok");
        Enter(b);
        return b;
      }));
  add(1, 2, "focused", Capture([](QWidget* s) {
        auto* b = MakeDxButton(s, "&Save");
        b->setFocus();
        return b;
      }));
  add(1, 3, "pressed", Capture([](QWidget* s) {
        auto* b = MakeDxButton(s, "Ok");
        Enter(b);
        Press(b, QPointF(5, 5));
        return b;
      }));
  add(1, 4, "pressed, out", Capture([](QWidget* s) {
        auto* b = MakeDxButton(s, "Ok");
        Enter(b);
        Press(b, QPointF(5, 5));
        Drag(b, QPointF(-30, 5));
        return b;
      }));
  add(1, 5, "disabled", Capture([](QWidget* s) {
        auto* b = MakeDxButton(s, "Cancel");
        b->SetEnabled(false);
        return b;
      }));
  add(2, 0, "default", Capture([](QWidget* s) {
        auto* b = MakeDxButton(s, "Yes");
        b->SetDefault(true);
        return b;
      }));
  add(2, 1, "high quality", Capture([](QWidget* s) {
        auto* b = MakeDxButton(s, "Refresh");
        b->SetQuality(qrv::TdxQuality::bqHigh);
        Enter(b);
        return b;
      }));
  add(2, 2, "wrapped", Capture([](QWidget* s) {
        auto* b = MakeDxButton(s, "Delete this playlist");
        b->resize(105, 33);
        qrv::TFont f = CaptionFont(false);
        f.SetHeight(-8);
        b->SetFont(f);
        return b;
      }));

  auto* live = new QWidget(&window);
  live->setMinimumHeight(45);
  MakeBitBtn(live, "Next");
  MakeDxButton(live, "Close")->move(70, 10);
  grid->addWidget(live, 6, 0, 1, 3);

  window.show();
  if (argc > 1) {
    const QString file = QString::fromLocal8Bit(argv[1]);
    QTimer::singleShot(300, &window, [&window, file] {
      window.grab().save(file);
      QApplication::quit();
    });
  }
  return app.exec();
}
