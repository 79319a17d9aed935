#include "ui/win32/frm_sorvane.h"

#include "runtime/program_io.h"
#include "runtime/windows_text.h"
#include "tests/support/case_names.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/window_doubles.h"
#include "tests/ui/win32/window_driver.h"
#include "tests/ui/window_cases.h"
#include "ui/win32/control_ids.h"

#include <gtest/gtest.h>
#include <oleacc.h>
#include <shlobj.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sorvane {
namespace {

using namespace sorvane::win32;

using namespace sorvane::win32::testing;
namespace cases = sorvane::window_cases;

// How long a change on disk may take to show: a second, with room for a busy machine.
constexpr ULONGLONG kNoticed = 2000;
// How long a program may take to start under Wine on a busy machine.
constexpr ULONGLONG kProgramStarted = 20000;

const std::map<std::string, int> kIds = {
    {"Drv1", kDrv1}, {"Dir1", kDir1}, {"Fil1", kFil1}, {"Lbl1", kLbl1}, {"Txt1", kTxt1},
    {"Line1", kLine1}, {"Lbl2", kLbl2}, {"Txt2", kTxt2}, {"Cmd1", kCmd1}, {"Cmd2", kCmd2}};

// What the user was told, and whether the wait cursor still showed then.
class RecordingBoxes : public MessageBoxes {
 public:
  void Show(HWND owner, std::string_view text) override {
    texts.emplace_back(text);
    owners.push_back(owner);
    waitCursorShown = ::GetCursor() == ::LoadCursorW(nullptr, IDC_WAIT);
  }
  std::vector<std::string> texts;
  std::vector<HWND> owners;
  bool waitCursorShown = false;
};

class FrmSorvaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string examples = SORVANE_EXAMPLES_DIR;
    std::filesystem::copy_file(PathFromUtf8(examples + "/PreData.txt"), PathFromUtf8(scratch / "PreData.txt"));
    for (const char* name : {"points.csv", "点群.csv", "run.2.csv", "UPPER.CSV", "hidden.csv"}) {
      std::filesystem::copy_file(PathFromUtf8(examples + "/survey-points.csv"), PathFromUtf8(scratch / name));
    }
    ::SetFileAttributesW(WideFromUtf8(scratch / "hidden.csv").c_str(), FILE_ATTRIBUTE_HIDDEN);
    sorvane::testing::WriteFile(scratch / "notes.txt", "not a point file\n");
    std::filesystem::create_directory(PathFromUtf8(scratch / "sub"));
    sorvane::testing::WriteFile(scratch / "sub/inner.csv", "1,2,3\n");
    window = std::make_unique<FrmSorvane>(programEnd, boxes);
    ASSERT_TRUE(window->Create());
    window->Show(SW_SHOWNORMAL);
    Pump();
  }
  void TearDown() override {
    window.reset();
    Pump();
  }

  HWND Control(const std::string& name) const { return ::GetDlgItem(window->Window(), kIds.at(name)); }
  // The main window of the process `id`, once it has one.
  static HWND WindowOfProcess(DWORD id) {
    std::pair<DWORD, HWND> search{id, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) {
          auto& [process, found] = *reinterpret_cast<std::pair<DWORD, HWND>*>(data);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(window, &owner);
          if (owner != process || ClassOf(window) != kMainWindowClass) return TRUE;
          found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
  }
  std::string Text(const std::string& name) const { return Utf8FromWide(WindowTextOf(Control(name))); }
  // By the message, which also reads a control of another program.
  static std::wstring WindowTextOf(HWND window) {
    std::wstring text(512, L'\0');
    text.resize(static_cast<std::size_t>(
        ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
  }
  void ClickFile(const std::string& name) {
    const int index = EntryIndex(Control("Fil1"), WideFromUtf8(name));
    ASSERT_GE(index, 0) << name << " is not listed";
    ClickEntry(Control("Fil1"), index);
  }
  void OpenFolder(const std::string& name) {
    const int index = EntryIndex(Control("Dir1"), WideFromUtf8(name));
    ASSERT_GE(index, 0) << name << " is not listed";
    ClickEntry(Control("Dir1"), index);
    PressKey(VK_RETURN);
  }
  void Press(const std::string& button) {
    ::SendMessageW(Control(button), BM_CLICK, 0, 0);
    Pump();
  }
  std::string Here(const std::string& name) const { return sorvane::testing::NativePath(scratch / name); }

  sorvane::testing::ScratchDirectory scratch;
  sorvane::testing::RecordingEnd programEnd;
  RecordingBoxes boxes;
  std::unique_ptr<FrmSorvane> window;
};

TEST_F(FrmSorvaneTest, ControlsStandWhereDesigned) {
  EXPECT_EQ(WindowTextOf(window->Window()), L"Sorvane");
  RECT client{};
  ::GetClientRect(window->Window(), &client);
  EXPECT_EQ(client.right, cases::kMainClientWidth);
  EXPECT_EQ(client.bottom, cases::kMainClientHeight);
  for (const auto& control : cases::kMainWindow) {
    SCOPED_TRACE(control.name);
    const RECT place = PlaceInWindow(Control(control.name));
    EXPECT_EQ(place.left, control.left);
    EXPECT_EQ(place.top, control.top);
    EXPECT_EQ(place.right - place.left, control.width);
    EXPECT_EQ(place.bottom - place.top, control.height);
    if (*control.caption) {
      EXPECT_EQ(Text(control.name), control.caption);
    }
  }
  // The input box only shows the chosen file.
  EXPECT_TRUE(::GetWindowLongW(Control("Txt1"), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(::GetWindowLongW(Control("Txt2"), GWL_STYLE) & ES_READONLY);
}

TEST_F(FrmSorvaneTest, ControlsScaleWithTheMonitorsDpi) {
  RECT suggested{};
  ::GetWindowRect(window->Window(), &suggested);
  ::SendMessageW(window->Window(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT client{};
  ::GetClientRect(window->Window(), &client);
  EXPECT_EQ(client.right, ::MulDiv(cases::kMainClientWidth, 3, 2));
  for (const auto& control : cases::kMainWindow) {
    SCOPED_TRACE(control.name);
    const RECT place = PlaceInWindow(Control(control.name));
    EXPECT_EQ(place.left, ::MulDiv(control.left, 3, 2));
    EXPECT_EQ(place.top, ::MulDiv(control.top, 3, 2));
  }
}

TEST_F(FrmSorvaneTest, StartsOnTheCurrentFolderWithTheFocusOnTheDriveList) {
  EXPECT_EQ(::GetFocus(), Control("Drv1"));
  EXPECT_EQ(Text("Txt1"), "");
  EXPECT_EQ(Text("Txt2"), "");
  EXPECT_EQ(window->InPath(), "");
  // The drive holding the folder, as "C: [label]" or "C:".
  EXPECT_EQ(Text("Drv1").substr(0, 2), sorvane::testing::NativePath(scratch.Path()).substr(0, 2));
  const HWND files = Control("Fil1");
  EXPECT_EQ(::SendMessageW(files, LB_GETCOUNT, 0, 0), 4);
  for (const char* name : {"points.csv", "点群.csv", "run.2.csv", "UPPER.CSV"}) {
    EXPECT_GE(EntryIndex(files, WideFromUtf8(name)), 0) << name;
  }
}

TEST_F(FrmSorvaneTest, TabWalksTheDesignedOrder) {
  for (const char* next : cases::kTabOrder) {
    PressKey(VK_TAB);
    EXPECT_EQ(::GetFocus(), Control(next)) << next;
  }
}

TEST_F(FrmSorvaneTest, EveryClickOnAFileRaisesFil1ClickAndAnEditFollowsTheBox) {
  ClickFile("点群.csv");
  EXPECT_EQ(Text("Txt1"), Here("点群.csv"));
  EXPECT_EQ(Text("Txt2"), Here("点群.dxf"));
  ClickFile("points.csv");
  const HWND outBox = Control("Txt2");
  ::SetFocus(outBox);
  PressKey(VK_END);
  for (int i = 0; i < 4; ++i) Type(outBox, L"\b");
  Type(outBox, L"_v2.dxf");
  EXPECT_EQ(window->OutPath(), Here("points_v2.dxf"));
  // The file is still selected; clicking it again brings the proposal back.
  ClickFile("points.csv");
  EXPECT_EQ(window->OutPath(), Here("points.dxf"));
  EXPECT_EQ(Text("Txt2"), Here("points.dxf"));
  // The keyboard selects too.
  ::SetFocus(Control("Fil1"));
  PressKey(VK_DOWN);
  EXPECT_EQ(window->InPath(), Here("run.2.csv"));
}

TEST_F(FrmSorvaneTest, TheListsFollowEachOtherAndKeepTheSelection) {
  ClickFile("points.csv");
  OpenFolder("sub");
  EXPECT_EQ(::SendMessageW(Control("Fil1"), LB_GETCOUNT, 0, 0), 1);
  EXPECT_GE(EntryIndex(Control("Fil1"), L"inner.csv"), 0);
  EXPECT_EQ(window->InPath(), Here("points.csv"));
  EXPECT_EQ(Text("Txt1"), Here("points.csv"));
  ClickFile("inner.csv");
  EXPECT_EQ(window->InPath(), Here("sub/inner.csv"));

  // The drive's root is the first entry of the directory list.
  ClickEntry(Control("Dir1"), 0);
  PressKey(VK_RETURN);
  const std::string root = sorvane::testing::NativePath(scratch.Path()).substr(0, 3);
  EXPECT_GE(EntryIndex(Control("Dir1"), WideFromUtf8(root)), 0);
  EXPECT_EQ(Text("Drv1").substr(0, 2), root.substr(0, 2));
  EXPECT_TRUE(boxes.texts.empty());
}

// Tab to the file list, Down, Tab to Convert, Space: the outcome in a box of the window,
// the wait cursor gone before it.
TEST_F(FrmSorvaneTest, TheKeyboardAloneConvertsAndTheWindowTellsTheOutcome) {
  for (const UINT key : {UINT{VK_TAB}, UINT{VK_TAB}, UINT{VK_DOWN}, UINT{VK_TAB}, UINT{VK_TAB}}) PressKey(key);
  ASSERT_EQ(::GetFocus(), Control("Cmd1"));
  PressKey(VK_SPACE);
  ASSERT_EQ(boxes.texts, std::vector<std::string>{"変換しました"});
  EXPECT_EQ(boxes.owners[0], window->Window());
  EXPECT_FALSE(boxes.waitCursorShown) << "the wait cursor should end before the box";
  EXPECT_NE(::GetCursor(), ::LoadCursorW(nullptr, IDC_WAIT));
  EXPECT_EQ(programEnd.requests, 0);
  EXPECT_TRUE(sorvane::testing::ReadFile(scratch / "points.dxf").ends_with("EOF\r\n"));
}

TEST_F(FrmSorvaneTest, EnterAndEscPressNoButtonButAFocusedOne) {
  ClickFile("points.csv");
  for (const char* box : {"Txt1", "Txt2"}) {
    ::SetFocus(Control(box));
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
  }
  EXPECT_TRUE(boxes.texts.empty());
  EXPECT_EQ(programEnd.requests, 0);
  ::SetFocus(Control("Cmd2"));
  PressKey(VK_RETURN);
  EXPECT_EQ(programEnd.requests, 1);
}

// The static control Windows names a control after: the nearest one made before it,
// looking no further back than the control before it that takes the focus.
HWND LabelBefore(HWND control) {
  for (HWND previous = ::GetWindow(control, GW_HWNDPREV); previous; previous = ::GetWindow(previous, GW_HWNDPREV)) {
    if (ClassOf(previous) == L"Static") return previous;
    if (::GetWindowLongW(previous, GWL_STYLE) & WS_TABSTOP) return nullptr;
  }
  return nullptr;
}

// The name Windows' own accessibility object for `control` gives a screen reader.
std::string AccessibleName(HWND control) {
  IAccessible* accessible = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
    return "(none)";
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::string text = "(none)";
  if (accessible->get_accName(self, &name) == S_OK && name) text = Utf8FromWide(name);
  ::SysFreeString(name);
  accessible->Release();
  return text;
}

// A screen reader finds each control's role in its kind, and its name in the label made
// right before it, or in a button's caption. Wine's accessibility objects name boxes
// and buttons as Windows does; the lists they leave unnamed, so the test reads their
// labels as Windows reads them.
TEST_F(FrmSorvaneTest, EveryControlIsNamedForScreenReaders) {
  const std::map<std::string, std::wstring> kinds = {{"Drv1", L"ComboBox"}, {"Dir1", L"ListBox"},
                                                     {"Fil1", L"ListBox"},  {"Txt1", L"Edit"},
                                                     {"Txt2", L"Edit"},     {"Cmd1", L"Button"},
                                                     {"Cmd2", L"Button"}};
  for (const auto& control : cases::kSpoken) {
    SCOPED_TRACE(control.name);
    const HWND handle = Control(control.name);
    const std::wstring kind = ClassOf(handle);
    EXPECT_EQ(kind, kinds.at(control.name));
    if (kind == L"Button") {
      EXPECT_EQ(Text(control.name), control.spoken);
    } else {
      const HWND label = LabelBefore(handle);
      ASSERT_TRUE(label);
      EXPECT_EQ(Utf8FromWide(WindowTextOf(label)), control.spoken);
    }
    if (kind == L"Button" || kind == L"Edit") {
      EXPECT_EQ(AccessibleName(handle), control.spoken);
    }
  }
}

// As Explorer drops it: a list of wide paths behind a DROPFILES head, which the window
// frees when done.
TEST_F(FrmSorvaneTest, APointFileDroppedOnTheWindowIsChosen) {
  const std::wstring path = WideFromUtf8(Here("sub/inner.csv"));
  const std::size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
  const HGLOBAL drop = ::GlobalAlloc(GHND, bytes);
  ASSERT_TRUE(drop);
  auto* head = static_cast<DROPFILES*>(::GlobalLock(drop));
  head->pFiles = sizeof(DROPFILES);
  head->fWide = TRUE;
  path.copy(reinterpret_cast<wchar_t*>(head + 1), path.size());
  ::GlobalUnlock(drop);
  EXPECT_TRUE(::GetWindowLongW(window->Window(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "Explorer would not drop";
  ::SendMessageW(window->Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  Pump();

  EXPECT_EQ(Text("Txt1"), Here("sub/inner.csv"));
  EXPECT_EQ(Text("Txt2"), Here("sub/inner.dxf"));
  const HWND files = Control("Fil1");
  EXPECT_EQ(::SendMessageW(files, LB_GETCURSEL, 0, 0), EntryIndex(files, L"inner.csv"));
  EXPECT_EQ(::SendMessageW(Control("Dir1"), LB_GETCURSEL, 0, 0), EntryIndex(Control("Dir1"), L"sub"));
  EXPECT_TRUE(boxes.texts.empty());
}

// The system's change notification, within a second; the list stays scrolled as it was,
// and the selection and the focus stay.
TEST_F(FrmSorvaneTest, AFileCreatedInTheShownFolderAppearsAndNothingElseMoves) {
  const HWND files = Control("Fil1");
  ClickFile("points.csv");
  for (int i = 10; i < 40; ++i) sorvane::testing::WriteFile(scratch / std::string("z").append(std::to_string(i)).append(".csv"), "1,2,3\n");
  ASSERT_TRUE(PumpUntil([&] { return ::SendMessageW(files, LB_GETCOUNT, 0, 0) == 34; }, kNoticed));
  ::SendMessageW(files, LB_SETTOPINDEX, 10, 0);
  const LRESULT top = ::SendMessageW(files, LB_GETTOPINDEX, 0, 0);
  ASSERT_GT(top, 0);
  ::SetFocus(Control("Txt2"));

  sorvane::testing::WriteFile(scratch / "new.csv", "1,2,3\n");
  EXPECT_TRUE(PumpUntil([&] { return EntryIndex(files, L"new.csv") >= 0; }, kNoticed));
  EXPECT_EQ(::SendMessageW(files, LB_GETTOPINDEX, 0, 0), top);
  EXPECT_EQ(::SendMessageW(files, LB_GETCURSEL, 0, 0), EntryIndex(files, L"points.csv"));
  EXPECT_EQ(::GetFocus(), Control("Txt2"));
  EXPECT_EQ(window->InPath(), Here("points.csv"));
}

// The program itself, started with a point file's path, as Explorer starts it for a file
// dropped on its icon; read from outside, as another program would.
TEST_F(FrmSorvaneTest, TheProgramStartedWithAPointFileShowsItChosen) {
  const std::filesystem::path program = PathFromUtf8(ProgramPath()).parent_path() / SORVANE_WINDOW_FROM_TEST;
  std::wstring commandLine = L"\"" + program.wstring() + L"\" \"" + WideFromUtf8(Here("sub/inner.csv")) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(::CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               WideFromUtf8(scratch.Path()).c_str(), &startup, &started));
  HWND other = nullptr;
  EXPECT_TRUE(PumpUntil([&] {
    other = WindowOfProcess(started.dwProcessId);
    return other && !WindowTextOf(::GetDlgItem(other, kTxt1)).empty();
  }, kProgramStarted));
  if (other) {
    EXPECT_EQ(Utf8FromWide(WindowTextOf(::GetDlgItem(other, kTxt1))), Here("sub/inner.csv"));
    EXPECT_EQ(Utf8FromWide(WindowTextOf(::GetDlgItem(other, kTxt2))), Here("sub/inner.dxf"));
    const HWND files = ::GetDlgItem(other, kFil1);
    EXPECT_EQ(::SendMessageW(files, LB_GETCURSEL, 0, 0), EntryIndex(files, L"inner.csv"));
    ::PostMessageW(other, WM_CLOSE, 0, 0);
  }
  if (::WaitForSingleObject(started.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(started.hProcess, 1);
  ::CloseHandle(started.hThread);
  ::CloseHandle(started.hProcess);
  EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(Here("sub/inner.dxf"))));
}

// Folders and files past the 260 characters that std::filesystem reaches under MinGW,
// made and removed again (in reverse) through the wide API's own long form.
class LongPaths {
 public:
  LongPaths() = default;
  LongPaths(const LongPaths&) = delete;
  LongPaths& operator=(const LongPaths&) = delete;
  ~LongPaths() {
    for (auto path = made_.rbegin(); path != made_.rend(); ++path) {
      if (!::DeleteFileW(Long(*path).c_str())) ::RemoveDirectoryW(Long(*path).c_str());
    }
  }
  void MakeFolder(const std::wstring& path) {
    made_.push_back(path);
    ASSERT_TRUE(::CreateDirectoryW(Long(path).c_str(), nullptr));
  }
  void MakeFile(const std::wstring& path) {
    made_.push_back(path);
    const HANDLE file = ::CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(file, "1,2,3\r\n", 7, &written, nullptr));
    ::CloseHandle(file);
  }
  // A file the program is to make there.
  void Expect(const std::wstring& path) { made_.push_back(path); }
  static bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(Long(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

 private:
  static std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }
  std::vector<std::wstring> made_;
};

struct LongFolder {
  const char* name;
  // Each folder on the way down from the start folder: the length of its path, in
  // characters, and what its name is made of.
  std::vector<std::pair<std::size_t, std::wstring>> steps;
  std::wstring subfolder;
  std::wstring file;
  std::wstring drawing;
};

class LongFolderTest : public FrmSorvaneTest, public ::testing::WithParamInterface<LongFolder> {};

TEST_P(LongFolderTest, ListsItsFolderAndFileAndConverts) {
  const LongFolder& c = GetParam();
  LongPaths made;
  std::wstring folder = WideFromUtf8(sorvane::testing::NativePath(scratch.Path()));
  std::vector<std::wstring> names;
  for (const auto& [length, filler] : c.steps) {
    std::wstring name;
    while (folder.size() + 1 + name.size() < length) name += filler;
    name.resize(length - folder.size() - 1);
    folder += L"\\" + name;
    names.push_back(name);
    made.MakeFolder(folder);
  }
  ASSERT_EQ(folder.size(), c.steps.back().first);
  made.MakeFolder(folder + L"\\" + c.subfolder);
  made.MakeFile(folder + L"\\" + c.file);
  made.Expect(folder + L"\\" + c.drawing);

  // The start folder again, which now holds the first of them.
  OpenFolder(Utf8FromPath(PathFromUtf8(scratch.Path()).filename()));
  for (const std::wstring& name : names) OpenFolder(Utf8FromWide(name));
  EXPECT_GE(EntryIndex(Control("Dir1"), c.subfolder), 0);
  EXPECT_EQ(::SendMessageW(Control("Fil1"), LB_GETCOUNT, 0, 0), 1);
  ClickFile(Utf8FromWide(c.file));
  EXPECT_EQ(Text("Txt1"), Utf8FromWide(folder + L"\\" + c.file));
  Press("Cmd1");
  EXPECT_EQ(boxes.texts, std::vector<std::string>{"変換しました"});
  EXPECT_TRUE(LongPaths::IsFile(folder + L"\\" + c.drawing));
}

INSTANTIATE_TEST_SUITE_P(
    Win32, LongFolderTest,
    ::testing::Values(LongFolder{"Of262Characters", {{262, L"f"}}, L"sub", L"a.csv", L"a.dxf"},
                      // Japanese names of fewer than 85 characters, the 255 bytes of UTF-8
                      // that a name may take on the Linux file system under Wine.
                      LongFolder{"Of400CharactersInJapanese",
                                 {{262, L"f"}, {331, L"長いフォルダ名"}, {400, L"測量データ"}},
                                 L"測点",
                                 L"点群.csv",
                                 L"点群.dxf"}),
    [](const auto& info) { return std::string(info.param.name); });

struct LeaveCase {
  const char* name;
  void (*leave)(FrmSorvaneTest&, HWND window);
};

class LeaveTest : public FrmSorvaneTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(LeaveTest, AsksTheProgramToEndAtOnce) {
  ClickFile("points.csv");
  GetParam().leave(*this, window->Window());
  Pump();
  EXPECT_EQ(programEnd.requests, 1);
  EXPECT_TRUE(boxes.texts.empty());
  EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(scratch / "points.dxf")));
}

INSTANTIATE_TEST_SUITE_P(
    Win32, LeaveTest,
    ::testing::Values(
        LeaveCase{"CancelButton", [](FrmSorvaneTest&, HWND window) {
                    ::SendMessageW(::GetDlgItem(window, kCmd2), BM_CLICK, 0, 0);
                  }},
        LeaveCase{"FileExit", [](FrmSorvaneTest&, HWND window) {
                    ::SendMessageW(window, WM_COMMAND, kMnuEnd, 0);
                  }},
        // Alt+F opens the menu, which runs its own loop until a key chooses an item;
        // a timer types the X there.
        LeaveCase{"AltFThenX", [](FrmSorvaneTest&, HWND window) {
                    ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
                      ::KillTimer(nullptr, timer);
                      ::PostThreadMessageW(::GetCurrentThreadId(), WM_CHAR, 'x', 1);
                    });
                    MSG alt{window, WM_SYSKEYDOWN, 'F', 0x20000001, 0, {}};
                    DispatchWithDialogKeys(alt);
                    Pump();
                  }},
        LeaveCase{"CloseControl", [](FrmSorvaneTest&, HWND window) {
                    ::SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane
