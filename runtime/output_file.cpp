#include "output_file.h"

#include "file_system.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace sorvane {
namespace {

// Large enough that a write costs little per byte, small enough that even a small
// drawing fills both buffers, so memory is the same for any size of file.
constexpr std::size_t kBufferSize = std::size_t{256} << 10;
constexpr int kMaxSymlinkHops = 40;

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The path of the file that `path` names once every symbolic link at its end is
// followed; a link that points nowhere yet gives the path where the file will be.
std::string FollowSymlinks(std::string path) {
  for (int hop = 0; hop < kMaxSymlinkHops; ++hop) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    std::string target(static_cast<std::size_t>(status.st_size) + 1, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return path;
    target.resize(static_cast<std::size_t>(length));
    if (!target.starts_with('/')) target.insert(0, DirectoryOf(path) + '/');
    path = std::move(target);
  }
  return path;
}

// Creates a new, empty file beside `finalPath` under a name no other file has. The
// mode 0666 lets the umask (and a default ACL) decide its permissions, as for any new
// file. Returns its descriptor, or -1.
int CreateTemporaryBeside(const std::string& finalPath, std::string& temporaryPath) {
  const std::string prefix = DirectoryOf(finalPath) + "/.sorvane-";
  auto seed = static_cast<unsigned long long>(
      std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (static_cast<unsigned long long>(::getpid()) << 32);
  for (int attempt = 0; attempt < 100; ++attempt) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    temporaryPath = prefix + std::to_string(seed >> 16) + ".tmp";
    const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

OutputFile::OutputFile() = default;

OutputFile::~OutputFile() { Discard(); }

OutputFile::CreateStatus OutputFile::Create(const std::string& path,
                                            std::span<const FileIdentity> inputs) {
  if (path.empty()) return CreateStatus::EmptyName;
  finalPath_ = FollowSymlinks(path);

  struct stat existing {};
  replacesExisting_ = ::stat(finalPath_.c_str(), &existing) == 0;
  // Only a path where nothing is yet may be created: for any other failure (a loop of
  // links) the rename would replace whatever is there.
  if (!replacesExisting_ && errno != ENOENT) return CreateStatus::CannotCreate;
  if (replacesExisting_) {
    const FileIdentity identity{static_cast<std::uint64_t>(existing.st_dev),
                                static_cast<std::uint64_t>(existing.st_ino)};
    if (std::find(inputs.begin(), inputs.end(), identity) != inputs.end()) {
      return CreateStatus::SameAsInput;
    }
    // Replacing by rename needs only the directory's permission; a file that may not
    // be written stays protected all the same.
    if (!S_ISREG(existing.st_mode) || ::access(finalPath_.c_str(), W_OK) != 0) {
      return CreateStatus::CannotCreate;
    }
    existingMode_ = existing.st_mode & 07777;
    existingOwner_ = existing.st_uid;
    existingGroup_ = existing.st_gid;
  }

  fd_ = CreateTemporaryBeside(finalPath_, temporaryPath_);
  if (fd_ < 0) return CreateStatus::CannotCreate;
  for (std::unique_ptr<char[]>& buffer : buffers_) {
    if (!buffer) buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
  }
  active_ = 0;
  capacity_ = kBufferSize;
  used_ = 0;
  handedOver_ = 0;
  pendingOverwrites_.clear();
  failed_ = false;
  return CreateStatus::Created;
}

void OutputFile::HandOver(const char* data, std::size_t size) {
  writer_.Write(fd_, data, size);
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
    const std::size_t inBuffer =
        static_cast<std::size_t>(std::min<std::uint64_t>(offset + bytes.size() - handedOver_, bytes.size()));
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
  for (const PendingOverwrite& overwrite : pendingOverwrites_) {
    if (failed_) break;
    const ssize_t written = FileSystem().pwrite(fd_, overwrite.bytes.data(), overwrite.bytes.size(),
                                                static_cast<off_t>(overwrite.offset));
    failed_ = written != static_cast<ssize_t>(overwrite.bytes.size());
  }
  if (!failed_ && replacesExisting_) {
    // Keep the owner where we may (only the superuser can give a file away).
    [[maybe_unused]] const int ignored = ::fchown(fd_, existingOwner_, existingGroup_);
    failed_ = ::fchmod(fd_, existingMode_) != 0;
  }
  // Sync before the rename, so that a crash never puts an unwritten file in place of
  // the old one.
  if (!failed_) failed_ = FileSystem().fsync(fd_) != 0;
  if (FileSystem().close(fd_) != 0) failed_ = true;
  fd_ = -1;
  if (!failed_) failed_ = FileSystem().rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0;
  if (failed_) {
    Discard();
    return false;
  }
  temporaryPath_.clear();
  const int directory = ::open(DirectoryOf(finalPath_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory >= 0) {
    FileSystem().fsync(directory);  // makes the rename durable; the file is in place already
    FileSystem().close(directory);
  }
  return true;
}

void OutputFile::Discard() {
  writer_.Finish();
  if (fd_ >= 0) FileSystem().close(fd_);
  fd_ = -1;
  if (!temporaryPath_.empty()) ::unlink(temporaryPath_.c_str());
  temporaryPath_.clear();
}

}  // namespace sorvane
