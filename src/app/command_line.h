#pragma once

#include <QByteArray>
#include <optional>

namespace qrv {

// What the command line asks for, read before any window exists.
struct CommandLine {
  // Set when the program is to end at once with this exit status (an unknown option).
  std::optional<int> exit_code;
  // The first file or folder named; empty when none. Only the first is used: the playlist is
  // one folder, and the file plays from it.
  QByteArray argument;
};

// Answers --help and --version on standard output, before anything touches the window system;
// gives the exit status when one of them was asked for.
std::optional<int> AnswerInfoOptions(int argc, const char* const* argv);

// Reads argv once Qt has taken its own options out. An unknown option is reported on standard
// error. "--" ends the options, so that a file name may begin with "-".
CommandLine ReadCommandLine(int argc, const char* const* argv);

}  // namespace qrv
