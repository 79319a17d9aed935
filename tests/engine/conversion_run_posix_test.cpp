// The rules of the output path that only POSIX systems have: symbolic links, the
// umask, permission bits, devices.

#include "tests/engine/conversion_run_fixture.h"

#include <cstdio>
#include <functional>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sorvane {
namespace {

// A chain of links is followed to its end, each hop's target taken relative to the
// folder of the link that holds it; every link stays.
TEST_F(ConversionRunTest, OutputSymlinkKeepsTheLinkAndReplacesItsTarget) {
  fs::create_directory("drawings");
  fs::create_directory("hops");
  WriteFile("drawings/target.dxf", kOldDrawing);
  WriteFile("drawings/chained.dxf", kOldDrawing);
  fs::create_symlink("drawings/target.dxf", "link.dxf");
  fs::create_symlink("drawings/new.dxf", "dangling.dxf");
  fs::create_symlink("hops/second.dxf", "chain.dxf");
  fs::create_symlink("third.dxf", "hops/second.dxf");
  fs::create_symlink("../drawings/chained.dxf", "hops/third.dxf");

  for (const char* out : {"link.dxf", "dangling.dxf", "chain.dxf"}) {
    SCOPED_TRACE(out);
    ASSERT_EQ(Run("points.csv", out).outcome, ConvertOutcome::Converted);
    EXPECT_TRUE(fs::is_symlink(out));
    EXPECT_EQ(VertexCount(ReadFile(out)), 2u);
  }
  EXPECT_EQ(fs::read_symlink("link.dxf"), "drawings/target.dxf");
  EXPECT_EQ(fs::read_symlink("dangling.dxf"), "drawings/new.dxf");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status("drawings/new.dxf")));
  EXPECT_EQ(fs::read_symlink("chain.dxf"), "hops/second.dxf");
  EXPECT_EQ(fs::read_symlink("hops/second.dxf"), "third.dxf");
  EXPECT_EQ(fs::read_symlink("hops/third.dxf"), "../drawings/chained.dxf");
  EXPECT_EQ(VertexCount(ReadFile("drawings/chained.dxf")), 2u);
  EXPECT_TRUE(TemporaryFilesBelow(dir_.Path()).empty());
}

// Restores the process's umask after a test that sets its own.
class UmaskGuard {
 public:
  explicit UmaskGuard(mode_t mask) : previous_(::umask(mask)) {}
  ~UmaskGuard() { ::umask(previous_); }
  UmaskGuard(const UmaskGuard&) = delete;
  UmaskGuard& operator=(const UmaskGuard&) = delete;

 private:
  mode_t previous_;
};

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0);
  return status.st_mode & 07777;
}

TEST_F(ConversionRunTest, NewOutputGetsThePermissionsTheUmaskGives) {
  for (const mode_t mask : {mode_t{022}, mode_t{077}, mode_t{002}, mode_t{027}}) {
    SCOPED_TRACE(mask);
    UmaskGuard guard(mask);
    fs::remove("new.dxf");
    ASSERT_EQ(Run("points.csv", "new.dxf").outcome, ConvertOutcome::Converted);
    EXPECT_EQ(ModeOf("new.dxf"), 0666 & ~mask);
  }
}

TEST_F(ConversionRunTest, ReplacedOutputKeepsItsPermissions) {
  UmaskGuard guard(022);
  for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0664}, mode_t{0755}}) {
    SCOPED_TRACE(mode);
    WriteFile("out.dxf", kOldDrawing);
    ASSERT_EQ(::chmod("out.dxf", mode), 0);
    ASSERT_EQ(Run("points.csv", "out.dxf").outcome, ConvertOutcome::Converted);
    EXPECT_EQ(ModeOf("out.dxf"), mode);
    EXPECT_NE(ReadFile("out.dxf"), kOldDrawing);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Posix, ConversionRunFailure,
    ::testing::Values(
        FailureCase{"OutputIsSymlinkToInput",
                    [] { fs::create_symlink("points.csv", "points.dxf"); }, "points.csv",
                    "points.dxf", kTemplateName, kSame, kSameText},
        FailureCase{"OutputIsSymlinkToTemplate",
                    [] { fs::create_symlink(kTemplateName, "head.dxf"); }, "points.csv",
                    "head.dxf", kTemplateName, kSame, kSameText},
        FailureCase{"OutputIsSymlinkToDirectory",
                    [] {
                      MakeDirectory("drawings");
                      fs::create_directory_symlink("drawings", "drawings.dxf");
                    },
                    "points.csv", "drawings.dxf", kTemplateName, kCannotCreate,
                    kCannotCreateText},
        FailureCase{"OutputIsSymlinkLoop",
                    [] {
                      fs::create_symlink("loop-b.dxf", "loop-a.dxf");
                      fs::create_symlink("loop-a.dxf", "loop-b.dxf");
                    },
                    "points.csv", "loop-a.dxf", kTemplateName, kCannotCreate,
                    kCannotCreateText},
        FailureCase{"OutputIsDevice", {}, "points.csv", "/dev/null", kTemplateName,
                    kCannotCreate, kCannotCreateText}),
    [](const auto& info) { return std::string(info.param.name); });

struct PermissionCase {
  const char* name;
  const char* out;
  const char* path;  // what loses its write permission
  bool isDirectory;
};

class ConversionRunWithoutPermission : public ConversionRunTest,
                                       public ::testing::WithParamInterface<PermissionCase> {};

// Runs `body` as a user whom permissions stop. The superuser writes whatever they say,
// and CI runs the tests as root; then `body` runs in a child process that has given up
// the superuser's rights to become "nobody", made the owner of everything below
// `directory` first. The child's GoogleTest prints its failures; its status tells them.
void AsUnprivilegedUser(const std::string& directory, const std::function<void()>& body) {
  if (::geteuid() != 0) {
    body();
    return;
  }
  const passwd* nobody = ::getpwnam("nobody");
  ASSERT_NE(nobody, nullptr) << "no user to run as";
  const uid_t user = nobody->pw_uid;
  const gid_t group = nobody->pw_gid;
  ASSERT_EQ(::lchown(directory.c_str(), user, group), 0);
  for (const auto& entry : fs::recursive_directory_iterator(directory)) {
    ASSERT_EQ(::lchown(entry.path().c_str(), user, group), 0);
  }
  std::fflush(stdout);  // or the child prints it again
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(user) != 0) ::_exit(2);
    body();
    std::fflush(stdout);
    ::_exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "the run as " << nobody->pw_name << " failed, status " << status;
}

TEST_P(ConversionRunWithoutPermission, CannotCreateAndChangesNothing) {
  const PermissionCase& c = GetParam();
  if (c.isDirectory) {
    fs::create_directory(c.path);
    WriteFile(std::string(c.path) + "/out.dxf", kOldDrawing);
  }
  // Everything is named from the current folder, the scratch folder, which that user
  // reaches even when the folders above it are closed to others.
  AsUnprivilegedUser(dir_.Path(), [&] {
    ASSERT_EQ(::chmod(c.path, c.isDirectory ? 0555 : 0444), 0);
    const auto before = Snapshot(".");

    EXPECT_EQ(Run("points.csv", c.out), kCannotCreate);
    EXPECT_EQ(sink_.messages, std::vector<std::string>{kCannotCreateText});
    EXPECT_EQ(Snapshot("."), before);
    EXPECT_EQ(TemporaryFilesBelow("."), std::vector<std::string>{});
  });
}

INSTANTIATE_TEST_SUITE_P(
    ConversionRun, ConversionRunWithoutPermission,
    ::testing::Values(PermissionCase{"NewFileInReadOnlyDirectory", "locked/new.dxf", "locked", true},
                      PermissionCase{"FileInReadOnlyDirectory", "locked/out.dxf", "locked", true},
                      PermissionCase{"ReadOnlyFile", "out.dxf", "out.dxf", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane
