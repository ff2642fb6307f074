// The format catalogue: every code it knows, and none other.
#include <gtest/gtest.h>

#include "format_catalogue.h"
#include "morlune.h"

namespace {

TEST(FormatCatalogue, KnowsExactlyTheFortyTwoCodes) {
    int known = 0;
    for (uint32_t code = 0; code < 64; ++code) {
        const FormatInfo* format = FindFormat(code);
        const bool expected = code >= 1 && code <= 43 && code != 28;
        EXPECT_EQ(format != nullptr, expected) << code;
        if (format != nullptr) {
            EXPECT_EQ(format->code, code);
            ++known;
        }
    }
    EXPECT_EQ(known, 42);
    EXPECT_EQ(FindFormat(0xFFFFFFFFu), nullptr);
}

}  // namespace
