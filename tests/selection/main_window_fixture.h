#pragma once
// The main window's behaviour over plain fields, started in a scratch folder of point
// files, for the tests of MainWindow.

#include "runtime/path_names.h"
#include "runtime/utf8_path.h"
#include "selection/main_window.h"
#include "tests/support/case_names.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/window_doubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

class FakeList : public ListView {
 public:
  void Show(const std::vector<ListEntry>& shown, int selectedEntry, ListScroll how) override {
    entries = shown;
    selected = selectedEntry;
    scroll = how;
    ++shows;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ListEntry& entry : entries) texts.push_back(entry.text);
    return texts;
  }
  // The text of the entry selected; empty when none is.
  std::string SelectedText() const {
    return selected >= 0 && static_cast<std::size_t>(selected) < entries.size()
               ? entries[static_cast<std::size_t>(selected)].text
               : std::string();
  }
  // The index of the entry that shows `text`; -1 when none does.
  int IndexOf(const std::string& text) const {
    const std::vector<std::string> texts = Texts();
    const auto found = std::find(texts.begin(), texts.end(), text);
    return found == texts.end() ? -1 : static_cast<int>(found - texts.begin());
  }

  std::vector<ListEntry> entries;
  int selected = -1;
  ListScroll scroll = ListScroll::ToSelected;
  int shows = 0;
};

// Like the real boxes, showing a new output path raises Txt2_Change.
class FakeWindow : public MainWindowView {
 public:
  void SelectDrive(int index) override { driveList->selected = index; }
  void ShowPaths(std::string_view inPath, std::string_view outPath) override {
    ++pathsShown;
    txt1 = inPath;
    if (outPath == txt2) return;
    txt2 = outPath;
    (*logic)->Txt2_Change(txt2);
  }
  void ShowWaitCursor() override { waiting = waitCursorShown = true; }
  void EndWaitCursor() noexcept override { waiting = false; }
  void Tell(std::string_view message) override {
    messages.emplace_back(message);
    waitCursorAtMessage = waiting;
  }
  void WatchFolder(const std::string& folder) override { watched = folder; }

  std::optional<MainWindow>* logic = nullptr;
  FakeList* driveList = nullptr;
  int pathsShown = 0;
  std::string txt1;
  std::string txt2;
  bool waiting = false;
  bool waitCursorShown = false;
  bool waitCursorAtMessage = false;
  std::vector<std::string> messages;
  std::string watched;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string examples = SORVANE_EXAMPLES_DIR;
    std::filesystem::copy_file(PathFromUtf8(examples + "/PreData.txt"), PathFromUtf8(scratch / "PreData.txt"));
    for (const char* name : {"points.csv", "点群.csv", "run.2.csv"}) {
      std::filesystem::copy_file(PathFromUtf8(examples + "/survey-points.csv"), PathFromUtf8(scratch / name));
    }
    testing::WriteFile(scratch / "notes.txt", "not a point file\n");
    std::filesystem::create_directory(PathFromUtf8(scratch / "sub"));
    testing::WriteFile(scratch / "sub/inner.csv", "1,2,3\n");
    window.logic = &logic;
    window.driveList = &drives;
    // Beside the root, the scratch folder stands for a second drive and a folder that
    // does not exist for a third.
    const std::vector<MountedVolume> volumes = {{RootOf(scratch.Path()), "ext4", ""},
                                                {testing::NativePath(scratch.Path()), "ext4", ""},
                                                {MissingVolume(), "vfat", ""}};
    logic.emplace(window, drives, folders, files, programEnd, volumes);
  }

  std::string Here(const std::string& name) const { return testing::NativePath(scratch / name); }
  static std::string RootOf(const std::string& path) {
    return Utf8FromPath(PathFromUtf8(path).make_preferred().root_path());
  }
  std::string RootDriveName() const { return DriveName({RootOf(scratch.Path()), "", ""}); }
  std::string ScratchDriveName() const { return DriveName({testing::NativePath(scratch.Path()), "", ""}); }
  static std::string MissingDriveName() { return DriveName({MissingVolume(), "", ""}); }
  // A place a removable volume would be mounted at, where none is: a drive letter not
  // in use on Windows.
  static std::string MissingVolume() {
    if (kNativePathStyle == PathStyle::Posix) return "/media/sorvane-test-missing-volume";
    std::string root = "Y:\\";
    while (std::filesystem::exists(PathFromUtf8(root))) --root[0];
    return root;
  }

  // The file list selects the file clicked, as the real one does.
  void ClickFile(const std::string& name) {
    const int index = files.IndexOf(name);
    ASSERT_GE(index, 0) << name << " is not listed";
    files.selected = index;
    logic->Fil1_Click(index);
  }
  void OpenFolder(const std::string& name) {
    const int index = folders.IndexOf(name);
    ASSERT_GE(index, 0) << name << " is not listed";
    logic->Dir1_Change(index);
  }
  // The drive list shows the drive picked, as the real one does.
  void PickDrive(const std::string& name) {
    const int index = drives.IndexOf(name);
    ASSERT_GE(index, 0) << name << " is not listed";
    drives.selected = index;
    logic->Drv1_Change(index);
  }
  void TypeInOutputBox(const std::string& text) {
    window.txt2 = text;
    logic->Txt2_Change(text);
  }

  testing::ScratchDirectory scratch;
  FakeList drives;
  FakeList folders;
  FakeList files;
  FakeWindow window;
  testing::RecordingEnd programEnd;
  std::optional<MainWindow> logic;
};

}  // namespace sorvane
