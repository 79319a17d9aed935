#pragma once
// The text of every VERTEX of a drawing but its handle and numbers, made once a run,
// and the loop that writes one VERTEX per row around them. A copy of it goes to the
// writing thread, which writes vertices too when the writes leave it time.

#include "engine/handle_text.h"
#include "engine/printed_rows.h"
#include "runtime/number_text.h"

#include <cassert>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace sorvane {

// A piece of every VERTEX. It is copied whole, a fixed number of bytes that the
// compiler moves in a few instructions, and only its length counts: the writer
// reserves room for the whole copy.
template <std::size_t Capacity>
class VertexPiece {
 public:
  // Precondition: text.size() <= Capacity.
  void Assign(const std::string& text) {
    assert(text.size() <= Capacity);
    std::memcpy(text_, text.data(), text.size());
    length_ = text.size();
  }
  char* AppendTo(char* out) const {
    std::memcpy(out, text_, Capacity);
    return out + length_;
  }

 private:
  char text_[Capacity] = {};
  std::size_t length_ = 0;
};

class VertexFormat {
 public:
  // A VERTEX is `start`, [its handle, `ownerToX`,] X, " 20", Y, " 30", Z, `end`.
  void Assign(const std::string& start, const std::string& ownerToX, const std::string& end,
              bool handles) {
    start_.Assign(start);
    ownerToX_.Assign(ownerToX);
    end_.Assign(end);
    handles_ = handles;
  }

  // One VERTEX per row of a batch's texts [row, rowsEnd), with handles from `handle`
  // on, which is left at the next. `out` gives room as OutputFile::Reserve does.
  template <typename Out>
  void Write(const char* row, const char* rowsEnd, HandleText& handle, Out& out) const {
    while (row != rowsEnd) {
      // Written straight into the output buffer: this runs once per point.
      char* text = out.Reserve(kMaxLength);
      text = start_.AppendTo(text);
      if (handles_) {
        text = handle.AppendTo(text);
        handle.Increment();
        text = ownerToX_.AppendTo(text);
      }
      text = PrintedRows::CopyText(text, row);
      text = Append(text, "\r\n 20\r\n");
      text = PrintedRows::CopyText(text, row);
      text = Append(text, "\r\n 30\r\n");
      text = PrintedRows::CopyText(text, row);
      text = Append(text, "\r\n");
      text = end_.AppendTo(text);
      out.Commit(text);
    }
  }

 private:
  static constexpr std::size_t kStartCapacity = 32;
  static constexpr std::size_t kOwnerToXCapacity = 128;
  static constexpr std::size_t kEndCapacity = 16;
  // The room one VERTEX may take, whole copies of its pieces included.
  static constexpr std::size_t kMaxLength = kStartCapacity + kHandleCopyLength +
                                            kOwnerToXCapacity + 3 * (kMaxNumberTextLength + 2) +
                                            10 + kEndCapacity;

  static char* Append(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
  }

  VertexPiece<kStartCapacity> start_;
  VertexPiece<kOwnerToXCapacity> ownerToX_;
  VertexPiece<kEndCapacity> end_;
  bool handles_ = false;
};

}  // namespace sorvane
