// The output file's own promises, below the conversion: what is put is what lands on
// disk, a value written late replaces its placeholder wherever the block went, and an
// unfinished file never outlives the process.

#include "runtime/output_file.h"

#include "runtime/file_system.h"
#include "runtime/native_file_system.h"
#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <string>

namespace sorvane {
namespace {

using testing::ReadFile;
using testing::ScratchDirectory;

// Several buffers' worth, so that early bytes are on disk and late ones still buffered
// when they are overwritten.
std::string Filler(std::size_t size) {
  std::string text(size, '.');
  for (std::size_t i = 0; i < size; i += 97) text[i] = static_cast<char>('a' + i % 26);
  return text;
}

TEST(OutputFile, OverwriteReplacesBytesOnDiskAndInTheBuffer) {
  ScratchDirectory directory;
  const std::string head = Filler(700'000);
  const std::string tail = Filler(1000);
  OutputFile out;
  ASSERT_EQ(out.Create("out.txt", {}), OutputFile::CreateStatus::Created);
  out.Put(head);
  const std::uint64_t tailStart = out.Offset();
  out.Put(tail);
  EXPECT_EQ(out.Offset(), head.size() + tail.size());

  out.Overwrite(10, "EARLY");                   // long handed over to the disk
  out.Overwrite(tailStart - 3, "ACROSS");       // straddles the buffer being filled
  out.Overwrite(out.Offset() - 4, "LATE");      // still in the buffer
  ASSERT_TRUE(out.Commit());

  std::string expected = head + tail;
  expected.replace(10, 5, "EARLY");
  expected.replace(tailStart - 3, 6, "ACROSS");
  expected.replace(expected.size() - 4, 4, "LATE");
  EXPECT_EQ(ReadFile("out.txt"), expected);
}

// A run that dies is a temporary closed without being kept: the system itself must
// remove it, since no code of ours runs any more.
TEST(OutputFile, TemporaryNotKeptVanishesWithItsHandle) {
  ScratchDirectory directory;
  FileSystem& fileSystem = CurrentFileSystem();
  std::optional<TemporaryFile> temporary = fileSystem.CreateTemporary(directory.Path());
  ASSERT_TRUE(temporary.has_value());
  ASSERT_TRUE(fileSystem.Write(temporary->handle, "half a drawing", 14));
  ASSERT_TRUE(fileSystem.Sync(temporary->handle));
  EXPECT_TRUE(fileSystem.Close(temporary->handle));
  EXPECT_TRUE(testing::Snapshot(directory.Path()).empty());
}

// A device or a pipe on Windows has no identity. Read as input and named as output,
// such things are not one file: the output is refused as one that cannot be created,
// never as the input itself.
TEST(OutputFile, ThingsWithoutIdentityAreNeverTheInput) {
  class DevicesOnly : public NativeFileSystem {
    PathStatus Status(const std::string&) override { return {PathKind::Other, {}, false}; }
  } devices;
  const ScopedFileSystem scope(devices);
  const FileIdentity pipe;
  OutputFile out;
  EXPECT_EQ(out.Create("NUL", std::span(&pipe, 1)), OutputFile::CreateStatus::CannotCreate);
}

}  // namespace
}  // namespace sorvane
