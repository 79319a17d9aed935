#pragma once
// A scratch folder to list, for the folder listing's tests.

#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace sorvane {

class FolderListingTest : public ::testing::Test {
 protected:
  void MakeFile(const std::string& name) { testing::WriteFile(scratch / name, "1,2,3\n"); }
  void MakeFolder(const std::string& name) { std::filesystem::create_directory(scratch / name); }

  testing::ScratchDirectory scratch;
};

}  // namespace sorvane
