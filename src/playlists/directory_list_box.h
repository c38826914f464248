#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <functional>
#include <string>
#include <vector>

#include "list_icons.h"

namespace qrv {

// One row of the folder tree.
struct FolderEntry {
  std::string name;  // As shown: "c:\" for the root, else the folder's name.
  std::string path;  // The folder the row opens.
  ListIcon icon;
  int indent;  // Pixels from the left edge to the icon.
};

// The rows of the folder tree: the drive root, the folders down to the current one, and the
// current folder's subfolders.
std::vector<FolderEntry> BuildFolderEntries(const std::string& folder);

class FolderEntryModel : public QAbstractListModel {
 public:
  explicit FolderEntryModel(QObject* parent) : QAbstractListModel(parent) {}
  void Reset(std::vector<FolderEntry> entries);
  const std::vector<FolderEntry>& Entries() const { return entries_; }
  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<FolderEntry> entries_;
};

// The folder tree list: the path of one folder from its drive root down, and its subfolders.
class TDirectoryListBox : public QListView {
 public:
  using Notify = std::function<void()>;

  // Every row is as high as the folder icons, whatever the font.
  static constexpr int kItemHeight = 16;

  explicit TDirectoryListBox(QWidget* parent = nullptr);

  const std::string& Folder() const { return folder_; }
  void SetFolder(const std::string& folder);
  // Switches to a drive's current folder.
  void SetDrive(char letter);
  char Drive() const { return folder_.empty() ? 0 : folder_[0]; }

  // The rows, built when first needed.
  const std::vector<FolderEntry>& Entries();
  // Opens a row, as a double-click or the Enter key does.
  void OpenEntry(int row);

  void SetOnChange(Notify handler) { on_change_ = std::move(handler); }

 protected:
  void showEvent(QShowEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Rebuild();

  std::string folder_;
  bool built_ = false;
  FolderEntryModel* model_;
  Notify on_change_;
};

}  // namespace qrv
