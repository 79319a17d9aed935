#pragma once
// Writes the blocks of a file on a thread of its own, in the order they are handed
// over, while the caller fills the next ones: one core reads and formats, the other
// makes the write calls, whose kernel time is most of what writing a drawing costs.
// The blocks are a ring of kBlocks buffers, so that a slow write does not stop the
// caller at once, and memory is the same for any size of file. A file of one block
// starts no thread and takes one buffer.

#include "runtime/file_system.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace sorvane {

class BackgroundWriter {
 public:
  // Large enough that handing a block over, which may wake the thread, is rare.
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  BackgroundWriter();
  ~BackgroundWriter() { Stop(); }
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;

  // The buffer of kBlockSize bytes to fill first, for the file `file`. Precondition:
  // nothing handed over is still unwritten (Stop or Finish was called since the last
  // Start). Throws nothing but std::bad_alloc.
  char* Start(FileHandle file);

  // Hands over the first `size` bytes of the buffer being filled, to be written after
  // those handed over before, and returns the buffer to fill next, once its last
  // bytes are written. The first call starts the thread; without a thread to be had,
  // the block is written at once. Throws nothing but std::bad_alloc.
  char* HandOver(std::size_t size);

  // Writes the first `size` bytes of the buffer being filled after every block handed
  // over, on the caller's thread, and ends the thread. False when any write failed.
  [[nodiscard]] bool Finish(std::size_t size) noexcept;

  // Waits until every block handed over is written and ends the thread.
  void Stop() noexcept;

  // True once a write has failed; the blocks handed over after it are not written.
  bool Failed() const noexcept { return failed_.load(std::memory_order_relaxed); }

 private:
  // Enough blocks in flight that the writes, whose time varies with what the kernel
  // does for each page, seldom make the caller wait, each wait costing a wake-up.
  static constexpr std::uint64_t kBlocks = 4;
  // The write-back of the blocks written is started whenever this many bytes are
  // waiting for it, so that it runs beside the conversion rather than all in the sync
  // at its end.
  static constexpr std::uint64_t kSyncStep = std::uint64_t{4} << 20;

  void Run() noexcept;
  void Write(const char* data, std::size_t size) noexcept;
  char* Block(std::uint64_t number);

  FileHandle file_ = kNoFile;
  std::unique_ptr<char[]> buffers_[kBlocks];
  std::size_t sizes_[kBlocks] = {};
  std::thread thread_;
  bool threadless_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  // Blocks counted from the first of the file: handed over by the caller, written by
  // the thread. Block n is filled in buffer n % kBlocks.
  std::uint64_t handedOver_ = 0;
  std::uint64_t written_ = 0;
  // Bytes written by the thread, and the first of them whose write-back is not started.
  std::uint64_t bytesWritten_ = 0;
  std::uint64_t syncStart_ = 0;
  bool stopping_ = false;
  std::atomic<bool> failed_ = false;
};

}  // namespace sorvane
