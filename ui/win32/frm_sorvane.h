#pragma once
// FrmSorvane: the program's working window, of the platform's own controls. The user
// picks a point file in the drive, directory and file lists, checks or edits the DXF
// path, converts, and leaves.

#include "runtime/program_end.h"
#include "selection/file_selection.h"
#include "selection/selection_controls.h"
#include "ui/win32/base_window.h"
#include "ui/win32/dir_list_box.h"
#include "ui/win32/drive_list_box.h"
#include "ui/win32/file_list_box.h"
#include "ui/win32/message_boxes.h"
#include "ui/win32/win32_design.h"

#include <memory>
#include <string>

namespace sorvane::win32 {

inline constexpr wchar_t kMainWindowClass[] = L"SorvaneFrmSorvane";

class FrmSorvane final : public BaseWindow, private SelectionControls {
 public:
  // Creates the window, not yet shown. The lists start on the process's current
  // folder, which the window never changes, so conversions always find the template
  // where the program was started. Throws std::runtime_error when the system refuses
  // to create it.
  FrmSorvane(ProgramEnd& programEnd, MessageBoxes& messageBoxes);

  // Shows the window with the focus on the drive list.
  void Show(int showCommand);

  const std::string& InPath() const { return selection_.InPath(); }
  const std::string& OutPath() const { return selection_.OutPath(); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  void OnCommand(int id, WORD notification);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnActivate(bool active);
  void CreateControls(UINT dpi);
  void CreateMenus();
  void LayOut(UINT dpi);

  void Drv1_Change() { selection_.Drv1_Change(); }
  void Dir1_Change() { selection_.Dir1_Change(); }
  void Fil1_Click() { selection_.Fil1_Click(); }
  void Txt2_Change() { selection_.Txt2_Change(); }
  void Cmd1_Click();
  void Cmd2_Click();
  void mnuEnd_Click();
  void mnuAbout_Click();
  void OpenSelectedFolder();

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
  MessageBoxes& messageBoxes_;
  FileSelection selection_;
  std::unique_ptr<CaptionFont> font_;
  HWND focusWhenInactive_ = nullptr;

  std::unique_ptr<DriveListBox> Drv1;
  std::unique_ptr<DirListBox> Dir1;
  std::unique_ptr<FileListBox> Fil1;
  HWND Lbl1 = nullptr;
  HWND Txt1 = nullptr;
  HWND Line1 = nullptr;
  HWND Lbl2 = nullptr;
  HWND Txt2 = nullptr;
  HWND Cmd1 = nullptr;
  HWND Cmd2 = nullptr;
};

}  // namespace sorvane::win32
