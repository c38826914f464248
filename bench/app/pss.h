#pragma once

#include <QByteArray>
#include <QFile>

// Proportional set size in kilobytes, from the kernel's summary of the process's mappings.
inline long PssKilobytes() {
  QFile file(QStringLiteral("/proc/self/smaps_rollup"));
  if (!file.open(QIODevice::ReadOnly)) return -1;
  // Files under /proc report no size: read until the end rather than asking for it.
  for (const QByteArray& line : file.readAll().split('\n')) {
    if (line.startsWith("Pss:")) return line.mid(4).trimmed().split(' ').front().toLong();
  }
  return -1;
}
