#include "name_list_model.h"

#include <QPainter>

namespace qrv {

void NameListModel::Reset(std::vector<std::string> names) {
  beginResetModel();
  names_ = std::move(names);
  endResetModel();
}

void NameListModel::SetGlyph(const QPixmap& glyph) {
  glyph_ = glyph;
  if (!names_.empty()) emit dataChanged(index(0), index(static_cast<int>(names_.size()) - 1));
}

int NameListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(names_.size())) return {};
  const std::string& name = names_[static_cast<size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    case Qt::DecorationRole:
      return glyph_.isNull() ? QVariant() : QVariant(glyph_);
    default:
      return {};
  }
}

void PlainRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette& palette = option.palette;
  if (selected) painter->fillRect(option.rect, palette.brush(QPalette::Highlight));
  int x = option.rect.left() + left_;
  const QVariant glyph = index.data(Qt::DecorationRole);
  if (glyph.canConvert<QPixmap>()) {
    const QPixmap pixmap = glyph.value<QPixmap>();
    const int y = option.rect.top() + (option.rect.height() - pixmap.height()) / 2;
    painter->drawPixmap(x, y, pixmap);
    x += pixmap.width() + 2;
  }
  painter->setFont(option.font);
  painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  const QRect text_rect(x, option.rect.top(), option.rect.right() - x, option.rect.height());
  painter->drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  if (option.state & QStyle::State_HasFocus) {
    // A dotted frame marks the row that has the keyboard's attention, as in a native list.
    painter->setPen(
        QPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text), 1, Qt::DotLine));
    painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
  }
}

QSize PlainRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  const int height = row_height_ > 0 ? row_height_ : option.fontMetrics.height();
  return {option.rect.width() > 0 ? option.rect.width() : 100, height};
}

}  // namespace qrv
