#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QPainter;

namespace qrv {

// A list of equally sized pictures that actions refer to by index. Every change is announced
// through Changed so that controls showing one of the pictures can refresh.
class TImageList : public QObject {
  Q_OBJECT
 public:
  TImageList(int width, int height, QObject* parent = nullptr);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds a picture, cropped or padded to the list's size; gives its index.
  int Add(const QImage& image);
  void Replace(int index, const QImage& image);
  void Delete(int index);
  void Clear();
  // The picture at index; an empty image for an index outside the list.
  QImage Image(int index) const;
  // Draws one picture with its top-left corner at (x, y). The disabled look is a lighter gray
  // copy, as lists draw pictures of disabled commands.
  void Draw(QPainter& painter, int x, int y, int index, bool enabled = true) const;

 signals:
  void Changed();

 private:
  QImage Fit(const QImage& image) const;
  int width_;
  int height_;
  std::vector<QImage> images_;
};

// The owner of a set of actions and of the image list they take pictures from.
class TActionList : public QObject {
  Q_OBJECT
 public:
  explicit TActionList(QObject* parent = nullptr);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);

 signals:
  void ImagesChanged();

 private:
  QPointer<TImageList> images_;
};

// A command shared by controls: its caption, enabled state, visibility, hint and picture are
// copied into every linked control whenever they change, and a click on a linked control
// executes it.
class TAction : public QObject {
  Q_OBJECT
 public:
  explicit TAction(TActionList* list = nullptr);

  TActionList* ActionList() const { return list_; }
  void SetActionList(TActionList* list);
  // The image list of the action list, if any.
  TImageList* Images() const { return list_ ? list_->Images() : nullptr; }

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  const QString& Hint() const { return hint_; }
  void SetHint(const QString& hint);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);

  using Handler = std::function<void(QObject* sender)>;
  void SetOnExecute(Handler handler) { on_execute_ = std::move(handler); }
  bool HasOnExecute() const { return static_cast<bool>(on_execute_); }
  // Runs OnExecute with the action as sender; false when there is none or the action is disabled.
  bool Execute();

 signals:
  // Any property changed; linked controls copy the properties again.
  void Changed();
  // The picture index changed; announced before Changed.
  void ImageIndexChanged(int index);

 private:
  QPointer<TActionList> list_;
  QString caption_;
  bool enabled_ = true;
  bool visible_ = true;
  QString hint_;
  int image_index_ = -1;
  Handler on_execute_;
};

}  // namespace qrv
