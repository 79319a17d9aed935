#include "selection/main_window.h"

#include "engine/conversion_run.h"
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

// How a folder on the way from the root shows: its name, or the whole path of a root.
std::string ChainEntryText(const std::string& path) {
  const std::string name = Utf8FromPath(PathFromUtf8(path).filename());
  return ShownName(name.empty() ? path : name);
}

std::vector<ListEntry> Entries(const std::vector<std::string>& names) {
  std::vector<ListEntry> entries;
  entries.reserve(names.size());
  for (const std::string& name : names) entries.push_back({ShownName(name)});
  return entries;
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
  std::vector<std::string> roots;
  roots.reserve(volumes.size());
  for (const MountedVolume& volume : volumes) roots.push_back(volume.rootPath);
  std::vector<ListEntry> names;
  for (const MountedVolume& drive : BrowsedDrives(volumes, DriveOf(start, roots))) {
    drives_.push_back(drive.rootPath);
    names.push_back({DriveName(drive)});
  }
  driveList_.Show(names, -1);
  // Where not even the root can be read, the lists stay empty.
  if (!ShowFolder(start)) static_cast<void>(ShowFolder(Utf8FromPath(NormalFolder(start).root_path())));
}

void MainWindow::Drv1_Change(int index) {
  const std::string* drive = EntryAt(drives_, index);
  if (!drive || ShowFolder(*drive)) return;
  window_.Tell(kCannotOpenFolder);
  SelectDriveOfFolder();
}

void MainWindow::Dir1_Change(int index) {
  const std::string* folder = EntryAt(folders_, index);
  if (!folder || ShowFolder(*folder)) return;
  window_.Tell(kCannotOpenFolder);
}

void MainWindow::Fil1_Click(int index) {
  const std::string* fileName = EntryAt(files_, index);
  if (!fileName) return;
  inPath_ = DeriveInPath(folder_, *fileName);
  // Kept before the box is set, since setting it may raise Txt2_Change at once.
  output_ = ShownPath(DeriveOutPath(inPath_));
  window_.ShowPaths(ShownPath(inPath_).Text(), output_.Text());
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

bool MainWindow::ShowFolder(const std::string& requested) {
  // `requested` may be an entry of the lists, so it is read before they change.
  const fs::path folderPath = NormalFolder(requested);
  const std::string folder = Utf8FromPath(folderPath);
  const std::optional<std::vector<std::string>> subfolders = ListSubfolders(folder);
  if (!subfolders) return false;
  std::optional<std::vector<std::string>> files = ListMatchingFiles(folder, kFilePattern);
  if (!files) return false;

  std::vector<ListEntry> entries;
  folders_.clear();
  int depth = 0;
  for (const std::string& step : FolderChain(folder)) {
    entries.push_back({ChainEntryText(step), depth++, true});
    folders_.push_back(step);
  }
  for (const std::string& name : *subfolders) {
    entries.push_back({ShownName(name), depth, false});
    folders_.push_back(Utf8FromPath(folderPath / PathFromUtf8(name)));
  }
  folder_ = folder;
  files_ = std::move(*files);

  folderList_.Show(entries, depth - 1);
  fileList_.Show(Entries(files_), -1);
  SelectDriveOfFolder();
  return true;
}

void MainWindow::SelectDriveOfFolder() {
  const auto drive = std::find(drives_.begin(), drives_.end(), DriveOf(folder_, drives_));
  window_.SelectDrive(drive == drives_.end() ? -1 : static_cast<int>(drive - drives_.begin()));
}

}  // namespace sorvane
