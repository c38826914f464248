#include "main_background.h"

#include <QPointer>

#include "app/main_window.h"
#include "runtime/widgets/picture.h"

namespace qrv {
namespace {

// A guarded pointer, so that a replacement that goes away is simply forgotten.
QPointer<TImage>& Replacement() {
  static QPointer<TImage> image;
  return image;
}

}  // namespace

TImage* MainBackground() {
  if (TImage* image = Replacement()) return image;
  if (Form1) return Form1->back1;
  return nullptr;
}

void SetMainBackground(TImage* image) {
  Replacement() = image;
}

}  // namespace qrv
