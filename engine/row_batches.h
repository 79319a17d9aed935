#pragma once
// What the readers of every layout share: the loop that reads a batch of rows, which
// takes rows of the layout's commonest form straight from the buffered bytes, many at
// a time, and any other line the general way, one at a time; and the reading of one
// line for the general way.

#include "engine/point_row_reader.h"
#include "engine/printed_rows.h"
#include "runtime/text_input_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sorvane {

// A common row is read only when this many bytes are buffered from its start, so
// that it is scanned without a test for the end of the buffer at every byte.
inline constexpr std::size_t kCommonRowWindow = 128;

// Reads the next line of a point file into `line`: Row when it is read, BadRow when it
// is too long, ReadFailed when reading failed. Precondition: !points.AtEnd().
[[nodiscard]] inline RowStatus ReadRowLine(TextInputFile& points, std::string_view& line) noexcept {
  switch (points.ReadLine(line)) {
    case TextInputFile::LineStatus::Read: break;
    case TextInputFile::LineStatus::TooLong: return RowStatus::BadRow;
    case TextInputFile::LineStatus::ReadFailed: return RowStatus::ReadFailed;
  }
  return RowStatus::Row;
}

// Reads rows into `rows` until it is full or a row cannot be read; returns as
// ReadPointRows does. `readCommonRow(line, out)` reads the line at `line`, of which
// kCommonRowWindow bytes are buffered, when it has the common form: it puts its texts
// at `out`, moves `out` past them and returns the start of the next line; otherwise it
// returns nullptr. `readRow(out)` reads the next row the general way and returns its
// status, the end of its texts put at `out` in `out` when it is a Row. `common` says
// whether the next line may be read as a common row at all.
template <typename Common, typename ReadCommonRow, typename ReadRow>
[[nodiscard]] RowStatus ReadRowBatch(TextInputFile& points, PrintedRows& rows, Common common,
                       ReadCommonRow readCommonRow, ReadRow readRow) {
  while (rows.HasRoomForRow()) {
    if (points.AtEnd()) return RowStatus::EndOfFile;
    if (common()) {
      const std::string_view buffered = points.Buffered();
      const char* const end = buffered.data() + buffered.size();
      const char* line = buffered.data();
      std::int64_t lines = 0;
      char* out = rows.RowSpace();
      while (static_cast<std::size_t>(end - line) >= kCommonRowWindow && rows.HasRoomForRow()) {
        const char* const next = readCommonRow(line, out);
        if (next == nullptr) break;
        rows.CommitRow(out);
        line = next;
        ++lines;
      }
      if (lines > 0) {
        points.SkipLines(static_cast<std::size_t>(line - buffered.data()), lines);
        continue;
      }
    }
    // Any other line, and the last lines of the buffer, the general way.
    char* out = rows.RowSpace();
    const RowStatus status = readRow(out);
    if (status != RowStatus::Row) return status;
    rows.CommitRow(out);
  }
  return RowStatus::Row;
}

}  // namespace sorvane
