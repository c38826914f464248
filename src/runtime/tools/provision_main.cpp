// Prepares the player's data folder in the drive table of $QUORVIN_PREFIX: the folders, the
// background bitmaps and the help text. Existing files are never touched.
#include <QFile>
#include <cstdio>

#include "provisioning.h"

int main() {
  QFile help(":/data/helppro.txt");
  if (!help.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "qrv_provision: the built-in help text is missing\n");
    return 2;
  }
  const QByteArray text = help.readAll();
  const auto report = qrv::provision::ProvisionDataFolder(
      std::string_view(text.constData(), static_cast<size_t>(text.size())));
  for (const auto& path : report.created) std::printf("created %s\n", path.c_str());
  for (const auto& path : report.failed)
    std::fprintf(stderr, "could not create %s\n", path.c_str());
  return report.failed.empty() ? 0 : 1;
}
