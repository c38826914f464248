// The play time's separator comes from the user's regional settings. The settings are read once
// per process, so each one is tried in a fresh run of this test program.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <iostream>

#include "app/time_display.h"

namespace qrv {
namespace {

constexpr char kChildFlag[] = "QRV_PRINT_TIME_SEPARATOR";

QString SeparatorUnder(const QString& locale) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("LC_ALL"), locale);
  env.insert(QStringLiteral("LANG"), locale);
  env.insert(QString::fromLatin1(kChildFlag), QStringLiteral("1"));
  QProcess child;
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=TimeSeparator.FollowsTheRegionalSettings")});
  if (!child.waitForFinished(60000)) return QStringLiteral("(no answer)");
  const QString out = QString::fromUtf8(child.readAllStandardOutput());
  const qsizetype at = out.indexOf(QStringLiteral("separator["));
  if (at < 0) return QStringLiteral("(nothing printed)");
  return out.mid(at + 10, out.indexOf(QLatin1Char(']'), at + 10) - at - 10);
}

TEST(TimeSeparator, FollowsTheRegionalSettings) {
  if (qEnvironmentVariableIsSet(kChildFlag)) {
    std::cout << "separator[" << SystemTimeSeparator().toStdString() << "]" << std::endl;
    return;
  }
  const std::pair<const char*, const char*> regions[] = {
      {"en_US.UTF-8", ":"}, {"de_DE.UTF-8", ":"}, {"fi_FI.UTF-8", "."}, {"da_DK.UTF-8", "."}};
  for (const auto& [locale, separator] : regions) {
    EXPECT_EQ(SeparatorUnder(QString::fromLatin1(locale)), QString::fromLatin1(separator))
        << locale;
  }
  EXPECT_EQ(FormatPlayTime(3723000, QStringLiteral(".")), QStringLiteral("01.02.03"));
}

}  // namespace
}  // namespace qrv
