#include "selection/file_selection.h"

#include "selection/path_derivation.h"

namespace sorvane {

void FileSelection::Drv1_Change() {
  if (controls_.MoveDirList(controls_.Drive())) return;
  controls_.TellCannotOpenFolder();
  controls_.ShowDriveOf(controls_.DirPath());
}

void FileSelection::Dir1_Change() {
  if (controls_.MoveFileList(controls_.DirPath())) {
    controls_.ShowDriveOf(controls_.DirPath());
    return;
  }
  controls_.TellCannotOpenFolder();
  // Moving the directory list back runs this procedure again; if the old folder has
  // become unreadable too, stop there instead of going back and forth.
  if (restoringDirList_) return;
  restoringDirList_ = true;
  controls_.MoveDirList(controls_.FileListPath());
  restoringDirList_ = false;
}

void FileSelection::Fil1_Click() {
  const std::optional<std::string> fileName = controls_.SelectedFileName();
  if (!fileName) return;
  inPath_ = DeriveInPath(controls_.FileListPath(), *fileName, style_);
  // Kept before the box is set, since setting it raises Txt2_Change at once.
  output_ = ShownPath(DeriveOutPath(inPath_, style_));
  controls_.SetInputText(ShownPath(inPath_).Text());
  controls_.SetOutputText(output_.Text());
}

void FileSelection::Txt2_Change() { output_.Edit(controls_.OutputText()); }

}  // namespace sorvane
