#include "text_input_file.h"

#include "file_system.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

// Room for the longest line, its CR LF, and a block to find them in.
constexpr std::size_t kBufferSize =
    TextInputFile::kMaxLineLength + 2 + TextInputFile::kBlockSize;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The position of the first CR or LF in data[from, to), or `to`. Eight bytes are
// tested at a time: a byte equal to CR or LF becomes zero after the XOR, and the
// classic zero-byte test finds the first such byte exactly.
std::size_t FindLineEnd(const char* data, std::size_t from, std::size_t to) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  auto zeroBytes = [](std::uint64_t v) { return (v - kOnes) & ~v & kHighBits; };
  if constexpr (std::endian::native == std::endian::little) {
    for (; from + 8 <= to; from += 8) {
      std::uint64_t word;
      std::memcpy(&word, data + from, sizeof word);
      const std::uint64_t found = zeroBytes(word ^ (kOnes * '\n')) | zeroBytes(word ^ (kOnes * '\r'));
      if (found != 0) return from + static_cast<std::size_t>(std::countr_zero(found)) / 8;
    }
  }
  while (from < to && data[from] != '\n' && data[from] != '\r') ++from;
  return from;
}

}  // namespace

TextInputFile::TextInputFile() = default;

TextInputFile::~TextInputFile() { Close(); }

bool TextInputFile::Open(const std::string& path) {
  Close();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
    FileSystem().close(fd);
    return false;
  }
  fd_ = fd;
  identity_ = {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
  begin_ = end_ = 0;
  endOfStream_ = readFailed_ = startChecked_ = skipLfAfterCr_ = false;
  lineNumber_ = 0;
  return true;
}

void TextInputFile::Close() {
  if (fd_ >= 0) FileSystem().close(fd_);
  fd_ = -1;
}

// Moves the unread bytes to the front and reads one more block behind them.
void TextInputFile::Fill() {
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  const std::size_t room = std::min(kBufferSize - end_, kBlockSize);
  ssize_t got;
  do {
    got = FileSystem().read(fd_, buffer_.get() + end_, room);
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    readFailed_ = true;
  } else if (got == 0) {
    endOfStream_ = true;
  } else {
    end_ += static_cast<std::size_t>(got);
  }
}

void TextInputFile::SkipByteOrderMark() {
  startChecked_ = true;
  while (end_ - begin_ < kByteOrderMark.size() && !endOfStream_ && !readFailed_) Fill();
  if (std::string_view(buffer_.get() + begin_, end_ - begin_).starts_with(kByteOrderMark)) {
    begin_ += kByteOrderMark.size();
  }
}

bool TextInputFile::AtEnd() {
  if (!startChecked_) SkipByteOrderMark();
  while (true) {
    if (skipLfAfterCr_ && begin_ < end_) {
      skipLfAfterCr_ = false;
      if (buffer_[begin_] == '\n') ++begin_;
    }
    if (begin_ < end_ || readFailed_) return false;
    if (endOfStream_) return true;
    Fill();
  }
}

TextInputFile::LineStatus TextInputFile::ReadLine(std::string_view& line) {
  if (AtEnd() || readFailed_) return LineStatus::ReadFailed;
  ++lineNumber_;
  std::size_t scan = begin_;
  while (true) {
    const char* data = buffer_.get();
    scan = FindLineEnd(data, scan, end_);
    if (scan - begin_ > kMaxLineLength) return LineStatus::TooLong;
    if (scan < end_) {
      line = std::string_view(data + begin_, scan - begin_);
      begin_ = scan + 1;
      if (data[scan] == '\r') {
        if (begin_ < end_) {
          if (data[begin_] == '\n') ++begin_;
        } else {
          skipLfAfterCr_ = true;  // the LF, if any, is in the next block
        }
      }
      return LineStatus::Read;
    }
    if (endOfStream_) {  // the last line has no end
      line = std::string_view(data + begin_, end_ - begin_);
      begin_ = end_;
      return LineStatus::Read;
    }
    const std::size_t scanned = scan - begin_;
    Fill();
    if (readFailed_) return LineStatus::ReadFailed;
    scan = begin_ + scanned;
  }
}

}  // namespace sorvane
