#include "engine/mci/formats/riff.h"

#include <cstring>

#include "runtime/fs/byte_order.h"
#include "runtime/fs/regular_file.h"

namespace qrv::mci {

RiffSource RiffFile(int fd) {
  return [fd](uint64_t offset, unsigned char* out, size_t count) {
    return fs::ReadAt(fd, static_cast<int64_t>(offset), out, count) == static_cast<int64_t>(count);
  };
}

RiffSource RiffBytes(const std::string& bytes) {
  return [&bytes](uint64_t offset, unsigned char* out, size_t count) {
    if (offset > bytes.size() || bytes.size() - offset < count) return false;
    std::memcpy(out, bytes.data() + offset, count);
    return true;
  };
}

std::string RiffForm(const RiffSource& read) {
  unsigned char head[12];
  if (!read(0, head, sizeof head) || std::memcmp(head, "RIFF", 4) != 0) return {};
  return std::string(reinterpret_cast<const char*>(head + 8), 4);
}

void WalkRiffChunks(const RiffSource& read, uint64_t size,
                    const std::function<bool(const RiffChunk&)>& visit) {
  uint64_t pos = 12;
  for (int walked = 0; pos + 8 <= size && walked < kMaxRiffChunks; ++walked) {
    unsigned char header[8];
    if (!read(pos, header, sizeof header)) return;
    RiffChunk chunk{std::string(reinterpret_cast<const char*>(header), 4), pos + 8,
                    fs::LittleEndian(header + 4, 4)};
    if (!visit(chunk)) return;
    pos = chunk.body + chunk.size + (chunk.size & 1);
  }
}

}  // namespace qrv::mci
