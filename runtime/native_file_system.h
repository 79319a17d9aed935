#pragma once
// The operating system's file system: POSIX calls on Linux and macOS, the wide-character
// Win32 API on Windows. Tests derive from it to let one call fail and pass the others on.

#include "runtime/file_system.h"

namespace sorvane {

class NativeFileSystem : public FileSystem {
 public:
  std::optional<OpenedFile> OpenForReading(const std::string& path) override;
  std::ptrdiff_t Read(FileHandle file, char* buffer, std::size_t size) noexcept override;
  bool Rewind(FileHandle file) noexcept override;
  std::optional<TemporaryFile> CreateTemporary(const std::string& directory) override;
  bool Write(FileHandle file, const char* data, std::size_t size) noexcept override;
  bool WriteAt(FileHandle file, std::uint64_t offset, const char* data,
               std::size_t size) noexcept override;
  bool CopyPermissions(const std::string& path, FileHandle file) override;
  bool Sync(FileHandle file) noexcept override;
  void StartSync(FileHandle file, std::uint64_t offset, std::uint64_t size) noexcept override;
  bool KeepTemporary(TemporaryFile& temporary, const std::string& directory) override;
  bool Close(FileHandle file) noexcept override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool RemoveAbandonedTemporary(const std::string& path) override;
  std::vector<std::string> ListTemporaries(const std::string& directory) override;
  std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) override;
  std::vector<MountedVolume> MountedVolumes() override;
  PathStatus Status(const std::string& path) override;
  std::optional<std::string> LinkTarget(const std::string& path) override;
};

}  // namespace sorvane
