#include "temp_prefix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "runtime/fs/drive_map.h"

namespace qrv::test {

TempPrefix::TempPrefix()
    : previous_(qgetenv("QUORVIN_PREFIX")), had_previous_(qEnvironmentVariableIsSet("QUORVIN_PREFIX")) {
  QDir(dir_.path()).mkpath("drive_c");
  qputenv("QUORVIN_PREFIX", dir_.path().toLocal8Bit());
  fs::ResetState();
}

TempPrefix::~TempPrefix() {
  if (had_previous_) {
    qputenv("QUORVIN_PREFIX", previous_);
  } else {
    qunsetenv("QUORVIN_PREFIX");
  }
  fs::ResetState();
}

std::string TempPrefix::Root() const { return dir_.path().toStdString(); }

std::string TempPrefix::DriveC() const { return Root() + "/drive_c"; }

std::string TempPrefix::WriteFile(const std::string& relative, const std::string& bytes) const {
  const QString path = QString::fromStdString(DriveC() + "/" + relative);
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return path.toStdString();
}

std::string TempPrefix::ReadFile(const std::string& relative) const {
  QFile file(QString::fromStdString(DriveC() + "/" + relative));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

void TempPrefix::MakeDir(const std::string& relative) const {
  QDir().mkpath(QString::fromStdString(DriveC() + "/" + relative));
}

}  // namespace qrv::test
