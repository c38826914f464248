#include <gtest/gtest.h>

#include <QApplication>

// Tests run headless: the offscreen platform needs no display. Their sound goes to a null output
// that keeps the pipeline clock's time (a test's own clock where it sets one), not to speakers
// whose clock would run on the wall.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QUORVIN_AUDIO_SINK")) {
    qputenv("QUORVIN_AUDIO_SINK", "fakesink sync=true");
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
