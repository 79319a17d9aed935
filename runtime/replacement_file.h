#pragma once
// Where the output goes, and how it gets there. The rules for a path: a symbolic link
// is followed, so the file it points at is replaced and the link stays; a path that
// reaches an input of the run, however spelled, is refused; so is a file this user may
// not write. The drawing is written to a temporary file beside its final path and put
// in place in one step only when complete and on disk, so a run that fails leaves no
// half-written drawing, no temporary file, and an existing file as it was. Temporary
// files that killed runs left in that folder are removed first, never one a run still
// writes (temporary_owner.h).

#include "runtime/file_system.h"

#include <span>
#include <string>

namespace sorvane {

class ReplacementFile {
 public:
  enum class CreateStatus { Created, EmptyName, SameAsInput, CannotCreate };

  ReplacementFile() = default;
  ~ReplacementFile();  // removes the temporary file unless Commit succeeded
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // Prepares to replace `path`. Refuses an empty name, a path that reaches one of
  // `inputs`, and a path that cannot be written (missing folder, no permission, a
  // read-only file, a folder or device there, a loop of links); nothing is created then.
  [[nodiscard]] CreateStatus Create(const std::string& path, std::span<const FileIdentity> inputs);

  // The temporary file to write the drawing to.
  FileHandle Handle() const noexcept { return temporary_.handle; }

  // Gives the file the permissions of the file it replaces (a new one keeps those its
  // folder gives), makes it durable, and puts it in place. False when any step failed;
  // the temporary file is then gone and the final path as it was.
  [[nodiscard]] bool Commit();

  // Closes and removes the temporary file; the final path stays as it was.
  void Discard() noexcept;

 private:
  void ReleaseLock() noexcept;

  std::string finalPath_;
  TemporaryFile temporary_;
  bool replacesExisting_ = false;
};

}  // namespace sorvane
