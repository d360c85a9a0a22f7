#include "session/NewAccount.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

orv::NewAccountDetails Acceptable() {
    orv::NewAccountDetails details;
    details.Host = "localhost";
    details.Port = "30003";
    details.AccountId = "pilot";
    details.Password = "Secret12";
    details.Confirmation = "Secret12";
    details.EMail = "pilot@example.org";
    details.Name = "Zed";
    details.Race = "Elf";
    details.Unused = 0;
    return details;
}

int FailedOrder(const orv::NewAccountDetails& details) {
    const auto failed = orv::FirstFailedCheck(details);
    return failed ? failed->Order : 0;
}

TEST(NewAccountChecks, LettersFollowTheWesternCodePage) {
    // Accented letters count, wherever they sit in the code page.
    for (std::string_view name : {"\xc9mile", "\x8aorka", "Gro\xdf", "\xffves", "Mo\xefra2", "\xb5on"}) {
        auto details = Acceptable();
        details.Name = name;
        EXPECT_EQ(FailedOrder(details), 0) << name;
    }
    // Signs among them do not; nor do UTF-8 bytes, whose second byte is a sign here.
    for (std::string_view name : {"Z\x80z", "Z\xd7z", "Z\xf7z", "Z\xa9z", "Z\xc3\xa9z", "Z_z"}) {
        auto details = Acceptable();
        details.Name = name;
        EXPECT_EQ(FailedOrder(details), 8) << name;
    }
}

TEST(NewAccountChecks, AnExistingAccountStillNeedsALongPassword) {
    auto details = Acceptable();
    details.NewAccount = false;
    details.Confirmation.clear();
    details.EMail.clear();
    EXPECT_EQ(FailedOrder(details), 0);
    details.Password = "Secret1";
    EXPECT_EQ(FailedOrder(details), 4);
}

TEST(NewAccountStats, TheLimitsComeBeforeTheSparePoints) {
    using orv::StatStepOutcome;
    // At 70 with nothing spare, a step up is no step at all: no refusal to tell.
    EXPECT_EQ(orv::StepStat(70, 0, +1).Outcome, StatStepOutcome::AtLimit);
    EXPECT_EQ(orv::StepStat(69, 0, +1).Outcome, StatStepOutcome::NoSparePoints);
    const orv::StatStep down = orv::StepStat(70, 0, -1);
    EXPECT_EQ(down.Outcome, StatStepOutcome::Taken);
    EXPECT_EQ(down.Stat, 69);
    EXPECT_EQ(down.Unused, 1);
    EXPECT_EQ(orv::StepStat(20, 60, -1).Outcome, StatStepOutcome::AtLimit);
}

} // namespace
