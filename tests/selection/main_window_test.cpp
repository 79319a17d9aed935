#include "selection/main_window.h"

#include "batch/batch_converter.h"
#include "runtime/native_file_system.h"
#include "runtime/utf8_path.h"
#include "selection/folder_listing.h"
#include "tests/selection/main_window_fixture.h"
#include "tests/ui/window_cases.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace sorvane {
namespace {

using ::testing::ElementsAre;
namespace cases = sorvane::window_cases;

TEST_F(MainWindowTest, StartsOnTheCurrentFolderWithNothingChosen) {
  const std::vector<std::string> chain = FolderChain(testing::NativePath(scratch.Path()));
  ASSERT_EQ(folders.entries.size(), chain.size() + 1);
  EXPECT_EQ(folders.selected, static_cast<int>(chain.size()) - 1);
  EXPECT_EQ(folders.entries.back().text, "sub");
  EXPECT_EQ(folders.entries.back().depth, static_cast<int>(chain.size()));
  EXPECT_FALSE(folders.entries.back().open);
  EXPECT_TRUE(folders.entries[chain.size() - 1].open);
  // The root shows as its whole path, each folder after it as its name.
  EXPECT_EQ(folders.entries.front().text, chain.front());
  EXPECT_EQ(folders.entries[chain.size() - 1].text, Utf8FromPath(PathFromUtf8(scratch.Path()).filename()));

  EXPECT_THAT(files.Texts(), ElementsAre("points.csv", "run.2.csv", "点群.csv"));
  EXPECT_EQ(files.selected, -1);
  EXPECT_EQ(drives.SelectedText(), ScratchDriveName());
  EXPECT_EQ(window.pathsShown, 0);
  EXPECT_EQ(logic->InPath(), "");
  EXPECT_EQ(logic->OutPath(), "");
}

class FileClick : public MainWindowTest, public ::testing::WithParamInterface<cases::FileClick> {};

TEST_P(FileClick, DerivesBothPathsAndShowsThem) {
  ClickFile(GetParam().file);
  EXPECT_EQ(logic->InPath(), Here(GetParam().file));
  EXPECT_EQ(logic->OutPath(), Here(GetParam().proposal));
  EXPECT_EQ(window.txt1, Here(GetParam().file));
  EXPECT_EQ(window.txt2, Here(GetParam().proposal));
}

INSTANTIATE_TEST_SUITE_P(WindowCases, FileClick, ::testing::ValuesIn(cases::kFileClicks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, AClickWithNothingSelectedKeepsTheLastChoice) {
  ClickFile("points.csv");
  logic->Fil1_Click(-1);
  logic->Fil1_Click(static_cast<int>(files.entries.size()));
  EXPECT_EQ(logic->InPath(), Here("points.csv"));
  EXPECT_EQ(logic->OutPath(), Here("points.dxf"));
  EXPECT_EQ(window.pathsShown, 1);
}

TEST_F(MainWindowTest, OutPathFollowsEveryEditOfTheOutputBoxUntilTheNextClick) {
  TypeInOutputBox("/out/before.dxf");
  EXPECT_EQ(logic->OutPath(), "/out/before.dxf");
  EXPECT_EQ(logic->InPath(), "");
  ClickFile("points.csv");
  for (const std::string text : {"/out/a.dxf", "/out/a.dx", "", "relative name"}) {
    TypeInOutputBox(text);
    EXPECT_EQ(logic->OutPath(), text);
    EXPECT_EQ(logic->InPath(), Here("points.csv"));
  }
  ClickFile("points.csv");
  EXPECT_EQ(logic->OutPath(), Here("points.dxf"));
  EXPECT_EQ(window.txt2, Here("points.dxf"));
}

class ConvertEnd : public MainWindowTest, public ::testing::WithParamInterface<cases::ConvertEnd> {};

TEST_P(ConvertEnd, TellsTheOutcomeOnceAfterTheWaitCursor) {
  const cases::ConvertEnd& end = GetParam();
  if (!end.templateThere) std::filesystem::remove(PathFromUtf8(scratch / "PreData.txt"));
  if (end.chooseFile) ClickFile("points.csv");
  logic->Cmd1_Click();
  ASSERT_THAT(window.messages, ElementsAre(end.message));
  EXPECT_FALSE(window.waitCursorAtMessage) << "the wait cursor should end before the box";
  EXPECT_TRUE(window.waitCursorShown);
  EXPECT_FALSE(window.waiting);
  EXPECT_EQ(programEnd.requests, 0);
  EXPECT_EQ(std::filesystem::exists(PathFromUtf8(scratch / "points.dxf")), end.written);
}

INSTANTIATE_TEST_SUITE_P(WindowCases, ConvertEnd, ::testing::ValuesIn(cases::kConvertEnds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ConvertWritesToTheEditedPathWhatTheBatchConverterWrites) {
  ClickFile("points.csv");
  const std::string edited = Here("sub/edited.dxf");
  TypeInOutputBox(edited);
  logic->Cmd1_Click();
  ASSERT_THAT(window.messages, ElementsAre("変換しました"));
  EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(scratch / "points.dxf")));

  const std::vector<std::string> args{"-o", scratch / "batch.dxf", scratch / "points.csv"};
  std::ostringstream out, err;
  ASSERT_EQ(RunBatchConverter(args, out, err), kExitAllConverted) << err.str();
  const std::string fromWindow = testing::ReadFile(edited);
  EXPECT_FALSE(fromWindow.empty());
  EXPECT_TRUE(fromWindow == testing::ReadFile(scratch / "batch.dxf"));
}

TEST_F(MainWindowTest, TheListsFollowEachOtherAndKeepTheChoice) {
  ClickFile("points.csv");
  TypeInOutputBox(Here("edited.dxf"));
  const auto choiceStays = [&] {
    EXPECT_EQ(logic->InPath(), Here("points.csv"));
    EXPECT_EQ(logic->OutPath(), Here("edited.dxf"));
    EXPECT_EQ(window.pathsShown, 1);
  };

  OpenFolder("sub");
  EXPECT_EQ(folders.SelectedText(), "sub");
  EXPECT_THAT(files.Texts(), ElementsAre("inner.csv"));
  EXPECT_EQ(files.selected, -1);
  choiceStays();

  // The scratch folder stands for a second drive, beside the root.
  PickDrive(RootDriveName());
  EXPECT_EQ(folders.selected, 0);
  EXPECT_EQ(folders.entries[0].text, RootOf(scratch.Path()));
  EXPECT_EQ(drives.selected, 0);
  choiceStays();

  PickDrive(ScratchDriveName());
  EXPECT_THAT(files.Texts(), ElementsAre("points.csv", "run.2.csv", "点群.csv"));
  OpenFolder("sub");
  EXPECT_EQ(drives.SelectedText(), ScratchDriveName());
  // The drive already shown takes the lists back to its root.
  PickDrive(ScratchDriveName());
  EXPECT_EQ(files.entries.size(), 3U);
  // Opening a folder on the way up, the root, shows the drive holding it.
  OpenFolder(RootOf(scratch.Path()));
  EXPECT_EQ(drives.selected, 0);
  choiceStays();
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(std::filesystem::current_path(), PathFromUtf8(scratch.Path()));
}

TEST_F(MainWindowTest, AFolderOrDriveThatCannotBeReadIsReportedAndTheListsStay) {
  const std::vector<ListEntry> folderEntries = folders.entries;
  const int drive = drives.selected;
  std::filesystem::remove_all(PathFromUtf8(scratch / "sub"));
  OpenFolder("sub");
  EXPECT_THAT(window.messages, ElementsAre("フォルダを開けません"));
  EXPECT_EQ(folders.entries.size(), folderEntries.size());
  EXPECT_EQ(files.entries.size(), 3U);

  PickDrive(MissingDriveName());
  EXPECT_THAT(window.messages, ElementsAre("フォルダを開けません", "フォルダを開けません"));
  EXPECT_EQ(drives.selected, drive);
  EXPECT_EQ(folders.entries.size(), folderEntries.size());
  EXPECT_EQ(files.entries.size(), 3U);
  ClickFile("points.csv");
  EXPECT_EQ(logic->InPath(), Here("points.csv"));
}

// A path handed to the window from outside: dropped on it or named on its command line.
struct FromOutside {
  const char* name;
  std::vector<const char*> paths;  // in the folder the window starts in
  bool besideTheStart;  // ... or in a folder beside it, on the root's drive
  bool relative;        // given relative to the current folder
  const char* told;     // the message; empty for none
  const char* listed;   // the folder the lists then show, in the same place; null: as they were
  const char* chosen;   // the point file chosen in it; empty for none
  const char* proposal; // the DXF path proposed, in the same place
};

const FromOutside kFromOutside[] = {
    {"PointFileInAnotherFolder", {"sub/inner.csv"}, false, false, "", "sub", "inner.csv", "sub/inner.dxf"},
    {"PointFileOnAnotherDriveInCapitals", {"FAR.CSV"}, true, false, "", "", "FAR.CSV", "FAR.dxf"},
    {"RelativeToTheCurrentFolder", {"点群.csv"}, false, true, "", "", "点群.csv", "点群.dxf"},
    {"Folder", {"sub"}, false, false, "", "sub", "", ""},
    {"NotAPointFile", {"notes.txt"}, false, false, "CSVファイルを選択してください", nullptr, "", ""},
    {"Missing", {"sub/gone.csv"}, false, false, "ファイルが存在しません", nullptr, "", ""},
    {"Several", {"points.csv", "run.2.csv"}, false, false, "ファイルは1つずつ選択してください", nullptr, "", ""},
};

class OpenFromOutside : public MainWindowTest, public ::testing::WithParamInterface<FromOutside> {
 protected:
  void TearDown() override { std::filesystem::remove_all(PathFromUtf8(beside)); }
  const std::string beside = scratch.Path() + "-beside";
};

TEST_P(OpenFromOutside, ChoosesAPointFileAsAClickWouldAndTellsWhatItCannotOpen) {
  const FromOutside& given = GetParam();
  std::filesystem::create_directory(PathFromUtf8(beside));
  testing::WriteFile(beside + "/FAR.CSV", "1,2,3\n");
  const std::string place = given.besideTheStart ? beside : scratch.Path();
  std::vector<std::string> paths;
  for (const char* path : given.paths) paths.push_back(given.relative ? path : place + "/" + path);
  const int folderShows = folders.shows;
  const int fileShows = files.shows;

  logic->OpenFromOutside(paths);
  if (*given.told) {
    EXPECT_THAT(window.messages, ElementsAre(given.told));
  } else {
    EXPECT_TRUE(window.messages.empty());
  }
  if (!given.listed) {
    EXPECT_EQ(folders.shows, folderShows);
    EXPECT_EQ(files.shows, fileShows);
  } else {
    const std::string listed = testing::NativePath(*given.listed ? place + "/" + given.listed : place);
    EXPECT_EQ(window.watched, listed);
    EXPECT_EQ(folders.SelectedText(), Utf8FromPath(PathFromUtf8(listed).filename()));
    EXPECT_EQ(drives.SelectedText(), given.besideTheStart ? RootDriveName() : ScratchDriveName());
    EXPECT_EQ(files.SelectedText(), given.chosen);
  }
  if (*given.chosen) {
    EXPECT_EQ(logic->InPath(), testing::NativePath(place + "/" + given.paths[0]));
    EXPECT_EQ(logic->OutPath(), testing::NativePath(place + "/" + given.proposal));
    EXPECT_EQ(window.txt1, logic->InPath());
    EXPECT_EQ(window.txt2, logic->OutPath());
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(logic->OutPath()))) << "nothing converts without Convert";
  } else {
    EXPECT_EQ(logic->InPath(), "");
    EXPECT_EQ(window.pathsShown, 0);
  }
  EXPECT_EQ(std::filesystem::current_path(), PathFromUtf8(scratch.Path()));
}

INSTANTIATE_TEST_SUITE_P(Cases, OpenFromOutside, ::testing::ValuesIn(kFromOutside),
                         [](const auto& info) { return std::string(info.param.name); });

// What happens on disk to the folder shown, after points.csv was clicked and the output
// box edited.
struct DiskChange {
  const char* name;
  void (*change)(const std::string& folder);
  std::vector<std::string> files;  // what the file list then shows
  const char* selected;            // ... and which of them is selected
  bool fileListShown;              // whether the file list was shown anew
};

const DiskChange kDiskChanges[] = {
    {"AFileAppears", [](const std::string& folder) { testing::WriteFile(folder + "/new.csv", "1,2,3\n"); },
     {"new.csv", "points.csv", "run.2.csv", "点群.csv"}, "points.csv", true},
    {"TheSelectedFileGoes",
     [](const std::string& folder) { std::filesystem::remove(PathFromUtf8(folder + "/points.csv")); },
     {"run.2.csv", "点群.csv"}, "", true},
    {"AnotherFileIsRenamed",
     [](const std::string& folder) {
       std::filesystem::rename(PathFromUtf8(folder + "/run.2.csv"), PathFromUtf8(folder + "/a.csv"));
     },
     {"a.csv", "points.csv", "点群.csv"}, "points.csv", true},
    {"NothingTheListsShow", [](const std::string& folder) { testing::WriteFile(folder + "/more.txt", "\n"); },
     {"points.csv", "run.2.csv", "点群.csv"}, "points.csv", false},
};

class Refresh : public MainWindowTest, public ::testing::WithParamInterface<DiskChange> {};

TEST_P(Refresh, ShowsTheFolderAsItIsNowAndKeepsTheChoiceAndTheEdit) {
  ClickFile("points.csv");
  TypeInOutputBox(Here("edited.dxf"));
  const int folderShows = folders.shows;
  const int fileShows = files.shows;
  GetParam().change(scratch.Path());

  logic->RefreshFolder();
  EXPECT_EQ(files.Texts(), GetParam().files);
  EXPECT_EQ(files.SelectedText(), GetParam().selected);
  EXPECT_EQ(files.shows, fileShows + (GetParam().fileListShown ? 1 : 0));
  EXPECT_EQ(files.scroll, GetParam().fileListShown ? ListScroll::Kept : ListScroll::ToSelected);
  EXPECT_EQ(folders.shows, folderShows) << "the directory list has not changed";
  // As after a move to another folder, the choice stays even when its file is gone:
  // Convert then says so.
  EXPECT_EQ(logic->InPath(), Here("points.csv"));
  EXPECT_EQ(logic->OutPath(), Here("edited.dxf"));
  EXPECT_EQ(window.txt2, Here("edited.dxf"));
  EXPECT_EQ(window.pathsShown, 1);
  EXPECT_TRUE(window.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, Refresh, ::testing::ValuesIn(kDiskChanges),
                         [](const auto& info) { return std::string(info.param.name); });

// Two folders go at once; the nearest above them is not the folder the window started
// in.
TEST_F(MainWindowTest, AFolderThatIsGoneTakesTheListsToTheNearestAbove) {
  std::filesystem::create_directories(PathFromUtf8(scratch / "sub/deeper/deepest"));
  OpenFolder("sub");
  OpenFolder("deeper");
  OpenFolder("deepest");
  std::filesystem::remove_all(PathFromUtf8(scratch / "sub/deeper"));
  logic->RefreshFolder();
  EXPECT_EQ(folders.SelectedText(), "sub");
  EXPECT_EQ(folders.entries.back().text, "sub");
  EXPECT_THAT(files.Texts(), ElementsAre("inner.csv"));
  EXPECT_EQ(window.watched, Here("sub"));
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(MainWindowTest, TheDriveListFollowsTheVolumesMounted) {
  const MountedVolume root{RootOf(scratch.Path()), "ext4", ""};
  const MountedVolume here{testing::NativePath(scratch.Path()), "ext4", ""};
  const MountedVolume stick{MissingVolume(), "vfat", ""};
  class Volumes : public NativeFileSystem {
   public:
    std::vector<MountedVolume> MountedVolumes() override { return mounted; }
    std::vector<MountedVolume> mounted;
  } volumes;
  const ScopedFileSystem mounting(volumes);
  const int folderShows = folders.shows;
  volumes.mounted = {root, here};
  logic->RefreshDrives();
  EXPECT_THAT(drives.Texts(), ElementsAre(RootDriveName(), ScratchDriveName()));
  EXPECT_EQ(drives.SelectedText(), ScratchDriveName());
  EXPECT_EQ(drives.scroll, ListScroll::Kept);
  EXPECT_EQ(folders.shows, folderShows);

  // The volume of the folder shown goes, and another comes.
  volumes.mounted = {root, stick};
  logic->RefreshDrives();
  EXPECT_THAT(drives.Texts(), ElementsAre(RootDriveName(), MissingDriveName()));
  EXPECT_EQ(drives.SelectedText(), RootDriveName());
  EXPECT_THAT(files.Texts(), ElementsAre("points.csv", "run.2.csv", "点群.csv"));
  EXPECT_TRUE(window.messages.empty());
}

// The lists read folders through the file system in use. One that breaks off while a
// folder is read, before its folders are listed or between them and its files,
// leaves both lists as they were.
class FolderReadBreaksOff : public MainWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(FolderReadBreaksOff, IsReportedAndTheListsStay) {
  class BreakingDisk : public NativeFileSystem {
   public:
    explicit BreakingDisk(int successes) : successes_(successes) {}
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) override {
      if (successes_-- <= 0) return std::nullopt;
      return NativeFileSystem::ListFolder(folder);
    }

   private:
    int successes_;
  } disk(GetParam());
  const ScopedFileSystem breaking(disk);
  const std::vector<std::string> shownFolders = folders.Texts();
  OpenFolder("sub");
  EXPECT_THAT(window.messages, ElementsAre("フォルダを開けません"));
  EXPECT_EQ(folders.Texts(), shownFolders);
  EXPECT_THAT(files.Texts(), ElementsAre("points.csv", "run.2.csv", "点群.csv"));
}

INSTANTIATE_TEST_SUITE_P(Listing, FolderReadBreaksOff, ::testing::Values(0, 1),
                         [](const auto& info) { return std::string(info.param == 0 ? "AtOnce" : "AfterItsFolders"); });

}  // namespace
}  // namespace sorvane
