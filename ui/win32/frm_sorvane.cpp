#include "ui/win32/frm_sorvane.h"

#include "runtime/file_system.h"
#include "runtime/windows_text.h"
#include "ui/win32/child_controls.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/control_text.h"
#include "ui/win32/frm_about.h"
#include "ui/win32/scaling.h"

#include <commctrl.h>
#include <dbt.h>

#include <utility>

namespace sorvane::win32 {
namespace {

namespace layout = design::main_window;

// Posted by the folder watch when the folder shown changes.
constexpr UINT kFolderChanged = WM_APP;
constexpr UINT_PTR kRefreshTimer = 1;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
// How far the drive list drops down, at 96 dpi.
constexpr int kDropDownPixels = 160;

HMENU CreateMenuBar() {
  const HMENU bar = ::CreateMenu();
  const HMENU file = ::CreatePopupMenu();
  const HMENU help = ::CreatePopupMenu();
  ::AppendMenuW(file, MF_STRING, kMnuEnd, WideFromUtf8(layout::kMnuEnd.caption).c_str());
  ::AppendMenuW(help, MF_STRING, kMnuAbout, WideFromUtf8(layout::kMnuAbout.caption).c_str());
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), WideFromUtf8(layout::kMnuFile.caption).c_str());
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), WideFromUtf8(layout::kMnuHelp.caption).c_str());
  return bar;
}

}  // namespace

bool FrmSorvane::Create() {
  const HMENU menu = CreateMenuBar();
  if (BaseWindow::Create(kMainWindowClass, kStyle, nullptr, menu)) return true;
  // A menu goes with its window; one that never had a window is destroyed here.
  if (::IsMenu(menu)) ::DestroyMenu(menu);
  return false;
}

void FrmSorvane::Show(int showCommand) {
  ::ShowWindow(Window(), showCommand);
  ::SetFocus(Drv1->Handle());
}

LRESULT FrmSorvane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_MEASUREITEM:
      // The owner-drawn lists get their heights once the font is known (LayOut).
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 1;
      return TRUE;
    case WM_DRAWITEM:
      OnDrawItem(static_cast<int>(wParam), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case kFolderChanged:
      RefreshSoon(false);
      return 0;
    case WM_DEVICECHANGE:
      // A drive or a medium came or went; other devices leave the drives as they are.
      if (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) RefreshSoon(true);
      return TRUE;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      // Closing the window with its close control ends the program, without a
      // question. A window whose making failed ends nothing: the program tells why.
      if (logic_) programEnd_.EndProgram();
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

bool FrmSorvane::OnCreate() {
  SetControlText(Window(), design::kApplicationTitle);
  const UINT dpi = ::GetDpiForWindow(Window());
  if (!CreateControls(dpi)) return false;
  folderWatch_.emplace(Window(), kFolderChanged);
  ::DragAcceptFiles(Window(), TRUE);
  logic_.emplace(static_cast<MainWindowView&>(*this), *Drv1, *Dir1, *Fil1, programEnd_,
                 CurrentFileSystem().MountedVolumes());
  LayOut(dpi);
  return true;
}

// Created in the order the focus walks, which is the order Tab takes, each right after
// the label a screen reader names it by: the boxes' shown labels, and for the lists,
// whose content says what they are, labels that are not shown.
bool FrmSorvane::CreateControls(UINT dpi) {
  const HWND window = Window();
  const HWND drivesLabel = CreateHiddenLabel(window, layout::kDrv1.accessibleName);
  const HWND drives = CreateControl(window, WC_COMBOBOXW, layout::kDrv1,
                                    WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                    0, kDrv1, dpi);
  const HWND foldersLabel = CreateHiddenLabel(window, layout::kDir1.accessibleName);
  const HWND folders = CreateControl(
      window, WC_LISTBOXW, layout::kDir1,
      WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
      WS_EX_CLIENTEDGE, kDir1, dpi);
  const HWND filesLabel = CreateHiddenLabel(window, layout::kFil1.accessibleName);
  const HWND files = CreateControl(window, WC_LISTBOXW, layout::kFil1,
                                   WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                   WS_EX_CLIENTEDGE, kFil1, dpi);
  Lbl1 = CreateControl(window, WC_STATICW, layout::kLbl1, SS_LEFT | SS_NOPREFIX, 0, kLbl1, dpi);
  // The input box only shows the chosen file; the conversion never reads it back.
  Txt1 = CreateControl(window, WC_EDITW, layout::kTxt1, WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY,
                       WS_EX_CLIENTEDGE, kTxt1, dpi);
  Cmd1 = CreateControl(window, WC_BUTTONW, layout::kCmd1, WS_TABSTOP | BS_PUSHBUTTON, 0, kCmd1, dpi);
  Lbl2 = CreateControl(window, WC_STATICW, layout::kLbl2, SS_LEFT | SS_NOPREFIX, 0, kLbl2, dpi);
  Txt2 = CreateControl(window, WC_EDITW, layout::kTxt2, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                       kTxt2, dpi);
  Cmd2 = CreateControl(window, WC_BUTTONW, layout::kCmd2, WS_TABSTOP | BS_PUSHBUTTON, 0, kCmd2, dpi);
  Line1 = CreateControl(window, WC_STATICW, {layout::kLine1.name, {}}, SS_BLACKRECT, 0, kLine1, dpi);
  for (const HWND control : {drivesLabel, drives, foldersLabel, folders, filesLabel, files, Lbl1, Txt1, Cmd1, Lbl2,
                             Txt2, Cmd2, Line1}) {
    if (!control) return false;
  }
  for (const HWND box : {Txt1, Txt2}) ::SendMessageW(box, EM_SETLIMITTEXT, 0, 0);

  Drv1 = std::make_unique<DriveListBox>(drives);
  Dir1 = std::make_unique<DirListBox>(folders);
  Fil1 = std::make_unique<FileListBox>(files, [this](int index) {
    if (logic_) logic_->Fil1_Click(index);
  });
  return true;
}

void FrmSorvane::LayOut(UINT dpi) {
  SetClientSize(Window(), layout::kClient, dpi);
  // The controls take the new font before the old one goes.
  auto font = std::make_unique<CaptionFont>(dpi);
  PlaceControls({{Drv1->Handle(), &layout::kDrv1}, {Dir1->Handle(), &layout::kDir1},
                 {Fil1->Handle(), &layout::kFil1}, {Lbl1, &layout::kLbl1}, {Txt1, &layout::kTxt1},
                 {Lbl2, &layout::kLbl2}, {Txt2, &layout::kTxt2}, {Cmd1, &layout::kCmd1},
                 {Cmd2, &layout::kCmd2}},
                font->Handle(), dpi);
  font_ = std::move(font);
  Place(Line1, ScaledRect(layout::kLine1, dpi));

  // A drop-down list is given the height of its open list; the closed box takes the
  // height of its selection field, which is set so the box stands as high as designed.
  const HWND drives = Drv1->Handle();
  RECT place = ScaledRect(layout::kDrv1, dpi);
  place.bottom += Scaled(kDropDownPixels, dpi);
  Place(drives, place);
  const int designed = Scaled(layout::kDrv1.twips.ToPixels().height, dpi);
  auto field = static_cast<int>(::SendMessageW(drives, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  // Set, then measured: systems differ in what they add around the field.
  for (int attempt = 0; attempt < 3; ++attempt) {
    RECT closed{};
    ::GetWindowRect(drives, &closed);
    if (closed.bottom - closed.top == designed) break;
    field += designed - (closed.bottom - closed.top);
    ::SendMessageW(drives, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
  const int entryHeight = EntryHeight(Dir1->Handle(), font_->Handle());
  ::SendMessageW(Dir1->Handle(), LB_SETITEMHEIGHT, 0, entryHeight);
  ::SendMessageW(drives, CB_SETITEMHEIGHT, 0, entryHeight);
  ::InvalidateRect(Window(), nullptr, TRUE);
}

void FrmSorvane::OnDpiChanged(UINT dpi, const RECT& suggested) {
  Place(Window(), suggested);
  LayOut(dpi);
}

// A window that is not a dialog forgets its focus when another window takes over.
// Coming to the front, it also reads the folder shown anew, for where no notification
// comes (a network share, a folder on a removable drive).
void FrmSorvane::OnActivate(bool active) noexcept {
  if (!active) {
    focusWhenInactive_ = ::GetFocus();
    return;
  }
  if (Drv1) ::SetFocus(focusWhenInactive_ ? focusWhenInactive_ : Drv1->Handle());
  RefreshSoon(false);
}

void FrmSorvane::OnDropFiles(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT index = 0; index < count; ++index) {
    std::wstring path(::DragQueryFileW(drop, index, nullptr, 0), L'\0');
    ::DragQueryFileW(drop, index, path.data(), static_cast<UINT>(path.size() + 1));
    paths.push_back(Utf8FromWide(path));
  }
  ::DragFinish(drop);
  if (logic_) logic_->OpenFromOutside(paths);
}

void FrmSorvane::RefreshSoon(bool drives) noexcept {
  if (!logic_) return;
  logic_->NoteDiskChange(drives);
  if (!std::exchange(refreshPending_, true)) {
    ::SetTimer(Window(), kRefreshTimer, static_cast<UINT>(kRefreshDelay.count()), nullptr);
  }
}

void FrmSorvane::OnTimer(UINT_PTR id) {
  if (id != kRefreshTimer) return;
  ::KillTimer(Window(), kRefreshTimer);
  refreshPending_ = false;
  if (logic_) logic_->RefreshNoted();
}

void FrmSorvane::OnDrawItem(int id, const DRAWITEMSTRUCT& item) const noexcept {
  if (id == kDir1 && Dir1) Dir1->Draw(item);
  if (id == kDrv1 && Drv1) Drv1->Draw(item);
}

void FrmSorvane::OnCommand(int id, WORD notification) {
  // Controls may speak up while they are being made, before there is anything to do.
  if (!logic_) return;
  switch (id) {
    case kDrv1:
      if (Drv1->IsPick(notification)) logic_->Drv1_Change(Drv1->ListIndex());
      break;
    case kDir1:
      if (notification == LBN_DBLCLK) logic_->Dir1_Change(Dir1->ListIndex());
      break;
    case kFil1:
      if (notification == LBN_SELCHANGE) Fil1->SelectionChanged();
      break;
    case kTxt2:
      if (notification == EN_CHANGE) logic_->Txt2_Change(ControlText(Txt2));
      break;
    case kCmd1:
      logic_->Cmd1_Click();
      break;
    case kCmd2:
      logic_->Cmd2_Click();
      break;
    case kMnuEnd:
      logic_->mnuEnd_Click();
      break;
    case kMnuAbout:
      FrmAbout::ShowModal(Window());
      break;
    case IDOK: {
      // Enter: a folder of the directory list opens, a button with the focus is
      // pressed; in a text box it presses nothing. Esc (IDCANCEL) does nothing.
      const HWND focus = ::GetFocus();
      if (focus == Dir1->Handle()) logic_->Dir1_Change(Dir1->ListIndex());
      if (focus == Cmd1 || focus == Cmd2) ::SendMessageW(focus, BM_CLICK, 0, 0);
      break;
    }
    default:
      break;
  }
}

void FrmSorvane::SelectDrive(int index) { Drv1->Select(index); }

void FrmSorvane::ShowPaths(std::string_view inPath, std::string_view outPath) {
  SetControlText(Txt1, inPath);
  SetControlText(Txt2, outPath);
}

void FrmSorvane::ShowWaitCursor() { cursorBeforeWait_ = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT)); }

void FrmSorvane::EndWaitCursor() noexcept { ::SetCursor(cursorBeforeWait_); }

void FrmSorvane::Tell(std::string_view message) { messageBoxes_.Show(Window(), message); }

void FrmSorvane::WatchFolder(const std::string& folder) { folderWatch_->Watch(folder); }

}  // namespace sorvane::win32
