#include "FakeHost.h"

#include <gtest/gtest.h>

#include <string_view>

namespace orv::test {
namespace {

int FailedOrder(const NewAccountDetails& details) {
    const auto failed = FirstFailedCheck(details);
    return failed ? failed->Order : 0;
}

TEST(NewAccountChecks, LettersFollowTheWesternCodePage) {
    // Accented letters count, wherever they sit in the code page.
    for (std::string_view name : {"\xc9mile", "\x8aorka", "Gro\xdf", "\xffves", "Mo\xefra2", "\xb5on"}) {
        auto details = AcceptableForm();
        details.Name = name;
        EXPECT_EQ(FailedOrder(details), 0) << name;
    }
    // Signs among them do not; nor do UTF-8 bytes, whose second byte is a sign here.
    for (std::string_view name : {"Z\x80z", "Z\xd7z", "Z\xf7z", "Z\xa9z", "Z\xc3\xa9z", "Z_z"}) {
        auto details = AcceptableForm();
        details.Name = name;
        EXPECT_EQ(FailedOrder(details), 8) << name;
    }
}

TEST(NewAccountChecks, AnExistingAccountStillNeedsALongPassword) {
    auto details = AcceptableForm();
    details.NewAccount = false;
    details.Confirmation.clear();
    details.EMail.clear();
    EXPECT_EQ(FailedOrder(details), 0);
    details.Password = "Secret1";
    EXPECT_EQ(FailedOrder(details), 4);
}

} // namespace
} // namespace orv::test
