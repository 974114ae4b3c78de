#include "dialogs/about_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> SplitAtLineFeeds(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

TEST(AboutText, IsTheFiveLinesOfPurposeThenTheCreditLine) {
    const std::string expected = "Helps to quickly identify the current\n"
                                 "computer at a glance.  Helpful in\n"
                                 "multi-computer setups where one monitor\n"
                                 "might be connected to a KVM switch.\n"
                                 " \n" +
                                 std::string(kAboutCreditLine);
    EXPECT_EQ(ComposeAboutText(), expected);
}

TEST(AboutText, HasSixLinesSeparatedByLineFeedsAloneAndNoneAfterTheLast) {
    const std::string text = ComposeAboutText();
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const std::vector<std::string> lines = SplitAtLineFeeds(text);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_NE(lines[1].find("glance.  Helpful"), std::string::npos) << "two spaces after the stop";
    EXPECT_EQ(lines[4], " ") << "the fifth line only looks empty";
    EXPECT_EQ(lines[5], kAboutCreditLine);
}

TEST(AboutText, TheCreditLineIsANameAndAnAddressInThirtyFiveCharacters) {
    const std::string credit(kAboutCreditLine);
    EXPECT_EQ(credit.size(), 35u);
    const size_t open = credit.find(" <");
    ASSERT_NE(open, std::string::npos);
    EXPECT_GT(open, 0u) << "a name comes first";
    EXPECT_EQ(credit.back(), '>');
    const size_t at = credit.find('@', open);
    ASSERT_NE(at, std::string::npos);
    EXPECT_GT(at, open + 2);
    EXPECT_NE(credit.find('.', at), std::string::npos);
}

TEST(ProductWebPage, IsThePagePathOnTheMakersSite) {
    const std::string host(kProductWebHost);
    ASSERT_EQ(host.rfind("https://", 0), 0u);
    EXPECT_EQ(host.find('/', 8), std::string::npos) << "the host carries no path of its own";
    EXPECT_EQ(ProductWebPageAddress(), host + "/software/lumatag/");
}

} // namespace
