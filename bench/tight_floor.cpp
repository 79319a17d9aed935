// The tightest honest floor for a conversion: the same reading, writing and durability,
// with no parsing and no formatting. Reads INPUT in 256 KiB blocks, writes SIZE bytes
// in 256 KiB blocks to a new file beside OUTPUT, syncs it, renames it into place and
// syncs the folder, as sorvane-convert does with a drawing.
// Usage: sorvane-tight-floor INPUT OUTPUT SIZE
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

constexpr std::size_t kBlockSize = std::size_t{256} << 10;

[[noreturn]] void Fail(const char* what, const std::string& path) {
  std::fprintf(stderr, "sorvane-tight-floor: %s %s: %s\n", what, path.c_str(), std::strerror(errno));
  std::exit(1);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: sorvane-tight-floor INPUT OUTPUT SIZE\n", stderr);
    return 2;
  }
  const std::string input = argv[1];
  const std::string output = argv[2];
  const unsigned long long size = std::strtoull(argv[3], nullptr, 10);
  static char block[kBlockSize];

  const int in = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) Fail("cannot open", input);
  for (ssize_t got; (got = ::read(in, block, sizeof block)) != 0;) {
    if (got < 0) Fail("cannot read", input);
  }
  ::close(in);

  const std::string temporary = output + ".floor-tmp";
  const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (out < 0) Fail("cannot create", temporary);
  for (unsigned long long left = size; left > 0;) {
    const std::size_t piece = left < kBlockSize ? static_cast<std::size_t>(left) : kBlockSize;
    const ssize_t put = ::write(out, block, piece);
    if (put <= 0) Fail("cannot write", temporary);
    left -= static_cast<unsigned long long>(put);
  }
  if (::fsync(out) != 0) Fail("cannot sync", temporary);
  if (::close(out) != 0) Fail("cannot close", temporary);
  if (::rename(temporary.c_str(), output.c_str()) != 0) Fail("cannot rename", temporary);
  const std::string folder = FolderOf(output);
  const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory < 0 || ::fsync(directory) != 0) Fail("cannot sync", folder);
  ::close(directory);
  return 0;
}
