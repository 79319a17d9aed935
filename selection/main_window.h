#pragma once
// The main window's behaviour, whatever draws it: the drive, directory and file lists
// that follow each other, the point file chosen last (InPath), the DXF path to write
// (OutPath), and Convert. A view shows what it is handed (main_window_view.h) and turns
// its controls' events into the procedures below, named after the events that run
// them. An entry of a list is named by its index from 0; -1, or an index past the end,
// names none.

#include "runtime/program_end.h"
#include "selection/main_window_view.h"
#include "selection/mounted_drives.h"
#include "selection/shown_path.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// The files the file list shows: letters of any case.
inline constexpr std::string_view kFilePattern = "*.csv";
// What the user is told when a folder or a drive cannot be read.
inline constexpr std::string_view kCannotOpenFolder = "フォルダを開けません";
// What the user is told of a path given from outside the window that names nothing, or
// that names a file other than a point file, or when more than one is given at once.
inline constexpr std::string_view kFileMissing = "ファイルが存在しません";
inline constexpr std::string_view kNotAPointFile = "CSVファイルを選択してください";
inline constexpr std::string_view kOneFileAtATime = "ファイルは1つずつ選択してください";
// How long after a change on disk is noted the lists read it, so that a burst of
// changes (a folder of files copied in) is read once.
inline constexpr std::chrono::milliseconds kRefreshDelay{100};

class MainWindow {
 public:
  // Fills the lists, once the view's controls exist: the drives among `volumes`, and
  // the folder the process is in (which the window never changes, so conversions
  // always find the template where the program was started), or that folder's root
  // when it cannot be read. Both boxes stay empty.
  MainWindow(MainWindowView& window, ListView& drives, ListView& folders, ListView& files,
             ProgramEnd& programEnd, const std::vector<MountedVolume>& volumes);

  // The user picked drive `index` in the drive list, the one shown already included:
  // both lists move to its root. A drive that cannot be read is reported, and the
  // drive list goes back to the drive of the folder shown.
  void Drv1_Change(int index);
  // The user opened entry `index` of the directory list: both lists move to that
  // folder, and the drive list shows the drive holding it. A folder that cannot be
  // read is reported, and the lists stay where they were.
  void Dir1_Change(int index);
  // The user clicked entry `index` of the file list, the one selected (FileListClicks
  // tells when a click is one): derives InPath and OutPath and shows both, replacing
  // any edit of the output box. Does nothing when no entry is selected.
  void Fil1_Click(int index);
  // The output box now shows `text`: OutPath follows every edit, empty included, in the
  // bytes of the rest of the path (ShownPath).
  void Txt2_Change(std::string_view text);
  // Converts InPath into OutPath under the wait cursor and tells the outcome.
  void Cmd1_Click();
  // Cancel and File > Exit end the program at once, asking nothing.
  void Cmd2_Click() { programEnd_.EndProgram(); }
  void mnuEnd_Click() { programEnd_.EndProgram(); }

  // Paths handed to the window from outside (dropped on it, or named on the command line
  // by "Open with" or a file dropped on the program's icon), absolute or relative to the
  // process's current folder. A point file (a file whose name matches kFilePattern) is
  // chosen as a click on it would choose it: both lists move to its folder, it is
  // selected there, and both paths are shown; nothing is converted. A folder takes the
  // lists there. Anything else, or more than one path, is reported and changes nothing.
  void OpenFromOutside(const std::vector<std::string>& paths);
  // The folder shown may have changed on disk (the view watches it, and asks again when
  // the window comes to the front): the lists show what it holds now, scrolled as they
  // were, the file selected still selected wherever it is listed. The chosen paths and
  // the boxes stay, even when their file is gone. A folder that is gone takes the lists
  // to the nearest folder above it that can be read; one that cannot be read for now
  // stays as it was shown.
  void RefreshFolder();
  // The volumes mounted may have changed: the drive list shows the drives among the
  // file system's volumes now, the one holding the folder shown selected, and the
  // folder is refreshed.
  void RefreshDrives();
  // The folder shown, or the mounted volumes too when `drives`, may have changed; the
  // view calls RefreshNoted once kRefreshDelay has passed since the first change noted.
  void NoteDiskChange(bool drives) noexcept { drivesChanged_ = drivesChanged_ || drives; }
  // Refreshes what the changes noted since the last call may have changed.
  void RefreshNoted();

  const std::string& InPath() const noexcept { return inPath_; }
  const std::string& OutPath() const noexcept { return output_.Path(); }

 private:
  // Shows `folder` in both lists, `selectedFile` selected in the file list when listed
  // there. False, with nothing changed, when it cannot be read.
  [[nodiscard]] bool ShowFolder(const std::string& folder, const std::string& selectedFile, ListScroll scroll);
  // Moves both lists to `folder`, or where it cannot be read to the nearest folder above
  // it that can. False when none can.
  bool ShowNearestFolder(const std::string& folder);
  void ListDrives(const std::vector<MountedVolume>& volumes, const std::string& shownFolder);
  // The index in the drive list of the drive holding the folder shown; -1 for none.
  int DriveIndexOfFolder() const;
  void SelectDriveOfFolder();
  // InPath becomes `fileName` in `folder`, and OutPath the path proposed beside it.
  void ChooseFile(const std::string& folder, const std::string& fileName);

  MainWindowView& window_;
  ListView& driveList_;
  ListView& folderList_;
  ListView& fileList_;
  ProgramEnd& programEnd_;
  std::vector<std::string> drives_;      // the drive list's entries, as roots
  std::vector<ListEntry> driveEntries_;  // ... as the list shows them
  std::string folder_;                   // the folder both lists show
  std::vector<std::string> folders_;     // the directory list's entries, as full paths
  std::vector<std::string> files_;       // the file list's entries, as names in folder_
  std::string selectedFile_;             // the file list's selected entry; empty for none
  bool drivesChanged_ = false;           // noted since the last RefreshNoted
  std::string inPath_;
  ShownPath output_;
};

}  // namespace sorvane
