#include "runtime/background_writer.h"

#include <cassert>
#include <system_error>

namespace sorvane {

BackgroundWriter::BackgroundWriter() = default;

char* BackgroundWriter::Start(FileHandle file) {
  file_ = file;
  handedOver_ = 0;
  written_ = 0;
  bytesWritten_ = 0;
  syncStart_ = 0;
  failed_.store(false, std::memory_order_relaxed);
  return Block(0);
}

char* BackgroundWriter::Block(std::uint64_t number) {
  std::unique_ptr<char[]>& buffer = buffers_[number % kBlocks];
  if (!buffer) buffer.reset(new char[kBlockSize]);  // no need to zero what is overwritten
  return buffer.get();
}

void BackgroundWriter::Write(const char* data, std::size_t size) noexcept {
  if (size != 0 && !Failed() && !CurrentFileSystem().Write(file_, data, size)) {
    failed_.store(true, std::memory_order_relaxed);
  }
  bytesWritten_ += size;
  if (bytesWritten_ - syncStart_ >= kSyncStep) {
    CurrentFileSystem().StartSync(file_, syncStart_, bytesWritten_ - syncStart_);
    syncStart_ = bytesWritten_;
  }
}

void BackgroundWriter::ExpandedOutput::Flush() noexcept {
  writer_.Write(buffer_, used_);
  used_ = 0;
}

bool BackgroundWriter::ThreadAboutToIdle() noexcept {
  rawBlockWelcome_ = false;
  if (!thread_.joinable()) return false;
  std::lock_guard lock(mutex_);
  rawBlockWelcome_ = handedOver_ - written_ <= 1;
  return rawBlockWelcome_;
}

char* BackgroundWriter::HandOverExpansion(std::size_t size, Expansion expansion) {
  // Without the thread a raw block would never be expanded, and the caller would wait
  // for its writing for ever.
  assert(rawBlockWelcome_ && "raw blocks only when the thread is about to idle");
  rawBlockWelcome_ = false;
  // Made before the block is handed over, so that a failure leaves nothing half done.
  if (!expanded_) expanded_.reset(new char[kBlockSize]);
  const std::uint64_t block = handedOver_;
  sizes_[block % kBlocks] = size;
  expansions_[block % kBlocks] = std::move(expansion);
  return Enqueue(block);
}

char* BackgroundWriter::HandOver(std::size_t size) {
  const std::uint64_t block = handedOver_;
  if (!thread_.joinable() && !threadless_) {
    try {
      thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
      threadless_ = true;
    }
  }
  if (threadless_) {
    Write(Block(block), size);
    return Block(block);
  }
  sizes_[block % kBlocks] = size;
  return Enqueue(block);
}

// Hands block number `block` over, and returns the buffer to fill next once it is free.
char* BackgroundWriter::Enqueue(std::uint64_t block) {
  // Allocated before the block is handed over, so that a failure leaves nothing half done.
  char* const next = Block(block + 1);
  std::unique_lock lock(mutex_);
  handedOver_ = block + 1;
  changed_.notify_all();
  // The next buffer last held block + 1 - kBlocks.
  changed_.wait(lock, [&] { return written_ + kBlocks > block + 1; });
  return next;
}

void BackgroundWriter::Run() noexcept {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [&] { return written_ < handedOver_ || stopping_; });
    if (written_ == handedOver_) return;  // stopping, and everything is written
    const std::uint64_t block = written_;
    // The caller leaves a block alone until it is written.
    lock.unlock();
    const std::string_view bytes(buffers_[block % kBlocks].get(), sizes_[block % kBlocks]);
    if (Expansion& expansion = expansions_[block % kBlocks]) {
      ExpandedOutput out(*this, expanded_.get());
      expansion(bytes, out);
      out.Flush();
      expansion = nullptr;
    } else {
      Write(bytes.data(), bytes.size());
    }
    lock.lock();
    written_ = block + 1;
    changed_.notify_all();
  }
}

void BackgroundWriter::Stop() noexcept {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
  stopping_ = false;
}

bool BackgroundWriter::Finish(std::size_t size) noexcept {
  Stop();
  Write(buffers_[handedOver_ % kBlocks].get(), size);
  return !Failed();
}

}  // namespace sorvane
