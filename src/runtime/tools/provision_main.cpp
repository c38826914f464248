// Prepares the player's data folder in the drive table of $QUORVIN_PREFIX: the folders, the
// background bitmaps and the help text. Existing files are never touched.
//   qrv_provision [HELP_TEXT]  takes the help text from HELP_TEXT (the installed copy) instead of
//                              the one built in.
#include <QFile>
#include <cstdio>

#include "provisioning.h"

int main(int argc, char** argv) {
  QFile help(QStringLiteral(":/data/helppro.txt"));
  if (argc > 1) {
    // A missing or unreadable copy is no reason to leave the user without help.
    QFile installed(QString::fromLocal8Bit(argv[1]));
    if (installed.open(QIODevice::ReadOnly)) {
      help.setFileName(installed.fileName());
    } else {
      std::fprintf(stderr, "qrv_provision: cannot read %s; using the built-in help text\n",
                   argv[1]);
    }
  }
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
