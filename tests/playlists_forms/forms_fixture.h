#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "controls/dx_button.h"
#include "message_log.h"
#include "playlists/file_list_box.h"
#include "runtime/application.h"
#include "runtime/fs/drive_map.h"
#include "runtime/timer.h"
#include "temp_prefix.h"

namespace qrv::test {

// A fresh data folder with its two subfolders and a default background, a music folder to
// choose as a playlist, the main window (its start-up restore switched off so that no prompt
// comes up by itself), and a presenter that records error boxes instead of showing them.
class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::ResetState();
    prefix_.MakeDir("qrv30/playlists");
    prefix_.MakeDir("qrv30/backgrounds");
    prefix_.MakeDir("music/rock");
    prefix_.MakeDir("music/jazz");
    prefix_.WriteFile("music/rock/one.mp3", "x");
    prefix_.WriteFile("music/rock/two.wav", "x");
    QImage background(8, 8, QImage::Format_RGB32);
    background.fill(Qt::darkBlue);
    ASSERT_TRUE(background.save(
        QString::fromStdString(prefix_.DriveC() + "/qrv30/backgrounds/standar.bmp"), "BMP"));
    ASSERT_TRUE(fs::SetCurrentDir("c:\\music"));
    main_ = std::make_unique<TForm1>();
    Form1 = main_.get();
    Form1->Timer3->SetEnabled(false);
  }

  void TearDown() override {
    Form1 = nullptr;
    main_.reset();
    fs::ResetState();
  }

  // Clicks a flat button with the mouse, as the user does.
  static void Click(TdxButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  // Clicks the list entry with this text; false when the list does not show it.
  static bool ClickEntry(TFileListBox* list, const std::string& text) {
    for (int row = 0; row < list->Count(); ++row) {
      if (list->Item(row) != text) continue;
      const QModelIndex index = list->model()->index(row, 0);
      const QPoint centre = list->visualRect(index).center();
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
      return true;
    }
    return false;
  }

  // Shows a window modally and runs `act` inside its loop. A window that `act` leaves open is
  // closed afterwards so that the test goes on; `left_open` tells whether that was needed.
  static void RunModal(TForm& form, const std::function<void()>& act, bool* left_open = nullptr) {
    QTimer::singleShot(0, &form, [&form, &act, left_open] {
      act();
      if (left_open) *left_open = form.isVisible();
      if (form.isVisible()) form.Close();
    });
    form.ShowModal();
  }

  std::string Host(const std::string& relative) const { return prefix_.DriveC() + "/" + relative; }

  TempPrefix prefix_;
  MessageLog message_log_;
  std::vector<std::string>& errors_ = message_log_.texts;
  std::unique_ptr<TForm1> main_;

 private:
};

}  // namespace qrv::test
