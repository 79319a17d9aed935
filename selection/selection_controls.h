#pragma once
// What the selection procedures read and write of the window's controls. The window
// gives its real lists and boxes; a test gives plain fields.

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

class SelectionControls {
 public:
  virtual ~SelectionControls() = default;

  virtual std::string Drive() const = 0;         // Drv1.Drive: the chosen drive's path
  virtual std::string DirPath() const = 0;       // Dir1.Path
  virtual std::string FileListPath() const = 0;  // Fil1.Path

  // Moves the directory list. False, with the list left where it was, when the folder
  // cannot be read. A move raises Dir1_Change before returning.
  virtual bool MoveDirList(const std::string& path) = 0;
  // Relists the file list for `path`. False, with the list left as it was, when the
  // folder cannot be read.
  virtual bool MoveFileList(const std::string& path) = 0;
  // Shows in the drive list the drive that holds `path`, raising no Drv1_Change.
  virtual void ShowDriveOf(const std::string& path) = 0;

  // Fil1.List(Fil1.ListIndex); nothing when no entry is selected.
  virtual std::optional<std::string> SelectedFileName() const = 0;

  // The boxes' texts, UTF-8 as shown (ShownPath); the selection keeps the paths.
  virtual void SetInputText(const std::string& text) = 0;  // Txt1.Text
  // Txt2.Text; a change of the text raises Txt2_Change before returning.
  virtual void SetOutputText(const std::string& text) = 0;
  virtual std::string OutputText() const = 0;

  // Tells the user, and waits for OK, that a folder cannot be opened.
  virtual void TellCannotOpenFolder() = 0;
};

}  // namespace sorvane
