#pragma once
// A batch of point rows as the texts their values print as: what the row reader hands
// to the DXF writer, which only copies them. For each row, X, Y and Z one after
// another, each a length byte followed by the text PrintNumberText writes.

#include "runtime/number_text.h"

#include <cstddef>
#include <cstring>
#include <memory>

namespace sorvane {

class PrintedRows {
 public:
  // Large enough that handing a batch from one thread to another costs little per
  // row, small enough to stay in the cache between the two.
  static constexpr std::size_t kCapacity = std::size_t{256} << 10;
  // The most one row takes.
  static constexpr std::size_t kMaxRowSize = 3 * (1 + kMaxNumberTextLength);

  // Behind the last text there is room for a whole copy of the longest, so a text is
  // copied as a fixed number of bytes, which the compiler moves in a few instructions.
  PrintedRows() : bytes_(new char[kCapacity + kMaxNumberTextLength]) {}

  void Clear() { end_ = bytes_.get(); }
  bool Empty() const { return end_ == bytes_.get(); }
  bool HasRoomForRow() const { return end_ + kMaxRowSize <= bytes_.get() + kCapacity; }

  // Where the next row goes; write at most kMaxRowSize bytes (by PutText), then pass
  // their end to CommitRow. Precondition: HasRoomForRow().
  char* RowSpace() { return end_; }
  void CommitRow(char* rowEnd) { end_ = rowEnd; }

  // Puts one text at `at`: `print(out)` writes it from `out` and returns its end.
  // Returns the end of what was put.
  template <typename Print>
  static char* PutText(char* at, Print print) {
    char* const end = print(at + 1);
    *at = static_cast<char>(end - at - 1);
    return end;
  }

  const char* begin() const { return bytes_.get(); }
  const char* end() const { return end_; }

  // Copies the text at `text` to `out`, moves `text` on to the next one and returns
  // the end of the copy. `out` must have room for kMaxNumberTextLength characters.
  static char* CopyText(char* out, const char*& text) {
    const auto length = static_cast<unsigned char>(*text);
    std::memcpy(out, text + 1, kMaxNumberTextLength);
    text += 1 + length;
    return out + length;
  }

 private:
  std::unique_ptr<char[]> bytes_;
  char* end_ = bytes_.get();
};

}  // namespace sorvane
