#include "runtime/file_system.h"

#include "runtime/native_file_system.h"

namespace sorvane {
namespace {

FileSystem& Native() {
  static NativeFileSystem native;
  return native;
}

FileSystem* current = nullptr;

}  // namespace

FileSystem& CurrentFileSystem() noexcept { return current != nullptr ? *current : Native(); }

ScopedFileSystem::ScopedFileSystem(FileSystem& fileSystem) noexcept : previous_(current) {
  current = &fileSystem;
}

ScopedFileSystem::~ScopedFileSystem() { current = previous_; }

}  // namespace sorvane
