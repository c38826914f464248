#pragma once

#include <string>
#include <vector>

#include "runtime/application.h"

namespace qrv::test {

// Records every error message box instead of showing it, for as long as it lives.
class RecordingPresenter {
 public:
  RecordingPresenter() {
    previous_ = Application::Instance().SetPresenter(
        [this](const std::string&, const std::string& text) { texts.push_back(text); });
  }
  ~RecordingPresenter() { Application::Instance().SetPresenter(previous_); }
  RecordingPresenter(const RecordingPresenter&) = delete;
  RecordingPresenter& operator=(const RecordingPresenter&) = delete;

  std::vector<std::string> texts;

 private:
  Application::Presenter previous_;
};

}  // namespace qrv::test
