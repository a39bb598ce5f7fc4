#include "toolkit/program_values.h"

#include <gtest/gtest.h>

namespace vc {
namespace {

TEST(ProgramValuesTest, EachInstanceHasItsOwnSettingsFileBackupAndServiceName) {
    struct tCase {
        int Instance;
        const char* Settings;
        const char* Backup;
        const char* Service;
    };
    const tCase cases[] = {
        {1, "/home/u/vc/Velocrest.INI", "/home/u/vc/Velocrest.BCK", "VELOCREST"},
        {2, "/home/u/vc/Velocrest_2.INI", "/home/u/vc/Velocrest_2.BCK", "VELOCREST2"},
        {3, "/home/u/vc/Velocrest_3.INI", "/home/u/vc/Velocrest_3.BCK", "VELOCREST3"},
        {12, "/home/u/vc/Velocrest_12.INI", "/home/u/vc/Velocrest_12.BCK", "VELOCREST12"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Instance);
        tProgramValues values;
        values.ProgramDir = "/home/u/vc/";
        SetInstanceNumber(values, c.Instance);
        EXPECT_EQ(values.InstanceNumber, c.Instance);
        EXPECT_EQ(values.SettingsFileName, c.Settings);
        EXPECT_EQ(BackupFileNameFor(values.SettingsFileName), c.Backup);
        EXPECT_EQ(values.DdeServiceName, c.Service);
    }
}

TEST(ProgramValuesTest, BackupNameReplacesOnlyTheExtensionOfTheFileItself) {
    struct tCase {
        const char* Settings;
        const char* Backup;
    };
    const tCase cases[] = {
        {"/a/b/Velocrest.INI", "/a/b/Velocrest.BCK"},
        {"/home/my.name/Velocrest_2.INI", "/home/my.name/Velocrest_2.BCK"},
        // A dot in a folder name is not the file's extension.
        {"/home/my.name/Velocrest", "/home/my.name/Velocrest.BCK"},
        {"Velocrest", "Velocrest.BCK"},
        {"/a/Velocrest.old.INI", "/a/Velocrest.old.BCK"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Settings);
        EXPECT_EQ(BackupFileNameFor(c.Settings), c.Backup);
    }
}

} // namespace
} // namespace vc
