#include "engine/mci/gst/video_window.h"

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>

namespace qrv::mci {
namespace {

QEvent::Type FrameEventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

// Paints the latest frame, scaled to the window with its proportions kept, on black.
class PictureWidget : public QWidget {
 public:
  void SetFrame(QImage frame) {
    frame_ = std::move(frame);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (frame_.isNull()) return;
    const QSize size = frame_.size().scaled(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.drawImage(target, frame_);
  }

 private:
  QImage frame_;
};

}  // namespace

VideoWindow::VideoWindow(QString title)
    : title_(std::move(title)), mailbox_(std::make_shared<Mailbox>()) {
  mailbox_->window = this;
}

VideoWindow::~VideoWindow() {
  std::lock_guard lock(mailbox_->mutex);
  mailbox_->window = nullptr;
}

bool VideoWindow::Available() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

bool VideoWindow::Shown() const {
  return window_ && window_->isVisible();
}

ElementPtr VideoWindow::MakeSink() {
  ElementPtr bin = AdoptElement(
      gst_parse_bin_from_description("videoconvert ! videoscale ! video/x-raw,format=BGRx ! "
                                     "appsink name=frames sync=true max-buffers=2 drop=true",
                                     TRUE, nullptr));
  if (!bin) return nullptr;
  ElementPtr sink(gst_bin_get_by_name(GST_BIN(bin.get()), "frames"));
  if (!sink) return nullptr;
  // The mailbox lives as long as the sink's signal holds it.
  auto* hold = new std::shared_ptr<Mailbox>(mailbox_);
  g_object_set(sink.get(), "emit-signals", TRUE, nullptr);
  frames_ = SignalConnection(
      sink.get(),
      g_signal_connect_data(
          sink.get(), "new-sample", G_CALLBACK(&VideoWindow::OnSample), hold,
          [](gpointer data, GClosure*) { delete static_cast<std::shared_ptr<Mailbox>*>(data); },
          GConnectFlags{}));
  return bin;
}

GstFlowReturn VideoWindow::OnSample(GstElement* sink, gpointer data) {
  // Runs on a streaming thread.
  auto& mailbox = *static_cast<std::shared_ptr<Mailbox>*>(data);
  const SamplePtr sample(gst_app_sink_pull_sample(GST_APP_SINK(sink)));
  if (!sample) return GST_FLOW_OK;
  GstVideoInfo info;
  if (!gst_video_info_from_caps(&info, gst_sample_get_caps(sample.get()))) return GST_FLOW_OK;
  const BufferMap map(gst_sample_get_buffer(sample.get()), GST_MAP_READ);
  if (!map) return GST_FLOW_OK;
  QImage frame(map.Data(), info.width, info.height, static_cast<qsizetype>(info.stride[0]),
               QImage::Format_RGB32);
  std::lock_guard lock(mailbox->mutex);
  mailbox->frame = frame.copy();
  if (mailbox->window != nullptr) {
    QCoreApplication::postEvent(mailbox->window, new QEvent(FrameEventType()));
  }
  return GST_FLOW_OK;
}

bool VideoWindow::event(QEvent* e) {
  if (e->type() != FrameEventType()) return QObject::event(e);
  QImage frame;
  {
    std::lock_guard lock(mailbox_->mutex);
    frame = std::move(mailbox_->frame);
  }
  if (frame.isNull()) return true;
  if (!window_) {
    auto widget = std::make_unique<PictureWidget>();
    widget->setWindowTitle(title_);
    widget->setAttribute(Qt::WA_OpaquePaintEvent);
    widget->resize(frame.size());
    widget->show();
    window_ = std::move(widget);
  }
  static_cast<PictureWidget*>(window_.get())->SetFrame(std::move(frame));
  return true;
}

}  // namespace qrv::mci
