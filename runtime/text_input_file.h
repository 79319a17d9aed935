#pragma once
// A text file opened for line input and read in large blocks, so that reading costs
// about what the disk does. A line ends at CR, LF or CR LF; a UTF-8 byte order mark at
// the very start of the file is not data. Lines are handed out as views into the
// block buffer, valid until the next call.

#include "runtime/file_identity.h"
#include "runtime/file_system.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace sorvane {

class TextInputFile {
 public:
  // Lines up to this many characters are read; a longer one is reported, not read, so
  // that memory stays bounded whatever the file holds (a binary file, /dev/zero).
  static constexpr std::size_t kMaxLineLength = std::size_t{1} << 20;
  // Bytes asked of the file at a time: large enough that a read costs little per
  // byte, small enough that even a small file fills a block, so memory is the same
  // for any size of file.
  static constexpr std::size_t kBlockSize = std::size_t{256} << 10;

  enum class LineStatus { Read, TooLong, ReadFailed };

  TextInputFile();
  ~TextInputFile();
  TextInputFile(const TextInputFile&) = delete;
  TextInputFile& operator=(const TextInputFile&) = delete;

  // Opens an existing file for line input. False when it cannot be opened or is a
  // directory; the file is then not open.
  [[nodiscard]] bool Open(const std::string& path);
  void Close() noexcept;

  // Starts reading again from the first line, for a reader that takes the file in two
  // passes. False when the file cannot go back, as a pipe cannot.
  [[nodiscard]] bool Rewind() noexcept;

  // True once nothing is left to read. A read that fails is not the end: the next
  // ReadLine reports it.
  [[nodiscard]] bool AtEnd() noexcept;

  // The next line without its end. Precondition: !AtEnd().
  [[nodiscard]] LineStatus ReadLine(std::string_view& line) noexcept;

  // The bytes after the current position that are already read in, for a reader
  // that can see a whole line and its end there faster than ReadLine finds them; after
  // a line found too long, the first kMaxLineLength bytes of it at least. Valid until
  // the next call. Precondition: AtEnd() was last called and was false, or ReadLine
  // returned TooLong.
  std::string_view Buffered() const noexcept { return {buffer_.get() + begin_, end_ - begin_}; }

  // The end of the bytes read in. A line ReadLine returned may be read on up to here,
  // by a scanner that looks a few bytes past a field rather than test for its end.
  const char* ReadInEnd() const noexcept { return buffer_.get() + end_; }

  // Takes the first `size` bytes of Buffered() as `lines` lines, as that many ReadLine
  // calls would. They must be whole lines with whole line ends: a CR is taken with the
  // LF after it, so the byte after a CR must have been in view.
  void SkipLines(std::size_t size, std::int64_t lines) noexcept {
    begin_ += size;
    lineNumber_ += lines;
  }

  // 1-based number of the line ReadLine last returned (or found too long).
  std::int64_t LineNumber() const noexcept { return lineNumber_; }

  // The bytes of the file taken so far, line ends and a byte order mark included:
  // what a cap on the file's own size counts.
  std::uint64_t Offset() const noexcept { return bytesRead_ - (end_ - begin_); }

  FileIdentity Identity() const noexcept { return identity_; }

 private:
  void StartAtTheBeginning() noexcept;
  void Fill() noexcept;
  void SkipByteOrderMark() noexcept;

  FileHandle file_ = kNoFile;
  FileIdentity identity_;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0;  // first unread byte
  std::size_t end_ = 0;    // end of the bytes read so far
  bool endOfStream_ = false;
  bool readFailed_ = false;
  bool startChecked_ = false;
  bool skipLfAfterCr_ = false;  // a CR ended the last line at the end of a block
  std::int64_t lineNumber_ = 0;
  std::uint64_t bytesRead_ = 0;
};

}  // namespace sorvane
