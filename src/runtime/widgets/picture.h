#pragma once

#include <QPixmap>
#include <QWidget>
#include <string>

namespace qrv {

enum class PictureFit { Natural, Stretch };

// A picture control: shows a bitmap or JPEG at its top-left corner, or stretched to the whole
// control. Where there is no picture the parent shows through.
class TImage : public QWidget {
  Q_OBJECT

 public:
  explicit TImage(QWidget* parent = nullptr);

  // Loads a picture from a Windows path ("c:\qrv30\start.bmp"). A missing or unreadable file
  // raises EFOpenError with the path; a file that is not a picture raises EInvalidGraphic. On
  // failure the previous picture is kept.
  void LoadFromFile(const std::string& path);
  // Loads a picture from a Qt resource or host path, for the program's own artwork.
  void LoadFromResource(const QString& resource);

  const QPixmap& Picture() const { return picture_; }
  void SetPicture(const QPixmap& picture);
  void Clear() { SetPicture(QPixmap()); }

  PictureFit Fit() const { return fit_; }
  void SetFit(PictureFit fit);

  // A transparent picture leaves out every pixel of the colour of its bottom-left pixel, so that
  // what lies beneath shows through there.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The picture as drawn: with the key colour left out when transparent.
  const QPixmap& Shown();

  QPixmap picture_;
  PictureFit fit_ = PictureFit::Natural;
  bool transparent_ = false;
  QPixmap keyed_;  // built when first drawn after a change
};

}  // namespace qrv
