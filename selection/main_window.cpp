#include "selection/main_window.h"

#include "engine/conversion_run.h"
#include "runtime/file_name_pattern.h"
#include "runtime/file_system.h"
#include "runtime/message_sink.h"
#include "runtime/path_names.h"
#include "runtime/utf8_path.h"
#include "selection/folder_listing.h"
#include "selection/path_derivation.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

namespace sorvane {
namespace {

namespace fs = std::filesystem;

// A folder as the lists name it: in the system's separators, without "." or "..", and
// without a trailing separator unless it is a root ("/", "C:\").
fs::path NormalFolder(const std::string& folder) {
  fs::path normal = PathFromUtf8(folder).make_preferred().lexically_normal();
  if (normal != normal.root_path() && !normal.has_filename()) normal = normal.parent_path();
  return normal;
}

// The folder the lists start on: the process's current one, or where it cannot be
// told (removed meanwhile), the system's root.
std::string StartFolder() {
  std::error_code error;
  const fs::path current = fs::current_path(error);
  if (!error) return Utf8FromPath(current);
  return kNativePathStyle == PathStyle::Windows ? "C:\\" : "/";
}

// The entry `index` of `entries`; nothing for -1 or an index past the end.
template <typename Entry>
const Entry* EntryAt(const std::vector<Entry>& entries, int index) {
  const auto at = static_cast<std::size_t>(index);
  return index >= 0 && at < entries.size() ? &entries[at] : nullptr;
}

// How a folder of the directory list shows: its name, or the whole path of a root.
std::string FolderEntryText(const std::string& path) {
  const std::string name = Utf8FromPath(PathFromUtf8(path).filename());
  return ShownName(name.empty() ? path : name);
}

// The directory list's entries for `folders`: the chain from the root down to entry
// `shown`, each one step further in and open, and the folders inside it.
std::vector<ListEntry> FolderEntries(const std::vector<std::string>& folders, int shown) {
  std::vector<ListEntry> entries;
  entries.reserve(folders.size());
  for (int index = 0; index < static_cast<int>(folders.size()); ++index) {
    entries.push_back({FolderEntryText(folders[static_cast<std::size_t>(index)]), std::min(index, shown + 1),
                       index <= shown});
  }
  return entries;
}

std::vector<ListEntry> Entries(const std::vector<std::string>& names) {
  std::vector<ListEntry> entries;
  entries.reserve(names.size());
  for (const std::string& name : names) entries.push_back({ShownName(name)});
  return entries;
}

// The index of `name` among `names`; -1 when it is empty or not there.
int IndexOf(const std::vector<std::string>& names, const std::string& name) {
  const auto found = std::find(names.begin(), names.end(), name);
  return name.empty() || found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

// The outcome of one conversion. The wait cursor of the run ends before the box
// appears, and at the latest when the run is over.
class OutcomeBox final : public MessageSink {
 public:
  explicit OutcomeBox(MainWindowView& window) : window_(window) { window_.ShowWaitCursor(); }
  ~OutcomeBox() override { EndWait(); }
  OutcomeBox(const OutcomeBox&) = delete;
  OutcomeBox& operator=(const OutcomeBox&) = delete;

  void ShowMessage(std::string_view message) override {
    EndWait();
    window_.Tell(message);
  }

 private:
  void EndWait() noexcept {
    if (!waiting_) return;
    waiting_ = false;
    window_.EndWaitCursor();
  }

  MainWindowView& window_;
  bool waiting_ = true;
};

}  // namespace

MainWindow::MainWindow(MainWindowView& window, ListView& drives, ListView& folders, ListView& files,
                       ProgramEnd& programEnd, const std::vector<MountedVolume>& volumes)
    : window_(window), driveList_(drives), folderList_(folders), fileList_(files), programEnd_(programEnd) {
  const std::string start = StartFolder();
  ListDrives(volumes, start);
  // Where not even the root can be read, the lists stay empty.
  static_cast<void>(ShowNearestFolder(start));
}

void MainWindow::Drv1_Change(int index) {
  const std::string* drive = EntryAt(drives_, index);
  if (!drive || ShowFolder(*drive, {}, ListScroll::ToSelected)) return;
  window_.Tell(kCannotOpenFolder);
  SelectDriveOfFolder();
}

void MainWindow::Dir1_Change(int index) {
  const std::string* folder = EntryAt(folders_, index);
  if (!folder || ShowFolder(*folder, {}, ListScroll::ToSelected)) return;
  window_.Tell(kCannotOpenFolder);
}

void MainWindow::Fil1_Click(int index) {
  const std::string* fileName = EntryAt(files_, index);
  selectedFile_ = fileName ? *fileName : std::string();
  if (fileName) ChooseFile(folder_, selectedFile_);
}

void MainWindow::Txt2_Change(std::string_view text) { output_.Edit(text); }

void MainWindow::Cmd1_Click() {
  OutcomeBox outcome(window_);
  // The run tells every failure of its own in its box; only showing that box can throw
  // (memory gone), and then the window simply stays as it is.
  try {
    RunConversion(inPath_, output_.Path(), outcome);
  } catch (const std::exception&) {
  }
}

void MainWindow::OpenFromOutside(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  if (paths.size() > 1) return window_.Tell(kOneFileAtATime);
  std::error_code error;
  const fs::path path = fs::absolute(PathFromUtf8(paths.front()), error).lexically_normal();
  const PathKind kind = paths.front().empty() ? PathKind::Nothing : CurrentFileSystem().Status(Utf8FromPath(path)).kind;
  // One that cannot be looked at cannot be read either, as Convert would then say.
  if (kind == PathKind::Nothing || kind == PathKind::Unreachable) return window_.Tell(kFileMissing);
  if (kind == PathKind::Directory) {
    if (!ShowFolder(Utf8FromPath(path), {}, ListScroll::ToSelected)) window_.Tell(kCannotOpenFolder);
    return;
  }
  const std::string name = Utf8FromPath(path.filename());
  if (kind != PathKind::RegularFile || !MatchesPattern(name, kFilePattern)) return window_.Tell(kNotAPointFile);
  const std::string folder = Utf8FromPath(NormalFolder(Utf8FromPath(path.parent_path())));
  // A folder that cannot be listed still gives its file; the lists then stay as they are.
  static_cast<void>(ShowFolder(folder, name, ListScroll::ToSelected));
  ChooseFile(folder, name);
}

void MainWindow::RefreshFolder() {
  if (ShowFolder(folder_, selectedFile_, ListScroll::Kept)) return;
  // A share that does not answer for a while is still there; only a folder that is gone
  // (removed, or on a drive taken away) is left.
  if (CurrentFileSystem().Status(folder_).kind != PathKind::Nothing) return;
  if (!ShowNearestFolder(Utf8FromPath(PathFromUtf8(folder_).parent_path()))) {
    static_cast<void>(ShowNearestFolder(StartFolder()));
  }
}

void MainWindow::RefreshDrives() {
  ListDrives(CurrentFileSystem().MountedVolumes(), folder_);
  RefreshFolder();
}

void MainWindow::RefreshNoted() {
  if (std::exchange(drivesChanged_, false)) {
    RefreshDrives();
  } else {
    RefreshFolder();
  }
}

bool MainWindow::ShowFolder(const std::string& requested, const std::string& selectedFile, ListScroll scroll) {
  // `requested` may be an entry of the lists, so it is read before they change.
  const fs::path folderPath = NormalFolder(requested);
  const std::string folder = Utf8FromPath(folderPath);
  const std::optional<std::vector<std::string>> subfolders = ListSubfolders(folder);
  if (!subfolders) return false;
  std::optional<std::vector<std::string>> files = ListMatchingFiles(folder, kFilePattern);
  if (!files) return false;

  std::vector<std::string> folders = FolderChain(folder);
  const int shown = static_cast<int>(folders.size()) - 1;
  for (const std::string& name : *subfolders) folders.push_back(Utf8FromPath(folderPath / PathFromUtf8(name)));
  // A refresh shows anew only the list that changed, so that one whose entries stay
  // keeps whatever the user was doing in it.
  const bool moved = scroll == ListScroll::ToSelected;
  const bool foldersChanged = moved || folders != folders_;
  const bool filesChanged = moved || *files != files_;
  folder_ = folder;
  folders_ = std::move(folders);
  files_ = std::move(*files);
  selectedFile_ = selectedFile;

  if (foldersChanged) folderList_.Show(FolderEntries(folders_, shown), shown, scroll);
  if (filesChanged) fileList_.Show(Entries(files_), IndexOf(files_, selectedFile_), scroll);
  if (!moved) return true;
  SelectDriveOfFolder();
  window_.WatchFolder(folder_);
  return true;
}

bool MainWindow::ShowNearestFolder(const std::string& folder) {
  for (fs::path path = NormalFolder(folder);; path = path.parent_path()) {
    if (ShowFolder(Utf8FromPath(path), {}, ListScroll::ToSelected)) return true;
    if (path == path.parent_path()) return false;
  }
}

void MainWindow::ListDrives(const std::vector<MountedVolume>& volumes, const std::string& shownFolder) {
  std::vector<std::string> roots;
  roots.reserve(volumes.size());
  for (const MountedVolume& volume : volumes) roots.push_back(volume.rootPath);
  std::vector<std::string> drives;
  std::vector<ListEntry> entries;
  for (const MountedVolume& drive : BrowsedDrives(volumes, DriveOf(shownFolder, roots))) {
    drives.push_back(drive.rootPath);
    entries.push_back({DriveName(drive)});
  }
  if (drives == drives_ && entries == driveEntries_) return;
  drives_ = std::move(drives);
  driveEntries_ = std::move(entries);
  driveList_.Show(driveEntries_, DriveIndexOfFolder(), ListScroll::Kept);
}

int MainWindow::DriveIndexOfFolder() const { return IndexOf(drives_, DriveOf(folder_, drives_)); }

void MainWindow::SelectDriveOfFolder() { window_.SelectDrive(DriveIndexOfFolder()); }

void MainWindow::ChooseFile(const std::string& folder, const std::string& fileName) {
  inPath_ = DeriveInPath(folder, fileName);
  // Kept before the box is set, since setting it may raise Txt2_Change at once.
  output_ = ShownPath(DeriveOutPath(inPath_));
  window_.ShowPaths(ShownPath(inPath_).Text(), output_.Text());
}

}  // namespace sorvane
