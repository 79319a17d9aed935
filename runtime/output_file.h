#pragma once
// The output file of a run, written in large blocks to a ReplacementFile, which puts
// it in place only when complete: a run that fails leaves no half-written drawing, no
// temporary file, and an existing file at the final path byte for byte as it was. A
// full block is written on a thread of its own (BackgroundWriter) while the caller
// fills the next, so that the write calls take the other core; when that thread is
// about to idle, the caller may give it a block of its own form to expand.

#include "runtime/background_writer.h"
#include "runtime/file_identity.h"
#include "runtime/replacement_file.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sorvane {

class OutputFile {
 public:
  using CreateStatus = ReplacementFile::CreateStatus;

  OutputFile();
  ~OutputFile();  // waits for the blocks in flight, and removes the temporary file
                  // unless Commit succeeded
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Prepares to write `path`, by the rules of ReplacementFile::Create.
  [[nodiscard]] CreateStatus Create(const std::string& path, std::span<const FileIdentity> inputs);

  // The print statement: one item, then CR LF.
  void PrintLine(std::string_view text) {
    Put(text);
    Put("\r\n");
  }
  // Room for `size` characters written straight into the buffer, for the hot path:
  // write at most `size` characters from the returned pointer, then Commit the end.
  char* Reserve(std::size_t size) {
    if (size > capacity_ - used_) Flush();
    return buffer_ + used_;
  }
  void Commit(const char* end) noexcept { used_ = static_cast<std::size_t>(end - buffer_); }

  // Raw text, already with its line ends.
  void Put(std::string_view text) {
    if (text.size() > capacity_ - used_) {
      PutLarge(text);
      return;
    }
    std::memcpy(buffer_ + used_, text.data(), text.size());
    used_ += text.size();
  }

  // True when the writing thread is about to have nothing to do: a good time to hand
  // it a raw block.
  [[nodiscard]] bool WritingThreadAboutToIdle() noexcept { return writer_.ThreadAboutToIdle(); }
  // The block to fill raw, after handing over what the block being filled holds.
  // Precondition: WritingThreadAboutToIdle() was last true.
  std::span<char> StartRawBlock() {
    Flush();
    return {buffer_, capacity_};
  }
  // Hands over the block from StartRawBlock; what is written in its place is what the
  // noexcept `expansion` makes of its first `size` bytes (BackgroundWriter::HandOverRaw).
  template <typename Expand>
  void HandOverRaw(std::size_t size, Expand expansion) {
    buffer_ = writer_.HandOverRaw(size, std::move(expansion));
    used_ = 0;
    rawHandedOver_ = true;
  }

  // The number of bytes put so far: the offset in the file of the next byte.
  // Precondition: no raw block was handed over, for its expansion's size is not known.
  std::uint64_t Offset() const noexcept { return handedOver_ + used_; }

  // Replaces bytes already put, from `offset` on, with `bytes`, before the file is
  // committed; for a value that is known only once the rest is written. Precondition:
  // offset + bytes.size() <= Offset().
  void Overwrite(std::uint64_t offset, std::string_view bytes);

  // True once a write has failed; everything after it is dropped.
  [[nodiscard]] bool Failed() const noexcept { return writer_.Failed(); }

  // Writes out the rest and puts the file in place (ReplacementFile::Commit). False
  // when any write or any step of putting it in place failed; the temporary file is
  // then removed.
  [[nodiscard]] bool Commit();

 private:
  void Flush();
  void PutLarge(std::string_view text);
  void Discard() noexcept;

  struct PendingOverwrite {
    std::uint64_t offset;
    std::string bytes;
  };

  ReplacementFile target_;
  BackgroundWriter writer_;
  char* buffer_ = nullptr;  // the block being filled
  std::size_t capacity_ = 0;
  std::size_t used_ = 0;
  std::uint64_t handedOver_ = 0;  // bytes handed over to be written, raw blocks not counted
  bool rawHandedOver_ = false;
  // Overwrites of bytes already written, applied once every block is written.
  std::vector<PendingOverwrite> pendingOverwrites_;
};

}  // namespace sorvane
