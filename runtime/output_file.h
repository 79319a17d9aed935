#pragma once
// The output file of a run. It is written beside its final path under a temporary name,
// through two large buffers (one is filled while a thread writes the other), and renamed over the final path only when complete: a run
// that fails leaves no half-written drawing, no temporary file, and an existing file
// at the final path byte for byte as it was.

#include "background_writer.h"
#include "file_identity.h"
#include "number_text.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

class OutputFile {
 public:
  enum class CreateStatus { Created, EmptyName, SameAsInput, CannotCreate };

  OutputFile();
  ~OutputFile();  // removes the temporary file unless Commit succeeded
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Prepares to write `path`. A symbolic link at `path` is followed: the file it points
  // at is replaced and the link stays. Refuses an empty name, a path that reaches one of
  // `inputs`, and a path that cannot be written (missing directory, no permission, a
  // directory or device there); in those cases nothing is created.
  CreateStatus Create(const std::string& path, std::span<const FileIdentity> inputs);

  // The print statement: one item, then CR LF.
  void PrintLine(std::string_view text) {
    Put(text);
    Put("\r\n");
  }
  void PrintNumber(double value) {
    char* out = PrintNumberText(value, Reserve(kMaxNumberTextLength + 2));
    *out++ = '\r';
    *out++ = '\n';
    Commit(out);
  }
  // Room for `size` characters written straight into the buffer, for the hot path:
  // write at most `size` characters from the returned pointer, then Commit the end.
  char* Reserve(std::size_t size) {
    if (size > capacity_ - used_) Flush();
    return buffers_[active_].get() + used_;
  }
  void Commit(const char* end) { used_ = static_cast<std::size_t>(end - buffers_[active_].get()); }

  // Raw text, already with its line ends.
  void Put(std::string_view text) {
    if (text.size() > capacity_ - used_) {
      PutLarge(text);
      return;
    }
    std::memcpy(buffers_[active_].get() + used_, text.data(), text.size());
    used_ += text.size();
  }

  // The number of bytes put so far: the offset in the file of the next byte.
  std::uint64_t Offset() const { return handedOver_ + used_; }

  // Replaces bytes already put, from `offset` on, with `bytes`, before the file is
  // committed; for a value that is known only once the rest is written. Precondition:
  // offset + bytes.size() <= Offset().
  void Overwrite(std::uint64_t offset, std::string_view bytes);

  // True once a write has failed; everything after it is dropped.
  bool Failed() const { return failed_ || writer_.Failed(); }

  // Writes out the rest, makes the file durable, gives it the permissions of the file it
  // replaces (or of a new file), and renames it over the final path. False when any
  // write, the sync or the rename failed; the temporary file is then removed.
  bool Commit();

 private:
  void Flush();
  void PutLarge(std::string_view text);
  void Discard();
  void HandOver(const char* data, std::size_t size);

  struct PendingOverwrite {
    std::uint64_t offset;
    std::string bytes;
  };

  std::string finalPath_;
  std::string temporaryPath_;
  int fd_ = -1;
  bool replacesExisting_ = false;
  unsigned existingMode_ = 0;
  unsigned existingOwner_ = 0;
  unsigned existingGroup_ = 0;
  bool failed_ = false;
  std::unique_ptr<char[]> buffers_[2];
  int active_ = 0;  // the buffer being filled; the other may be in flight
  BackgroundWriter writer_;
  std::size_t capacity_ = 0;
  std::size_t used_ = 0;
  std::uint64_t handedOver_ = 0;  // bytes given to the writer
  // Overwrites of bytes already handed over, applied once every block is written.
  std::vector<PendingOverwrite> pendingOverwrites_;
};

}  // namespace sorvane
