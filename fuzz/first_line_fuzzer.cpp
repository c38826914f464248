// Feeds arbitrary bytes to the reader of the playlist files ("last.lst", "*.pm3") and checks it
// against the format: the first line is everything up to the first CR or LF, bounded in length;
// and a line written by the atomic writer always reads back as itself.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "runtime/fs/text_file.h"

namespace {

using qrv::fuzz::Check;

std::string g_root;
constexpr size_t kMaxLineBytes = 1 << 20;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_root = qrv::fuzz::MakePrefix("lines");
  std::filesystem::create_directories(g_root + "/drive_c/qrv30");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string host = g_root + "/drive_c/qrv30/last.lst";
  std::ofstream(host, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());

  std::string expected = bytes.substr(0, bytes.find_first_of("\r\n"));
  if (expected.size() > kMaxLineBytes) expected.resize(kMaxLineBytes);
  const std::string line = qrv::ReadFirstLine("c:\\qrv30\\last.lst");
  Check(line == expected);

  // What the writer stores, the reader gives back unchanged.
  qrv::WriteTextLine("c:\\qrv30\\last.lst", line);
  Check(qrv::ReadFirstLine("c:\\qrv30\\last.lst") == line);
  return 0;
}
