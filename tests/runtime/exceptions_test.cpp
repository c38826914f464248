#include <gtest/gtest.h>

#include "runtime/application.h"
#include "runtime/guard.h"
#include "runtime/paths.h"

namespace qrv {
namespace {

TEST(MessageBoxText, AppendsFullStopOnlyAfterCharactersSortingAfterDot) {
  EXPECT_EQ(MessageBoxText("Stream read error"), "Stream read error.");
  EXPECT_EQ(MessageBoxText("Cannot open file c:\\a.mp3"), "Cannot open file c:\\a.mp3.");
  EXPECT_EQ(MessageBoxText("Done."), "Done.");
  EXPECT_EQ(MessageBoxText("Stop!"), "Stop!");
  EXPECT_EQ(MessageBoxText("I/O error 5"), "I/O error 5.");  // Digits sort after ".".
  EXPECT_EQ(MessageBoxText("List index out of bounds (3)"), "List index out of bounds (3)");
  EXPECT_EQ(MessageBoxText(""), "");
}

TEST(Exceptions, CarryTheSystemTexts) {
  EXPECT_EQ(EFOpenError("c:\\x").Message(), "Cannot open file c:\\x");
  EXPECT_EQ(EFCreateError("c:\\y").Message(), "Cannot create file c:\\y");
  EXPECT_EQ(EInOutError(2).Message(), "File not found");
  EXPECT_EQ(EInOutError(5).Message(), "File access denied");
  EXPECT_EQ(EInOutError(123).Message(), "Invalid filename");
  EXPECT_EQ(EInOutError(21).Message(), "I/O error 21");
  EXPECT_EQ(EConvertError::InvalidInteger("1x").Message(), "'1x' is not a valid integer value");
  EXPECT_EQ(EListError(-1).Message(), "List index out of bounds (-1)");
  EXPECT_EQ(EInvalidGraphic().Message(), "Bitmap image is not valid");
  // A "%s" inside an argument is not expanded again.
  EXPECT_EQ(FormatMessage("a %s b %d", {"%s", "7"}), "a %s b 7");
}

TEST(Guard, ShowsEscapedExceptionsWithTheTitleAndStopsTheHandler) {
  std::vector<std::pair<std::string, std::string>> shown;
  auto old = Application::Instance().SetPresenter(
      [&](const std::string& caption, const std::string& text) {
        shown.emplace_back(caption, text);
      });
  int steps = 0;
  Guard([&] {
    ++steps;
    throw EReadError();
    ++steps;  // Never reached.
  });
  auto slot = Guarded([&](int n) { steps += n; });
  slot(10);
  Application::Instance().SetPresenter(old);

  EXPECT_EQ(steps, 11);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].first, "Quorvin Pro");
  EXPECT_EQ(shown[0].second, "Stream read error.");
}

TEST(Paths, SplitNamesAndExtensions) {
  EXPECT_EQ(ExtractFileName("c:\\music\\a.mp3"), "a.mp3");
  EXPECT_EQ(ExtractFileName("c:a.mp3"), "a.mp3");
  EXPECT_EQ(ExtractFilePath("c:\\music\\a.mp3"), "c:\\music\\");
  EXPECT_EQ(ExtractFileExt("c:\\music\\a.b.mp3"), ".mp3");
  EXPECT_EQ(ExtractFileExt("c:\\a.b\\noext"), "");
  EXPECT_EQ(SelectedPath("d:\\", "x.wav"), "d:\\x.wav");
  EXPECT_EQ(SelectedPath("d:\\m", "x.wav"), "d:\\m\\x.wav");
  EXPECT_EQ(SelectedPath("d:\\m", ""), "");
}

}  // namespace
}  // namespace qrv
