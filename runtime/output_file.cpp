#include "runtime/output_file.h"

#include <algorithm>

namespace sorvane {
namespace {

// Large enough that a write costs little per byte, small enough that even a small
// drawing fills both buffers, so memory is the same for any size of file.
constexpr std::size_t kBufferSize = std::size_t{256} << 10;

}  // namespace

OutputFile::OutputFile() = default;

OutputFile::~OutputFile() { Discard(); }

OutputFile::CreateStatus OutputFile::Create(const std::string& path,
                                            std::span<const FileIdentity> inputs) {
  Discard();
  const CreateStatus status = target_.Create(path, inputs);
  if (status != CreateStatus::Created) return status;
  for (std::unique_ptr<char[]>& buffer : buffers_) {
    if (!buffer) buffer.reset(new char[kBufferSize]);  // no need to zero what is overwritten
  }
  active_ = 0;
  capacity_ = kBufferSize;
  used_ = 0;
  handedOver_ = 0;
  pendingOverwrites_.clear();
  failed_ = false;
  return status;
}

void OutputFile::HandOver(const char* data, std::size_t size) {
  writer_.Write(target_.Handle(), data, size);
  handedOver_ += size;
}

void OutputFile::Flush() {
  if (used_ == 0) return;
  HandOver(buffers_[active_].get(), used_);
  active_ = 1 - active_;
  used_ = 0;
}

void OutputFile::PutLarge(std::string_view text) {
  Flush();
  if (text.size() <= capacity_) {
    std::memcpy(buffers_[active_].get(), text.data(), text.size());
    used_ = text.size();
  } else {
    HandOver(text.data(), text.size());
    writer_.Wait();  // the text is the caller's, valid only until it returns
  }
}

void OutputFile::Overwrite(std::uint64_t offset, std::string_view bytes) {
  // The part still in the buffer being filled is changed there; the rest waits until
  // the blocks before it are on disk.
  if (offset + bytes.size() > handedOver_) {
    const auto inBuffer = static_cast<std::size_t>(
        std::min<std::uint64_t>(offset + bytes.size() - handedOver_, bytes.size()));
    std::memcpy(buffers_[active_].get() + (offset + bytes.size() - inBuffer - handedOver_),
                bytes.data() + bytes.size() - inBuffer, inBuffer);
    bytes.remove_suffix(inBuffer);
  }
  if (!bytes.empty()) pendingOverwrites_.push_back({offset, std::string(bytes)});
}

bool OutputFile::Commit() {
  Flush();
  writer_.Finish();
  failed_ = failed_ || writer_.Failed();
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

void OutputFile::Discard() {
  writer_.Finish();
  target_.Discard();
}

}  // namespace sorvane
