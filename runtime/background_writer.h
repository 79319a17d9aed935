#pragma once
// Writes the blocks of a file on a thread of its own, in the order they are handed
// over, while the caller fills the next ones: one core reads and formats, the other
// makes the write calls, whose kernel time is most of what writing a drawing costs.
// When the thread is about to run out of blocks, the caller may hand one over raw,
// with an expansion that the thread runs to make the bytes to write from it: so the
// thread takes a share of the formatting whenever the writes leave it time.
// The blocks are a ring of kBlocks buffers, so that a slow write does not stop the
// caller at once, and memory is the same for any size of file. A file of one block
// starts no thread and takes one buffer.

#include "runtime/file_system.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <type_traits>
#include <utility>

namespace sorvane {

class BackgroundWriter {
 public:
  // Large enough that handing a block over, which may wake the thread, is rare.
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  // Where an expansion puts the bytes it makes, as the caller puts them in a block:
  // write at most `size` bytes from Reserve(size), then Commit their end. They are
  // written a block at a time, in order.
  class ExpandedOutput {
   public:
    char* Reserve(std::size_t size) {
      if (size > kBlockSize - used_) Flush();
      return buffer_ + used_;
    }
    void Commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_); }

   private:
    friend class BackgroundWriter;
    ExpandedOutput(BackgroundWriter& writer, char* buffer) : writer_(writer), buffer_(buffer) {}
    void Flush() noexcept;

    BackgroundWriter& writer_;
    char* const buffer_;
    std::size_t used_ = 0;
  };
  BackgroundWriter();
  ~BackgroundWriter() { Stop(); }
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;

  // The buffer of kBlockSize bytes to fill first, for the file `file`. Precondition:
  // nothing handed over is still unwritten (Stop or Finish was called since the last
  // Start). Throws nothing but std::bad_alloc.
  [[nodiscard]] char* Start(FileHandle file);

  // Hands over the first `size` bytes of the buffer being filled, to be written after
  // those handed over before, and returns the buffer to fill next, once its last
  // bytes are written. The first call starts the thread; without a thread to be had,
  // the block is written at once. Throws nothing but std::bad_alloc.
  [[nodiscard]] char* HandOver(std::size_t size);

  // True when the thread runs and has at most one block left to write: then a block
  // handed over raw keeps it busy rather than leaving it to wait.
  [[nodiscard]] bool ThreadAboutToIdle() noexcept;

  // As HandOver, but what is written is what `expansion(raw, out)` makes of the block's
  // first `size` bytes, on the thread: so it must not throw, and only one declared
  // noexcept is taken; what it uses must outlive the block's writing. Precondition:
  // ThreadAboutToIdle() was last true, so that a thread runs to expand the block.
  // Throws nothing but std::bad_alloc.
  template <typename Expand>
    requires std::is_nothrow_invocable_v<Expand&, std::string_view, ExpandedOutput&>
  [[nodiscard]] char* HandOverRaw(std::size_t size, Expand expansion) {
    return HandOverExpansion(size, Expansion(std::move(expansion)));
  }

  // Writes the first `size` bytes of the buffer being filled after every block handed
  // over, on the caller's thread, and ends the thread. False when any write failed.
  [[nodiscard]] bool Finish(std::size_t size) noexcept;

  // Waits until every block handed over is written and ends the thread.
  void Stop() noexcept;

  // True once a write has failed; the blocks handed over after it are not written.
  [[nodiscard]] bool Failed() const noexcept { return failed_.load(std::memory_order_relaxed); }

 private:
  // Enough blocks in flight that the writes, whose time varies with what the kernel
  // does for each page, seldom make the caller wait, each wait costing a wake-up.
  static constexpr std::uint64_t kBlocks = 4;
  // The write-back of the blocks written is started whenever this many bytes are
  // waiting for it, so that it runs beside the conversion rather than all in the sync
  // at its end.
  static constexpr std::uint64_t kSyncStep = std::uint64_t{4} << 20;

  using Expansion = std::function<void(std::string_view raw, ExpandedOutput& out)>;

  char* HandOverExpansion(std::size_t size, Expansion expansion);
  void Run() noexcept;
  void Write(const char* data, std::size_t size) noexcept;
  char* Block(std::uint64_t number);
  char* Enqueue(std::uint64_t block);

  FileHandle file_ = kNoFile;
  std::unique_ptr<char[]> buffers_[kBlocks];
  std::size_t sizes_[kBlocks] = {};
  Expansion expansions_[kBlocks];  // for a block handed over raw, otherwise empty
  std::unique_ptr<char[]> expanded_;  // the thread's buffer for what expansions make
  std::thread thread_;
  bool threadless_ = false;
  // Whether ThreadAboutToIdle() was last true, for HandOverRaw's precondition.
  bool rawBlockWelcome_ = false;
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
