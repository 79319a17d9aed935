#include "ui/win32/frm_sorvane.h"

#include "engine/conversion_run.h"
#include "runtime/message_sink.h"
#include "runtime/utf8_path.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/frm_about.h"

#include <commctrl.h>

#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace sorvane::win32 {
namespace {

namespace layout = design::main_window;

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
// How far the drive list drops down, at 96 dpi.
constexpr int kDropDownPixels = 160;

std::string StartFolder() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::string("C:\\") : Utf8FromPath(folder);
}

HMENU CreateMenuBar() {
  const HMENU bar = ::CreateMenu();
  const HMENU file = ::CreatePopupMenu();
  const HMENU help = ::CreatePopupMenu();
  ::AppendMenuW(file, MF_STRING, kMnuEnd, Wide(layout::kMnuEnd.caption).c_str());
  ::AppendMenuW(help, MF_STRING, kMnuAbout, Wide(layout::kMnuAbout.caption).c_str());
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), Wide(layout::kMnuFile.caption).c_str());
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), Wide(layout::kMnuHelp.caption).c_str());
  return bar;
}

// The outcome of one conversion. The wait cursor of the run ends before the box
// appears, and at the latest when the run is over.
class OutcomeBox final : public MessageSink {
 public:
  OutcomeBox(HWND window, MessageBoxes& boxes)
      : window_(window), boxes_(boxes), previous_(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
  ~OutcomeBox() override { EndWait(); }
  OutcomeBox(const OutcomeBox&) = delete;
  OutcomeBox& operator=(const OutcomeBox&) = delete;

  void ShowMessage(std::string_view message) override {
    EndWait();
    boxes_.Show(window_, message);
  }

 private:
  void EndWait() {
    if (!waiting_) return;
    waiting_ = false;
    ::SetCursor(previous_);
  }

  HWND window_;
  MessageBoxes& boxes_;
  HCURSOR previous_;
  bool waiting_ = true;
};

}  // namespace

FrmSorvane::FrmSorvane(ProgramEnd& programEnd, MessageBoxes& messageBoxes)
    : programEnd_(programEnd), messageBoxes_(messageBoxes), selection_(*this) {
  if (!Create(kMainWindowClass, kStyle, nullptr, CreateMenuBar())) {
    throw std::runtime_error("the main window cannot be created " + std::to_string(::GetLastError()));
  }
}

void FrmSorvane::Show(int showCommand) {
  ::ShowWindow(Window(), showCommand);
  ::SetFocus(Drv1->Handle());
}

LRESULT FrmSorvane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_MEASUREITEM:
      // The owner-drawn lists get their heights once the font is known (LayOut).
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 1;
      return TRUE;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (wParam == kDir1 && Dir1) Dir1->Draw(item);
      if (wParam == kDrv1 && Drv1) Drv1->Draw(item);
      return TRUE;
    }
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      // Closing the window with its close control ends the program, without a question.
      programEnd_.EndProgram();
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

void FrmSorvane::OnCreate() {
  SetWindowText(Window(), design::kApplicationTitle);
  const UINT dpi = ::GetDpiForWindow(Window());
  CreateControls(dpi);
  LayOut(dpi);
}

// Created in the order the focus walks, which is the order Tab takes.
void FrmSorvane::CreateControls(UINT dpi) {
  const HWND window = Window();
  const std::string start = StartFolder();
  const HWND drives = CreateControl(window, WC_COMBOBOXW, layout::kDrv1,
                                    WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                    0, kDrv1, dpi);
  const HWND folders = CreateControl(
      window, WC_LISTBOXW, layout::kDir1,
      WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
      WS_EX_CLIENTEDGE, kDir1, dpi);
  const HWND files = CreateControl(window, WC_LISTBOXW, layout::kFil1,
                                   WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                   WS_EX_CLIENTEDGE, kFil1, dpi);
  // The input box only shows the chosen file; the conversion never reads it back.
  Txt1 = CreateControl(window, WC_EDITW, layout::kTxt1, WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY,
                       WS_EX_CLIENTEDGE, kTxt1, dpi);
  Cmd1 = CreateControl(window, WC_BUTTONW, layout::kCmd1, WS_TABSTOP | BS_PUSHBUTTON, 0, kCmd1, dpi);
  Txt2 = CreateControl(window, WC_EDITW, layout::kTxt2, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                       kTxt2, dpi);
  Cmd2 = CreateControl(window, WC_BUTTONW, layout::kCmd2, WS_TABSTOP | BS_PUSHBUTTON, 0, kCmd2, dpi);
  Lbl1 = CreateControl(window, WC_STATICW, layout::kLbl1, SS_LEFT | SS_NOPREFIX, 0, kLbl1, dpi);
  Lbl2 = CreateControl(window, WC_STATICW, layout::kLbl2, SS_LEFT | SS_NOPREFIX, 0, kLbl2, dpi);
  Line1 = CreateControl(window, WC_STATICW, {layout::kLine1.name, {}}, SS_BLACKRECT, 0, kLine1, dpi);
  for (HWND box : {Txt1, Txt2}) ::SendMessageW(box, EM_SETLIMITTEXT, 0, 0);

  Drv1 = std::make_unique<DriveListBox>(drives, start);
  Dir1 = std::make_unique<DirListBox>(folders, start);
  Fil1 = std::make_unique<FileListBox>(files, std::string(layout::kFilePattern), Dir1->Path(),
                                       [this] { Fil1_Click(); });
}

void FrmSorvane::LayOut(UINT dpi) {
  SetClientSize(Window(), layout::kClient, dpi);
  font_ = std::make_unique<CaptionFont>(dpi);
  for (const auto& [control, design] :
       {std::pair{Drv1->Handle(), &layout::kDrv1}, {Dir1->Handle(), &layout::kDir1},
        {Fil1->Handle(), &layout::kFil1}, {Lbl1, &layout::kLbl1}, {Txt1, &layout::kTxt1},
        {Lbl2, &layout::kLbl2}, {Txt2, &layout::kTxt2}, {Cmd1, &layout::kCmd1},
        {Cmd2, &layout::kCmd2}}) {
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
    Place(control, ScaledRect(*design, dpi));
  }
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
void FrmSorvane::OnActivate(bool active) {
  if (!active) {
    focusWhenInactive_ = ::GetFocus();
    return;
  }
  if (Drv1) ::SetFocus(focusWhenInactive_ ? focusWhenInactive_ : Drv1->Handle());
}

void FrmSorvane::OnCommand(int id, WORD notification) {
  switch (id) {
    case kDrv1:
      if (Drv1->IsPick(notification)) Drv1_Change();
      break;
    case kDir1:
      if (notification == LBN_DBLCLK) OpenSelectedFolder();
      break;
    case kFil1:
      if (notification == LBN_SELCHANGE) Fil1->SelectionChanged();
      break;
    case kTxt2:
      if (notification == EN_CHANGE) Txt2_Change();
      break;
    case kCmd1:
      Cmd1_Click();
      break;
    case kCmd2:
      Cmd2_Click();
      break;
    case kMnuEnd:
      mnuEnd_Click();
      break;
    case kMnuAbout:
      mnuAbout_Click();
      break;
    case IDOK: {
      // Enter: a folder of the directory list opens, a button with the focus is
      // pressed; in a text box it presses nothing. Esc (IDCANCEL) does nothing.
      const HWND focus = ::GetFocus();
      if (focus == Dir1->Handle()) OpenSelectedFolder();
      if (focus == Cmd1 || focus == Cmd2) ::SendMessageW(focus, BM_CLICK, 0, 0);
      break;
    }
    default:
      break;
  }
}

void FrmSorvane::OpenSelectedFolder() {
  const std::optional<std::string> folder = Dir1->SelectedFolder();
  if (folder && !MoveDirList(*folder)) TellCannotOpenFolder();
}

void FrmSorvane::Cmd1_Click() {
  OutcomeBox outcome(Window(), messageBoxes_);
  // The run tells every failure of its own in its box; only showing that box can throw
  // (memory gone), and then the window simply stays as it is.
  try {
    RunConversion(InPath(), OutPath(), outcome);
  } catch (const std::exception&) {
  }
}

void FrmSorvane::Cmd2_Click() { programEnd_.EndProgram(); }

void FrmSorvane::mnuEnd_Click() { programEnd_.EndProgram(); }

void FrmSorvane::mnuAbout_Click() { FrmAbout::ShowModal(Window()); }

std::string FrmSorvane::Drive() const { return Drv1->Drive(); }

std::string FrmSorvane::DirPath() const { return Dir1->Path(); }

std::string FrmSorvane::FileListPath() const { return Fil1->Path(); }

bool FrmSorvane::MoveDirList(const std::string& path) {
  if (!Dir1->SetPath(path)) return false;
  Dir1_Change();
  return true;
}

bool FrmSorvane::MoveFileList(const std::string& path) { return Fil1->SetPath(path); }

void FrmSorvane::ShowDriveOf(const std::string& path) { Drv1->ShowDriveOf(path); }

std::optional<std::string> FrmSorvane::SelectedFileName() const {
  const int index = Fil1->ListIndex();
  if (index < 0) return std::nullopt;
  return Fil1->List(index);
}

void FrmSorvane::SetInputText(const std::string& text) { SetWindowText(Txt1, text); }

void FrmSorvane::SetOutputText(const std::string& text) { SetWindowText(Txt2, text); }

std::string FrmSorvane::OutputText() const { return WindowText(Txt2); }

void FrmSorvane::TellCannotOpenFolder() { messageBoxes_.Show(Window(), layout::kCannotOpenFolder); }

}  // namespace sorvane::win32
