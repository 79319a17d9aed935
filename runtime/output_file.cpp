#include "runtime/output_file.h"

#include <algorithm>

namespace sorvane {

OutputFile::OutputFile() = default;

OutputFile::~OutputFile() { Discard(); }

OutputFile::CreateStatus OutputFile::Create(const std::string& path,
                                            std::span<const FileIdentity> inputs) {
  Discard();
  const CreateStatus status = target_.Create(path, inputs);
  if (status != CreateStatus::Created) return status;
  buffer_ = writer_.Start(target_.Handle());
  capacity_ = BackgroundWriter::kBlockSize;
  used_ = 0;
  handedOver_ = 0;
  rawHandedOver_ = false;
  pendingOverwrites_.clear();
  return status;
}

void OutputFile::Flush() {
  if (used_ == 0) return;
  buffer_ = writer_.HandOver(used_);
  handedOver_ += used_;
  used_ = 0;
}

void OutputFile::PutLarge(std::string_view text) {
  // Through the blocks, a block at a time, so that it is written in its turn.
  while (!text.empty()) {
    if (used_ == capacity_) Flush();
    const std::size_t part = std::min(text.size(), capacity_ - used_);
    std::memcpy(buffer_ + used_, text.data(), part);
    used_ += part;
    text.remove_prefix(part);
  }
}

void OutputFile::Overwrite(std::uint64_t offset, std::string_view bytes) {
  // The part still in the block being filled is changed there; the rest, handed over
  // already, is written over when the file is complete. Where the block being filled
  // starts is known only while no raw block was handed over; bytes at an offset known
  // before then were handed over before it.
  if (!rawHandedOver_ && offset + bytes.size() > handedOver_) {
    const auto inBuffer = static_cast<std::size_t>(
        std::min<std::uint64_t>(offset + bytes.size() - handedOver_, bytes.size()));
    std::memcpy(buffer_ + (offset + bytes.size() - inBuffer - handedOver_),
                bytes.data() + bytes.size() - inBuffer, inBuffer);
    bytes.remove_suffix(inBuffer);
  }
  if (!bytes.empty()) pendingOverwrites_.push_back({offset, std::string(bytes)});
}

bool OutputFile::Commit() {
  bool written = writer_.Finish(used_);
  handedOver_ += used_;
  used_ = 0;
  FileSystem& fileSystem = CurrentFileSystem();
  for (const PendingOverwrite& overwrite : pendingOverwrites_) {
    written = written && fileSystem.WriteAt(target_.Handle(), overwrite.offset,
                                            overwrite.bytes.data(), overwrite.bytes.size());
  }
  if (!written) {
    Discard();
    return false;
  }
  return target_.Commit();
}

void OutputFile::Discard() noexcept {
  // No write may be in flight when the file is closed.
  writer_.Stop();
  target_.Discard();
}

}  // namespace sorvane
