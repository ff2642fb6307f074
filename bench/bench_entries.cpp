#include "bench_entries.h"

#include <cstring>

#include "quality.h"
#include "shared.h"

namespace {

const BenchEntry kEntries[] = {
    {"ATC RGB", Encoder::Ours, "ours", CHANNELS_RGB, 0},
    {"ATC RGB", Encoder::OursQuick, "ours quick", CHANNELS_RGB, 0},
    {"ATC RGBA Explicit", Encoder::Ours, "ours", CHANNELS_RGBA, 0},
    {"ATC RGBA Explicit", Encoder::OursQuick, "ours quick", CHANNELS_RGBA, 0},
    {"ATC RGBA Interpolated", Encoder::Ours, "ours", CHANNELS_RGBA, 0},
    {"ETC1 RGB8", Encoder::Ours, "ours", CHANNELS_RGB, 0},
    {"ETC1 RGB8", Encoder::Etc1Tool, "etc1tool", CHANNELS_RGB, 0},
    {"3DC X", Encoder::Ours, "ours", CHANNEL_R, 0},
    {"3DC X", Encoder::SquishBc4, "libsquish BC4", CHANNEL_R, 0},
    {"3DC XY", Encoder::Ours, "ours", CHANNEL_R | CHANNEL_G, 0},
    {"3DC XY", Encoder::SquishBc5, "libsquish BC5", CHANNEL_R | CHANNEL_G, 0},
};

}  // namespace

std::vector<BenchEntry> BenchEntries() {
    std::vector<BenchEntry> entries;
    for (BenchEntry entry : kEntries) {
        ParseCompressionType(entry.typeName, &entry.format);
        entries.push_back(entry);
    }
    return entries;
}

std::vector<BenchComparison> BenchComparisons(const std::vector<BenchEntry>& entries) {
    std::vector<BenchComparison> comparisons;
    auto find = [&](const char* type, Encoder encoder) {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (std::strcmp(entries[i].typeName, type) == 0 && entries[i].encoder == encoder) {
                return i;
            }
        }
        return entries.size();
    };
    const BenchComparison wanted[] = {
        {find("ETC1 RGB8", Encoder::Ours), find("ETC1 RGB8", Encoder::Etc1Tool),
         "ETC1 RGB8: ours / etc1tool"},
        {find("3DC X", Encoder::Ours), find("3DC X", Encoder::SquishBc4),
         "3DC X: ours / libsquish BC4"},
        {find("3DC XY", Encoder::Ours), find("3DC XY", Encoder::SquishBc5),
         "3DC XY: ours / libsquish BC5"},
        {find("ATC RGB", Encoder::OursQuick), find("ATC RGB", Encoder::Ours),
         "ATC RGB: quick / exhaustive"},
        {find("ATC RGBA Explicit", Encoder::OursQuick), find("ATC RGBA Explicit", Encoder::Ours),
         "ATC RGBA Explicit: quick / exhaustive"},
    };
    for (const BenchComparison& comparison : wanted) {
        if (comparison.ours < entries.size() && comparison.theirs < entries.size()) {
            comparisons.push_back(comparison);
        }
    }
    return comparisons;
}
