#include <gtest/gtest.h>

#include "runtime/exceptions.h"
#include "scripted_fixture.h"

namespace qrv {
namespace {

using namespace qrv::mci;
using test::Call, test::CallList, test::kStatus;
constexpr uint32_t kCaps = MCI_WAIT | MCI_GETDEVCAPS_ITEM;

class MediaPlayerTest : public test::ScriptedPlayerTest {};

TEST_F(MediaPlayerTest, OpenByFileSendsTheOpenSequence) {
  player->SetFileName("c:\\music\\a.mp3");
  player->Open();
  EXPECT_EQ(Calls(), (CallList{{MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT},
                               {MCI_STATUS, kStatus},
                               {MCI_GETDEVCAPS, kCaps},
                               {MCI_GETDEVCAPS, kCaps},
                               {MCI_GETDEVCAPS, kCaps},
                               {MCI_GETDEVCAPS, kCaps},
                               {MCI_GETDEVCAPS, kCaps},
                               {MCI_STATUS, kStatus}}));
  EXPECT_EQ(At(0).fields.element, "c:\\music\\a.mp3");
  EXPECT_EQ(At(0).fields.device_type, "");
  EXPECT_EQ(At(0).fields.callback, player.get());
  EXPECT_EQ(At(1).fields.item, MCI_STATUS_LENGTH);
  std::vector<uint32_t> items;
  for (size_t i = 2; i < 7; ++i) items.push_back(At(i).fields.item);
  EXPECT_EQ(items, (std::vector<uint32_t>{8, 1, 7, 3, 4}));
  EXPECT_EQ(At(7).fields.item, MCI_STATUS_MODE);

  EXPECT_TRUE(player->DeviceOpen());
  EXPECT_NE(player->MciDeviceId(), 0);
  EXPECT_EQ(player->StepFrames(), 1000);
  EXPECT_TRUE(player->SupportsPlay());
  EXPECT_FALSE(player->SupportsRecord() || player->SupportsEject() || player->SupportsVideo());
  EXPECT_FALSE(player->SupportsStep());
  EXPECT_EQ(player->AutoEnabledButtons(),
            (TButtonSet{TMPBtnType::btNext, TMPBtnType::btPrev, TMPBtnType::btPlay}));
}

TEST_F(MediaPlayerTest, OpenByTypeIsShareableAndNamesNoElement) {
  player->SetDeviceType(TMPDeviceTypes::dtWaveAudio);
  player->SetShareable(true);
  player->Open();
  EXPECT_EQ(At(0).flags, MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_SHAREABLE);
  EXPECT_EQ(At(0).fields.device_type, "WaveAudio");
}

TEST_F(MediaPlayerTest, OpenWhilePlayingAppliesThePlayRuleAndStepCapabilities) {
  script().mode = MCI_MODE_PLAY;
  script().can_record = 0x100;  // only the low byte counts
  script().can_eject = 1;
  script().device_type = MCI_DEVTYPE_DIGITAL_VIDEO;
  player->Open();
  EXPECT_FALSE(player->SupportsRecord());
  EXPECT_TRUE(player->SupportsStep());
  EXPECT_EQ(
      player->AutoEnabledButtons(),
      (TButtonSet{TMPBtnType::btNext, TMPBtnType::btPrev, TMPBtnType::btStep, TMPBtnType::btBack,
                  TMPBtnType::btEject, TMPBtnType::btPause, TMPBtnType::btStop}));
}

TEST_F(MediaPlayerTest, FailedOpenRaisesTheDeviceTextAndStaysClosed) {
  script().open_error = MCIERR_FILE_NOT_FOUND;
  std::string expected;
  ASSERT_TRUE(GetErrorString(MCIERR_FILE_NOT_FOUND, expected));
  try {
    player->Open();
    FAIL() << "no exception";
  } catch (const EMCIDeviceError& e) {
    EXPECT_EQ(e.Message(), expected);
  }
  EXPECT_FALSE(player->DeviceOpen());
  EXPECT_EQ(player->MciDeviceId(), 0);
  EXPECT_EQ(player->LastError(), MCIERR_FILE_NOT_FOUND);
  EXPECT_EQ(driver.Log().size(), 1u);

  script().open_error = 9999;
  EXPECT_THROW(
      {
        try {
          player->Open();
        } catch (const EMCIDeviceError& e) {
          EXPECT_EQ(e.Message(), "Unknown error code");
          throw;
        }
      },
      EMCIDeviceError);
}

TEST_F(MediaPlayerTest, OnlyASuccessfulOpenNamesTheFileThePlayerHolds) {
  EXPECT_EQ(player->OpenedFileName(), "");
  player->SetFileName("c:\\music\\a.mp3");
  player->Open();
  EXPECT_EQ(player->OpenedFileName(), "c:\\music\\a.mp3");
  // Closing keeps the name: it is still the file the player last held.
  player->Close();
  EXPECT_EQ(player->OpenedFileName(), "c:\\music\\a.mp3");
  // A name given but never opened is not taken for it.
  player->SetFileName("c:\\letters\\note.txt");
  EXPECT_EQ(player->OpenedFileName(), "c:\\music\\a.mp3");
  script().open_error = MCIERR_INVALID_FILE;
  EXPECT_THROW(player->Open(), EMCIDeviceError);
  EXPECT_EQ(player->OpenedFileName(), "");
  EXPECT_EQ(player->FileName(), "c:\\letters\\note.txt");
}

TEST_F(MediaPlayerTest, OpenOnAnOpenControlClosesTheOldDeviceFirst) {
  OpenFile();
  const auto old_id = player->MciDeviceId();
  player->Open();
  ASSERT_GE(driver.Log().size(), 2u);
  EXPECT_EQ(At(0).command, MCI_CLOSE);
  EXPECT_EQ(At(0).device, old_id);
  EXPECT_EQ(At(1).command, MCI_OPEN);
  EXPECT_NE(player->MciDeviceId(), old_id);
  EXPECT_EQ(DeviceTable::Instance().OpenCount(), 1u);
}

TEST_F(MediaPlayerTest, OperationsWithoutADeviceRaiseAndSendNothing) {
  const std::vector<std::function<void()>> operations = {
      [&] { player->Length(); },       [&] { player->Tracks(); },      [&] { player->Play(); },
      [&] { player->Pause(); },        [&] { player->PauseDevice(); }, [&] { player->Resume(); },
      [&] { player->Stop(); },         [&] { player->Next(); },        [&] { player->Previous(); },
      [&] { player->SetPosition(5); }, [&] { player->StepForward(); }, [&] { player->StepBack(); },
      [&] { player->Record(); },       [&] { player->Eject(); },       [&] { player->Rewind(); },
      [&] { player->TimeFormat(); }};
  for (size_t i = 0; i < operations.size(); ++i) {
    try {
      operations[i]();
      ADD_FAILURE() << "operation " << i << " did not raise";
    } catch (const EMCIDeviceError& e) {
      EXPECT_EQ(e.Message(), "No MCI device open") << i;
    }
  }
  EXPECT_TRUE(driver.Log().empty());
  EXPECT_EQ(player->LastError(), 0u);
}

TEST_F(MediaPlayerTest, QueriesWithoutADeviceRecordTheFailure) {
  player->Close();  // nothing open: nothing happens
  EXPECT_EQ(player->Position(), 0);
  EXPECT_EQ(player->LastError(), MCIERR_INVALID_DEVICE_ID);
  player->Mode();
  EXPECT_EQ(player->LastError(), MCIERR_INVALID_DEVICE_ID);
  EXPECT_TRUE(driver.Log().empty());
}

TEST_F(MediaPlayerTest, PlayAtTheEndRewindsFirst) {
  OpenFile();
  script().position = script().length;
  player->Play();
  EXPECT_EQ(Calls(), (CallList{{MCI_STATUS, kStatus},
                               {MCI_STATUS, kStatus},
                               {MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START},
                               {MCI_PLAY, MCI_NOTIFY}}));
  EXPECT_EQ(At(0).fields.item, MCI_STATUS_POSITION);
  EXPECT_EQ(At(1).fields.item, MCI_STATUS_LENGTH);
  EXPECT_EQ(At(3).fields.callback, player.get());
  EXPECT_EQ(script().position, 0u);
}

TEST_F(MediaPlayerTest, PlayWithoutAutoRewindOrWithAnArmedStartDoesNotRewind) {
  OpenFile();
  script().position = script().length;
  player->SetAutoRewind(false);
  player->Play();
  EXPECT_EQ(Calls(), (CallList{{MCI_PLAY, MCI_NOTIFY}}));

  driver.ClearLog();
  player->SetAutoRewind(true);
  player->SetFromPosition(1234);
  player->Play();
  EXPECT_EQ(Calls(), (CallList{{MCI_PLAY, MCI_NOTIFY | MCI_FROM}}));
  EXPECT_EQ(At(0).fields.from, 1234u);
  EXPECT_EQ(player->FromPosition(), 1234);

  driver.ClearLog();
  script().position = 10;
  player->Play();  // disarmed: plays on from where it stands
  EXPECT_EQ(Calls().back(), (Call{MCI_PLAY, MCI_NOTIFY}));
}

TEST_F(MediaPlayerTest, PauseToggles) {
  OpenFile();
  script().mode = MCI_MODE_PLAY;
  player->Pause();
  EXPECT_EQ(Calls(), (CallList{{MCI_STATUS, kStatus}, {MCI_PAUSE, MCI_WAIT}}));
  EXPECT_EQ(player->Mode(), TMPModes::ModePaused);

  driver.ClearLog();
  player->Pause();
  EXPECT_EQ(Calls(),
            (CallList{{MCI_STATUS, kStatus}, {MCI_STATUS, kStatus}, {MCI_RESUME, MCI_NOTIFY}}));
  EXPECT_EQ(player->Mode(), TMPModes::ModePlaying);

  driver.ClearLog();
  script().mode = MCI_MODE_STOP;
  player->Pause();
  EXPECT_EQ(Calls(), (CallList{{MCI_STATUS, kStatus}, {MCI_STATUS, kStatus}}));
}

TEST_F(MediaPlayerTest, ResumeFallsBackToPlay) {
  OpenFile();
  script().supports_resume = false;
  script().position = 300;
  player->Resume();
  EXPECT_EQ(Calls(), (CallList{{MCI_RESUME, MCI_NOTIFY},
                               {MCI_STATUS, kStatus},
                               {MCI_STATUS, kStatus},
                               {MCI_PLAY, MCI_NOTIFY}}));
  EXPECT_EQ(player->LastError(), 0u);
  EXPECT_EQ(script().mode, MCI_MODE_PLAY);
}

TEST_F(MediaPlayerTest, StopSeekAndRecordedErrors) {
  OpenFile();
  player->Stop();
  player->SetPosition(4000);
  EXPECT_EQ(Calls(), (CallList{{MCI_STOP, MCI_WAIT}, {MCI_SEEK, MCI_WAIT | MCI_TO}}));
  EXPECT_EQ(At(1).fields.to, 4000u);

  driver.ClearLog();
  player->SetPosition(-1);  // passed on unchanged, refused by the device
  EXPECT_EQ(At(0).fields.to, 0xFFFFFFFFu);
  EXPECT_EQ(player->LastError(), MCIERR_OUTOFRANGE);
  EXPECT_EQ(player->Position(), 4000);
  EXPECT_EQ(player->LastError(), 0u);

  script().failures[MCI_SEEK] = MCIERR_HARDWARE;
  player->Rewind();  // does not record
  EXPECT_EQ(player->LastError(), 0u);
}

TEST_F(MediaPlayerTest, NextAndPreviousOnFilesSeekToTheEnds) {
  OpenFile();
  script().mode = MCI_MODE_PLAY;
  player->Next();
  EXPECT_EQ(Calls(), (CallList{{MCI_STATUS, kStatus}, {MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_END}}));
  EXPECT_EQ(At(0).fields.item, MCI_STATUS_TIME_FORMAT);
  EXPECT_EQ(script().position, script().length);
  driver.ClearLog();
  player->Previous();
  EXPECT_EQ(Calls(), (CallList{{MCI_STATUS, kStatus}, {MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START}}));
  EXPECT_EQ(script().mode, MCI_MODE_STOP);
}

TEST_F(MediaPlayerTest, StepAndEjectNeedTheirCapabilities) {
  OpenFile();
  player->StepForward();
  player->StepBack();
  player->Eject();
  EXPECT_TRUE(driver.Log().empty());

  script().has_video = 1;
  script().can_eject = 1;
  OpenFile();
  script().position = 5;
  player->StepForward();
  player->StepBack();
  player->Eject();
  EXPECT_EQ(Calls(), (CallList{{MCI_STATUS, kStatus},
                               {MCI_STATUS, kStatus},
                               {MCI_STEP, MCI_WAIT | MCI_ANIM_STEP_FRAMES},
                               {MCI_STEP, MCI_WAIT | MCI_ANIM_STEP_FRAMES | MCI_ANIM_STEP_REVERSE},
                               {MCI_SET, MCI_WAIT | MCI_SET_DOOR_OPEN}}));
  EXPECT_EQ(At(2).fields.frames, 1000u);
}

TEST_F(MediaPlayerTest, RecordUsesAndDisarmsTheStart) {
  OpenFile();
  player->SetFromPosition(77);
  player->Record();
  player->Record();
  EXPECT_EQ(Calls(), (CallList{{MCI_RECORD, MCI_NOTIFY | MCI_FROM}, {MCI_RECORD, MCI_NOTIFY}}));
  EXPECT_EQ(At(0).fields.from, 77u);
}

TEST_F(MediaPlayerTest, TimeFormatAndTrackStart) {
  player->SetTimeFormat(10);  // no open check: the request fails and is recorded
  EXPECT_EQ(player->LastError(), MCIERR_INVALID_DEVICE_ID);
  OpenFile();
  player->SetTimeFormat(10);
  EXPECT_EQ(Calls(), (CallList{{MCI_SET, MCI_NOTIFY | MCI_SET_TIME_FORMAT}}));
  EXPECT_EQ(At(0).fields.time_format, 10u);
  script().time_format = 0x10A;
  EXPECT_EQ(player->TimeFormat(), 10);

  driver.ClearLog();
  script().track_starts[3] = 0x1234;
  script().failures[MCI_STATUS] = MCIERR_HARDWARE;
  EXPECT_EQ(player->TrackStart(3), 0);
  EXPECT_EQ(player->LastError(), 0u);  // not recorded
  script().failures.clear();
  EXPECT_EQ(player->TrackStart(3), 0x1234);
  EXPECT_EQ(At(1).flags, MCI_WAIT | MCI_STATUS_ITEM | MCI_TRACK);
  EXPECT_EQ(At(1).fields.item, MCI_STATUS_POSITION);
  EXPECT_EQ(At(1).fields.track, 3u);
}

TEST_F(MediaPlayerTest, CloseSucceedsOrLeavesTheControlOpen) {
  OpenFile();
  script().failures[MCI_CLOSE] = MCIERR_DEVICE_LOCKED;
  player->Close();
  EXPECT_TRUE(player->DeviceOpen());
  EXPECT_EQ(player->LastError(), MCIERR_DEVICE_LOCKED);
  script().failures.clear();
  player->Close();
  EXPECT_EQ(Calls().back(), (Call{MCI_CLOSE, MCI_WAIT}));
  EXPECT_FALSE(player->DeviceOpen());
  EXPECT_EQ(player->MciDeviceId(), 0);
  EXPECT_EQ(player->AutoEnabledButtons(), TButtonSet{});
}

TEST_F(MediaPlayerTest, NotificationUpdatesTheBarAndFiresOnNotify) {
  OpenFile();
  int notified = 0;
  player->SetOnNotify([&](TMediaPlayer* sender) {
    EXPECT_EQ(sender, player.get());
    ++notified;
  });
  player->Play();
  EXPECT_EQ(notified, 0);
  driver.Advance(script().length);
  QCoreApplication::sendPostedEvents(player.get());
  EXPECT_EQ(notified, 1);
  EXPECT_TRUE(player->AutoEnabledButtons().Contains(TMPBtnType::btPlay));
  EXPECT_EQ(player->Position(), player->Length());
}

TEST_F(MediaPlayerTest, ExceptionInOnNotifyIsShownNotPropagated) {
  OpenFile();
  player->SetOnNotify([](TMediaPlayer*) { throw EMCIDeviceError("boom"); });
  player->Play();
  driver.FinishPlayback();
  QCoreApplication::sendPostedEvents(player.get());
  EXPECT_EQ(shown, std::vector<std::string>{"boom."});
}

TEST_F(MediaPlayerTest, DestructionClosesTheDevice) {
  OpenFile();
  const auto id = player->MciDeviceId();
  player.reset();
  ASSERT_FALSE(driver.Log().empty());
  EXPECT_EQ(driver.Log().back().command, MCI_CLOSE);
  EXPECT_EQ(driver.Log().back().device, id);
  EXPECT_EQ(DeviceTable::Instance().OpenCount(), 0u);
}

TEST_F(MediaPlayerTest, DisplayIsAppliedOnlyToVideoDevices) {
  auto display = std::make_unique<QWidget>();
  player->SetDisplay(display.get());
  EXPECT_EQ(player->Display(), display.get());
  OpenFile();  // no video: nothing sent for the display
  EXPECT_TRUE(driver.Log().empty());

  script().has_video = 1;
  player->SetFileName("c:\\v.avi");
  player->Open();
  auto found = std::find_if(driver.Log().begin(), driver.Log().end(),
                            [](const LoggedRequest& r) { return r.command == MCI_WINDOW; });
  ASSERT_NE(found, driver.Log().end());
  EXPECT_EQ(driver.Log().end() - found, 2) << "the display is applied after the capabilities";
  const auto& window_request = *found;
  EXPECT_EQ(window_request.command, MCI_WINDOW);
  EXPECT_EQ(window_request.flags, MCI_WAIT | MCI_ANIM_WINDOW_HWND);
  EXPECT_EQ(window_request.fields.window, static_cast<uintptr_t>(display->winId()));

  driver.ClearLog();
  display.reset();
  EXPECT_EQ(Calls(), (CallList{{MCI_WINDOW, MCI_WAIT | MCI_ANIM_WINDOW_HWND}}));
  EXPECT_EQ(At(0).fields.window, 0u);
  EXPECT_EQ(player->Display(), nullptr);

  script().failures[MCI_WINDOW] = MCIERR_NO_WINDOW;
  QWidget other;
  player->SetDisplay(&other);
  EXPECT_EQ(player->Display(), nullptr);
  EXPECT_EQ(player->LastError(), MCIERR_NO_WINDOW);
}

}  // namespace
}  // namespace qrv
