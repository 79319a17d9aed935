#include "runtime/output_file.h"

#include <algorithm>

namespace sorvane {
namespace {

// Large enough that a write costs little per byte, small enough to stay in the cache
// while it is filled and written, and that even a small drawing fills it, so memory is
// the same for any size of file.
constexpr std::size_t kBufferSize = std::size_t{256} << 10;

}  // namespace

OutputFile::OutputFile() = default;

OutputFile::~OutputFile() { Discard(); }

OutputFile::CreateStatus OutputFile::Create(const std::string& path,
                                            std::span<const FileIdentity> inputs) {
  Discard();
  const CreateStatus status = target_.Create(path, inputs);
  if (status != CreateStatus::Created) return status;
  if (!buffer_) buffer_.reset(new char[kBufferSize]);  // no need to zero what is overwritten
  capacity_ = kBufferSize;
  used_ = 0;
  written_ = 0;
  pendingOverwrites_.clear();
  failed_ = false;
  return status;
}

void OutputFile::Write(const char* data, std::size_t size) {
  failed_ = failed_ || !CurrentFileSystem().Write(target_.Handle(), data, size);
  written_ += size;
}

void OutputFile::Flush() {
  if (used_ == 0) return;
  Write(buffer_.get(), used_);
  used_ = 0;
}

void OutputFile::PutLarge(std::string_view text) {
  Flush();
  if (text.size() <= capacity_) {
    std::memcpy(buffer_.get(), text.data(), text.size());
    used_ = text.size();
  } else {
    Write(text.data(), text.size());
  }
}

void OutputFile::Overwrite(std::uint64_t offset, std::string_view bytes) {
  // The part still in the buffer is changed there; the rest is written over when the
  // file is complete.
  if (offset + bytes.size() > written_) {
    const auto inBuffer = static_cast<std::size_t>(
        std::min<std::uint64_t>(offset + bytes.size() - written_, bytes.size()));
    std::memcpy(buffer_.get() + (offset + bytes.size() - inBuffer - written_),
                bytes.data() + bytes.size() - inBuffer, inBuffer);
    bytes.remove_suffix(inBuffer);
  }
  if (!bytes.empty()) pendingOverwrites_.push_back({offset, std::string(bytes)});
}

bool OutputFile::Commit() {
  Flush();
  FileSystem& fileSystem = CurrentFileSystem();
  for (const PendingOverwrite& overwrite : pendingOverwrites_) {
    failed_ = failed_ || !fileSystem.WriteAt(target_.Handle(), overwrite.offset,
                                             overwrite.bytes.data(), overwrite.bytes.size());
  }
  if (failed_) {
    Discard();
    return false;
  }
  return target_.Commit();
}

void OutputFile::Discard() { target_.Discard(); }

}  // namespace sorvane
