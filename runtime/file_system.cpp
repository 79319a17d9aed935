#include "file_system.h"

#include <cstdio>
#include <unistd.h>

namespace sorvane {
namespace {

const FileSystemCalls* current = &kSystemFileCalls;

}  // namespace

const FileSystemCalls kSystemFileCalls = {
    .read = ::read,
    .write = ::write,
    .fsync = ::fsync,
    .rename = ::rename,
    .close = ::close,
    .pwrite = ::pwrite,
};

const FileSystemCalls& FileSystem() { return *current; }

ScopedFileSystemCalls::ScopedFileSystemCalls(const FileSystemCalls& calls) : previous_(current) {
  current = &calls;
}

ScopedFileSystemCalls::~ScopedFileSystemCalls() { current = previous_; }

}  // namespace sorvane
