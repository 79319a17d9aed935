#pragma once
// FrmSorvane: the program's working window, on Qt Widgets. The user picks a point file
// in the drive, directory and file lists (or drops one on the window), checks or edits
// the DXF path, converts, and leaves. What each of these does is MainWindow's; the
// window shows it, and tells it when the folder shown or the volumes mounted change.

#include "selection/main_window.h"
#include "selection/main_window_view.h"

#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace sorvane {

class DirListBox;
class DriveListBox;
class FileListBox;
class FrmAbout;
class ProgramEnd;

class FrmSorvane : public QMainWindow, private MainWindowView {
  Q_OBJECT

 public:
  explicit FrmSorvane(ProgramEnd& programEnd);
  ~FrmSorvane() override;

  const std::string& InPath() const noexcept { return logic_->InPath(); }
  const std::string& OutPath() const noexcept { return logic_->OutPath(); }
  // Paths named on the command line.
  void OpenFromOutside(const std::vector<std::string>& paths) { logic_->OpenFromOutside(paths); }

 protected:
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void PlaceControls();
  void CreateMenus();
  void ConnectProcedures();
  void mnuAbout_Click();

  void SelectDrive(int index) override;
  void ShowPaths(std::string_view inPath, std::string_view outPath) override;
  void ShowWaitCursor() override;
  void EndWaitCursor() noexcept override;
  void Tell(std::string_view message) override;
  void WatchFolder(const std::string& folder) override;
  // Notes a change on disk, of the mounted volumes too when `drives`, and has the
  // lists refreshed kRefreshDelay later.
  void RefreshSoon(bool drives);

  QFileSystemWatcher folderWatch_;
  QTimer refreshTimer_;
  // What was dropped, opened once the drop is over.
  QTimer openDropped_;
  std::vector<std::string> dropped_;
  // Made once the controls exist, which it fills.
  std::optional<MainWindow> logic_;
  std::unique_ptr<FrmAbout> about_;

  DriveListBox* Drv1;
  DirListBox* Dir1;
  FileListBox* Fil1;
  QLabel* Lbl1;
  QLineEdit* Txt1;
  QFrame* Line1;
  QLabel* Lbl2;
  QLineEdit* Txt2;
  QPushButton* Cmd1;
  QPushButton* Cmd2;
  QMenu* mnuFile;
  QAction* mnuEnd;
  QMenu* mnuHelp;
  QAction* mnuAbout;
};

}  // namespace sorvane
