#include "engine/background_row_reader.h"

#include <system_error>

namespace sorvane {

BackgroundRowReader::~BackgroundRowReader() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void BackgroundRowReader::Fill(Batch& batch) {
  batch.rows.Clear();
  batch.end = ReadPointRows(points_, batch.rows);
  batch.lineNumber = batch.end == RowStatus::BadRow ? points_.LineNumber() : 0;
}

void BackgroundRowReader::Run() {
  std::unique_lock lock(mutex_);
  for (std::uint64_t next = filled_;; ++next) {
    changed_.wait(lock, [&] { return stopping_ || next - released_ < kBatches; });
    if (stopping_) return;
    lock.unlock();
    Batch& batch = batches_[next % kBatches];
    Fill(batch);
    lock.lock();
    filled_ = next + 1;
    changed_.notify_all();
    if (batch.end != RowStatus::Row) return;
  }
}

const BackgroundRowReader::Batch& BackgroundRowReader::Next() {
  const std::uint64_t next = taken_++;
  Batch& batch = batches_[next % kBatches];
  if (!thread_.joinable()) {
    Fill(batch);
    if (batch.end == RowStatus::Row && !threadless_) {
      // More follow: read them ahead from now on.
      released_ = next;
      filled_ = next + 1;
      try {
        thread_ = std::thread([this] { Run(); });
      } catch (const std::system_error&) {
        threadless_ = true;
      }
    }
    return batch;
  }
  std::unique_lock lock(mutex_);
  released_ = next;  // the batch before this one
  changed_.notify_all();
  changed_.wait(lock, [&] { return filled_ > next; });
  return batch;
}

}  // namespace sorvane
