#include "selection/mounted_drives.h"

#include "tests/support/case_names.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

namespace sorvane {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Roots(const std::vector<MountedVolume>& volumes) {
  std::vector<std::string> roots;
  for (const MountedVolume& volume : volumes) roots.push_back(volume.rootPath);
  return roots;
}

// What a desktop's mount table holds, as Qt reports each volume.
const std::vector<MountedVolume> kDesktopVolumes = {
    {"/proc", "proc"},
    {"/sys", "sysfs"},
    {"/dev", "devtmpfs"},
    {"/", "ext4"},
    {"/run", "tmpfs"},
    {"/sys/fs/cgroup", "cgroup2"},
    {"/boot/efi", "vfat"},
    {"/home", "ext4"},
    {"/media/ann/USB STICK", "vfat"},
    {"/run/media/ann/CD", "iso9660"},
    {"/snap/core/1", "squashfs"},
    {"/mnt/ram", "tmpfs"},
    {"/mediaextra", "ext4"},
};

TEST(MountedDrives, ShowsRootHomeAndRemovableVolumesOnly) {
  EXPECT_THAT(Roots(BrowsedDrives(kDesktopVolumes, "/home")),
              ElementsAre("/", "/home", "/media/ann/USB STICK", "/run/media/ann/CD"));
}

TEST(MountedDrives, VolumeOfTheStartFolderIsAlwaysADrive) {
  EXPECT_THAT(Roots(BrowsedDrives(kDesktopVolumes, "/boot/efi")),
              ElementsAre("/", "/boot/efi", "/home", "/media/ann/USB STICK", "/run/media/ann/CD"));
  EXPECT_THAT(Roots(BrowsedDrives(kDesktopVolumes, "/run")),
              ElementsAre("/", "/home", "/media/ann/USB STICK", "/run", "/run/media/ann/CD"));
}

TEST(MountedDrives, RootIsADriveWhateverItsFileSystem) {
  EXPECT_THAT(Roots(BrowsedDrives({{"/", "tmpfs"}, {"/media/usb", "vfat"}}, "")),
              ElementsAre("/", "/media/usb"));
}

struct DriveOfCase {
  const char* name;
  const char* path;
  const char* drive;
};

class DriveOfPath : public ::testing::TestWithParam<DriveOfCase> {};

TEST_P(DriveOfPath, IsTheDeepestDriveHoldingIt) {
  const std::vector<std::string> drives = {"/", "/home", "/media/usb"};
  EXPECT_EQ(DriveOf(GetParam().path, drives), GetParam().drive);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DriveOfPath,
    ::testing::Values(DriveOfCase{"Root", "/", "/"}, DriveOfCase{"DriveItself", "/home", "/home"},
                      DriveOfCase{"FolderOnADrive", "/home/ann", "/home"},
                      DriveOfCase{"NameThatBeginsLikeADrive", "/homework", "/"},
                      DriveOfCase{"DeepOnADrive", "/media/usb/data", "/media/usb"},
                      DriveOfCase{"SiblingOfADrive", "/media/usb2", "/"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MountedDrives, ADriveLetterHoldsItsFoldersInEitherCase) {
  const std::vector<std::string> drives = {"C:/", "D:/"};
  EXPECT_EQ(DriveOf("c:/data", drives), "C:/");
  EXPECT_EQ(DriveOf("D:/", drives), "D:/");
  EXPECT_EQ(DriveOf("e:/data", drives), "");
}

struct DriveNameCase {
  const char* name;
  MountedVolume drive;
  const char* shown;
};

class DriveNameOf : public ::testing::TestWithParam<DriveNameCase> {};

TEST_P(DriveNameOf, IsItsLetterOrItsFolderThenItsLabel) {
  EXPECT_EQ(DriveName(GetParam().drive), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Volumes, DriveNameOf,
    ::testing::Values(DriveNameCase{"Letter", {"C:\\", "NTFS", ""}, "C:"},
                      DriveNameCase{"LetterWithLabel", {"D:/", "", "USB ドライブ"}, "D: [USB ドライブ]"},
                      DriveNameCase{"Root", {"/", "ext4", ""}, "/"},
                      DriveNameCase{"MountFolder", {"/media/ann/USB STICK", "vfat", ""}, "/media/ann/USB STICK"},
                      DriveNameCase{"MountFolderWithLabel", {"/mnt/c:", "", "data"}, "/mnt/c: [data]"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane
