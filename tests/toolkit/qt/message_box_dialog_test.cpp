#include "toolkit/qt/message_box_dialog.h"

#include "toolkit/qt/dialog_message_boxer.h"
#include "toolkit/translation.h"
#include "toolkit/vocabulary.h"

#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace vc {
namespace {

using B = tMsgButton;

class MessageBoxDialog : public ::testing::Test {
protected:
    MessageBoxDialog() { RegisterStartupVocabulary(table); }

    tMessageBoxLayout Layout(tMsgButtons buttons, const char* text = "Tekst",
                             const char* caption = "Titel") const {
        return BuildMessageBoxLayout(table, text, caption, tMsgKind::Confirmation, buttons);
    }

    static QStringList Texts(const tMessageBoxDialog& dialog) {
        QStringList texts;
        for (QPushButton* button : dialog.Buttons()) {
            texts << button->text();
        }
        return texts;
    }

    // Runs the dialog modally while act() works on it from inside its event loop. act() runs once the
    // dialog is shown; a dialog still open afterwards is closed with -1 so a failure cannot hang.
    static int RunWith(tMessageBoxDialog& dialog, std::function<void(tMessageBoxDialog&)> act) {
        QTimer::singleShot(0, &dialog, [&dialog, act] {
            act(dialog);
            if (dialog.isVisible()) {
                QTimer::singleShot(0, &dialog, [&dialog] {
                    if (dialog.isVisible()) {
                        dialog.done(-1);
                    }
                });
            }
        });
        return dialog.exec();
    }

    tTranslation table;
};

TEST_F(MessageBoxDialog, ShowsTranslatedTextsAndButtonsInOrder) {
    tMessageBoxDialog dialog(Layout(B::Yes | B::No | B::All | B::YesToAll,
                                    "Regel een\xA6\xA6M\xFCnchen \x80 1", "Helpbestand ontbreekt"));
    EXPECT_EQ(Texts(dialog), (QStringList{"Yes", "Yes to all", "No", "All"}));
    EXPECT_EQ(dialog.windowTitle(), "Helpfile missing");
    const auto* text = dialog.findChild<QLabel*>("text");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), QStringLiteral(u"Regel een\n\nMünchen € 1"));
    EXPECT_NE(dialog.findChild<QLabel*>("icon"), nullptr);

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const auto& buttons = dialog.Buttons();
    for (std::size_t i = 1; i < buttons.size(); ++i) {
        EXPECT_LT(buttons[i - 1]->geometry().right(), buttons[i]->geometry().left()) << i;
    }
    // Tall enough for all three lines, the empty one included.
    EXPECT_GE(text->height(), 3 * text->fontMetrics().height());
    EXPECT_TRUE(buttons[0]->isDefault());
}

TEST_F(MessageBoxDialog, CaptionsCarryNoAccelerators) {
    table.SetLanguage(tTranslation::kFrench);
    tMessageBoxLayout layout = Layout(B::Yes | B::No | B::Cancel | B::Abort | B::Help);
    // A literal "&" in a caption must show as one, not underline the next letter.
    layout.Buttons.push_back({B::Ignore, kMrIgnore, "Save & exit"});
    tMessageBoxDialog dialog(layout);
    EXPECT_EQ(Texts(dialog),
              (QStringList{"Oui", "Non", "Annuler", QStringLiteral(u"Arrêter"), "Aide", "Save && exit"}));
    for (QPushButton* button : dialog.Buttons()) {
        SCOPED_TRACE(button->text().toStdString());
        EXPECT_TRUE(QKeySequence::mnemonic(button->text()).isEmpty());
    }
}

TEST_F(MessageBoxDialog, ClickedButtonGivesItsResult) {
    const struct {
        int index;
        int result;
    } cases[] = {{0, kMrYes}, {1, kMrYesToAll}, {2, kMrNo}, {3, kMrAll}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        tMessageBoxDialog dialog(Layout(B::Yes | B::No | B::All | B::YesToAll));
        const int result = RunWith(dialog, [&c](tMessageBoxDialog& d) {
            QTest::mouseClick(d.Buttons()[static_cast<std::size_t>(c.index)], Qt::LeftButton);
        });
        EXPECT_EQ(result, c.result);
    }
}

TEST_F(MessageBoxDialog, HelpButtonDoesNotCloseTheBox) {
    tMessageBoxDialog dialog(Layout(B::OK | B::Help));
    ASSERT_EQ(Texts(dialog), (QStringList{"OK", "Help"}));
    bool stillOpen = false;
    const int result = RunWith(dialog, [&stillOpen](tMessageBoxDialog& d) {
        QTest::mouseClick(d.Buttons()[1], Qt::LeftButton);
        QApplication::processEvents();
        stillOpen = d.isVisible();
        QTest::mouseClick(d.Buttons()[0], Qt::LeftButton);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, kMrOK);
}

TEST_F(MessageBoxDialog, EscapeAndClosingTheWindow) {
    const struct {
        const char* name;
        tMsgButtons buttons;
        bool escape; // else the window is closed
        int result;
    } cases[] = {
        {"escape, yes no", kMbYesNo, true, kMrNo}, {"escape, yes no cancel", kMbYesNoCancel, true, kMrCancel},
        {"escape, ok", kMbOK, true, kMrOK},        {"close, yes no", kMbYesNo, false, kMrCancel},
        {"close, ok", kMbOK, false, kMrCancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tMessageBoxDialog dialog(Layout(c.buttons));
        const bool escape = c.escape;
        const int result = RunWith(dialog, [escape](tMessageBoxDialog& d) {
            if (escape) {
                QTest::keyClick(&d, Qt::Key_Escape);
            } else {
                d.close();
            }
        });
        EXPECT_EQ(result, c.result);
    }
}

TEST_F(MessageBoxDialog, BoxerAsksThroughTheDialog) {
    tDialogMessageBoxer boxer(table);
    QString seenTitle;
    QStringList seenButtons;
    QTimer::singleShot(0, [&] {
        tMessageBoxDialog* dialog = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<tMessageBoxDialog*>(widget); box != nullptr && box->isVisible()) {
                dialog = box;
            }
        }
        ASSERT_NE(dialog, nullptr);
        seenTitle = dialog->windowTitle();
        seenButtons = Texts(*dialog);
        QTest::mouseClick(dialog->Buttons()[1], Qt::LeftButton);
    });
    const int result =
        boxer.Ask("Do you want Velocrest to start automatically the next time you start Windows ?",
                  "Windows Startup", tMsgKind::Warning, kMbYesNoCancel);
    EXPECT_EQ(seenTitle, "Windows Startup");
    EXPECT_EQ(seenButtons, (QStringList{"Yes", "No", "Cancel"}));
    EXPECT_EQ(result, kMrNo);
}

} // namespace
} // namespace vc
