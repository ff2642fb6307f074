// The width and height arguments read as atoi reads them, without its
// overflow, and the version text of the banner and the workspace header.
#include <gtest/gtest.h>

#include "front_end.h"

namespace {

TEST(SizeArgument, ReadsLikeAtoiWithoutOverflow) {
    struct Case {
        const char* text;
        uint32_t value;
    };
    const Case cases[] = {
        {"128", 128},
        {"128px", 128},
        {"  64", 64},
        {"\t+32", 32},
        {"abc", 0},
        {"", 0},
        {"0", 0},
        {"-0", 0},
        {"- 5", 0},
        {"12 34", 12},
        {"-1", 0xFFFFFFFFu},
        {"-16385", uint32_t(-16385)},
        {"2147483647", 2147483647u},
        {"99999999999999999999999", 2147483647u},
        {"-99999999999999999999999", 0x80000000u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseSizeArgument(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ProgramVersion, FormatsWithTwoDigitMinorAndRevision) {
    EXPECT_EQ(FormatProgramVersion(), "0.01.00");
}

}  // namespace
