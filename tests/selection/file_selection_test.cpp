#include "selection/file_selection.h"

#include "tests/support/case_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace sorvane {
namespace {

// The window's controls as plain fields. Like the real ones, moving the directory list
// raises Dir1_Change and a change of the output box raises Txt2_Change.
class FakeControls : public SelectionControls {
 public:
  std::string Drive() const override { return drive; }
  std::string DirPath() const override { return dirPath; }
  std::string FileListPath() const override { return fileListPath; }
  bool MoveDirList(const std::string& path) override {
    if (unreadable.contains(path)) return false;
    dirPath = path;
    selection->Dir1_Change();
    return true;
  }
  bool MoveFileList(const std::string& path) override {
    if (unreadable.contains(path) || fileListFails.contains(path)) return false;
    fileListPath = path;
    return true;
  }
  void ShowDriveOf(const std::string& path) override { drive = path.starts_with("/media") ? "/media" : "/"; }
  std::optional<std::string> SelectedFileName() const override { return selectedFile; }
  void SetInputText(const std::string& text) override { txt1 = text; }
  void SetOutputText(const std::string& text) override {
    if (text == txt2) return;
    txt2 = text;
    selection->Txt2_Change();
  }
  std::string OutputText() const override { return txt2; }
  void TellCannotOpenFolder() override { ++cannotOpenMessages; }

  FileSelection* selection = nullptr;
  std::string drive = "/";
  std::string dirPath = "/home/ann";
  std::string fileListPath = "/home/ann";
  std::optional<std::string> selectedFile;
  std::string txt1;
  std::string txt2;
  std::set<std::string> unreadable;
  std::set<std::string> fileListFails;
  int cannotOpenMessages = 0;
};

class FileSelectionTest : public ::testing::Test {
 protected:
  FileSelectionTest() { controls.selection = &selection; }

  void ClickFile(const std::string& folder, const std::string& name) {
    controls.fileListPath = folder;
    controls.selectedFile = name;
    selection.Fil1_Click();
  }
  void TypeInOutputBox(const std::string& text) {
    controls.txt2 = text;
    selection.Txt2_Change();
  }

  FakeControls controls;
  FileSelection selection{controls, PathStyle::Posix};
};

struct ClickCase {
  const char* name;
  const char* folder;
  const char* fileName;
  const char* inPath;
  const char* outPath;
};

class FileClick : public FileSelectionTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(FileClick, DerivesBothPathsAndShowsThem) {
  const ClickCase& c = GetParam();
  ClickFile(c.folder, c.fileName);
  EXPECT_EQ(selection.InPath(), c.inPath);
  EXPECT_EQ(selection.OutPath(), c.outPath);
  EXPECT_EQ(controls.txt1, c.inPath);
  EXPECT_EQ(controls.txt2, c.outPath);
}

INSTANTIATE_TEST_SUITE_P(
    PathRules, FileClick,
    ::testing::Values(ClickCase{"Ordinary", "/data", "pts.csv", "/data/pts.csv", "/data/pts.dxf"},
                      ClickCase{"InTheRoot", "/", "pts.csv", "/pts.csv", "/pts.dxf"},
                      ClickCase{"DotsInFolderAndName", "/data/v1.2", "pts.old.csv",
                                "/data/v1.2/pts.old.csv", "/data/v1.2/pts.dxf"},
                      ClickCase{"Japanese", "/測量", "点.csv", "/測量/点.csv", "/測量/点.dxf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileSelectionTest, ClickWithNothingSelectedKeepsTheLastSelection) {
  ClickFile("/data", "pts.csv");
  controls.selectedFile.reset();
  selection.Fil1_Click();
  EXPECT_EQ(selection.InPath(), "/data/pts.csv");
  EXPECT_EQ(selection.OutPath(), "/data/pts.dxf");
  EXPECT_EQ(controls.txt2, "/data/pts.dxf");
}

TEST_F(FileSelectionTest, OutPathFollowsEveryEditOfTheOutputBox) {
  ClickFile("/data", "pts.csv");
  for (const std::string text : {"/out/a.dxf", "/out/a.dx", "", "relative name"}) {
    TypeInOutputBox(text);
    EXPECT_EQ(selection.OutPath(), text);
    EXPECT_EQ(selection.InPath(), "/data/pts.csv");
  }
}

TEST_F(FileSelectionTest, TypingBeforeAnyClickLeavesInPathEmpty) {
  TypeInOutputBox("/out/a.dxf");
  EXPECT_EQ(selection.OutPath(), "/out/a.dxf");
  EXPECT_EQ(selection.InPath(), "");
}

TEST_F(FileSelectionTest, ClickingAgainReplacesAnEditedOutPath) {
  ClickFile("/data", "pts.csv");
  TypeInOutputBox("/elsewhere/edited.dxf");
  ClickFile("/data", "pts.csv");
  EXPECT_EQ(selection.OutPath(), "/data/pts.dxf");
  EXPECT_EQ(controls.txt2, "/data/pts.dxf");
}

TEST_F(FileSelectionTest, DriveChangeMovesBothListsAndKeepsTheSelection) {
  ClickFile("/home/ann", "pts.csv");
  TypeInOutputBox("/home/ann/edited.dxf");
  controls.drive = "/media/usb";
  selection.Drv1_Change();
  EXPECT_EQ(controls.dirPath, "/media/usb");
  EXPECT_EQ(controls.fileListPath, "/media/usb");
  EXPECT_EQ(selection.InPath(), "/home/ann/pts.csv");
  EXPECT_EQ(selection.OutPath(), "/home/ann/edited.dxf");
  EXPECT_EQ(controls.txt1, "/home/ann/pts.csv");
  EXPECT_EQ(controls.cannotOpenMessages, 0);
}

TEST_F(FileSelectionTest, UnreadableDriveIsReportedAndEveryListStays) {
  controls.drive = "/media/empty";
  controls.unreadable = {"/media/empty"};
  selection.Drv1_Change();
  EXPECT_EQ(controls.cannotOpenMessages, 1);
  EXPECT_EQ(controls.dirPath, "/home/ann");
  EXPECT_EQ(controls.fileListPath, "/home/ann");
  EXPECT_EQ(controls.drive, "/");
}

TEST_F(FileSelectionTest, FolderTheFileListCannotReadSendsTheDirectoryListBack) {
  controls.fileListFails = {"/home/ann/locked"};
  controls.dirPath = "/home/ann/locked";
  selection.Dir1_Change();
  EXPECT_EQ(controls.cannotOpenMessages, 1);
  EXPECT_EQ(controls.dirPath, "/home/ann");
  EXPECT_EQ(controls.fileListPath, "/home/ann");
}

TEST_F(FileSelectionTest, GoingBackToAFolderThatFailsTooStopsAfterOneMoreReport) {
  controls.fileListFails = {"/home/ann", "/home/ann/locked"};
  controls.dirPath = "/home/ann/locked";
  selection.Dir1_Change();
  EXPECT_EQ(controls.cannotOpenMessages, 2);
  EXPECT_EQ(controls.fileListPath, "/home/ann");
}

}  // namespace
}  // namespace sorvane
