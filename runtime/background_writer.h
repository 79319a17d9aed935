#pragma once
// Writes blocks to a file on a thread of its own, so that the conversion fills the next
// block while this one goes to the disk. One block is in flight at a time.

#include "runtime/file_system.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

namespace sorvane {

class BackgroundWriter {
 public:
  BackgroundWriter() = default;
  ~BackgroundWriter();  // waits for the block in flight
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;

  // Waits for the block in flight, then hands over `size` bytes at `data` to be written
  // to `file`. The bytes must stay untouched until the next Write, Wait or Finish. Once a
  // write has failed, later blocks are dropped.
  void Write(FileHandle file, const char* data, std::size_t size);

  // Waits until the block in flight is written.
  void Wait();

  // Waits for the block in flight and ends the thread.
  void Finish();

  // True once any write failed (the disk is full, the file system gave an error).
  bool Failed() const { return failed_.load(std::memory_order_relaxed); }

 private:
  void Run();
  void WriteBlock(FileHandle file, const char* data, std::size_t size);

  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  FileHandle file_ = kNoFile;
  const char* data_ = nullptr;
  std::size_t size_ = 0;
  bool busy_ = false;
  bool stopping_ = false;
  std::atomic<bool> failed_{false};
};

}  // namespace sorvane
