#pragma once
// FrmSorvane: the program's working window. The user picks a point file in the drive,
// directory and file lists, checks or edits the DXF path, converts, and leaves.

#include "selection/file_selection.h"
#include "selection/selection_controls.h"

#include <QMainWindow>

#include <memory>
#include <string>

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

class FrmSorvane : public QMainWindow, private SelectionControls {
  Q_OBJECT

 public:
  // The lists start on the process's current folder, which the window never changes,
  // so conversions always find the template where the program was started.
  explicit FrmSorvane(ProgramEnd& programEnd);
  ~FrmSorvane() override;

  const std::string& InPath() const { return selection_.InPath(); }
  const std::string& OutPath() const { return selection_.OutPath(); }

 private:
  void Drv1_Change() { selection_.Drv1_Change(); }
  void Dir1_Change() { selection_.Dir1_Change(); }
  void Fil1_Click() { selection_.Fil1_Click(); }
  void Txt2_Change() { selection_.Txt2_Change(); }
  void Cmd1_Click();
  void Cmd2_Click();
  void mnuEnd_Click();
  void mnuAbout_Click();

  void PlaceControls();
  void CreateMenus();
  void ConnectProcedures();

  std::string Drive() const override;
  std::string DirPath() const override;
  std::string FileListPath() const override;
  bool MoveDirList(const std::string& path) override;
  bool MoveFileList(const std::string& path) override;
  void ShowDriveOf(const std::string& path) override;
  std::optional<std::string> SelectedFileName() const override;
  void SetInputText(const std::string& text) override;
  void SetOutputText(const std::string& text) override;
  std::string OutputText() const override;
  void TellCannotOpenFolder() override;

  ProgramEnd& programEnd_;
  FileSelection selection_;
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
