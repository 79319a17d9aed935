#include "runtime/background_writer.h"

#include <system_error>

namespace sorvane {

BackgroundWriter::~BackgroundWriter() { Finish(); }

void BackgroundWriter::WriteBlock(FileHandle file, const char* data, std::size_t size) {
  if (!Failed() && !CurrentFileSystem().Write(file, data, size)) {
    failed_.store(true, std::memory_order_relaxed);
  }
}

void BackgroundWriter::Write(FileHandle file, const char* data, std::size_t size) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  if (Failed()) return;
  if (!thread_.joinable()) {
    try {
      thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
      lock.unlock();
      WriteBlock(file, data, size);  // no thread to be had: write in place
      return;
    }
  }
  file_ = file;
  data_ = data;
  size_ = size;
  busy_ = true;
  changed_.notify_all();
}

void BackgroundWriter::Run() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return busy_ || stopping_; });
    if (!busy_) return;  // stopping, nothing left
    // The block stays as it is while busy_ is set, so it is written without the lock.
    lock.unlock();
    WriteBlock(file_, data_, size_);
    lock.lock();
    busy_ = false;
    changed_.notify_all();
  }
}

void BackgroundWriter::Wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
}

void BackgroundWriter::Finish() {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
  stopping_ = false;
}

}  // namespace sorvane
