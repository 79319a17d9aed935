// The output file's own promises, below the conversion: what is put is what lands on
// disk, and a value written late replaces its placeholder wherever the block went.

#include "output_file.h"

#include "scratch_directory.h"

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

}  // namespace
}  // namespace sorvane
