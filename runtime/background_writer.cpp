#include "background_writer.h"

#include "file_system.h"

#include <cerrno>
#include <system_error>

namespace sorvane {

BackgroundWriter::~BackgroundWriter() { Finish(); }

void BackgroundWriter::WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0 && !Failed()) {
    const ssize_t written = FileSystem().write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      failed_.store(true, std::memory_order_relaxed);
      return;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

void BackgroundWriter::Write(int fd, const char* data, std::size_t size) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  if (Failed()) return;
  if (!thread_.joinable()) {
    try {
      thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
      lock.unlock();
      WriteAll(fd, data, size);  // no thread to be had: write in place
      return;
    }
  }
  fd_ = fd;
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
    WriteAll(fd_, data_, size_);
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
