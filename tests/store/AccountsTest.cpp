#include "store/Accounts.h"

#include <gtest/gtest.h>

#include <array>

namespace orv::test {
namespace {

using Fields = std::array<std::optional<std::string>, 3>; // avatar, account, password

Fields Parse(std::string_view text) {
    const AccountRecord record = AccountRecord::Parse(text);
    return {record.avatar, record.account, record.password};
}

// The reader takes runs of separators as one and never yields an empty field.
TEST(AccountRecord, FormattedFieldsReadBackAndOnlyThePasswordMayHoldTildes) {
    EXPECT_EQ(AccountRecord::Format("Zed", "kx1234", "sec~ret~", true), "Zed~kx1234~sec~ret~\n");
    EXPECT_EQ(Parse("+~~secret\n"), (Fields{"+", "secret", std::nullopt}));
    EXPECT_EQ(Parse("~\n~"), Fields{});
    EXPECT_EQ(Parse("Nova~acct~" + std::string(200, 'p')), (Fields{"Nova", "acct", std::string(133, 'p')}));
}

} // namespace
} // namespace orv::test
