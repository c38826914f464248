#include "command_line.h"

#include <cstdio>
#include <cstring>

namespace qrv {
namespace {

constexpr const char* kUsage =
    "Usage: quorvin [OPTION]... [FILE | FOLDER]...\n"
    "Quorvin Pro, a small audio player that plays the music of a folder.\n"
    "\n"
    "With a file, the playlist moves to the file's folder and the file plays; with a folder,\n"
    "that folder becomes the playlist. Only the first one named is used. A file may be given as\n"
    "a Linux path, a file:// URI or a drive path such as 'z:\\music\\a.mp3'. When the player is\n"
    "already running in this session, it is handed the file and raises its window instead.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "Files:\n"
    "  The drive table lives in $QUORVIN_PREFIX (default ~/.quorvin): drive c: is\n"
    "  drive_c/, dosdevices/x: links drive x:, and z: is / unless linked. The data folder is\n"
    "  c:\\qrv30 (~/.quorvin/drive_c/qrv30): last.lst, playlists/, backgrounds/, start.bmp,\n"
    "  helppro.txt.\n"
    "\n"
    "Environment:\n"
    "  QUORVIN_PREFIX      the folder of the drive table (default ~/.quorvin)\n"
    "  QUORVIN_AUDIO_SINK  GStreamer sink description for the sound output\n"
    "  QUORVIN_CDROM       CD drive device or disc image for the CD player\n";

constexpr const char* kVersion =
    "quorvin (Quorvin Pro) 3.0\n"
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

}  // namespace

std::optional<int> AnswerInfoOptions(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--") == 0) break;
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(arg, "--version") == 0) {
      std::fputs(kVersion, stdout);
      return 0;
    }
  }
  return std::nullopt;
}

CommandLine ReadCommandLine(int argc, const char* const* argv) {
  CommandLine result;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (options && std::strcmp(arg, "--") == 0) {
      options = false;
      continue;
    }
    if (options && arg[0] == '-' && arg[1] != '\0') {
      std::fprintf(stderr, "quorvin: unknown option '%s'\nTry 'quorvin --help'.\n", arg);
      result.exit_code = 2;
      return result;
    }
    if (result.argument.isEmpty()) result.argument = QByteArray(arg);
  }
  return result;
}

}  // namespace qrv
