#include "toolkit/qt/table_properties.h"

#include "toolkit/translation.h"

#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace vc {
namespace {

class TableProperties : public ::testing::Test {
protected:
    TableProperties() : dialog(Choices(), 3, translation) {
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    static std::vector<tColumnChoice> Choices() {
        return {{0, "Naam", true, true}, {1, "Koers", true, false}, {2, "Volume", false, false}};
    }

    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (const tColumnChoice& choice : dialog.Choices()) {
            ids.push_back(choice.Id);
        }
        return ids;
    }

    tTranslation translation;
    tTableProperties dialog;
};

TEST_F(TableProperties, SpaceTogglesOnlyColumnsThatAreNotRequired) {
    for (int row = 0; row < 3; ++row) {
        dialog.List()->setCurrentRow(row);
        QTest::keyClick(dialog.List(), Qt::Key_Space);
    }
    const auto choices = dialog.Choices();
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_TRUE(choices[0].Visible) << "required";
    EXPECT_FALSE(choices[1].Visible);
    EXPECT_TRUE(choices[2].Visible);
    EXPECT_EQ(choices[1].Caption, "Koers");
}

TEST_F(TableProperties, UpAndDownMoveTheCurrentColumnAndStopAtTheEnds) {
    dialog.List()->setCurrentRow(0);
    EXPECT_FALSE(dialog.UpButton()->isEnabled());
    QTest::mouseClick(dialog.DownButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.DownButton(), Qt::LeftButton);
    EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(dialog.List()->currentRow(), 2);
    EXPECT_FALSE(dialog.DownButton()->isEnabled());

    dialog.List()->setCurrentRow(1);
    QTest::mouseClick(dialog.UpButton(), Qt::LeftButton);
    EXPECT_EQ(Ids(), (std::vector<int>{2, 1, 0}));
    // A moved column keeps its box.
    EXPECT_FALSE(dialog.Choices()[0].Visible);
    EXPECT_TRUE(dialog.Choices()[2].Required);
}

TEST_F(TableProperties, LinesPerRowStaysWithinOneToFifty) {
    EXPECT_EQ(dialog.Lines(), 3);
    const std::pair<int, int> cases[] = {{0, 1}, {7, 7}, {51, 50}};
    for (const auto& [typed, kept] : cases) {
        dialog.LinesBox()->setValue(typed);
        EXPECT_EQ(dialog.Lines(), kept) << typed;
    }
}

} // namespace
} // namespace vc
