#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>
#include <vector>

#include "runtime/widgets/menu_bar.h"
#include "runtime/widgets/track_bar.h"

namespace qrv {
namespace {

TEST(MenuBar, EntriesStandEdgeToEdgeFromTheLeftEdge) {
  TActionMainMenuBar bar;
  bar.resize(329, 25);
  std::vector<QAction*> entries;
  for (const char* caption : {"&File", "&Playlist", "&Options", "&Help"}) {
    entries.push_back(bar.AddMenu(QString::fromLatin1(caption), {})->menuAction());
  }
  bar.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
  EXPECT_EQ(bar.actionGeometry(entries[0]).left(), 0);
  for (size_t i = 1; i < entries.size(); ++i) {
    EXPECT_EQ(bar.actionGeometry(entries[i]).left(), bar.actionGeometry(entries[i - 1]).right() + 1)
        << i;
  }
}

TEST(TrackBar, UpAndPageUpLowerThePositionDownAndPageDownRaiseIt) {
  TTrackBar bar;
  bar.resize(249, 25);
  bar.SetMax(100);
  bar.SetPosition(50);
  const struct {
    Qt::Key key;
    int position;
  } steps[] = {{Qt::Key_Up, 49},       {Qt::Key_Left, 48},  {Qt::Key_PageUp, 46},
               {Qt::Key_Down, 47},     {Qt::Key_Right, 48}, {Qt::Key_PageDown, 50},
               {Qt::Key_Home, 0},      {Qt::Key_Up, 0},     {Qt::Key_End, 100},
               {Qt::Key_PageDown, 100}};
  std::vector<int> seen;
  bar.SetOnChange([&] { seen.push_back(bar.Position()); });
  for (const auto& step : steps) {
    QTest::keyClick(&bar, step.key);
    EXPECT_EQ(bar.Position(), step.position) << step.key;
  }
  EXPECT_EQ(seen, (std::vector<int>{49, 48, 46, 47, 48, 50, 0, 100}));
}

}  // namespace
}  // namespace qrv
