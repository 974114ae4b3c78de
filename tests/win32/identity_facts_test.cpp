#include "label/identity_facts.h"
#include "label/identity_facts_win.h"
#include "toolkit/system_win.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

TEST(EnvironmentValue, UnsetReadsEmptyAndLongValuesComeWhole) {
    {
        ScopedEnvironmentVariable unset("LUMATAG_TEST_VALUE", nullptr);
        EXPECT_EQ(toolkit::EnvironmentValue("LUMATAG_TEST_VALUE"), "");
    }
    // Close to the system's limit of 32767 characters for one variable.
    const std::string longValue(32000, 'x');
    ScopedEnvironmentVariable set("LUMATAG_TEST_VALUE", longValue.c_str());
    EXPECT_EQ(toolkit::EnvironmentValue("LUMATAG_TEST_VALUE"), longValue);
}

class GatherIdentityFactsTest : public testing::Test {
protected:
    void TearDown() override {
        ReleaseNetworking();
        current::IdentityFacts = {};
    }
};

TEST_F(GatherIdentityFactsTest, ReadsTheThreeVariablesAndAnAddress) {
    ScopedEnvironmentVariable computer("COMPUTERNAME", "HOST7");
    ScopedEnvironmentVariable domain("USERDOMAIN", "LAB");
    ScopedEnvironmentVariable user("USERNAME", "user1");
    GatherIdentityFacts();
    EXPECT_EQ(current::IdentityFacts.ComputerName, "HOST7");
    EXPECT_EQ(current::IdentityFacts.DomainName, "LAB");
    EXPECT_EQ(current::IdentityFacts.UserName, "user1");
    // Whatever the machine's address, it is four plain decimal octets and never the one
    // loopback address that is passed over.
    EXPECT_TRUE(std::regex_match(current::IdentityFacts.PrimaryIP,
                                 std::regex(R"((0|[1-9][0-9]{0,2})(\.(0|[1-9][0-9]{0,2})){3})")))
        << current::IdentityFacts.PrimaryIP;
    EXPECT_NE(current::IdentityFacts.PrimaryIP, "127.0.0.1");
}

TEST_F(GatherIdentityFactsTest, AMissingVariableGivesAnEmptyFact) {
    ScopedEnvironmentVariable computer("COMPUTERNAME", "HOST7");
    ScopedEnvironmentVariable domain("USERDOMAIN", nullptr);
    ScopedEnvironmentVariable user("USERNAME", "");
    GatherIdentityFacts();
    EXPECT_EQ(current::IdentityFacts.ComputerName, "HOST7");
    EXPECT_EQ(current::IdentityFacts.DomainName, "");
    EXPECT_EQ(current::IdentityFacts.UserName, "");
}

} // namespace
