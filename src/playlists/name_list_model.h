#pragma once

#include <QAbstractListModel>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <string>
#include <vector>

namespace qrv {

// The entries of a file list: 8-bit names, turned into text only when a row is drawn or read, so
// that a listing of a hundred thousand files costs no more than the names themselves.
class NameListModel : public QAbstractListModel {
 public:
  explicit NameListModel(QObject* parent) : QAbstractListModel(parent) {}

  void Reset(std::vector<std::string> names);
  const std::vector<std::string>& Names() const { return names_; }
  // A picture shown before every name, or none.
  void SetGlyph(const QPixmap& glyph);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<std::string> names_;
  QPixmap glyph_;
};

// Draws a row as plain text a fixed distance from the left edge, after an optional picture, in
// the view's font and colours.
class PlainRowDelegate : public QStyledItemDelegate {
 public:
  PlainRowDelegate(QObject* parent, int text_left)
      : QStyledItemDelegate(parent), left_(text_left) {}
  void SetRowHeight(int height) { row_height_ = height; }
  int RowHeight() const { return row_height_; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int left_;
  int row_height_ = 0;  // 0: the font's height.
};

}  // namespace qrv
