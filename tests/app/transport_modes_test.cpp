// The transport's modes and the transitions between them, driven through the handlers on a
// scripted media device.
#include <QSignalSpy>
#include <functional>

#include "main_window_fixture.h"

namespace qrv::test {
namespace {

enum class Mode { Idle, PlayingArmed, PlayingNotArmed, Paused, Seek };

const char* Name(Mode mode) {
  switch (mode) {
    case Mode::Idle:
      return "idle";
    case Mode::PlayingArmed:
      return "playing, advance armed";
    case Mode::PlayingNotArmed:
      return "playing, advance not armed";
    case Mode::Paused:
      return "paused";
    case Mode::Seek:
      return "seek mode";
  }
  return "?";
}

TransportView Expected(Mode mode, const QString& pause_in_seek = QStringLiteral("Pause")) {
  switch (mode) {
    case Mode::Idle:
    case Mode::PlayingNotArmed:
      return {"Pause", "Seek", false, true, true, false};
    case Mode::PlayingArmed:
      return {"Pause", "Seek", false, true, true, true};
    case Mode::Paused:
      return {"Resume", "Seek", false, true, true, false};
    case Mode::Seek:
      return {pause_in_seek, "Resume", true, false, true, false};
  }
  return {};
}

enum class Event {
  ChooseItem,
  SkipBack,
  SkipForward,
  Previous,
  Next,
  Play,
  PauseButton,
  SeekButton,
  EndPoll
};

const char* Name(Event event) {
  switch (event) {
    case Event::ChooseItem:
      return "item chosen";
    case Event::SkipBack:
      return "<<";
    case Event::SkipForward:
      return ">>";
    case Event::Previous:
      return "previous";
    case Event::Next:
      return "next";
    case Event::Play:
      return "Play";
    case Event::PauseButton:
      return "pause1";
    case Event::SeekButton:
      return "seek1";
    case Event::EndPoll:
      return "end of medium at a poll";
  }
  return "?";
}

struct Transition {
  Mode from;
  Event event;
  Mode to;
  // The caption pause1 keeps in seek mode, when the transition ends there.
  const char* pause_in_seek = "Pause";
};

class TransportModes : public MainWindowTest, public ::testing::WithParamInterface<Transition> {
 protected:
  void Reach(Mode mode) {
    TForm1& f = Main();
    switch (mode) {
      case Mode::Idle:
        break;
      case Mode::PlayingArmed:
        Choose(1);
        break;
      case Mode::PlayingNotArmed:
        // A pause followed by "Play" plays on without arming the advance.
        Choose(1);
        f.pause1Click(f.pause1);
        f.DDMBitBtn6Click(f.DDMBitBtn6);
        break;
      case Mode::Paused:
        Choose(1);
        Driver().Advance(3000);
        f.pause1Click(f.pause1);
        break;
      case Mode::Seek:
        Choose(1);
        Driver().Advance(3000);
        f.seek1Click(f.seek1);
        break;
    }
    ASSERT_EQ(View(), Expected(mode)) << "setting up " << Name(mode);
  }

  void Fire(Event event) {
    TForm1& f = Main();
    switch (event) {
      case Event::ChooseItem:
        Choose(2);
        break;
      case Event::SkipBack:
        f.DDMBitBtn2Click(f.DDMBitBtn2);
        break;
      case Event::SkipForward:
        f.DDMBitBtn4Click(f.DDMBitBtn4);
        break;
      case Event::Previous:
        f.DDMBitBtn1Click(f.DDMBitBtn1);
        break;
      case Event::Next:
        f.DDMBitBtn5Click(f.DDMBitBtn5);
        break;
      case Event::Play:
        f.DDMBitBtn6Click(f.DDMBitBtn6);
        break;
      case Event::PauseButton:
        f.pause1Click(f.pause1);
        break;
      case Event::SeekButton:
        f.seek1Click(f.seek1);
        break;
      case Event::EndPoll:
        Driver().FinishPlayback();
        f.Timer2Timer(f.Timer2);
        break;
    }
  }
};

TEST_P(TransportModes, EventLeadsToTheExpectedMode) {
  const Transition& t = GetParam();
  StartProgram();
  Reach(t.from);
  TakeMessages();
  Fire(t.event);
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_EQ(View(), Expected(t.to, QString::fromLatin1(t.pause_in_seek)));
  if (t.to == Mode::PlayingArmed || t.to == Mode::PlayingNotArmed) {
    EXPECT_TRUE(DevicePlaying());
  }
  if (t.to == Mode::Paused) {
    EXPECT_EQ(Device().mode, mci::MCI_MODE_PAUSE);
  }
}

// Whoever mirrors the transport learns of each transition from the signal alone, and the
// readers say what the captions show.
TEST_P(TransportModes, EachTransitionIsAnnouncedAndReadBack) {
  const Transition& t = GetParam();
  StartProgram();
  Reach(t.from);
  QSignalSpy changed(&Main(), &TForm1::TransportChanged);
  Fire(t.event);
  EXPECT_GE(changed.count(), 1);
  EXPECT_EQ(Main().Paused(), t.to == Mode::Paused || QLatin1String(t.pause_in_seek) == "Resume");
  EXPECT_EQ(Main().InSeekMode(), t.to == Mode::Seek);
}

std::string TransitionName(const ::testing::TestParamInfo<Transition>& info) {
  std::string name = std::string(Name(info.param.from)) + " on " + Name(info.param.event);
  std::string clean;
  for (char c : name) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      clean += c;
    } else if (c == '<') {
      clean += "Back";
    } else if (c == '>') {
      clean += "Fwd";
    } else {
      clean += '_';
    }
  }
  return clean + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(
    AllTransitions, TransportModes,
    ::testing::Values(
        // An item chosen in the list plays it with the advance armed, from every mode.
        Transition{Mode::Idle, Event::ChooseItem, Mode::PlayingArmed},
        Transition{Mode::PlayingArmed, Event::ChooseItem, Mode::PlayingArmed},
        Transition{Mode::PlayingNotArmed, Event::ChooseItem, Mode::PlayingArmed},
        Transition{Mode::Paused, Event::ChooseItem, Mode::PlayingArmed},
        Transition{Mode::Seek, Event::ChooseItem, Mode::PlayingArmed},
        // Skipping arms the advance, even when it was off.
        Transition{Mode::PlayingArmed, Event::SkipBack, Mode::PlayingArmed},
        Transition{Mode::PlayingNotArmed, Event::SkipBack, Mode::PlayingArmed},
        Transition{Mode::Paused, Event::SkipBack, Mode::PlayingArmed},
        Transition{Mode::PlayingArmed, Event::SkipForward, Mode::PlayingArmed},
        Transition{Mode::PlayingNotArmed, Event::SkipForward, Mode::PlayingArmed},
        Transition{Mode::Paused, Event::SkipForward, Mode::PlayingArmed},
        // Previous and next leave the advance as it was.
        Transition{Mode::PlayingArmed, Event::Previous, Mode::PlayingArmed},
        Transition{Mode::PlayingNotArmed, Event::Previous, Mode::PlayingNotArmed},
        Transition{Mode::Paused, Event::Previous, Mode::PlayingNotArmed},
        Transition{Mode::PlayingArmed, Event::Next, Mode::PlayingArmed},
        Transition{Mode::PlayingNotArmed, Event::Next, Mode::PlayingNotArmed},
        Transition{Mode::Paused, Event::Next, Mode::PlayingNotArmed},
        // "Play" leaves the advance as it was.
        Transition{Mode::PlayingArmed, Event::Play, Mode::PlayingArmed},
        Transition{Mode::PlayingNotArmed, Event::Play, Mode::PlayingNotArmed},
        Transition{Mode::Paused, Event::Play, Mode::PlayingNotArmed},
        // Pause and resume.
        Transition{Mode::PlayingArmed, Event::PauseButton, Mode::Paused},
        Transition{Mode::PlayingNotArmed, Event::PauseButton, Mode::Paused},
        Transition{Mode::Paused, Event::PauseButton, Mode::PlayingArmed},
        // Seek mode keeps the pause caption it found, and leaving it re-arms the advance.
        Transition{Mode::PlayingArmed, Event::SeekButton, Mode::Seek},
        Transition{Mode::PlayingNotArmed, Event::SeekButton, Mode::Seek},
        Transition{Mode::Paused, Event::SeekButton, Mode::Seek, "Resume"},
        Transition{Mode::Seek, Event::SeekButton, Mode::PlayingArmed},
        // The end of a medium at a poll plays the next item, still armed.
        Transition{Mode::PlayingArmed, Event::EndPoll, Mode::PlayingArmed}),
    TransitionName);

}  // namespace
}  // namespace qrv::test
