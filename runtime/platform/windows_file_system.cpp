// The file system on Windows, through the wide-character API, so that any name works.
// Files are opened in binary mode by nature: the bytes on disk are the bytes written.

#include "runtime/native_file_system.h"

#include "runtime/path_names.h"
#include "runtime/windows_text.h"
#include "runtime/temporary_owner.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <array>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>

namespace sorvane {
namespace {

// How many names to try before giving up on a folder full of our temporaries.
constexpr int kTemporaryNameAttempts = 100;
// ReadFile and WriteFile take a 32-bit count.
constexpr std::size_t kMaxTransfer = std::size_t{1} << 30;
// Any other program may read, write, rename or delete a file we only read or look at.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE Native(FileHandle file) { return reinterpret_cast<HANDLE>(file); }
FileHandle Portable(HANDLE handle) { return reinterpret_cast<FileHandle>(handle); }

// The absolute, normal form of `path` that the system makes of it; none when it cannot.
std::optional<std::wstring> FullPathOf(const std::wstring& path) {
  const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return std::nullopt;
  std::wstring full(size, L'\0');
  const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return std::nullopt;
  full.resize(length);
  return full;
}

// A path as the system's file calls take it. One too long for the plain form (260
// characters, and 248 for a folder) goes in the long form, "\\?\C:\..." or
// "\\?\UNC\server\...", which Windows takes at any length whether or not the machine
// lets programs use long plain paths. That form is taken as it stands, so it is made
// absolute and normal first, as the system makes a plain path. Empty when `path` is no
// UTF-8.
std::wstring WidePath(const std::string& path) {
  constexpr std::size_t kLongestPlainFolder = MAX_PATH - 12;
  std::wstring wide = WideFromUtf8(path);
  if (wide.starts_with(L"\\\\?\\") || wide.starts_with(L"\\\\.\\")) return wide;
  const std::optional<std::wstring> full = FullPathOf(wide);
  if (!full || full->size() < kLongestPlainFolder) return wide;
  return full->starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + full->substr(2) : L"\\\\?\\" + *full;
}

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  const std::wstring wide = WidePath(path);
  if (wide.empty()) {
    ::SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  return ::CreateFileW(wide.c_str(), access, share, nullptr, disposition, flags, nullptr);
}

// Whether the system takes `path` for a device rather than a file, as it takes "NUL",
// "COM9" or, before Windows 11, "C:\data\aux.csv": such a name never reaches a file,
// whether the device is there or not, and opening a device may set it going. A path
// that begins with "\\" names its object itself ("\\.\COM1", "\\.\pipe\points").
bool NamesDevice(const std::string& path) {
  const std::wstring wide = WideFromUtf8(path);
  if (wide.empty() || wide.starts_with(L"\\\\")) return false;
  const std::optional<std::wstring> full = FullPathOf(wide);
  return full && full->starts_with(L"\\\\.\\");
}

// The volume and the file's index on it name one file whatever path reaches it: other
// letter case, "/" for "\", a short 8.3 name, a hard link, a symbolic link or junction.
// A device or a pipe has no such identity.
bool IdentityOf(HANDLE handle, FileIdentity& identity, DWORD& attributes) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (::GetFileType(handle) != FILE_TYPE_DISK) return false;
  if (!::GetFileInformationByHandle(handle, &information)) return false;
  identity = {information.dwVolumeSerialNumber,
              (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow, true};
  attributes = information.dwFileAttributes;
  return true;
}

// Writes all `size` bytes through `writeSome(data, length, written, done)`, a WriteFile
// of at most `length` bytes that reports how many it wrote, `done` bytes having gone
// before. False on any failure.
template <typename WriteSome>
bool WriteAll(const char* data, std::size_t size, WriteSome writeSome) {
  std::size_t done = 0;
  while (done < size) {
    DWORD written = 0;
    const auto length = static_cast<DWORD>(std::min(size - done, kMaxTransfer));
    if (!writeSome(data + done, length, written, done) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace

std::optional<OpenedFile> NativeFileSystem::OpenForReading(const std::string& path) {
  if (NamesDevice(path)) {
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    return std::nullopt;
  }
  // Without backup semantics a folder cannot be opened, as it should not be here.
  const HANDLE handle = Open(path, GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  OpenedFile opened{Portable(handle), {}};
  DWORD attributes = 0;
  IdentityOf(handle, opened.identity, attributes);  // a pipe or device has none
  return opened;
}

std::ptrdiff_t NativeFileSystem::Read(FileHandle file, char* buffer, std::size_t size) noexcept {
  DWORD got = 0;
  if (!::ReadFile(Native(file), buffer, static_cast<DWORD>(std::min(size, kMaxTransfer)), &got, nullptr)) {
    return ::GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;  // the writer of a pipe is done
  }
  return static_cast<std::ptrdiff_t>(got);
}

bool NativeFileSystem::Rewind(FileHandle file) noexcept {
  // A pipe or a device has no position to go back to.
  return ::GetFileType(Native(file)) == FILE_TYPE_DISK &&
         ::SetFilePointerEx(Native(file), LARGE_INTEGER{}, nullptr, FILE_BEGIN) != 0;
}

// Whether the system deletes the file when its last handle is closed, which happens
// too when the process ends, however it ends.
static bool SetDeleteOnClose(FileHandle file, bool deleteOnClose) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = deleteOnClose ? TRUE : FALSE;
  return ::SetFileInformationByHandle(Native(file), FileDispositionInfo, &disposition,
                                      sizeof disposition) != 0;
}

std::optional<TemporaryFile> NativeFileSystem::CreateTemporary(const std::string& directory) {
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    std::string path = JoinPath(directory, NextTemporaryName());
    // Shared for deletion only, so that it can be put in place while a handle holds
    // it, and no other run can open it for itself (RemoveAbandonedTemporary) meanwhile.
    const HANDLE handle =
        Open(path, GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
    if (handle != INVALID_HANDLE_VALUE) {
      // Marked for deletion until it is complete. Should the mark not take, the file is
      // still removed on every failure the program sees.
      SetDeleteOnClose(Portable(handle), true);
      return TemporaryFile{Portable(handle), std::move(path)};
    }
    if (::GetLastError() != ERROR_FILE_EXISTS) return std::nullopt;
  }
  return std::nullopt;
}

bool NativeFileSystem::Write(FileHandle file, const char* data, std::size_t size) noexcept {
  return WriteAll(data, size, [&](const char* part, DWORD length, DWORD& written, std::size_t) {
    return ::WriteFile(Native(file), part, length, &written, nullptr);
  });
}

bool NativeFileSystem::WriteAt(FileHandle file, std::uint64_t offset, const char* data,
                               std::size_t size) noexcept {
  // A positioned write moves the file pointer of a synchronous handle; it is put back,
  // so that writing at the end goes on where it was.
  LARGE_INTEGER end{};
  if (!::SetFilePointerEx(Native(file), LARGE_INTEGER{}, &end, FILE_CURRENT)) return false;
  const bool written =
      WriteAll(data, size, [&](const char* part, DWORD length, DWORD& done, std::size_t before) {
        OVERLAPPED position{};
        position.Offset = static_cast<DWORD>(offset + before);
        position.OffsetHigh = static_cast<DWORD>((offset + before) >> 32);
        return ::WriteFile(Native(file), part, length, &done, &position);
      });
  return written && ::SetFilePointerEx(Native(file), end, nullptr, FILE_BEGIN) != 0;
}

bool NativeFileSystem::CopyPermissions(const std::string& path, FileHandle file) {
  // A new file takes the permissions its folder passes on, as the one it replaces did.
  // What the user set on the file itself stays: hidden, system, left out of the search
  // index. The archive mark is set whatever it was, since the contents are new and a
  // backup must take them.
  constexpr DWORD kKept =
      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const std::wstring wide = WidePath(path);
  const DWORD attributes = wide.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  FILE_BASIC_INFO basic{};  // times of zero are left as they are
  basic.FileAttributes = (attributes & kKept) | FILE_ATTRIBUTE_ARCHIVE;
  return ::SetFileInformationByHandle(Native(file), FileBasicInfo, &basic, sizeof basic) != 0;
}

bool NativeFileSystem::Sync(FileHandle file) noexcept { return ::FlushFileBuffers(Native(file)) != 0; }

// Windows has no call that starts the write-back of part of a file without waiting for
// it; its lazy writer starts on its own.
void NativeFileSystem::StartSync(FileHandle, std::uint64_t, std::uint64_t) noexcept {}

bool NativeFileSystem::KeepTemporary(TemporaryFile& temporary, const std::string&) {
  // A duplicate handle keeps the file open, and so held, once the first is closed.
  if (temporary.lock == kNoFile) {
    HANDLE lock = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), Native(temporary.handle), ::GetCurrentProcess(),
                           &lock, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
      return false;
    }
    temporary.lock = Portable(lock);
  }
  return SetDeleteOnClose(temporary.handle, false);
}

bool NativeFileSystem::Close(FileHandle file) noexcept { return ::CloseHandle(Native(file)) != 0; }

bool NativeFileSystem::Replace(const std::string& from, const std::string& to) {
  const std::wstring wideFrom = WidePath(from);
  const std::wstring wideTo = WidePath(to);
  if (wideFrom.empty() || wideTo.empty()) return false;
  // Write-through: the move is on disk when the call returns.
  return ::MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool NativeFileSystem::Remove(const std::string& path) {
  const std::wstring wide = WidePath(path);
  return !wide.empty() && ::DeleteFileW(wide.c_str()) != 0;
}

bool NativeFileSystem::RemoveAbandonedTemporary(const std::string& path) {
  // Opened sharing nothing, which fails while any handle of a run holds the file, and
  // then the file is ours until it is gone. A link by that name is not followed.
  const HANDLE handle = Open(path, DELETE, 0, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT);
  if (handle == INVALID_HANDLE_VALUE) return false;
  FILE_ATTRIBUTE_TAG_INFO kind{};
  const bool removed =
      ::GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &kind, sizeof kind) &&
      (kind.FileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0 &&
      SetDeleteOnClose(Portable(handle), true);
  ::CloseHandle(handle);
  return removed;
}

std::vector<std::string> NativeFileSystem::ListTemporaries(const std::string& directory) {
  std::vector<std::string> names;
  const std::wstring pattern = WidePath(JoinPath(directory, std::string(kTemporaryPrefix) + "*"));
  WIN32_FIND_DATAW found{};
  const HANDLE first = pattern.empty() ? INVALID_HANDLE_VALUE : ::FindFirstFileW(pattern.c_str(), &found);
  if (first == INVALID_HANDLE_VALUE) return names;
  const std::unique_ptr<void, BOOL(WINAPI*)(HANDLE)> search(first, &::FindClose);
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      names.push_back(Utf8FromWide(found.cFileName));
    }
  } while (::FindNextFileW(search.get(), &found));
  return names;
}

std::optional<std::vector<FolderEntry>> NativeFileSystem::ListFolder(const std::string& folder) {
  const std::wstring pattern = WidePath(JoinPath(folder, "*"));
  WIN32_FIND_DATAW found{};
  const HANDLE first = pattern.empty() ? INVALID_HANDLE_VALUE
                                       : ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                                            FindExSearchNameMatch, nullptr,
                                                            FIND_FIRST_EX_LARGE_FETCH);
  std::vector<FolderEntry> entries;
  // The root of an empty drive has no entry at all, not even ".".
  if (first == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_NOT_FOUND) return entries;
  if (first == INVALID_HANDLE_VALUE) return std::nullopt;
  const std::unique_ptr<void, BOOL(WINAPI*)(HANDLE)> search(first, &::FindClose);
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    FolderEntry entry{Utf8FromWide(name), PathKind::RegularFile,
                      (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0};
    // A link is what it leads to; other reparse points (a file of the cloud, a
    // deduplicated one) are what they say, and looking closer might fetch them.
    const bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
                      (found.dwReserved0 == IO_REPARSE_TAG_SYMLINK ||
                       found.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT);
    if (link) {
      entry.kind = Status(JoinPath(folder, entry.name)).kind;
    } else if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      entry.kind = PathKind::Directory;
    }
    entries.push_back(std::move(entry));
  } while (::FindNextFileW(search.get(), &found));
  if (::GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;  // broke off part way
  return entries;
}

std::vector<MountedVolume> NativeFileSystem::MountedVolumes() {
  std::array<wchar_t, 512> roots{};
  const DWORD length = ::GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
  std::vector<MountedVolume> volumes;
  if (length == 0 || length > roots.size()) return volumes;
  // "A:\", "C:\" ... each ended by a NUL, the list by another.
  for (const wchar_t* root = roots.data(); *root != L'\0'; root += std::wcslen(root) + 1) {
    // A network drive's label is not asked for: a share out of reach would hold the
    // window up for as long as the network takes to give up.
    std::array<wchar_t, MAX_PATH + 1> label{};
    if (::GetDriveTypeW(root) == DRIVE_REMOTE ||
        !::GetVolumeInformationW(root, label.data(), static_cast<DWORD>(label.size()), nullptr,
                                 nullptr, nullptr, nullptr, 0)) {
      label[0] = L'\0';
    }
    volumes.push_back({Utf8FromWide(root), {}, Utf8FromWide(label.data())});
  }
  return volumes;
}

PathStatus NativeFileSystem::Status(const std::string& path) {
  PathStatus status;
  if (NamesDevice(path)) {
    status.kind = PathKind::Other;
    return status;
  }
  // No access asked, so no other program's sharing stands in the way of looking;
  // backup semantics let a folder be opened too.
  const HANDLE handle = Open(path, 0, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    status.kind = missing ? PathKind::Nothing : PathKind::Unreachable;
    return status;
  }
  DWORD attributes = 0;
  const bool known = IdentityOf(handle, status.identity, attributes);
  ::CloseHandle(handle);
  if (!known) {
    status.kind = PathKind::Other;
  } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    status.kind = PathKind::Directory;
  } else {
    status.kind = PathKind::RegularFile;
    // A read-only file refuses the writer, and so does a file another program holds
    // open without letting others write it.
    // The attribute is tested too, since an administrator may open a read-only file
    // for writing all the same.
    const HANDLE writer = Open(path, GENERIC_WRITE | DELETE, kShareAll, OPEN_EXISTING, 0);
    status.writable = writer != INVALID_HANDLE_VALUE && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
    if (writer != INVALID_HANDLE_VALUE) ::CloseHandle(writer);
  }
  return status;
}

std::optional<std::string> NativeFileSystem::LinkTarget(const std::string& path) {
  const std::wstring wide = WidePath(path);
  if (wide.empty()) return std::nullopt;
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return std::nullopt;
  }
  // The system follows the whole chain of links; its final path is where the file is.
  const HANDLE handle = Open(path, 0, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;  // a link to nothing yet
  std::wstring target(MAX_PATH, L'\0');
  DWORD length = ::GetFinalPathNameByHandleW(handle, target.data(), static_cast<DWORD>(target.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length >= target.size()) {
    target.resize(length);
    length = ::GetFinalPathNameByHandleW(handle, target.data(), static_cast<DWORD>(target.size()),
                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  ::CloseHandle(handle);
  if (length == 0 || length >= target.size()) return std::nullopt;
  target.resize(length);
  const std::string utf8 = Utf8FromWide(target);
  if (utf8 == path) return std::nullopt;  // a reparse point that is no link
  return utf8;
}

}  // namespace sorvane
