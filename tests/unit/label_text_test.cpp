#include "label/label_text.h"

#include <gtest/gtest.h>

namespace {

IdentityFacts Host7() { return {"HOST7", "LAB", "user1", "10.1.2.3"}; }

struct ItemsShown {
    int computer;
    int domain;
    int user;
    int ip;
};

struct LabelCase {
    const char* name;
    const char* freeText;
    ItemsShown shown;
    IdentityFacts facts;
    const char* expected;
};

Settings With(const char* freeText, ItemsShown shown) {
    Settings settings = DefaultSettings();
    settings.AddToDisplay = freeText;
    settings.ShowComputerName = shown.computer;
    settings.ShowDomainName = shown.domain;
    settings.ShowUserID = shown.user;
    settings.ShowIP = shown.ip;
    return settings;
}

IdentityFacts Without(IdentityFacts facts, std::string IdentityFacts::*field) {
    facts.*field = "";
    return facts;
}

class ComposeLabelTextTest : public testing::TestWithParam<LabelCase> {};

TEST_P(ComposeLabelTextTest, ComposesTheOneLine) {
    const LabelCase& c = GetParam();
    EXPECT_EQ(ComposeLabelText(With(c.freeText, c.shown), c.facts), c.expected);
}

const LabelCase kLabelCases[] = {
    {"Defaults", "", {1, 0, 0, 0}, Host7(), " HOST7 "},
    {"FreeTextAndName", "Desk", {1, 0, 0, 0}, Host7(), " Desk HOST7 "},
    {"DomainAndUser", "", {1, 1, 1, 0}, Host7(), " HOST7 <LAB\\user1> "},
    {"DomainOnly", "", {1, 1, 0, 0}, Host7(), " HOST7 <LAB> "},
    {"UserOnly", "", {1, 0, 1, 0}, Host7(), " HOST7 <user1> "},
    {"NameAndAddress", "", {1, 0, 0, 1}, Host7(), " HOST7 10.1.2.3 "},
    {"Everything", "Desk", {1, 1, 1, 1}, Host7(), " Desk HOST7 <LAB\\user1> 10.1.2.3 "},
    {"NoNameDomainAndUser", "", {0, 1, 1, 0}, Host7(), "  <LAB\\user1> "},
    {"AddressOnly", "", {0, 0, 0, 1}, Host7(), "  10.1.2.3 "},
    {"FreeTextOnly", "Desk", {0, 0, 0, 0}, Host7(), " Desk  "},
    {"NothingAtAll", "", {0, 0, 0, 0}, Host7(), "Please select display options..."},
    {"NetworkingDidNotStart", "", {1, 0, 0, 1}, Without(Host7(), &IdentityFacts::PrimaryIP),
     " HOST7  "},
    {"LookupFailed", "", {1, 0, 0, 1}, {"HOST7", "LAB", "user1", "0.0.0.0"}, " HOST7 0.0.0.0 "},
    {"DomainUnset", "", {0, 1, 0, 0}, Without(Host7(), &IdentityFacts::DomainName), "  <> "},
    {"DomainUnsetWithUser", "", {0, 1, 1, 0}, Without(Host7(), &IdentityFacts::DomainName),
     "  <\\user1> "},
    // Only exactly 1 is on: a hand-edited 2 or -1 hides the item like 0 does.
    {"FlagsOtherThanOneAreOff", "", {2, -1, 2, 7}, Host7(), "Please select display options..."},
    // Texts pass through untouched, ampersands and percent signs included.
    {"SpecialCharactersKept", "R&D %s", {1, 0, 0, 0}, {"A&B", "", "", ""}, " R&D %s A&B "},
};

INSTANTIATE_TEST_SUITE_P(Examples, ComposeLabelTextTest, testing::ValuesIn(kLabelCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FormatIPv4, WritesOctetsInNetworkOrderWithoutLeadingZeros) {
    const unsigned char address[4] = {10, 0, 255, 7};
    EXPECT_EQ(FormatIPv4(address), "10.0.255.7");
    const unsigned char none[4] = {0, 0, 0, 0};
    EXPECT_EQ(FormatIPv4(none), "0.0.0.0");
}

} // namespace
