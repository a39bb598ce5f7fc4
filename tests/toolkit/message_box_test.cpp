#include "toolkit/message_box.h"

#include "toolkit/translation.h"
#include "toolkit/vocabulary.h"

#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace vc {
namespace {

using B = tMsgButton;

constexpr tMsgButtons kEveryButton = B::Yes | B::No | B::OK | B::Cancel | B::Abort | B::Retry | B::Ignore |
                                     B::All | B::NoToAll | B::YesToAll | B::Help;

class MessageBoxLayout : public ::testing::Test {
protected:
    MessageBoxLayout() { RegisterStartupVocabulary(table); }

    std::vector<std::string> Captions(tMsgButtons buttons) const {
        std::vector<std::string> captions;
        for (const auto& b : BuildMessageBoxLayout(table, "", "", tMsgKind::Information, buttons).Buttons) {
            captions.push_back(b.Caption);
        }
        return captions;
    }

    tTranslation table;
};

TEST_F(MessageBoxLayout, ButtonCaptionsAndResults) {
    const auto layout = BuildMessageBoxLayout(table, "Tekst", "Titel", tMsgKind::Confirmation, kEveryButton);
    const struct {
        tMsgButton button;
        int result;
        const char* caption;
    } expected[] = {
        {B::Yes, 6, "Yes"},       {B::YesToAll, 10, "Yes to all"},
        {B::No, 7, "No"},         {B::OK, 1, "OK"},
        {B::Cancel, 2, "Cancel"}, {B::Abort, 3, "Abort"},
        {B::Retry, 4, "Retry"},   {B::Ignore, 5, "Ignore"},
        {B::All, 8, "All"},       {B::NoToAll, 9, "No to all"},
        {B::Help, 0, "Help"},
    };
    ASSERT_EQ(layout.Buttons.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].caption);
        EXPECT_EQ(layout.Buttons[i].Button, expected[i].button);
        EXPECT_EQ(layout.Buttons[i].Result, expected[i].result);
        EXPECT_EQ(layout.Buttons[i].Caption, expected[i].caption);
    }
}

TEST_F(MessageBoxLayout, FrenchCaptionsLoseTheirAccelerators) {
    table.SetLanguage(tTranslation::kFrench);
    EXPECT_EQ(Captions(B::Yes | B::No | B::Abort | B::Help | B::OK),
              (std::vector<std::string>{"Oui", "Non", "OK", "Arr\xEAter", "Aide"}));
}

TEST_F(MessageBoxLayout, TextAndCaptionAreTranslatedThenBrokenIntoLines) {
    const struct {
        std::uint8_t language;
        const char* text;
        const char* caption;
        const char* expectedText;
        const char* expectedCaption;
    } cases[] = {
        {3, "Regel een\xA6\xA6Regel twee", "Windows Startup", "Regel een\n\nRegel twee", "Windows Startup"},
        {3, "Een\xA6Twee\xA6", "", "Een\nTwee\n", ""},
        // The key holds the marks, so the lookup must come before the line breaks.
        {3,
         "Het HELP-bestand werd niet teruggevonden.\xA6\xA6Raadpleeg eventueel de website om de ONLINE-help "
         "te "
         "bekijken.",
         "Helpbestand ontbreekt",
         "The HELP-file was not found. Please consult the website to look at the ONLINE help.",
         "Helpfile missing"},
        {2,
         "Het HELP-bestand werd niet teruggevonden.\xA6\xA6Raadpleeg eventueel de website om de ONLINE-help "
         "te "
         "bekijken.",
         "Helpbestand ontbreekt",
         "Le fichier d' AIDE est introuvable\n\nVeuillez consulter le website pour la version ONLINE.",
         "Fichier AIDE manquant"},
        {1, "Het HELP-bestand werd niet teruggevonden.\xA6\xA6Raadpleeg", "Alles",
         "Het HELP-bestand werd niet teruggevonden.\n\nRaadpleeg", "Alles"},
        {3, "Koers|Cours|Price\xA6of AEX", "Alles", "Price\nof AEX", "All"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        table.SetLanguage(c.language);
        const auto layout = BuildMessageBoxLayout(table, c.text, c.caption, tMsgKind::Warning, kMbOK);
        EXPECT_EQ(layout.Text, c.expectedText);
        EXPECT_EQ(layout.Caption, c.expectedCaption);
        EXPECT_EQ(layout.Kind, tMsgKind::Warning);
    }
}

TEST(MessageBoxButtons, Order) {
    const struct {
        const char* name;
        tMsgButtons buttons;
        std::vector<tMsgButton> expected;
    } cases[] = {
        {"yes no all yes-to-all",
         B::Yes | B::No | B::All | B::YesToAll,
         {B::Yes, B::YesToAll, B::No, B::All}},
        {"yes no cancel yes-to-all help",
         B::Yes | B::No | B::Cancel | B::YesToAll | B::Help,
         {B::Yes, B::YesToAll, B::No, B::Cancel, B::Help}},
        {"yes all yes-to-all", B::Yes | B::All | B::YesToAll, {B::Yes, B::YesToAll, B::All}},
        {"yes no no-to-all yes-to-all",
         B::Yes | B::No | B::NoToAll | B::YesToAll,
         {B::Yes, B::YesToAll, B::No, B::NoToAll}},
        {"yes yes-to-all", B::Yes | B::YesToAll, {B::Yes, B::YesToAll}},
        // Without both Yes and Yes to all nothing moves.
        {"yes no all", B::Yes | B::No | B::All, {B::Yes, B::No, B::All}},
        {"no all yes-to-all", B::No | B::All | B::YesToAll, {B::No, B::All, B::YesToAll}},
        {"yes no cancel", kMbYesNoCancel, {B::Yes, B::No, B::Cancel}},
        {"ok cancel", kMbOKCancel, {B::OK, B::Cancel}},
        {"abort retry ignore", B::Abort | B::Retry | B::Ignore, {B::Abort, B::Retry, B::Ignore}},
        {"every button",
         kEveryButton,
         {B::Yes, B::YesToAll, B::No, B::OK, B::Cancel, B::Abort, B::Retry, B::Ignore, B::All, B::NoToAll,
          B::Help}},
        {"none", tMsgButtons{}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OrderButtons(c.buttons), c.expected);
    }
}

TEST_F(MessageBoxLayout, DefaultAndEscapeButtons) {
    const struct {
        const char* name;
        tMsgButtons buttons;
        int defaultIndex;
        int escapeResult;
    } cases[] = {
        {"ok", kMbOK, 0, kMrOK},
        {"ok cancel", kMbOKCancel, 0, kMrCancel},
        {"yes no", kMbYesNo, 0, kMrNo},
        {"yes no cancel", kMbYesNoCancel, 0, kMrCancel},
        {"abort retry ignore", B::Abort | B::Retry | B::Ignore, 1, kMrCancel},
        {"no yes-to-all", B::No | B::YesToAll, -1, kMrNo},
        {"help", tMsgButtons{} | B::Help, -1, kMrCancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto layout = BuildMessageBoxLayout(table, "", "", tMsgKind::Information, c.buttons);
        EXPECT_EQ(layout.DefaultIndex, c.defaultIndex);
        EXPECT_EQ(layout.EscapeResult, c.escapeResult);
    }
}

TEST(MessageBoxButtons, StripAccelerators) {
    const struct {
        const char* caption;
        const char* expected;
    } cases[] = {
        {"&Ja", "Ja"},  {"A&fbreken", "Afbreken"}, {"Save && exit", "Save & exit"},
        {"&&&x", "&x"}, {"end&", "end"},           {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(StripAccelerators(c.caption), c.expected);
    }
}

} // namespace
} // namespace vc
