#include "mounted_drives.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

namespace sorvane {
namespace {

using ::testing::ElementsAre;

constexpr char kDesktopMounts[] =
    "proc /proc proc rw,relatime 0 0\n"
    "sysfs /sys sysfs rw 0 0\n"
    "udev /dev devtmpfs rw 0 0\n"
    "/dev/sda2 / ext4 rw 0 0\n"
    "tmpfs /run tmpfs rw 0 0\n"
    "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
    "/dev/sda1 /boot/efi vfat rw 0 0\n"
    "/dev/sda3 /home ext4 rw 0 0\n"
    "/dev/sdb1 /media/ann/USB\\040STICK vfat rw 0 0\n"
    "/dev/sr0 /run/media/ann/CD iso9660 ro 0 0\n"
    "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
    "tmpfs /mnt/ram tmpfs rw 0 0\n"
    "broken line\n";

TEST(MountedDrives, ShowsRootHomeAndRemovableVolumesOnly) {
  EXPECT_THAT(DrivesInMountTable(kDesktopMounts, "/home/ann"),
              ElementsAre("/", "/home", "/media/ann/USB STICK", "/run/media/ann/CD"));
}

TEST(MountedDrives, VolumeOfTheStartFolderIsAlwaysADrive) {
  EXPECT_THAT(DrivesInMountTable(kDesktopMounts, "/boot/efi/EFI"),
              ElementsAre("/", "/boot/efi", "/home", "/media/ann/USB STICK", "/run/media/ann/CD"));
  EXPECT_THAT(DrivesInMountTable(kDesktopMounts, "/run/user"),
              ElementsAre("/", "/home", "/media/ann/USB STICK", "/run", "/run/media/ann/CD"));
}

TEST(MountedDrives, UnreadableTableStillGivesTheRoot) {
  EXPECT_THAT(DrivesInMountTable("", "/home/ann"), ElementsAre("/"));
}

struct DriveOfCase {
  const char* path;
  const char* drive;
};

class DriveOfPath : public ::testing::TestWithParam<DriveOfCase> {};

TEST_P(DriveOfPath, IsTheDeepestDriveHoldingIt) {
  const std::vector<std::string> drives = {"/", "/home", "/media/usb"};
  EXPECT_EQ(DriveOf(GetParam().path, drives), GetParam().drive);
}

INSTANTIATE_TEST_SUITE_P(Paths, DriveOfPath,
                         ::testing::Values(DriveOfCase{"/", "/"}, DriveOfCase{"/home", "/home"},
                                           DriveOfCase{"/home/ann", "/home"},
                                           DriveOfCase{"/homework", "/"},
                                           DriveOfCase{"/media/usb/data", "/media/usb"},
                                           DriveOfCase{"/media/usb2", "/"}));

}  // namespace
}  // namespace sorvane
