#pragma once

#include <string>
#include <vector>

#include "runtime/application.h"

namespace qrv::test {

// Records every message box the program shows instead of showing it, for as long as it lives,
// and then hands the box back to whoever showed it before.
class MessageLog {
 public:
  MessageLog();
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  std::vector<std::string> texts;
  std::vector<std::string> captions;  // of the same boxes, in the same order

 private:
  Application::Presenter previous_;
};

}  // namespace qrv::test
