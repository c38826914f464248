#include "drive_combo_box.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include "left_button_only.h"
#include "runtime/fs/drive_map.h"
#include "runtime/fs/volumes.h"
#include "runtime/guard.h"

namespace qrv {

namespace {

// Draws an entry with its icon two pixels from the left and its text six pixels after the icon,
// both centred vertically.
void DrawEntry(QPainter& painter, const QRect& rect, const QPixmap& icon, const QString& text,
               const QColor& color) {
  painter.drawPixmap(rect.left() + 2, rect.top() + (rect.height() - icon.height()) / 2, icon);
  painter.setPen(color);
  const QRect text_rect = rect.adjusted(icon.width() + 6, 0, 0, 0);
  painter.drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

class DriveRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
    painter->setFont(option.font);
    DrawEntry(*painter, option.rect, index.data(Qt::DecorationRole).value<QPixmap>(),
              index.data(Qt::DisplayRole).toString(),
              option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QString text = index.data(Qt::DisplayRole).toString();
    return {option.fontMetrics.horizontalAdvance(text) + 16 + 10,
            std::max(option.fontMetrics.height(), 16) + 2};
  }
};

std::string Lower(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
      .toLower()
      .toStdString();
}

std::string Upper(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
      .toUpper()
      .toStdString();
}

}  // namespace

std::vector<DriveEntry> BuildDriveEntries(TTextCase text_case) {
  std::vector<DriveEntry> entries;
  for (const auto& drive : fs::Drives()) {
    const fs::DriveKind kind = fs::GetDriveKind(drive.letter);
    const std::string letter(1, drive.letter);
    std::string text;
    ListIcon icon = ListIcon::Hard;
    switch (kind) {
      case fs::DriveKind::NoDrive:
        continue;  // Other kinds of drive are not listed.
      case fs::DriveKind::Removable:
        // Removable media may be absent; their labels are never read.
        text = letter + ":";
        icon = ListIcon::Floppy;
        break;
      case fs::DriveKind::Network: {
        const auto remote = fs::RemoteName(drive.letter);
        text = letter + ": " + (remote ? *remote : "[" + fs::VolumeLabel(drive.letter) + "]");
        icon = ListIcon::Network;
        break;
      }
      case fs::DriveKind::Fixed:
      case fs::DriveKind::CdRom:
      case fs::DriveKind::RamDisk:
        text = letter + ": [" + fs::VolumeLabel(drive.letter) + "]";
        icon = kind == fs::DriveKind::Fixed   ? ListIcon::Hard
               : kind == fs::DriveKind::CdRom ? ListIcon::CdRom
                                              : ListIcon::Ram;
        break;
    }
    entries.push_back(
        {drive.letter, text_case == TTextCase::tcLowerCase ? Lower(text) : Upper(text), icon});
  }
  return entries;
}

TDriveComboBox::TDriveComboBox(QWidget* parent) : QComboBox(parent) {
  const std::string current = fs::GetCurrentDir();
  if (current.size() >= 2 && current[1] == ':') drive_ = static_cast<char>(current[0] | 0x20);
  setItemDelegate(new DriveRowDelegate(this));
  // The drop-down list chooses on any button's release unless told otherwise.
  LeftButtonOnly::InstallOn(view()->viewport());
  // Every change of entry that the program did not make is the user's: a click in the list, a
  // key on the closed box, or a screen reader.
  connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!setting_) UserChose(index);
  });
}

void TDriveComboBox::SetDrive(char letter) {
  if (letter != 0) letter = static_cast<char>(letter | 0x20);
  if (currentIndex() >= 0 && letter == drive_) return;
  drive_ = letter;
  int found = -1;
  for (int i = 0; i < count() && letter != 0; ++i) {
    const QString text = itemText(i);
    if (text.size() >= 2 && text[0].toLower() == QChar(letter) && text[1] == QChar(':')) {
      found = i;
      break;
    }
  }
  setting_ = true;
  setCurrentIndex(found);
  setting_ = false;
  if (on_change_) on_change_();
}

void TDriveComboBox::SetTextCase(TTextCase text_case) {
  if (text_case == text_case_) return;
  text_case_ = text_case;
  if (built_) BuildEntries();
}

void TDriveComboBox::showEvent(QShowEvent* event) {
  QComboBox::showEvent(event);
  if (built_) return;
  Guard([this] {
    BuildEntries();
    SetDrive(drive_);
  });
}

void TDriveComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  option.currentIcon = QIcon();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const int index = currentIndex();
  if (index < 0) return;
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  DrawEntry(painter, field, itemData(index, Qt::DecorationRole).value<QPixmap>(), itemText(index),
            palette().color(QPalette::Text));
}

void TDriveComboBox::BuildEntries() {
  built_ = true;
  const QSignalBlocker block(this);
  clear();
  for (const auto& entry : BuildDriveEntries(text_case_)) {
    addItem(QString::fromStdString(entry.text), QVariant(entry.letter));
    // The picture goes in as a pixmap so that it is drawn at its own size.
    setItemData(count() - 1, ListIconPixmap(entry.icon), Qt::DecorationRole);
  }
  setCurrentIndex(-1);
}

void TDriveComboBox::UserChose(int index) {
  if (index < 0) return;
  const QString text = itemText(index);
  if (text.isEmpty()) return;
  // The entry's first character is its drive letter.
  Guard([this, letter = text[0].toLatin1()] { SetDrive(letter); });
}

}  // namespace qrv
