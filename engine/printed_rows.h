#pragma once
// A batch of point rows as the texts their values print as: what the row reader hands
// to the DXF writer, which only copies them. For each row, X, Y and Z one after
// another, each a length byte followed by the text PrintNumberText writes.

#include "runtime/number_text.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <span>

namespace sorvane {

class PrintedRows {
 public:
  // Large enough that a batch costs little per row, small enough that its texts are
  // still in the first-level cache when the writer copies them.
  static constexpr std::size_t kCapacity = std::size_t{16} << 10;
  // The most one row takes.
  static constexpr std::size_t kMaxRowSize = 3 * (1 + kMaxNumberTextLength);
  // What a batch's storage holds beyond its capacity.
  static constexpr std::size_t kSlack = kMaxNumberTextLength;

  // Behind the last text there is room for a whole copy of the longest, so a text is
  // copied as a fixed number of bytes, which the compiler moves in a few instructions.
  PrintedRows() : owned_(new char[kCapacity + kSlack]), begin_(owned_.get()),
                  end_(begin_), limit_(begin_ + kCapacity) {}
  // A batch in storage of the caller's, of storage.size() - kSlack bytes.
  // Precondition: storage.size() > kSlack.
  explicit PrintedRows(std::span<char> storage)
      : begin_(storage.data()), end_(begin_), limit_(begin_ + storage.size() - kSlack) {}

  void Clear() {
    end_ = begin_;
    rowCount_ = 0;
  }
  bool HasRoomForRow() const { return end_ + kMaxRowSize <= limit_; }
  std::size_t RowCount() const { return rowCount_; }

  // Where the next row goes; write at most kMaxRowSize bytes (by PutText), then pass
  // their end to CommitRow. Precondition: HasRoomForRow().
  char* RowSpace() { return end_; }
  void CommitRow(char* rowEnd) {
    end_ = rowEnd;
    ++rowCount_;
  }

  // Puts one text at `at`: `print(out)` writes it from `out` and returns its end.
  // Returns the end of what was put.
  template <typename Print>
  static char* PutText(char* at, Print print) {
    char* const end = print(at + 1);
    *at = static_cast<char>(end - at - 1);
    return end;
  }

  const char* begin() const { return begin_; }
  const char* end() const { return end_; }

  // Copies the text at `text` to `out`, moves `text` on to the next one and returns
  // the end of the copy. `out` must have room for kMaxNumberTextLength characters,
  // and the batch that holds `text` must have kSlack bytes behind its last text.
  static char* CopyText(char* out, const char*& text) {
    const auto length = static_cast<unsigned char>(*text);
    std::memcpy(out, text + 1, kMaxNumberTextLength);
    text += 1 + length;
    return out + length;
  }

 private:
  std::unique_ptr<char[]> owned_;
  char* begin_;
  char* end_;
  char* limit_;
  std::size_t rowCount_ = 0;
};

}  // namespace sorvane
