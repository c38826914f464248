// Feeds arbitrary bytes to the tag block decoder and to the file read and write paths, and checks
// what must hold for any input: fields within their widths and free of padding, a block that
// builds back to the same properties, and a write that only ever touches the last 128 bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz_support.h"
#include "tags/mp3_tag.h"

namespace {

using qrv::fuzz::Check;

std::string g_root;

void CheckField(const std::string& value, size_t width) {
  Check(value.size() <= width);
  Check(value.find('\0') == std::string::npos);
  Check(value.empty() || static_cast<uint8_t>(value.back()) > 0x20);
}

bool SameProperties(const qrv::Tmp3Tag& a, const qrv::Tmp3Tag& b) {
  return a.TagPresent() == b.TagPresent() && a.Title() == b.Title() && a.Artist() == b.Artist() &&
         a.Album() == b.Album() && a.Year() == b.Year() && a.Comment() == b.Comment() &&
         a.Track() == b.Track() && a.v1Tag() == b.v1Tag() && a.GenreID() == b.GenreID() &&
         a.Genre() == b.Genre();
}

std::string ReadAll(const std::string& host) {
  std::ifstream in(host, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_root = qrv::fuzz::MakePrefix("tags");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qrv::Tmp3Tag parsed;
  parsed.ParseBlock(data, size);
  Check(!parsed.TagModified());
  CheckField(parsed.Title(), 30);
  CheckField(parsed.Artist(), 30);
  CheckField(parsed.Album(), 30);
  CheckField(parsed.Year(), 4);
  CheckField(parsed.Comment(), parsed.v1Tag() ? 30 : 28);
  Check(parsed.GenreID() >= 0 && parsed.GenreID() <= 255);
  Check(parsed.Track() >= 0 && parsed.Track() <= 255);
  if (!parsed.TagPresent()) {
    Check(parsed.Title().empty() && parsed.GenreID() == 255 && parsed.Track() == 0);
  }

  // A present tag builds into a block that decodes to the very same properties.
  if (parsed.TagPresent()) {
    uint8_t block[128];
    parsed.BuildBlock(block, sizeof block);
    qrv::Tmp3Tag again;
    again.ParseBlock(block, sizeof block);
    Check(SameProperties(parsed, again));
  }

  // The file path must agree with the decoder on the last 128 bytes of the same bytes.
  const std::string host = g_root + "/drive_c/input.mp3";
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::ofstream(host, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
  qrv::Tmp3Tag from_file;
  from_file.ReadFromFile("c:\\input.mp3");
  qrv::Tmp3Tag from_tail;
  from_tail.ParseBlock(size >= 128 ? data + size - 128 : data, size);
  Check(from_file.TagPresent() == from_tail.TagPresent());
  Check(from_file.Title() == from_tail.Title() && from_file.GenreID() == from_tail.GenreID());

  // Writing keeps every byte before the block and grows the file only when it had no tag.
  from_file.SetTitle(std::string(reinterpret_cast<const char*>(data), size < 40 ? size : 40));
  from_file.WriteToFile("c:\\input.mp3");
  const std::string after = ReadAll(host);
  const size_t kept = from_file.TagPresent() ? size - 128 : size;
  Check(after.size() == kept + 128);
  Check(after.compare(0, kept, bytes, 0, kept) == 0);
  Check(after.compare(kept, 3, "TAG") == 0);
  return 0;
}
