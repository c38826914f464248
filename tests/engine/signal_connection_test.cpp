// A signal connection's owner disconnects, and lets go of what its handler held, when it goes.
#include <gtest/gtest.h>

#include "engine/mci/gst/gst_util.h"

namespace qrv {
namespace {

using namespace qrv::mci;

TEST(SignalConnectionTest, DisconnectsAndReleasesItsDataWhenItGoes) {
  EnsureGstInit();
  const ElementPtr element = MakeElement("fakesink");
  ASSERT_TRUE(element);
  struct Seen {
    int calls = 0;
    bool released = false;
  } seen;
  const auto on_notify =
      +[](GObject*, GParamSpec*, gpointer data) { ++static_cast<Seen*>(data)->calls; };
  {
    const SignalConnection connection(
        element.get(),
        g_signal_connect_data(
            element.get(), "notify::sync", G_CALLBACK(on_notify), &seen,
            [](gpointer data, GClosure*) { static_cast<Seen*>(data)->released = true; },
            GConnectFlags{}));
    g_object_set(element.get(), "sync", TRUE, nullptr);
    EXPECT_EQ(seen.calls, 1);
    EXPECT_FALSE(seen.released);
  }
  EXPECT_TRUE(seen.released);
  g_object_set(element.get(), "sync", FALSE, nullptr);
  EXPECT_EQ(seen.calls, 1);
}

}  // namespace
}  // namespace qrv
