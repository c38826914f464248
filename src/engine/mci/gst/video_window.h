#pragma once

#include <QImage>
#include <QObject>
#include <QWidget>
#include <memory>
#include <mutex>
#include <string>

#include "engine/mci/gst/gst_util.h"

namespace qrv::mci {

// The window a video device shows its picture in: a window of its own, titled with the file's
// name, shown when the picture first moves and closed with the medium. Frames come from an
// application sink on a streaming thread and are painted on the user-interface thread.
class VideoWindow : public QObject {
 public:
  explicit VideoWindow(QString title);
  ~VideoWindow() override;
  VideoWindow(const VideoWindow&) = delete;
  VideoWindow& operator=(const VideoWindow&) = delete;

  // Whether pictures can be shown at all: a program without windows has nowhere to show them.
  static bool Available();
  // A new sink for one pipeline, which feeds this window. A pipeline built afresh asks for a new
  // one; the sink made before it stops feeding the window.
  ElementPtr MakeSink();
  bool Shown() const;

 protected:
  bool event(QEvent* e) override;

 private:
  // What the streaming threads share with the window; it outlives either side.
  struct Mailbox {
    std::mutex mutex;
    QImage frame;
    VideoWindow* window = nullptr;  // cleared when the window goes
  };
  static GstFlowReturn OnSample(GstElement* sink, gpointer mailbox);

  QString title_;
  std::shared_ptr<Mailbox> mailbox_;
  SignalConnection frames_;  // the newest sink's frames
  std::unique_ptr<QWidget> window_;
};

}  // namespace qrv::mci
