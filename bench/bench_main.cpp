// The benchmark: every compression type through our encoders and the
// peers', over the sample picture and a corpus of PNG files; a table on
// standard output and a CSV file.
//
//   vostrel_bench --build <dir> [--corpus <dir>] [--limit <n>] [--seconds <s>]
//                 [--csv <file>] [--large <side>]
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>

#include "child_process.h"
#include "corpus.h"
#include "encode_threads.h"
#include "measure.h"
#include "report.h"
#include "tiled_picture.h"

namespace {

struct Options {
    std::string buildDir;
    std::string corpusDir;
    std::string csvPath;
    size_t limit = 0;  // 0: every picture
    double seconds = 1.0;
    uint32_t largeSide = 4096;  // 0: no run on a large picture
};

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--build") {
            options->buildDir = value;
        } else if (name == "--corpus") {
            options->corpusDir = value;
        } else if (name == "--csv") {
            options->csvPath = value;
        } else if (name == "--limit") {
            options->limit = std::strtoul(value.c_str(), nullptr, 10);
        } else if (name == "--seconds") {
            options->seconds = std::strtod(value.c_str(), nullptr);
        } else if (name == "--large") {
            options->largeSide = uint32_t(std::strtoul(value.c_str(), nullptr, 10));
        } else {
            return false;
        }
    }
    if (argc % 2 == 0 || options->buildDir.empty() || !(options->seconds > 0.0) ||
        options->largeSide > 16384) {
        return false;
    }
    if (options->csvPath.empty()) {
        options->csvPath = options->buildDir + "/results.csv";
    }
    return true;
}

std::string FirstLineOf(const std::string& path, const std::string& prefix) {
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0) {
            return line;
        }
    }
    return "";
}

std::string CpuModel() {
    std::string line = FirstLineOf("/proc/cpuinfo", "model name");
    const size_t colon = line.find(':');
    return colon == std::string::npos ? "unknown CPU" : line.substr(colon + 2);
}

std::string LoadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five;
    file >> one >> five;
    return one + " (1 min), " + five + " (5 min)";
}

std::string UtcStamp(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[64];
    std::strftime(text, sizeof(text), format, &utc);
    return text;
}

// Writes the bundled sample picture and a PNG copy of it for the
// command-line runs.
bool PrepareSample(const Options& options, const std::string& workDir, BenchPicture* sample) {
    const std::string tga = workDir + "/sample.tga";
    const ChildRun run =
        RunChild({options.buildDir + "/tools/make_sample", tga}, workDir + "/make_sample.log");
    std::string error;
    if (run.exitStatus != 0 || !LoadPicture(tga, &sample->picture, &error)) {
        std::fprintf(stderr, "bench: cannot make the sample picture\n");
        return false;
    }
    sample->name = "sample (make_sample)";
    sample->pngPath = workDir + "/sample.png";
    return SavePicturePng(sample->pngPath, sample->picture);
}

// Writes the large picture, tiled from the sample and the corpus pictures
// measured, each loaded again and all released before the runs: a child
// process's peak memory counts this process's memory at the fork.
bool WriteLargePicture(const Picture& sample, const std::vector<std::string>& corpusPaths,
                       uint32_t side, const std::string& png) {
    std::vector<Picture> pictures(1, sample);
    for (const std::string& path : corpusPaths) {
        std::string error;
        pictures.emplace_back();
        if (!LoadPicture(path, &pictures.back(), &error)) {
            pictures.pop_back();
        }
    }
    std::vector<const Picture*> tiles;
    for (const Picture& picture : pictures) {
        tiles.push_back(&picture);
    }
    std::fprintf(stderr, "bench: making a %ux%u picture of %zu tiles\n", side, side, tiles.size());
    return SavePicturePng(png, TilePictures(tiles, side));
}

// The command line with mips, on one thread and on all cores, for every
// type of our rows.
std::vector<LargeRun> MeasureLargePicture(const std::vector<BenchEntry>& entries,
                                          const std::string& png, uint32_t side,
                                          const BenchContext& context) {
    std::vector<LargeRun> runs;
    for (const BenchEntry& entry : entries) {
        if (entry.encoder != Encoder::Ours) {
            continue;
        }
        std::fprintf(stderr, "bench: %ux%u with mips, %s\n", side, side, entry.typeName);
        runs.push_back(MeasureLargeCommand(entry.typeName, png, context));
    }
    return runs;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::fprintf(stderr,
                     "usage: vostrel_bench --build <dir> [--corpus <dir>] [--limit <n>] "
                     "[--seconds <s>] [--csv <file>] [--large <side>]\n");
        return 2;
    }
    // Both thread counts are measured whatever the caller's setting.
    unsetenv("VOSTREL_THREADS");
    EncodeOnAllCores();
    const unsigned allCoresThreads = EncodeThreads();
    BenchContext context;
    context.vostrelCmd = options.buildDir + "/src/cmd/VostrelCmd";
    context.workDir = options.buildDir + "/bench-work";
    context.encodePolicy = {options.seconds, 7};
    context.commandPolicy = {options.seconds, 3};
    std::error_code ignored;
    std::filesystem::create_directories(context.workDir, ignored);

    BenchPicture sample;
    if (!PrepareSample(options, context.workDir, &sample)) {
        return 1;
    }
    std::vector<CorpusEntry> corpus = ListPngFiles(options.corpusDir);
    const size_t pictureCount =
        options.limit > 0 ? std::min(options.limit, corpus.size() + 1) : corpus.size() + 1;

    const std::vector<BenchEntry> entries = BenchEntries();
    std::vector<Totals> totals(entries.size());
    std::vector<PictureResults> results;
    std::vector<std::string> measuredPaths;  // corpus pictures for the large picture
    const std::string run = UtcStamp("%Y-%m-%dT%H:%M:%SZ");
    const std::string loadBefore = LoadAverage();
    const double start = NowSeconds();

    for (size_t p = 0; p < pictureCount; ++p) {
        BenchPicture corpusPicture;
        const BenchPicture* picture = &sample;
        if (p > 0) {
            std::string error;
            corpusPicture.name = corpus[p - 1].name;
            corpusPicture.pngPath = corpus[p - 1].path;
            if (!LoadPicture(corpusPicture.pngPath, &corpusPicture.picture, &error)) {
                std::fprintf(stderr, "bench: skipping %s: %s\n", corpusPicture.pngPath.c_str(),
                             error.c_str());
                continue;
            }
            picture = &corpusPicture;
        }
        std::fprintf(stderr, "bench: [%zu/%zu] %s (%ux%u)\n", p + 1, pictureCount,
                     picture->name.c_str(), picture->picture.width, picture->picture.height);
        PictureResults pictureResults{
            picture->name, picture->picture.width, picture->picture.height, {}};
        for (size_t i = 0; i < entries.size(); ++i) {
            const Measurement measurement = MeasureEntry(entries[i], *picture, context);
            totals[i].Add(measurement);
            pictureResults.measurements.push_back(measurement);
        }
        results.push_back(std::move(pictureResults));
        if (p > 0) {
            measuredPaths.push_back(picture->pngPath);
        }
    }
    std::vector<LargeRun> largeRuns;
    const std::string largePng = context.workDir + "/large.png";
    if (options.largeSide > 0) {
        if (WriteLargePicture(sample.picture, measuredPaths, options.largeSide, largePng)) {
            largeRuns = MeasureLargePicture(entries, largePng, options.largeSide, context);
        } else {
            std::fprintf(stderr, "bench: cannot write %s\n", largePng.c_str());
        }
    }

    uint64_t pixels = 0;
    for (const PictureResults& picture : results) {
        pixels += uint64_t(picture.width) * picture.height;
    }
    std::printf("VostrelCmd benchmark, %s\n", run.c_str());
    std::printf("Machine: %s, %u cores; load average %s before, %s after\n", CpuModel().c_str(),
                std::thread::hardware_concurrency(), loadBefore.c_str(), LoadAverage().c_str());
    std::printf("Build: %s (-O2 -ffp-contract=off, no sanitizers)\n", options.buildDir.c_str());
    std::printf("Corpus: %zu pictures, %.2f Mpix: the sample picture%s%s; %.0f s\n\n",
                results.size(), double(pixels) / 1e6,
                results.size() > 1 ? " and PNG files under " : "",
                results.size() > 1 ? options.corpusDir.c_str() : "", NowSeconds() - start);
    std::printf("%s\n", FormatTable(entries, totals, allCoresThreads).c_str());
    std::printf("%s", FormatComparisons(totals, BenchComparisons(entries)).c_str());
    if (!largeRuns.empty()) {
        std::printf(
            "\nCommand line with mips on a %ux%u picture tiled from the pictures above "
            "(VostrelCmd in.png out.ktx <type> yes):\n%s",
            options.largeSide, options.largeSide,
            FormatLargeRuns(largeRuns, allCoresThreads).c_str());
    }

    std::string previousRun;
    const SummaryByRow previous = ReadCsvSummary(options.csvPath, &previousRun);
    if (!previous.empty()) {
        std::printf("\nChange against the previous run (%s):\n%s", previousRun.c_str(),
                    FormatChanges(entries, totals, previous).c_str());
        std::filesystem::copy_file(options.csvPath, options.csvPath + ".previous",
                                   std::filesystem::copy_options::overwrite_existing, ignored);
    }
    if (!WriteCsv(options.csvPath, run, entries, results, totals, largeRuns, options.largeSide)) {
        std::fprintf(stderr, "bench: cannot write %s\n", options.csvPath.c_str());
        return 1;
    }
    std::printf("\nCSV: %s\n", options.csvPath.c_str());
    return 0;
}
