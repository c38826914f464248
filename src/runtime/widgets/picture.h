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

  // Loads a picture from a Windows path ("c:\qrv30\start.bmp") as DecodePictureFile decodes
  // it. On failure the previous picture is kept.
  void LoadFromFile(const std::string& path);
  // Loads a picture from a Qt resource or host path, for the program's own artwork.
  void LoadFromResource(const QString& resource);

  QPixmap Picture() const;
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
  // The picture before its key colour was left out.
  QPixmap Unkeyed() const;

  // Null once a transparent picture has been drawn (when keyed_ holds all of it).
  QPixmap picture_;
  PictureFit fit_ = PictureFit::Natural;
  bool transparent_ = false;
  QPixmap keyed_;  // built when first drawn after a change
  QRgb key_ = 0;   // the colour left out of keyed_
};

}  // namespace qrv
