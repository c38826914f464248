#pragma once

#include <QListView>
#include <functional>
#include <string>

namespace qrv {

class NameListModel;
class PlainRowDelegate;

// Which directory entries a folder file list shows. The default lists normal files: read-only and
// archived ones too, but no hidden or system files, folders or volume labels.
struct TFileType {
  bool read_only = true;
  bool hidden = false;
  bool system = false;
  bool volume_id = false;
  bool directory = false;
  bool archive = true;
  bool normal = true;
  bool operator==(const TFileType&) const = default;
};

// The folder file list: the files of one folder that match a mask, in case-insensitive name
// order, at most one of them selected.
class TFileListBox : public QListView {
 public:
  using Notify = std::function<void()>;

  explicit TFileListBox(QWidget* parent = nullptr);
  ~TFileListBox() override;

  // Points the list at a folder, and optionally at a mask or a file of it.
  void SelectPath(const std::string& path);

  const std::string& Folder() const { return folder_; }
  const std::string& Mask() const { return mask_; }
  void SetMask(const std::string& mask);
  const TFileType& FileType() const { return file_type_; }
  void SetFileType(const TFileType& type);
  bool ShowGlyphs() const { return show_glyphs_; }
  void SetShowGlyphs(bool show);
  // Rows are this many pixels high; 0 follows the font.
  void SetItemHeight(int height);
  // The height of a row as set; 0 while rows follow the font.
  int ItemHeight() const;

  // Reading the entries or the selection lists the folder if that has not happened yet.
  int ItemIndex();
  void SetItemIndex(int index);
  int Count();
  std::string Item(int index);
  std::string SelectedName();
  std::string SelectedPath();

  void SetOnClick(Notify handler) { on_click_ = std::move(handler); }
  void SetOnChange(Notify handler) { on_change_ = std::move(handler); }
  void SetOnDblClick(Notify handler) { on_dbl_click_ = std::move(handler); }

 protected:
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

 private:
  void EnsureListed();
  void ReadFileNames();
  void ChangeFolder(const std::string& folder);
  void Change();
  void UserSelected();
  void SelectionChanged();
  int CurrentRow() const;
  int FindName(const std::string& name) const;

  std::string folder_;
  std::string mask_ = "*.*";
  TFileType file_type_;
  bool show_glyphs_ = false;
  bool listed_ = false;
  bool press_on_item_ = false;
  // Selection changes made while either count is above zero come from the program or from input
  // events that notify by themselves; any other change (a screen reader) is the user's.
  int program_depth_ = 0;
  int input_depth_ = 0;
  int last_notified_ = -1;
  NameListModel* model_;
  PlainRowDelegate* delegate_;
  Notify on_click_;
  Notify on_change_;
  Notify on_dbl_click_;
};

}  // namespace qrv
