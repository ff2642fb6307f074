// The status line's words, their fitting to the terminal's width, and the
// row that the tool's own text leaves for the status to cover.
#include "status_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

size_t Characters(const std::string& text) {
    size_t count = 0;
    for (char byte : text) {
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

// True when no UTF-8 sequence was cut: every lead byte has all its
// continuation bytes.
bool WholeCharacters(const std::string& text) {
    for (size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (at + length > text.size()) {
            return false;
        }
        at += length;
    }
    return true;
}

StatusPosition Workspace(const std::string& name) {
    StatusPosition position;
    position.entry = 0;
    position.entryCount = 3;
    position.fileName = name;
    position.level = 2;
    position.levelCount = 9;
    position.percent = 42;
    return position;
}

TEST(PercentDone, RoundsDownAndReachesAHundredOnlyAtTheEnd) {
    struct Case {
        uint64_t done, total;
        unsigned percent;
    };
    const Case cases[] = {
        {0, 10, 0},
        {1, 10, 10},
        {9, 10, 90},
        {999, 1000, 99},
        {10, 10, 100},
        {11, 10, 100},
        {0, 0, 100},
        {1, 3, 33},
        {UINT64_MAX - 1, UINT64_MAX, 99},
        {UINT64_MAX / 2, UINT64_MAX, 49},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PercentDone(c.done, c.total), c.percent) << c.done << " of " << c.total;
    }
}

TEST(StatusText, NamesTheLevelFromOneAndTheEntryWhenThereIsOne) {
    StatusPosition direct;
    direct.level = 0;
    direct.levelCount = 10;
    direct.percent = 0;
    EXPECT_EQ(StatusText(direct, 79), "Compressing level 1 of 10, 0%");
    direct.level = 9;
    direct.percent = 100;
    EXPECT_EQ(StatusText(direct, 79), "Compressing level 10 of 10, 100%");
    EXPECT_EQ(StatusText(Workspace("kodim01.png"), 79),
              "Entry 1 of 3 (kodim01.png): compressing level 3 of 9, 42%");
}

TEST(StatusText, ALongNameLosesItsStartThenTheTextItsEnd) {
    const std::string full = "Entry 1 of 3 (kodim01.png): compressing level 3 of 9, 42%";
    struct Case {
        size_t width;
        std::string text;
    };
    const Case cases[] = {
        {full.size(), full},
        {full.size() - 1, "Entry 1 of 3 (...m01.png): compressing level 3 of 9, 42%"},
        {full.size() - 7, "Entry 1 of 3 (...g): compressing level 3 of 9, 42%"},
        {full.size() - 8, "Entry 1 of 3 (...): compressing level 3 of 9, 42%"},
        {full.size() - 9, "Entry 1 of 3 (...): compressing level 3 of 9, 42"},
        {5, "Entry"},
        {0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StatusText(Workspace("kodim01.png"), c.width), c.text) << c.width;
    }
    StatusPosition direct;
    direct.levelCount = 2;
    EXPECT_EQ(StatusText(direct, 11), "Compressing");
}

TEST(StatusText, NamesAreShownWithoutControlCharactersAndCutBetweenCharacters) {
    EXPECT_EQ(StatusText(Workspace("a\tb\033[2J\x7f.png"), 200),
              "Entry 1 of 3 (a?b?[2J?.png): compressing level 3 of 9, 42%");
    const std::string name = "\xc3\xa9t\xc3\xa9-\xe6\xbc\xa2\xe5\xad\x97-\xf0\x9f\x99\x82.png";
    for (size_t width = 0; width < 80; ++width) {
        const std::string text = StatusText(Workspace(name), width);
        EXPECT_LE(Characters(text), width);
        EXPECT_TRUE(WholeCharacters(text)) << width << ": " << text;
    }
    EXPECT_EQ(StatusText(Workspace(name), 56),
              "Entry 1 of 3 (...\xe5\xad\x97-\xf0\x9f\x99\x82.png): compressing level 3 of 9, 42%");
}

TEST(FileNameOf, KeepsWhatFollowsTheLastSlash) {
    EXPECT_EQ(FileNameOf("/pictures/in/kodim01.png"), "kodim01.png");
    EXPECT_EQ(FileNameOf("kodim01.png"), "kodim01.png");
    EXPECT_EQ(FileNameOf("folder/"), "");
    EXPECT_EQ(FileNameOf(""), "");
}

TEST(CursorRowOf, IsTheTextLeftOnTheLastRow) {
    struct Case {
        std::string text;
        size_t columns;
        std::string row;
    };
    const Case cases[] = {
        {"", 10, ""},
        {"abc", 10, "abc"},
        {"first\nsecond", 10, "second"},
        {"done\n", 10, ""},
        {"abcdefghijkl", 10, "kl"},
        // Ending at the edge keeps the full row: the cursor waits there.
        {"abcdefghij", 10, "abcdefghij"},
        {"abcdefghijklmnopqrst", 10, "klmnopqrst"},
        {"abcdefghijk", 10, "k"},
        {"\xc3\xa9\xc3\xa9\xc3\xa9", 2, "\xc3\xa9"},
        {"abc", 1, "c"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CursorRowOf(c.text, c.columns), c.row) << c.text << " at " << c.columns;
    }
}

TEST(CountableText, RefusesEveryControlCharacter) {
    EXPECT_TRUE(CountableText("Compressing /in/\xc3\xa9.png as type ATC RGB... "));
    for (const char* text : {"a\tb", "a\rb", "a\nb", "\033[2J", "a\x7f", "\x01"}) {
        EXPECT_FALSE(CountableText(text)) << text;
    }
}

}  // namespace
