#include "platform/program_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "support/fake_environment.h"
#include "support/temp_dir.h"

namespace vc {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFolderTest, ProgramDirIsVelocrestHomeElseBelowTheDataHome) {
    struct tCase {
        const char* Name;
        std::map<std::string, std::string> Env;
        const char* Dir;
    };
    const tCase cases[] = {
        {"own folder", {{"HOME", "/home/ann"}, {"VELOCREST_HOME", "/srv/tape"}}, "/srv/tape/"},
        {"own folder with slash", {{"HOME", "/home/ann"}, {"VELOCREST_HOME", "/srv/tape/"}}, "/srv/tape/"},
        {"own folder normalised", {{"VELOCREST_HOME", "/srv/./x/../tape"}}, "/srv/tape/"},
        {"data home", {{"HOME", "/home/ann"}, {"XDG_DATA_HOME", "/data"}}, "/data/velocrest/"},
        {"default", {{"HOME", "/home/ann"}}, "/home/ann/.local/share/velocrest/"},
        {"empty own folder ignored",
         {{"HOME", "/home/ann"}, {"VELOCREST_HOME", ""}},
         "/home/ann/.local/share/velocrest/"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ResolveProgramDir(test::FakeEnvironment(c.Env)), c.Dir);
    }
}

TEST(ProgramFolderTest, RelativeVelocrestHomeBecomesAbsolute) {
    const std::string dir = ResolveProgramDir(test::FakeEnvironment({{"VELOCREST_HOME", "tapes"}}));
    EXPECT_EQ(dir, (fs::current_path() / "tapes").string() + "/");
}

class InstalledDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root_.Path() / "prefix/bin");
        fs::create_directories(root_.Path() / "prefix/share/velocrest");
        fs::create_directories(root_.Path() / "override");
        fs::create_directories(root_.Path() / "source/data");
    }
    std::string Exe() const { return root_.File("prefix/bin/velocrest"); }

    test::tTempDir root_;
};

TEST_F(InstalledDataTest, OverrideThenInstalledShareThenBuildTree) {
    const std::string build = root_.File("source/data");
    const std::string installed = (root_.Path() / "prefix/share/velocrest").string();
    const std::string override = root_.File("override");
    const tEnvLookup none = test::FakeEnvironment({});

    EXPECT_EQ(FindInstalledDataDir(Exe(), test::FakeEnvironment({{"VELOCREST_DATA_DIR", override}}), build),
              override);
    EXPECT_EQ(FindInstalledDataDir(Exe(), none, build), installed);
    // An override that names no folder is an error to see, not a reason to take other data.
    EXPECT_EQ(FindInstalledDataDir(Exe(), test::FakeEnvironment({{"VELOCREST_DATA_DIR", root_.File("gone")}}),
                                   build),
              "");

    fs::remove(root_.Path() / "prefix/share/velocrest");
    EXPECT_EQ(FindInstalledDataDir(Exe(), none, build), build);
    EXPECT_EQ(FindInstalledDataDir("", none, build), build);
    EXPECT_EQ(FindInstalledDataDir(Exe(), none, root_.File("source/missing")), "");
}

TEST(ProgramFolderTest, BuildTreeDataHoldsTheShippedSkins) {
    const std::string data = BuildTreeDataDir();
    ASSERT_FALSE(data.empty());
    EXPECT_TRUE(fs::is_directory(fs::path(data) / "SKINS"));
}

class SeedTest : public ::testing::Test {
protected:
    void SetUp() override {
        data_.Write("SKINS/Default/Arrow/Skin.INI", "[Skin]\r\nName=Arrow\r\n");
        data_.Write("SKINS/Default/Arrow/Back.bmp", "BM-arrow");
        data_.Write("Help/index.html", "<html></html>");
        data_.Write("README.TXT", "shipped");
    }
    std::string ProgramDir() const { return home_.File("velocrest") + "/"; }

    test::tTempDir data_;
    test::tTempDir home_;
};

TEST_F(SeedTest, FirstStartCreatesTheFolderAndCopiesEverything) {
    const tSeedResult result = PrepareProgramDir(ProgramDir(), data_.Path().string());
    EXPECT_TRUE(result.FolderReady);
    EXPECT_EQ(result.Copied, 4);
    EXPECT_EQ(result.Kept, 0);
    EXPECT_EQ(result.Failed, 0);
    EXPECT_EQ(home_.Read("velocrest/SKINS/Default/Arrow/Skin.INI"), "[Skin]\r\nName=Arrow\r\n");
    EXPECT_EQ(home_.Read("velocrest/SKINS/Default/Arrow/Back.bmp"), "BM-arrow");
    EXPECT_EQ(home_.Read("velocrest/Help/index.html"), "<html></html>");
    // No temporary file is left beside the copies.
    for (const auto& entry : fs::recursive_directory_iterator(ProgramDir())) {
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
    }
}

TEST_F(SeedTest, FilesTheUserHasAreNeverOverwrittenWhateverTheirCase) {
    home_.Write("velocrest/skins/default/arrow/skin.ini", "mine");
    home_.Write("velocrest/Readme.txt", "my notes");
    const tSeedResult result = SeedProgramDir(ProgramDir(), data_.Path().string());
    EXPECT_EQ(result.Copied, 2);
    EXPECT_EQ(result.Kept, 2);
    EXPECT_EQ(result.Failed, 0);
    EXPECT_EQ(home_.Read("velocrest/skins/default/arrow/skin.ini"), "mine");
    EXPECT_EQ(home_.Read("velocrest/Readme.txt"), "my notes");
    // The missing bitmap went into the user's folder of that skin, not into a second "SKINS".
    EXPECT_EQ(home_.Read("velocrest/skins/default/arrow/Back.bmp"), "BM-arrow");
    EXPECT_FALSE(home_.Exists("velocrest/SKINS"));
    EXPECT_FALSE(home_.Exists("velocrest/README.TXT"));
}

TEST_F(SeedTest, OnceTheFirstSettingsFileExistsDeletedFilesStayDeleted) {
    ASSERT_EQ(PrepareProgramDir(ProgramDir(), data_.Path().string()).Copied, 4);
    home_.Write("velocrest/Velocrest.INI", "[General]\r\n");
    fs::remove(home_.Path() / "velocrest/README.TXT");

    const tSeedResult again = PrepareProgramDir(ProgramDir(), data_.Path().string());
    EXPECT_TRUE(again.FolderReady);
    EXPECT_EQ(again.Copied, 0);
    EXPECT_FALSE(home_.Exists("velocrest/README.TXT"));
}

TEST_F(SeedTest, ProgramsKeepTheirRunBitAndSettingsFilesAreTheUsersAlone) {
    data_.Write("TOOLS/SkypeMsg", "#!/bin/sh\n");
    fs::permissions(data_.Path() / "TOOLS/SkypeMsg", fs::perms::owner_all | fs::perms::group_read |
                                                         fs::perms::group_exec | fs::perms::others_read |
                                                         fs::perms::others_exec);
    data_.Write("TOOLS/SkypeMsg.INI", "[Chat]\r\nService=\r\n");
    fs::permissions(data_.Path() / "TOOLS/SkypeMsg.INI", fs::perms::owner_read | fs::perms::owner_write |
                                                             fs::perms::group_read | fs::perms::others_read);
    SeedProgramDir(ProgramDir(), data_.Path().string());
    const auto perms = [&](const char* name) {
        return fs::status(home_.Path() / "velocrest" / name).permissions();
    };
    EXPECT_EQ(perms("TOOLS/SkypeMsg") & fs::perms::owner_exec, fs::perms::owner_exec);
    EXPECT_EQ(perms("TOOLS/SkypeMsg.INI") & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SeedTest, AStartCutShortIsCompletedNextTime) {
    home_.Write("velocrest/SKINS/Default/Arrow/Skin.INI", "[Skin]\r\nName=Arrow\r\n");
    const tSeedResult result = PrepareProgramDir(ProgramDir(), data_.Path().string());
    EXPECT_EQ(result.Copied, 3);
    EXPECT_EQ(result.Kept, 1);
}

TEST_F(SeedTest, AProgramFolderInsideTheDataIsNotCopiedIntoItself) {
    const std::string inside = (data_.Path() / "home").string() + "/";
    const tSeedResult result = SeedProgramDir(inside, data_.Path().string());
    EXPECT_TRUE(result.FolderReady);
    EXPECT_EQ(result.Copied, 4);
    EXPECT_FALSE(data_.Exists("home/home"));
}

TEST_F(SeedTest, WhatCannotBeCopiedIsCountedAndTheRestCopied) {
    // The user has a file where the data has a folder: nothing goes into it or replaces it.
    home_.Write("velocrest/help", "my help file");
    const tSeedResult result = SeedProgramDir(ProgramDir(), data_.Path().string());
    EXPECT_EQ(result.Copied, 3);
    EXPECT_EQ(result.Failed, 1);
    EXPECT_EQ(home_.Read("velocrest/help"), "my help file");
    EXPECT_FALSE(home_.Exists("velocrest/Help"));
}

TEST_F(SeedTest, NoDataStillMakesTheFolder) {
    const tSeedResult result = PrepareProgramDir(ProgramDir(), "");
    EXPECT_TRUE(result.FolderReady);
    EXPECT_EQ(result.Copied, 0);
    EXPECT_TRUE(fs::is_directory(ProgramDir()));
}

TEST_F(SeedTest, AFolderThatCannotBeMadeIsReported) {
    home_.Write("file", "x");
    const tSeedResult result = PrepareProgramDir(home_.File("file/velocrest") + "/", data_.Path().string());
    EXPECT_FALSE(result.FolderReady);
    EXPECT_EQ(result.Copied, 0);
}

} // namespace
} // namespace vc
