#pragma once
// FrmSorvane: the program's working window, of the platform's own controls. The user
// picks a point file in the drive, directory and file lists (or drops one on the
// window), checks or edits the DXF path, converts, and leaves. What each of these does
// is MainWindow's; the window shows it, and tells it when the folder shown or the
// drives change.

#include "runtime/program_end.h"
#include "selection/main_window.h"
#include "selection/main_window_view.h"
#include "ui/win32/base_window.h"
#include "ui/win32/caption_font.h"
#include "ui/win32/dir_list_box.h"
#include "ui/win32/drive_list_box.h"
#include "ui/win32/file_list_box.h"
#include "ui/win32/folder_watch.h"
#include "ui/win32/message_boxes.h"

#include <shellapi.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane::win32 {

inline constexpr wchar_t kMainWindowClass[] = L"SorvaneFrmSorvane";
// What the user is told when the system refuses to make the window.
inline constexpr std::string_view kCannotCreateWindow = "ウィンドウを作成できません";

class FrmSorvane final : public BaseWindow, private MainWindowView {
 public:
  FrmSorvane(ProgramEnd& programEnd, MessageBoxes& messageBoxes)
      : programEnd_(programEnd), messageBoxes_(messageBoxes) {}

  // Creates the window, not yet shown. The lists start on the process's current
  // folder. False when the system refuses to make the window or one of its controls.
  [[nodiscard]] bool Create();
  // Shows the window with the focus on the drive list.
  void Show(int showCommand);

  const std::string& InPath() const noexcept { return logic_->InPath(); }
  const std::string& OutPath() const noexcept { return logic_->OutPath(); }
  // Paths named on the command line.
  void OpenFromOutside(const std::vector<std::string>& paths) { logic_->OpenFromOutside(paths); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  [[nodiscard]] bool OnCreate();
  void OnCommand(int id, WORD notification);
  void OnDrawItem(int id, const DRAWITEMSTRUCT& item) const noexcept;
  void OnActivate(bool active) noexcept;
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnDropFiles(HDROP drop);
  void OnTimer(UINT_PTR id);
  // Notes a change on disk, of the mounted volumes too when `drives`, and has the
  // lists refreshed kRefreshDelay later.
  void RefreshSoon(bool drives) noexcept;
  [[nodiscard]] bool CreateControls(UINT dpi);
  void LayOut(UINT dpi);

  void SelectDrive(int index) override;
  void ShowPaths(std::string_view inPath, std::string_view outPath) override;
  void ShowWaitCursor() override;
  void EndWaitCursor() noexcept override;
  void Tell(std::string_view message) override;
  void WatchFolder(const std::string& folder) override;

  ProgramEnd& programEnd_;
  MessageBoxes& messageBoxes_;
  std::unique_ptr<CaptionFont> font_;
  HWND focusWhenInactive_ = nullptr;
  HCURSOR cursorBeforeWait_ = nullptr;
  std::optional<FolderWatch> folderWatch_;
  bool refreshPending_ = false;

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
  // Made once the controls exist, which it fills; gone before them.
  std::optional<MainWindow> logic_;
};

}  // namespace sorvane::win32
