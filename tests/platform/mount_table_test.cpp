#include "platform/mount_table.h"

#include <gtest/gtest.h>

namespace {

TEST(MountTable, ParsesMountInfoLines) {
    struct Case {
        const char* Line;
        bool Parsed;
        uint32_t Major, Minor;
        const char* Type;
    };
    const Case cases[] = {
        {"22 28 0:21 / /proc rw,relatime - proc proc rw", true, 0, 21, "proc"},
        {"28 1 254:0 / / rw,relatime - ext4 /dev/vda rw,discard", true, 254, 0, "ext4"},
        {"40 30 0:45 / /mnt/my\\040share rw shared:7 master:2 - cifs //srv/x rw", true, 0, 45,
         "cifs"},
        {"41 30 0:46 / /media/cd ro - iso9660 /dev/sr0 ro", true, 0, 46, "iso9660"},
        {"", false, 0, 0, ""},
        {"22 28 0:21 / /proc rw,relatime proc proc rw", false, 0, 0, ""},
        {"22 28 021 / /proc rw - proc proc rw", false, 0, 0, ""},
        {"22 28 x:1 / /proc rw - proc proc rw", false, 0, 0, ""},
        {"22 28 0:21 / /proc rw -", false, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Line);
        MountEntry entry{};
        ASSERT_EQ(ParseMountInfoLine(c.Line, entry), c.Parsed);
        if (!c.Parsed) continue;
        EXPECT_EQ(entry.Major, c.Major);
        EXPECT_EQ(entry.Minor, c.Minor);
        EXPECT_EQ(entry.Type, c.Type);
    }
}

TEST(MountTable, PrunesNetworkOpticalAndPseudoFileSystems) {
    for (const char* type : {"proc", "sysfs", "devtmpfs", "cgroup", "cgroup2", "nfs", "nfs4",
                             "cifs", "fuse.sshfs", "iso9660", "udf", "devpts", "autofs"}) {
        EXPECT_TRUE(IsPrunedFileSystemType(type)) << type;
    }
    for (const char* type : {"ext4", "xfs", "btrfs", "vfat", "ntfs", "fuseblk", "overlay", "tmpfs",
                             "zfs", "", "PROC"}) {
        EXPECT_FALSE(IsPrunedFileSystemType(type)) << type;
    }
}

}  // namespace
