#include "display/qt/skin_menu.h"

#include "support/temp_dir.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace vc {
namespace {

class tSkinMenuTest : public testing::Test {
protected:
    void Skin(const std::string& path) const { dir_.Write("SKINS/" + path + "/Skin.INI", "[Settings]\r\n"); }
    void Fill(std::string_view current) {
        FillSkinMenu(menu_, dir_.Path(), current, [this](QAction* action) { clicked_.push_back(action); });
    }
    // The entries of a menu by caption, separators as "-".
    static std::vector<std::string> Captions(const QMenu& menu) {
        std::vector<std::string> captions;
        for (const QAction* action : menu.actions()) {
            captions.push_back(action->isSeparator() ? "-" : action->text().toStdString());
        }
        return captions;
    }
    static QAction* Entry(const QMenu& menu, const char* caption) {
        for (QAction* action : menu.actions()) {
            if (action->text() == QString::fromUtf8(caption)) {
                return action;
            }
        }
        return nullptr;
    }

    test::tTempDir dir_;
    QMenu menu_;
    std::vector<QAction*> clicked_;
};

TEST_F(tSkinMenuTest, FoldersBecomeSubMenusWithTheChosenSkinChecked) {
    Skin("Default/Arrow");
    Skin("Classic/Blue");
    Skin("Classic/Red");
    Fill("classic\\RED");

    EXPECT_TRUE(menu_.isEnabled());
    EXPECT_EQ(Captions(menu_), (std::vector<std::string>{"Classic", "Default", "-", "Gallery..."}));
    QAction* classic = Entry(menu_, "Classic");
    ASSERT_NE(classic, nullptr);
    ASSERT_NE(classic->menu(), nullptr);
    EXPECT_EQ(Captions(*classic->menu()), (std::vector<std::string>{"Blue", "Red"}));
    QAction* red = Entry(*classic->menu(), "Red");
    QAction* blue = Entry(*classic->menu(), "Blue");
    QAction* arrow = Entry(*Entry(menu_, "Default")->menu(), "Arrow");
    EXPECT_TRUE(red->isChecked());
    EXPECT_TRUE(classic->isChecked());
    EXPECT_FALSE(blue->isChecked());
    EXPECT_FALSE(Entry(menu_, "Default")->isChecked());
    EXPECT_FALSE(arrow->isChecked());
    for (QAction* action : {classic, red, blue, arrow, Entry(menu_, "Gallery...")}) {
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    }
    // The hint carries the whole name the click hands to SelectSkin.
    EXPECT_EQ(red->statusTip(), QStringLiteral("Classic\\Red"));
    EXPECT_EQ(SkinNameOf(red), "Classic\\Red");
    EXPECT_EQ(SkinNameOf(classic), "");
    EXPECT_FALSE(IsSkinGallery(red));

    blue->trigger();
    Entry(menu_, "Gallery...")->trigger();
    ASSERT_EQ(clicked_.size(), 2u);
    EXPECT_EQ(SkinNameOf(clicked_[0]), "Classic\\Blue");
    EXPECT_TRUE(IsSkinGallery(clicked_[1]));
    EXPECT_EQ(clicked_[1]->data().toInt(), 5);
}

TEST_F(tSkinMenuTest, ChoosingMovesTheCheckMarks) {
    Skin("Default/Arrow");
    Skin("Classic/Blue");
    Skin("Classic/Red");
    Skin("Plain");
    Fill("Classic\\Red");
    QAction* classic = Entry(menu_, "Classic");
    QAction* arrow = Entry(*Entry(menu_, "Default")->menu(), "Arrow");
    CheckSkinEntry(menu_, arrow);
    EXPECT_TRUE(arrow->isChecked());
    EXPECT_TRUE(Entry(menu_, "Default")->isChecked());
    EXPECT_FALSE(classic->isChecked());
    EXPECT_FALSE(Entry(*classic->menu(), "Red")->isChecked());
    // A skin right below SKINS has only the menu above it.
    CheckSkinEntry(menu_, Entry(menu_, "Plain"));
    EXPECT_TRUE(Entry(menu_, "Plain")->isChecked());
    EXPECT_FALSE(arrow->isChecked());
    EXPECT_FALSE(Entry(menu_, "Default")->isChecked());
}

TEST_F(tSkinMenuTest, NoSkinLeavesTheMenuDisabledWithoutGallery) {
    dir_.Write("SKINS/Default/Arrow/Back_UP.BMP", "");
    dir_.Write("SKINS/Skin.INI", ""); // a skin without a name is no entry
    Fill("Default\\Arrow");
    EXPECT_FALSE(menu_.isEnabled());
    EXPECT_FALSE(menu_.menuAction()->isEnabled());
    EXPECT_TRUE(menu_.actions().isEmpty());
}

TEST_F(tSkinMenuTest, RebuildingReplacesTheEntries) {
    Skin("Classic/Blue");
    Fill("");
    Skin("Classic/Red");
    Fill("");
    Fill("");
    EXPECT_EQ(Captions(menu_), (std::vector<std::string>{"Classic", "-", "Gallery..."}));
    EXPECT_EQ(Captions(*Entry(menu_, "Classic")->menu()), (std::vector<std::string>{"Blue", "Red"}));
    EXPECT_EQ(menu_.findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
    Entry(*Entry(menu_, "Classic")->menu(), "Red")->trigger();
    EXPECT_EQ(clicked_.size(), 1u); // one handler per entry, not one per rebuild

    std::filesystem::remove_all(dir_.Path() / "SKINS");
    Fill("");
    EXPECT_FALSE(menu_.isEnabled());
    Skin("Classic/Blue");
    Fill("");
    EXPECT_TRUE(menu_.isEnabled());
}

TEST_F(tSkinMenuTest, DeepSkinsCanBeReachedAndCaptionsKeepAmpersands) {
    Skin("Fancy/Dark/Glass");
    Skin("R&D");
    Fill("Fancy\\Dark\\Glass");
    QAction* fancy = Entry(menu_, "Fancy");
    ASSERT_NE(fancy, nullptr);
    QAction* dark = Entry(*fancy->menu(), "Dark");
    QAction* glass = Entry(*dark->menu(), "Glass");
    EXPECT_TRUE(fancy->isEnabled());
    EXPECT_TRUE(dark->isEnabled());
    EXPECT_TRUE(glass->isChecked());
    EXPECT_TRUE(dark->isChecked());
    QAction* rd = Entry(menu_, "R&&D");
    ASSERT_NE(rd, nullptr);
    EXPECT_EQ(SkinNameOf(rd), "R&D");
}

TEST_F(tSkinMenuTest, SkinFolderHoldingFurtherSkins) {
    Skin("Classic");
    Skin("Classic/Blue");
    Skin("classic/Red");
    Fill("Classic\\Blue");
    // One "Classic" entry whatever the folders' case; it opens onto the skins below it.
    EXPECT_EQ(Captions(menu_), (std::vector<std::string>{"Classic", "-", "Gallery..."}));
    QAction* classic = Entry(menu_, "Classic");
    ASSERT_NE(classic->menu(), nullptr);
    EXPECT_EQ(Captions(*classic->menu()), (std::vector<std::string>{"Blue", "Red"}));
    EXPECT_TRUE(Entry(*classic->menu(), "Blue")->isChecked());
    EXPECT_EQ(SkinNameOf(Entry(*classic->menu(), "Red")), "classic\\Red");
}

} // namespace
} // namespace vc
