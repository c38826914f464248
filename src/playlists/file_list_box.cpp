#include "file_list_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "busy_cursor.h"
#include "list_icons.h"
#include "name_list_model.h"
#include "path_analysis.h"
#include "runtime/exceptions.h"
#include "runtime/fs/directory.h"
#include "runtime/fs/drive_map.h"
#include "runtime/guard.h"
#include "runtime/paths.h"

namespace qrv {

namespace {

// Counts one level of a nested scope for as long as it lives.
class DepthScope {
 public:
  explicit DepthScope(int& depth) : depth_(depth) { ++depth_; }
  ~DepthScope() { --depth_; }
  DepthScope(const DepthScope&) = delete;
  DepthScope& operator=(const DepthScope&) = delete;

 private:
  int& depth_;
};

// The hourglass appears once the entry at this position goes in.
constexpr size_t kBusyFromEntry = 100;

bool Listed(const fs::DirEntry& entry, const TFileType& type) {
  if (entry.is_directory) return type.directory;
  if (entry.hidden && !type.hidden) return false;
  if (entry.system && !type.system) return false;
  if (type.normal) return true;
  return (entry.read_only && type.read_only) || (entry.archive && type.archive) ||
         (entry.hidden && type.hidden) || (entry.system && type.system);
}

}  // namespace

TFileListBox::TFileListBox(QWidget* parent)
    : QListView(parent),
      folder_(fs::GetCurrentDir()),
      model_(new NameListModel(this)),
      delegate_(new PlainRowDelegate(this, 2)) {
  setModel(model_);
  setItemDelegate(delegate_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { SelectionChanged(); });
}

TFileListBox::~TFileListBox() = default;

void TFileListBox::SelectPath(const std::string& path) {
  if (path.empty()) return;
  // Before the first listing nothing is selected, so there is nothing to compare with.
  if (listed_ && SameTextIgnoringCase(path, SelectedPath())) return;

  const PathParts parts = AnalysePath(path);
  ChangeFolder(parts.FolderPath());
  if (HasWildcards(parts.file)) {
    SetMask(parts.file);
    return;
  }
  if (parts.file.empty() || SameTextIgnoringCase(parts.file, SelectedName())) return;
  SetItemIndex(FindName(parts.file));
  Change();
  if (CurrentRow() >= 0) return;
  // The mask hides the file: narrow the mask to that one file so that it shows, selected.
  SetMask(parts.file);
  SetItemIndex(FindName(parts.file));
  Change();
}

void TFileListBox::SetMask(const std::string& mask) {
  if (mask == mask_) return;
  mask_ = mask;
  if (listed_) ReadFileNames();
}

void TFileListBox::SetFileType(const TFileType& type) {
  if (type == file_type_) return;
  file_type_ = type;
  if (listed_) ReadFileNames();
}

void TFileListBox::SetShowGlyphs(bool show) {
  if (show == show_glyphs_) return;
  show_glyphs_ = show;
  model_->SetGlyph(show ? ListIconPixmap(ListIcon::Document) : QPixmap());
  viewport()->update();
}

void TFileListBox::SetItemHeight(int height) {
  delegate_->SetRowHeight(height);
  doItemsLayout();
}

int TFileListBox::ItemHeight() const {
  return delegate_->RowHeight();
}

int TFileListBox::ItemIndex() {
  EnsureListed();
  return CurrentRow();
}

void TFileListBox::SetItemIndex(int index) {
  EnsureListed();
  DepthScope program(program_depth_);
  if (index == CurrentRow()) return;
  if (index == -1) {
    selectionModel()->clearSelection();
    return;
  }
  if (index < -1 || index >= model_->rowCount()) return;
  const QModelIndex target = model_->index(index);
  selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
  scrollTo(target);
}

int TFileListBox::Count() {
  EnsureListed();
  return model_->rowCount();
}

std::string TFileListBox::Item(int index) {
  EnsureListed();
  if (index < 0 || index >= model_->rowCount()) throw EListError(index);
  return model_->Names()[static_cast<size_t>(index)];
}

std::string TFileListBox::SelectedName() {
  const int row = ItemIndex();
  return row < 0 ? std::string() : model_->Names()[static_cast<size_t>(row)];
}

std::string TFileListBox::SelectedPath() {
  return qrv::SelectedPath(folder_, SelectedName());
}

void TFileListBox::showEvent(QShowEvent* event) {
  QListView::showEvent(event);
  if (!listed_) Guard([this] { ReadFileNames(); });
}

void TFileListBox::mousePressEvent(QMouseEvent* event) {
  press_on_item_ = indexAt(event->position().toPoint()).isValid();
  if (!press_on_item_) {
    // A click below the last entry changes nothing, as in a native list box.
    setFocus(Qt::MouseFocusReason);
    event->accept();
    return;
  }
  DepthScope input(input_depth_);
  QListView::mousePressEvent(event);
}

void TFileListBox::mouseReleaseEvent(QMouseEvent* event) {
  {
    DepthScope input(input_depth_);
    QListView::mouseReleaseEvent(event);
  }
  const bool notify = press_on_item_ && event->button() == Qt::LeftButton;
  press_on_item_ = false;
  if (notify) Guard([this] { UserSelected(); });
}

void TFileListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  press_on_item_ = indexAt(event->position().toPoint()).isValid();
  {
    DepthScope input(input_depth_);
    QListView::mouseDoubleClickEvent(event);
  }
  if (press_on_item_ && event->button() == Qt::LeftButton && on_dbl_click_)
    Guard([this] { on_dbl_click_(); });
}

void TFileListBox::keyPressEvent(QKeyEvent* event) {
  const int before = CurrentRow();
  {
    DepthScope input(input_depth_);
    QListView::keyPressEvent(event);
  }
  const int after = CurrentRow();
  if (after != before && after >= 0) Guard([this] { UserSelected(); });
}

void TFileListBox::mouseMoveEvent(QMouseEvent* event) {
  // Dragging moves the selection; the release that ends the drag notifies once.
  DepthScope input(input_depth_);
  QListView::mouseMoveEvent(event);
}

QItemSelectionModel::SelectionFlags TFileListBox::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
  // The user can move the selection but never clear it, whatever the modifier keys.
  Q_UNUSED(event);
  if (!index.isValid()) return QItemSelectionModel::NoUpdate;
  return QItemSelectionModel::ClearAndSelect;
}

void TFileListBox::EnsureListed() {
  if (!listed_) ReadFileNames();
}

void TFileListBox::ReadFileNames() {
  listed_ = true;
  // Relative paths used later by the process then work in the listed folder.
  fs::SetCurrentDir(folder_);

  std::vector<std::string> names;
  {
    DepthScope program(program_depth_);
    model_->Reset({});
    BusyCursor busy;
    auto add = [&names, &busy](std::string&& name) {
      if (names.size() == kBusyFromEntry) busy.Start();
      names.push_back(std::move(name));
    };
    const auto pieces = fs::SplitMask(mask_);
    if (file_type_ == TFileType{}) {
      fs::SearchFolder(folder_, pieces, fs::EntryFilter::NormalFiles, fs::EntryDetail::KindOnly,
                       [&add](fs::DirEntry&& entry) { add(std::move(entry.name)); });
    } else {
      fs::SearchFolder(folder_, pieces, fs::EntryFilter::Everything, fs::EntryDetail::Full,
                       [&](fs::DirEntry&& entry) {
                         if (Listed(entry, file_type_)) add(std::move(entry.name));
                       });
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return fs::NameLess(a, b); });
    model_->Reset(std::move(names));
  }
  Change();
}

void TFileListBox::ChangeFolder(const std::string& folder) {
  if (SameTextIgnoringCase(folder, folder_)) return;
  // Relative paths are taken from the listed folder, and a folder that cannot be entered leaves
  // the process there, so the list stays where it was.
  if (fs::DirectoryExists(folder_)) fs::SetCurrentDir(folder_);
  fs::SetCurrentDir(folder);
  folder_ = fs::GetCurrentDir();
  if (listed_) ReadFileNames();
}

void TFileListBox::Change() {
  last_notified_ = CurrentRow();
  if (on_change_) on_change_();
}

void TFileListBox::UserSelected() {
  if (on_click_) on_click_();
  if (CurrentRow() != last_notified_) Change();
}

void TFileListBox::SelectionChanged() {
  if (program_depth_ > 0 || input_depth_ > 0 || CurrentRow() < 0) return;
  Guard([this] { UserSelected(); });
}

int TFileListBox::CurrentRow() const {
  if (!selectionModel()) return -1;
  const QModelIndexList rows = selectionModel()->selectedIndexes();
  return rows.isEmpty() ? -1 : rows.first().row();
}

int TFileListBox::FindName(const std::string& name) const {
  const auto& names = model_->Names();
  for (size_t i = 0; i < names.size(); ++i)
    if (SameTextIgnoringCase(names[i], name)) return static_cast<int>(i);
  return -1;
}

}  // namespace qrv
