#include "render_helpers.h"

#include <QApplication>
#include <QCursor>
#include <QTest>

namespace qrv::test {

QPalette ClassicPalette() {
  QPalette p(QColor(0xD4, 0xD0, 0xC8));
  p.setColor(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
  p.setColor(QPalette::Window, QColor(0xD4, 0xD0, 0xC8));
  p.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
  p.setColor(QPalette::Light, QColor(0xFF, 0xFF, 0xFF));
  p.setColor(QPalette::Midlight, QColor(0xD4, 0xD0, 0xC8));
  p.setColor(QPalette::Shadow, QColor(0x40, 0x40, 0x40));
  p.setColor(QPalette::ButtonText, QColor(0, 0, 0));
  p.setColor(QPalette::WindowText, QColor(0, 0, 0));
  p.setColor(QPalette::Text, QColor(0, 0, 0));
  p.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xFF));
  return p;
}

void ControlsTest::SetUp() {
  previous_ = QApplication::palette();
  QApplication::setPalette(ClassicPalette());
}

void ControlsTest::TearDown() {
  QApplication::setPalette(previous_);
}

BlackWindow::BlackWindow() {
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::black);
  setPalette(p);
  setAutoFillBackground(true);
  resize(200, 120);
  move(0, 0);
  show();
  activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(this));
  EXPECT_TRUE(QTest::qWaitForWindowActive(this));
}

QImage Snapshot(QWidget* control) {
  QWidget* parent = control->parentWidget();
  return parent->grab(control->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
}

QRect BoundingBox(const QImage& image, QRgb color) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) | 0xFF000000u) == (color | 0xFF000000u)) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

int CountColor(const QImage& image, QRgb color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) | 0xFF000000u) == (color | 0xFF000000u)) ++n;
    }
  }
  return n;
}

void MovePointer(QWidget* control, QPoint pos) {
  QCursor::setPos(control->mapToGlobal(pos));
}

TdxButton* ShowOkButton(QWidget* window) {
  auto* button = new TdxButton(window);
  button->move(20, 20);
  TFont f;
  f.SetName("MS Sans Serif");
  f.SetHeight(-13);
  f.SetColor(clBlue);
  button->SetFont(f);
  button->SetCaption("Ok");
  button->show();
  MovePointer(window, QPoint(190, 110));
  return button;
}

TDDMBitBtn* PlaceBitBtn(QWidget* window) {
  auto* button = new TDDMBitBtn(window);
  button->setGeometry(20, 20, 49, 25);
  button->SetTransparent(true);
  button->SetShowCaption(true);
  return button;
}

}  // namespace qrv::test
