#include "directory_list_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "path_analysis.h"
#include "runtime/fs/directory.h"
#include "runtime/fs/drive_map.h"
#include "runtime/guard.h"
#include "runtime/paths.h"

namespace qrv {

namespace {

constexpr int kRole = Qt::UserRole + 1;  // The row's index into the entries.

// Draws a row's icon at its indentation and the name four pixels after it.
class FolderRowDelegate : public QStyledItemDelegate {
 public:
  FolderRowDelegate(QObject* parent, const FolderEntryModel* model)
      : QStyledItemDelegate(parent), model_(model) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const auto& entry = model_->Entries()[static_cast<size_t>(index.row())];
    const QPixmap icon = ListIconPixmap(entry.icon);
    const int icon_x = option.rect.left() + entry.indent;
    painter->drawPixmap(icon_x, option.rect.top() + (option.rect.height() - icon.height()) / 2,
                        icon);
    const QString text = index.data(Qt::DisplayRole).toString();
    const int text_x = icon_x + icon.width() + 4;
    const int text_width = option.fontMetrics.horizontalAdvance(text) + 4;
    const QRect text_rect(text_x - 2, option.rect.top(), text_width, option.rect.height());
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) painter->fillRect(text_rect, option.palette.brush(QPalette::Highlight));
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(text_rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {100, TDirectoryListBox::kItemHeight};
  }

 private:
  const FolderEntryModel* model_;
};

}  // namespace

std::vector<FolderEntry> BuildFolderEntries(const std::string& folder) {
  std::vector<FolderEntry> entries;
  // The root is everything up to and including the first backslash ("c:\").
  const size_t root_end = folder.find('\\');
  if (root_end == std::string::npos) return entries;
  std::string path = folder.substr(0, root_end + 1);
  std::vector<std::string> names;
  for (size_t start = root_end + 1; start < folder.size();) {
    size_t end = folder.find('\\', start);
    if (end == std::string::npos) end = folder.size();
    if (end > start) names.push_back(folder.substr(start, end - start));
    start = end + 1;
  }
  // Every volume of the drive table keeps letter case, so names are shown as stored.
  entries.push_back(
      {path, path, names.empty() ? ListIcon::CurrentFolder : ListIcon::OpenFolder, 2});
  for (size_t i = 0; i < names.size(); ++i) {
    path = JoinPath(path, names[i]);
    const bool current = i + 1 == names.size();
    entries.push_back({names[i], path, current ? ListIcon::CurrentFolder : ListIcon::OpenFolder,
                       4 * static_cast<int>(i + 1) + 2});
  }

  const int backslashes = static_cast<int>(std::count(folder.begin(), folder.end(), '\\'));
  std::vector<std::string> subfolders;
  fs::SearchFolder(
      folder, {"*"}, fs::EntryFilter::NormalFolders, fs::EntryDetail::KindOnly,
      [&subfolders](fs::DirEntry&& entry) { subfolders.push_back(std::move(entry.name)); });
  std::sort(subfolders.begin(), subfolders.end(),
            [](const std::string& a, const std::string& b) { return fs::NameLess(a, b); });
  for (auto& name : subfolders) {
    std::string sub_path = JoinPath(folder, name);
    entries.push_back(
        {std::move(name), std::move(sub_path), ListIcon::ClosedFolder, 4 * backslashes + 6});
  }
  return entries;
}

void FolderEntryModel::Reset(std::vector<FolderEntry> entries) {
  beginResetModel();
  entries_ = std::move(entries);
  endResetModel();
}

int FolderEntryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant FolderEntryModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(entries_.size())) return {};
  const auto& entry = entries_[static_cast<size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return QString::fromUtf8(entry.name.data(), static_cast<qsizetype>(entry.name.size()));
    case Qt::DecorationRole:
      return ListIconPixmap(entry.icon);
    case kRole:
      return index.row();
    default:
      return {};
  }
}

TDirectoryListBox::TDirectoryListBox(QWidget* parent)
    : QListView(parent), folder_(fs::GetCurrentDir()), model_(new FolderEntryModel(this)) {
  setModel(model_);
  setItemDelegate(new FolderRowDelegate(this, model_));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
}

void TDirectoryListBox::SetFolder(const std::string& folder) {
  // Lookups in the drive table ignore letter case, so names differing only in case are one folder.
  if (folder.empty() || SameTextIgnoringCase(folder, folder_)) return;
  const PathParts parts = AnalysePath(folder);
  if (parts.drive != 0 && parts.drive != Drive()) {
    // Switching drives starts from that drive's own current folder, without a notification.
    const std::string drive_folder = fs::GetDriveCurrentDir(parts.drive);
    if (fs::SetCurrentDir(drive_folder)) folder_ = fs::GetCurrentDir();
  } else if (fs::DirectoryExists(folder_)) {
    fs::SetCurrentDir(folder_);
  }
  if (fs::SetCurrentDir(parts.FolderPath())) folder_ = fs::GetCurrentDir();
  Rebuild();
  if (on_change_) on_change_();
}

void TDirectoryListBox::SetDrive(char letter) {
  if (letter == 0 || AsciiLowerChar(Drive()) == AsciiLowerChar(letter)) return;
  SetFolder(std::string(1, letter) + ":");
}

const std::vector<FolderEntry>& TDirectoryListBox::Entries() {
  if (!built_) Rebuild();
  return model_->Entries();
}

void TDirectoryListBox::OpenEntry(int row) {
  const auto& entries = Entries();
  if (row < 0 || row >= static_cast<int>(entries.size())) return;
  // Opening the current folder sets the folder it already has, which changes nothing.
  const std::string path = entries[static_cast<size_t>(row)].path;
  SetFolder(path);
}

void TDirectoryListBox::showEvent(QShowEvent* event) {
  QListView::showEvent(event);
  if (!built_) Rebuild();
}

void TDirectoryListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QListView::mouseDoubleClickEvent(event);
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && event->button() == Qt::LeftButton)
    Guard([this, row = index.row()] { OpenEntry(row); });
}

void TDirectoryListBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    const QModelIndex index = currentIndex();
    if (index.isValid()) Guard([this, row = index.row()] { OpenEntry(row); });
    event->accept();
    return;
  }
  QListView::keyPressEvent(event);
}

void TDirectoryListBox::Rebuild() {
  built_ = true;
  auto entries = BuildFolderEntries(folder_);
  int current = -1;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].icon == ListIcon::CurrentFolder) current = static_cast<int>(i);
  model_->Reset(std::move(entries));
  if (current >= 0) {
    const QModelIndex index = model_->index(current);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
  }
}

}  // namespace qrv
