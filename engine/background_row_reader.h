#pragma once
// Reads the rows of a point file on a thread of its own, a batch ahead of the caller,
// so that one core reads and scans the numbers while the other writes the drawing.

#include "engine/point_row_reader.h"
#include "engine/printed_rows.h"
#include "runtime/text_input_file.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace sorvane {

class BackgroundRowReader {
 public:
  struct Batch {
    PrintedRows rows;
    // Row while more rows may follow; otherwise what ended the rows, after `rows`.
    RowStatus end = RowStatus::Row;
    std::int64_t lineNumber = 0;  // for BadRow, the line that is not a row
  };

  // `points` is read only through this reader, and only from its first Next() until
  // it is destroyed.
  explicit BackgroundRowReader(TextInputFile& points) : points_(points) {}
  ~BackgroundRowReader();  // stops the thread, which reads no further
  BackgroundRowReader(const BackgroundRowReader&) = delete;
  BackgroundRowReader& operator=(const BackgroundRowReader&) = delete;

  // The next batch, valid until the next call. Precondition: every batch before it
  // ended in Row. The first batch is read on the caller's thread, so that a file of
  // one batch starts no thread; without a thread to be had, every batch is.
  const Batch& Next();

 private:
  void Fill(Batch& batch);
  void Run();

  // Enough batches that the thread reads on while the caller writes a slow block,
  // so that neither waits for the other, each wait costing a wake-up of a thread.
  static constexpr std::uint64_t kBatches = 4;

  TextInputFile& points_;
  Batch batches_[kBatches];
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  // Batches counted from the first: taken by Next, released by the following Next,
  // filled by the thread. The thread fills batch n once n - released_ < kBatches.
  std::uint64_t taken_ = 0;
  std::uint64_t released_ = 0;
  std::uint64_t filled_ = 0;
  bool stopping_ = false;
  bool threadless_ = false;
};

}  // namespace sorvane
