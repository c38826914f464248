// Paint of each button in each state, in microseconds per paint (the median of the repetitions is
// reported). The counters show how often the gray images and the gradients were built during the
// timed paints: they must stay zero, as painting only copies prepared pictures.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <memory>

#include "controls/bit_btn.h"
#include "controls/dx_button.h"

namespace {

using qrv::TDDMBitBtn;
using qrv::TdxButton;

enum class State { kRest, kHot, kDown, kDisabled, kFocused, kPressed };

void Enter(QWidget* w) {
  const QPointF p(3, 3);
  QEnterEvent e(p, p, w->mapToGlobal(p));
  QApplication::sendEvent(w, &e);
}

qrv::TFont CaptionFont() {
  qrv::TFont f;
  f.SetName("MS Sans Serif");
  f.SetHeight(-13);
  f.SetColor(qrv::clBlue);
  f.SetBold(true);
  return f;
}

void BM_BitBtnPaint(benchmark::State& state) {
  const auto which = static_cast<State>(state.range(0));
  QWidget window;
  window.resize(120, 60);
  auto* b = new TDDMBitBtn(&window);
  b->setGeometry(10, 10, 49, 25);
  b->SetTransparent(state.range(1) != 0);
  b->SetShowCaption(true);
  b->SetFont(CaptionFont());
  b->SetCaption("Play");
  QImage glyph(16, 16, QImage::Format_RGB32);
  glyph.fill(qRgb(200, 40, 40));
  glyph.setPixel(0, 15, qRgb(255, 255, 255));
  b->SetGlyph(glyph);
  b->SetLayout(qrv::TButtonLayout::blGlyphLeft);
  if (which == State::kHot) Enter(b);
  if (which == State::kDown) b->SetDown(true);
  if (which == State::kDisabled) b->SetEnabled(false);
  QImage target(b->size(), QImage::Format_RGB32);
  const int before = b->ImageRebuilds();
  for (auto _ : state) {
    QPainter p(&target);
    b->Paint(p);
    benchmark::DoNotOptimize(target.constBits());
  }
  state.counters["image_rebuilds"] = b->ImageRebuilds() - before;
}

void BM_DxButtonPaint(benchmark::State& state) {
  const auto which = static_cast<State>(state.range(0));
  QWidget window;
  window.resize(200, 80);
  auto* b = new TdxButton(&window);
  b->move(10, 10);
  b->SetCaption("&Save");
  b->SetQuality(static_cast<qrv::TdxQuality>(state.range(1)));
  window.show();
  if (which == State::kHot) Enter(b);
  if (which == State::kFocused || which == State::kPressed) {
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    b->setFocus();
  }
  if (which == State::kPressed) {
    Enter(b);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), b->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &press);
  }
  if (which == State::kDisabled) b->SetEnabled(false);
  QApplication::processEvents();
  QImage target;
  const int before = b->GradientBuilds();
  for (auto _ : state) {
    b->PaintTo(target);
    benchmark::DoNotOptimize(target.constBits());
  }
  state.counters["gradient_builds"] = b->GradientBuilds() - before;
}

void BM_GradientBuild(benchmark::State& state) {
  TdxButton b;
  int quality = 0;
  for (auto _ : state) {
    // Alternating the quality forces a full rebuild of the four gradients each time.
    b.SetQuality(static_cast<qrv::TdxQuality>(quality));
    quality = quality == 2 ? 0 : quality + 1;
  }
}

void BM_GrayImageBuild(benchmark::State& state) {
  TDDMBitBtn b;
  QImage glyph(64, 64, QImage::Format_RGB32);
  glyph.fill(qRgb(90, 140, 200));
  b.SetGlyph(glyph);
  int portion = 50;
  for (auto _ : state) {
    b.SetGrayPortion(portion);
    portion = portion == 60 ? 50 : portion + 1;
  }
}

// Arguments: state, transparent (bitmap button) or quality (flat button).
BENCHMARK(BM_BitBtnPaint)
    ->ArgNames({"state", "transparent"})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Args({3, 1})
    ->Args({0, 0})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DxButtonPaint)
    ->ArgNames({"state", "quality"})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({3, 1})
    ->Args({4, 1})
    ->Args({5, 1})
    ->Args({0, 2})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GradientBuild)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrayImageBuild)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
