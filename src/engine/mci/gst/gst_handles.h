#pragma once

#include <gst/gst.h>

#include <utility>

#include "engine/mci/handle.h"

// The GLib and GStreamer handles the media layer holds, each with its owner, so that every
// reference is released on every path.
namespace qrv::mci {

struct GstObjectTraits {
  static void Release(gpointer object) { gst_object_unref(object); }
};
template <>
struct HandleTraits<GstElement> : GstObjectTraits {};
template <>
struct HandleTraits<GstPad> : GstObjectTraits {};
template <>
struct HandleTraits<GstBus> : GstObjectTraits {};
template <>
struct HandleTraits<GstClock> : GstObjectTraits {};
template <>
struct HandleTraits<GstPluginFeature> : GstObjectTraits {};
template <>
struct HandleTraits<GObject> {
  static void Release(GObject* object) { g_object_unref(object); }
};
template <>
struct HandleTraits<GstMessage> {
  static void Release(GstMessage* message) { gst_message_unref(message); }
};
template <>
struct HandleTraits<GstCaps> {
  static void Release(GstCaps* caps) { gst_caps_unref(caps); }
};
template <>
struct HandleTraits<GstBuffer> {
  static void Release(GstBuffer* buffer) { gst_buffer_unref(buffer); }
};
template <>
struct HandleTraits<GstSample> {
  static void Release(GstSample* sample) { gst_sample_unref(sample); }
};
template <>
struct HandleTraits<GstIterator> {
  static void Release(GstIterator* iterator) { gst_iterator_free(iterator); }
};
template <>
struct HandleTraits<GError> {
  static void Release(GError* error) { g_error_free(error); }
};
// Strings GLib hands out.
struct GFreeTraits {
  static void Release(gpointer p) { g_free(p); }
};

using ElementPtr = Owner<GstElement>;
using PadPtr = Owner<GstPad>;
using BusPtr = Owner<GstBus>;
using ClockPtr = Owner<GstClock>;
using MessagePtr = Owner<GstMessage>;
using CapsPtr = Owner<GstCaps>;
using BufferPtr = Owner<GstBuffer>;
using SamplePtr = Owner<GstSample>;
using ErrorPtr = Owner<GError>;
using CharPtr = Owner<gchar, GFreeTraits>;

// A buffer's memory, mapped for as long as the map lives. A buffer whose memory cannot be mapped
// as asked (a write to memory it shares, say) maps nothing: check the map before its data.
class BufferMap {
 public:
  BufferMap(GstBuffer* buffer, GstMapFlags flags)
      : buffer_(buffer), mapped_(buffer != nullptr && gst_buffer_map(buffer, &info_, flags)) {}
  ~BufferMap() {
    if (mapped_) gst_buffer_unmap(buffer_, &info_);
  }
  BufferMap(const BufferMap&) = delete;
  BufferMap& operator=(const BufferMap&) = delete;

  explicit operator bool() const { return mapped_; }
  guint8* Data() const { return info_.data; }
  gsize Size() const { return info_.size; }

 private:
  GstBuffer* buffer_;
  GstMapInfo info_{};
  bool mapped_;
};

// A handler connected to a signal of an object, disconnected when the owner goes. It holds a
// reference on the object, so that the handler's id stays meaningful until then.
class SignalConnection {
 public:
  SignalConnection() = default;
  SignalConnection(gpointer instance, gulong id)
      : object_(G_OBJECT(g_object_ref(instance))), id_(id) {}
  ~SignalConnection() { Disconnect(); }
  SignalConnection(SignalConnection&& other) noexcept
      : object_(std::move(other.object_)), id_(std::exchange(other.id_, 0)) {}
  SignalConnection& operator=(SignalConnection&& other) noexcept {
    Disconnect();
    object_ = std::move(other.object_);
    id_ = std::exchange(other.id_, 0);
    return *this;
  }

  // Disconnecting releases whatever the handler's data held.
  void Disconnect() {
    if (object_ && id_ != 0) g_signal_handler_disconnect(object_.get(), id_);
    id_ = 0;
    object_.reset();
  }

 private:
  Owner<GObject> object_;
  gulong id_ = 0;
};

}  // namespace qrv::mci
