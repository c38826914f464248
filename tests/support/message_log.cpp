#include "message_log.h"

namespace qrv::test {

MessageLog::MessageLog() {
  previous_ = Application::Instance().SetPresenter(
      [this](const std::string& caption, const std::string& text) {
        captions.push_back(caption);
        texts.push_back(text);
      });
}

MessageLog::~MessageLog() {
  Application::Instance().SetPresenter(previous_);
}

}  // namespace qrv::test
