#include "start_up.h"

#include <optional>

#include "engine/mci/gst/warm_up.h"
#include "main_window.h"
#include "playlists/forms/first_run_window.h"
#include "playlists/forms/new_playlist_window.h"
#include "playlists/forms/open_file_window.h"
#include "playlists/forms/open_playlist_window.h"
#include "playlists/forms/save_playlist_window.h"
#include "runtime/application.h"
#include "tags/forms/audio_editor_window.h"
#include "windows/about_window.h"
#include "windows/background_window.h"
#include "windows/cd_player_window.h"
#include "windows/help_window.h"

namespace qrv {

// Members are destroyed in reverse order of declaration, so the main window, declared first,
// goes last and the windows that refer to it go before it.
struct ApplicationWindows::Windows {
  // Started once every window exists, and joined after they are all gone.
  std::optional<mci::SoundEngineWarmUp> warm_up;
  std::unique_ptr<TForm1> form1;
  std::unique_ptr<TForm2> form2;
  std::unique_ptr<TForm3> form3;
  std::unique_ptr<TForm4> form4;
  std::unique_ptr<TForm5> form5;
  std::unique_ptr<TForm6> form6;
  std::unique_ptr<TForm7> form7;
  std::unique_ptr<TForm8> form8;
  std::unique_ptr<TForm9> form9;
  std::unique_ptr<Tmp3tools> mp3tools;
  std::unique_ptr<Tcdplayer> cdplayer;
};

namespace {

// Creates one window and publishes it through its global instance at once, so that windows
// created later (and handlers run meanwhile) can reach it.
template <typename T>
void Create(std::unique_ptr<T>& holder, T*& global) {
  holder = std::make_unique<T>();
  global = holder.get();
}

template <typename T>
void Destroy(std::unique_ptr<T>& holder, T*& global) {
  global = nullptr;
  holder.reset();
}

}  // namespace

ApplicationWindows::ApplicationWindows() : windows_(std::make_unique<Windows>()) {
  Application::Instance().SetTitle("Quorvin Pro");
  Windows& w = *windows_;
  Create(w.form1, Form1);
  // Only the main window is visible from its creation; its show handler runs now, before any
  // other window exists. Its map goes to the display at once, so that the window manager frames
  // and maps it while the hidden windows are built; no message is handled in between, so nothing
  // can reach a window not yet made.
  Form1->Show();
  Application::FlushDisplay();
  Create(w.form2, Form2);
  Create(w.form3, Form3);
  Create(w.form4, Form4);
  Create(w.form5, Form5);
  Create(w.form6, Form6);
  Create(w.form7, Form7);
  Create(w.form8, Form8);
  Create(w.form9, Form9);
  Create(w.mp3tools, mp3tools);
  Create(w.cdplayer, cdplayer);
  // The sound engine is readied beside the first paint rather than at the first Open, where it
  // would delay the first sound; nothing waits for it here.
  w.warm_up.emplace();
}

ApplicationWindows::~ApplicationWindows() {
  Windows& w = *windows_;
  Destroy(w.cdplayer, cdplayer);
  Destroy(w.mp3tools, mp3tools);
  Destroy(w.form9, Form9);
  Destroy(w.form8, Form8);
  Destroy(w.form7, Form7);
  Destroy(w.form6, Form6);
  Destroy(w.form5, Form5);
  Destroy(w.form4, Form4);
  Destroy(w.form3, Form3);
  Destroy(w.form2, Form2);
  Destroy(w.form1, Form1);
}

TForm1& ApplicationWindows::MainForm() const {
  return *windows_->form1;
}

}  // namespace qrv
