#include "runtime/fonts.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QStringList>

namespace qrv {
namespace {

TEST(PixelFont, MapsWindowsFacesOntoInstalledLinuxFonts) {
  const QFont sans = PixelFont("MS Sans Serif", 11, FontWeight::kBold);
  EXPECT_EQ(sans.pixelSize(), 11);
  EXPECT_TRUE(sans.bold());
  EXPECT_FALSE(sans.italic());
  const QString family = QFontInfo(sans).family();
  EXPECT_TRUE(family == "Liberation Sans" || family == "Arimo" || family == "DejaVu Sans")
      << family.toStdString();

  const QFont mono = PixelFont("Lucida Console", 12, FontWeight::kRegular, FontSlant::kItalic);
  EXPECT_TRUE(mono.italic());
  EXPECT_TRUE(QFontInfo(mono).fixedPitch());
  EXPECT_TRUE(
      QFont::substitutes("Times New Roman").contains("Liberation Serif", Qt::CaseInsensitive));
}

}  // namespace
}  // namespace qrv
