#include "runtime/text_input_file.h"

#include <algorithm>
#include <bit>
#include <cstring>

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
  const std::optional<OpenedFile> opened = CurrentFileSystem().OpenForReading(path);
  if (!opened) return false;
  file_ = opened->handle;
  identity_ = opened->identity;
  if (!buffer_) buffer_.reset(new char[kBufferSize]);  // no need to zero what is read over
  StartAtTheBeginning();
  return true;
}

bool TextInputFile::Rewind() noexcept {
  if (file_ == kNoFile || !CurrentFileSystem().Rewind(file_)) return false;
  StartAtTheBeginning();
  return true;
}

void TextInputFile::StartAtTheBeginning() noexcept {
  begin_ = end_ = 0;
  endOfStream_ = readFailed_ = startChecked_ = skipLfAfterCr_ = false;
  lineNumber_ = 0;
  bytesRead_ = 0;
}

void TextInputFile::Close() noexcept {
  // Only read from, so a failure to close loses nothing.
  if (file_ != kNoFile) static_cast<void>(CurrentFileSystem().Close(file_));
  file_ = kNoFile;
}

// Moves the unread bytes to the front and reads one more block behind them.
void TextInputFile::Fill() noexcept {
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  const std::size_t room = std::min(kBufferSize - end_, kBlockSize);
  const std::ptrdiff_t got = CurrentFileSystem().Read(file_, buffer_.get() + end_, room);
  if (got < 0) {
    readFailed_ = true;
  } else if (got == 0) {
    endOfStream_ = true;
  } else {
    end_ += static_cast<std::size_t>(got);
    bytesRead_ += static_cast<std::uint64_t>(got);
  }
}

void TextInputFile::SkipByteOrderMark() noexcept {
  startChecked_ = true;
  while (end_ - begin_ < kByteOrderMark.size() && !endOfStream_ && !readFailed_) Fill();
  if (std::string_view(buffer_.get() + begin_, end_ - begin_).starts_with(kByteOrderMark)) {
    begin_ += kByteOrderMark.size();
  }
}

bool TextInputFile::AtEnd() noexcept {
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

TextInputFile::LineStatus TextInputFile::ReadLine(std::string_view& line) noexcept {
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
