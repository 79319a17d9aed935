#pragma once
// The selection behind the main window: the point file chosen last (InPath), the DXF
// path to write (OutPath), and the chain drive list -> directory list -> file list.
// The procedures are named after the control events that run them.

#include "runtime/path_names.h"
#include "selection/selection_controls.h"
#include "selection/shown_path.h"

#include <string>

namespace sorvane {

class FileSelection {
 public:
  // Paths are derived in `style`, the system's own unless told otherwise.
  explicit FileSelection(SelectionControls& controls, PathStyle style = kNativePathStyle)
      : controls_(controls), style_(style) {}

  // The directory list follows the drive list. A drive that cannot be read is
  // reported, and the drive list goes back to the drive the directory list is on.
  void Drv1_Change();
  // The file list follows the directory list, and the drive list shows the drive
  // holding its folder. A folder that cannot be read is reported, and the directory
  // list goes back to the file list's folder.
  void Dir1_Change();
  // Derives InPath and OutPath from the selected file and shows both, replacing any
  // edit of the output box. Does nothing when no entry is selected.
  void Fil1_Click();
  // OutPath follows every edit of the output box, empty included: what was typed, in
  // the bytes of the rest of the path.
  void Txt2_Change();

  const std::string& InPath() const { return inPath_; }
  const std::string& OutPath() const { return output_.Path(); }

 private:
  SelectionControls& controls_;
  PathStyle style_;
  std::string inPath_;
  ShownPath output_;
  bool restoringDirList_ = false;
};

}  // namespace sorvane
