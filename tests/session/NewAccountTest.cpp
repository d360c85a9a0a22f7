#include "FakeHost.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

namespace orv::test {
namespace {

int FailedOrder(const NewAccountDetails& details) {
    const auto failed = FirstFailedCheck(details);
    return failed ? failed->Order : 0;
}

TEST(NewAccountChecks, OnlyTheFirstFailedCheckInOrderIsReportedAndAnExistingAccountSkipsTwo) {
    NewAccountDetails details;
    details.Password = "short";
    // Each row mends the field that failed in the row before, so the next check in order speaks.
    const std::tuple<std::string NewAccountDetails::*, const char*, int, std::string_view> rows[] = {
        {&NewAccountDetails::Host, "", 1, "No host server given"},
        {&NewAccountDetails::Host, "localhost", 2, "No host port number given"},
        {&NewAccountDetails::Port, "30003", 3, "Account IDs must be\nat least 5 letters long."},
        {&NewAccountDetails::AccountId, "pilot", 4, "Your password must be\nat least 8 letters long"},
        {&NewAccountDetails::Password, "Secret12", 5, "Your password does not\nmatch the confirmation"},
        {&NewAccountDetails::Confirmation, "Secret12", 6, "Invalid e-mail address"},
        {&NewAccountDetails::EMail, "p@x", 7, "Your name must be at\nleast 3 letters long"},
        {&NewAccountDetails::Name, "7z", 7, "Your name must be at\nleast 3 letters long"},
        {&NewAccountDetails::Name, "7zed", 8, "Your name and race must begin with a letter."},
        {&NewAccountDetails::Name, "Ze d", 8, "Only letters and numbers are\nallowed in name and race."},
        {&NewAccountDetails::Name, "\xc9mile2", 9, "Your race must be at\nleast 3 letters long"},
        {&NewAccountDetails::Race, " Elf", 10, "Your name and race must begin with a letter."},
        {&NewAccountDetails::Race, "Sand-walker", 10,
         "Only letters and numbers are\nallowed in name and race."},
        {&NewAccountDetails::Race, "Sand Walker", 11,
         "Your have not allocated all\nyour stat points. Continue anyway?"},
    };
    for (const auto& [field, text, order, message] : rows) {
        details.*field = text;
        const FailedCheck failed = FirstFailedCheck(details).value_or(FailedCheck{});
        EXPECT_EQ(std::tuple(failed.Order, failed.Message, failed.Question),
                  std::tuple(order, message, order == 11))
            << text;
    }
    details.Unused = 0;
    EXPECT_EQ(FailedOrder(details), 0);
    // An existing account is asked for no confirmation or e-mail address, but still for a long password.
    details.NewAccount = false;
    details.Confirmation = details.EMail = "";
    EXPECT_EQ(FailedOrder(details), 0);
    details.Password = "Secret1";
    EXPECT_EQ(FailedOrder(details), 4);
}

} // namespace
} // namespace orv::test
