#include "report.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

const char* StatusName(Status status) {
    switch (status) {
        case Status::Ok:
            return "ok";
        case Status::NotAvailable:
            return "not available";
        case Status::Failed:
            return "failed";
    }
    return "";
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

std::string FormatPsnr(double psnr) {
    if (std::isnan(psnr)) {
        return "-";
    }
    if (std::isinf(psnr)) {
        return "inf";
    }
    return Format("%.2f", psnr);
}

std::string FormatRate(uint64_t pixels, double seconds) {
    return seconds > 0.0 ? Format("%.3g", MegapixelsPerSecond(pixels, seconds)) : "-";
}

double TotalPsnr(const Totals& totals) { return totals.MeanPsnr(); }

std::string Row(const std::vector<std::string>& cells) {
    char text[256];
    std::snprintf(text, sizeof(text), "%-22s %-14s %6s %10s %10s %8s %9s %8s %8s  %s\n",
                  cells[0].c_str(), cells[1].c_str(), cells[2].c_str(), cells[3].c_str(),
                  cells[4].c_str(), cells[5].c_str(), cells[6].c_str(), cells[7].c_str(),
                  cells[8].c_str(), cells[9].c_str());
    return text;
}

std::string Ratio(double numerator, double denominator) {
    return numerator > 0.0 && denominator > 0.0 ? Format("%.2fx", numerator / denominator) : "-";
}

std::string Threads(unsigned threads) {
    return std::to_string(threads) + (threads == 1 ? " thread" : " threads");
}

std::string Quote(const std::string& field) {
    if (field.find_first_of(",\"\n") == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (char c : field) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::vector<std::string> SplitCsvLine(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

constexpr const char* kCsvHeader =
    "run,image,width,height,megapixels,type,encoder,status,encode_runs,encode_mpix_s,"
    "all_cores_runs,all_cores_mpix_s,command_runs,command_mpix_s,peak_mib,channels,psnr_db,note";

enum CsvColumn {
    COL_RUN = 0,
    COL_IMAGE = 1,
    COL_TYPE = 5,
    COL_ENCODER = 6,
    COL_ENCODE = 9,
    COL_ALL_CORES = 11,
    COL_COMMAND = 13,
    COL_PSNR = 16,
    CSV_COLUMNS = 18
};

std::string CsvNumber(double value) {
    if (std::isnan(value) || value == 0.0) {
        return "";
    }
    return std::isinf(value) ? "inf" : Format("%.6g", value);
}

// The figures of one CSV line.
struct CsvFigures {
    Status status = Status::NotAvailable;
    int encodeRuns = 0;
    double encodeMpix = 0.0;
    int allCoresRuns = 0;
    double allCoresMpix = 0.0;
    int commandRuns = 0;
    double commandMpix = 0.0;
    long peakKb = 0;
    double psnr = 0.0;
    std::string note;
};

std::string CsvLine(const std::string& run, const std::string& image, const std::string& width,
                    const std::string& height, uint64_t pixels, const char* typeName,
                    const char* label, unsigned channels, const CsvFigures& f) {
    std::ostringstream line;
    line << Quote(run) << ',' << Quote(image) << ',' << width << ',' << height << ','
         << Format("%.4f", double(pixels) / 1e6) << ',' << Quote(typeName) << ',' << Quote(label)
         << ',' << StatusName(f.status) << ',' << f.encodeRuns << ',' << CsvNumber(f.encodeMpix)
         << ',' << f.allCoresRuns << ',' << CsvNumber(f.allCoresMpix) << ',' << f.commandRuns << ','
         << CsvNumber(f.commandMpix) << ',' << CsvNumber(double(f.peakKb) / 1024.0) << ','
         << ChannelNames(channels) << ',' << CsvNumber(f.psnr) << ',' << Quote(f.note) << '\n';
    return line.str();
}

double ParseNumber(const std::string& text) {
    if (text.empty()) {
        return 0.0;
    }
    return std::strtod(text.c_str(), nullptr);
}

}  // namespace

std::string SummaryKey(const BenchEntry& entry) {
    return std::string(entry.typeName) + "|" + entry.label;
}

std::string FormatTable(const std::vector<BenchEntry>& entries, const std::vector<Totals>& totals,
                        unsigned allCoresThreads) {
    std::string table = Row({"Type", "Encoder", "Images", "Encode", "Encode", "Scaling", "Command",
                             "Peak", "PSNR", "Channels"});
    table += Row({"", "", "", "1 thread", Threads(allCoresThreads), "", "Mpix/s", "MiB", "dB", ""});
    table += Row({"", "", "", "Mpix/s", "Mpix/s", "", "", "", "", ""});
    for (size_t i = 0; i < entries.size(); ++i) {
        const BenchEntry& entry = entries[i];
        const Totals& total = totals[i];
        if (total.Summary() != Status::Ok) {
            char text[256];
            std::snprintf(text, sizeof(text), "%-22s %-14s %6s   %s%s%s%s\n", entry.typeName,
                          entry.label, "-", StatusName(total.Summary()),
                          total.note.empty() ? "" : " (", total.note.c_str(),
                          total.note.empty() ? "" : ")");
            table += text;
            continue;
        }
        const std::string peak =
            total.commandPixels > 0 ? Format("%.1f", double(total.peakKb) / 1024.0) : "-";
        table += Row({entry.typeName, entry.label, std::to_string(total.pictures),
                      FormatRate(total.encodePixels, total.encodeSeconds),
                      FormatRate(total.allCoresPixels, total.allCoresSeconds),
                      Ratio(MegapixelsPerSecond(total.allCoresPixels, total.allCoresSeconds),
                            MegapixelsPerSecond(total.encodePixels, total.encodeSeconds)),
                      FormatRate(total.commandPixels, total.commandSeconds), peak,
                      FormatPsnr(TotalPsnr(total)), ChannelNames(entry.channels)});
    }
    return table;
}

std::string FormatComparisons(const std::vector<Totals>& totals,
                              const std::vector<BenchComparison>& comparisons) {
    char text[256];
    std::snprintf(text, sizeof(text), "%-38s %12s %13s %10s\n", "Comparison", "Encode speed",
                  "Command speed", "PSNR");
    std::string table = text;
    auto ratio = [](uint64_t pixelsA, double secondsA, uint64_t pixelsB, double secondsB) {
        if (secondsA <= 0.0 || secondsB <= 0.0) {
            return std::string("-");
        }
        return Format("%.2fx", MegapixelsPerSecond(pixelsA, secondsA) /
                                   MegapixelsPerSecond(pixelsB, secondsB));
    };
    for (const BenchComparison& comparison : comparisons) {
        const Totals& ours = totals[comparison.ours];
        const Totals& theirs = totals[comparison.theirs];
        if (ours.Summary() != Status::Ok || theirs.Summary() != Status::Ok) {
            std::snprintf(text, sizeof(text), "%-38s %12s\n", comparison.title, "not available");
            table += text;
            continue;
        }
        const double difference = TotalPsnr(ours) - TotalPsnr(theirs);
        const std::string psnr =
            std::isfinite(difference) ? Format("%+.2f dB", difference) : std::string("-");
        std::snprintf(
            text, sizeof(text), "%-38s %12s %13s %10s\n", comparison.title,
            ratio(ours.encodePixels, ours.encodeSeconds, theirs.encodePixels, theirs.encodeSeconds)
                .c_str(),
            ratio(ours.commandPixels, ours.commandSeconds, theirs.commandPixels,
                  theirs.commandSeconds)
                .c_str(),
            psnr.c_str());
        table += text;
    }
    return table;
}

std::string FormatChanges(const std::vector<BenchEntry>& entries, const std::vector<Totals>& totals,
                          const SummaryByRow& previous) {
    char text[256];
    std::snprintf(text, sizeof(text), "%-22s %-14s %12s %12s %13s %10s\n", "Type", "Encoder",
                  "Encode speed", "All cores", "Command speed", "PSNR");
    std::string table = text;
    auto change = [](double now, double before) {
        if (now <= 0.0 || before <= 0.0) {
            return std::string("-");
        }
        return Format("%+.1f%%", (now / before - 1.0) * 100.0);
    };
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto found = previous.find(SummaryKey(entries[i]));
        if (found == previous.end() || found->second.encodeMpix <= 0.0 ||
            totals[i].Summary() != Status::Ok) {
            continue;
        }
        const Totals& total = totals[i];
        const double psnr = TotalPsnr(total) - found->second.psnr;
        std::snprintf(text, sizeof(text), "%-22s %-14s %12s %12s %13s %10s\n", entries[i].typeName,
                      entries[i].label,
                      change(MegapixelsPerSecond(total.encodePixels, total.encodeSeconds),
                             found->second.encodeMpix)
                          .c_str(),
                      change(MegapixelsPerSecond(total.allCoresPixels, total.allCoresSeconds),
                             found->second.allCoresMpix)
                          .c_str(),
                      change(MegapixelsPerSecond(total.commandPixels, total.commandSeconds),
                             found->second.commandMpix)
                          .c_str(),
                      found->second.psnr > 0.0 && std::isfinite(psnr)
                          ? Format("%+.2f dB", psnr).c_str()
                          : "-");
        table += text;
    }
    return table;
}

std::string LargePictureName(uint32_t side) {
    return "tiled " + std::to_string(side) + "x" + std::to_string(side) + ", mips";
}

std::string FormatLargeRuns(const std::vector<LargeRun>& runs, unsigned allCoresThreads) {
    char text[256];
    std::snprintf(text, sizeof(text), "%-22s %10s %10s %8s %10s %10s\n", "Type", "1 thread",
                  Threads(allCoresThreads).c_str(), "Scaling", "Peak", "Peak");
    std::string table = text;
    std::snprintf(text, sizeof(text), "%-22s %10s %10s %8s %10s %10s\n", "", "s", "s", "", "MiB, 1",
                  ("MiB, " + std::to_string(allCoresThreads)).c_str());
    table += text;
    for (const LargeRun& run : runs) {
        if (!run.ok) {
            std::snprintf(text, sizeof(text), "%-22s %10s   failed (%s)\n", run.typeName.c_str(),
                          "-", run.note.c_str());
        } else {
            std::snprintf(text, sizeof(text), "%-22s %10.2f %10.2f %8s %10.1f %10.1f\n",
                          run.typeName.c_str(), run.oneThreadSeconds, run.allCoresSeconds,
                          Ratio(run.oneThreadSeconds, run.allCoresSeconds).c_str(),
                          double(run.oneThreadPeakKb) / 1024.0,
                          double(run.allCoresPeakKb) / 1024.0);
        }
        table += text;
    }
    return table;
}

bool WriteCsv(const std::string& path, const std::string& run,
              const std::vector<BenchEntry>& entries, const std::vector<PictureResults>& pictures,
              const std::vector<Totals>& totals, const std::vector<LargeRun>& largeRuns,
              uint32_t largeSide) {
    std::ofstream file(path, std::ios::trunc);
    file << kCsvHeader << '\n';
    for (const PictureResults& picture : pictures) {
        for (size_t i = 0; i < entries.size(); ++i) {
            const Measurement& m = picture.measurements[i];
            CsvFigures f;
            f.status = m.status;
            f.encodeRuns = m.encodeRuns;
            f.encodeMpix = MegapixelsPerSecond(m.pixels, m.encodeSeconds);
            f.allCoresRuns = m.allCoresRuns;
            f.allCoresMpix = MegapixelsPerSecond(m.pixels, m.allCoresSeconds);
            f.commandRuns = m.commandRuns;
            f.commandMpix = MegapixelsPerSecond(m.pixels, m.commandSeconds);
            f.peakKb = m.peakKb;
            f.psnr = m.decoded ? Psnr(m.error) : 0.0;
            f.note = m.note;
            file << CsvLine(run, picture.name, std::to_string(picture.width),
                            std::to_string(picture.height), m.pixels, entries[i].typeName,
                            entries[i].label, entries[i].channels, f);
        }
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const Totals& t = totals[i];
        CsvFigures f;
        f.status = t.Summary();
        f.encodeRuns = t.pictures;
        f.encodeMpix = MegapixelsPerSecond(t.encodePixels, t.encodeSeconds);
        f.allCoresRuns = t.allCoresPixels > 0 ? t.pictures : 0;
        f.allCoresMpix = MegapixelsPerSecond(t.allCoresPixels, t.allCoresSeconds);
        f.commandRuns = t.commandPixels > 0 ? t.pictures : 0;
        f.commandMpix = MegapixelsPerSecond(t.commandPixels, t.commandSeconds);
        f.peakKb = t.peakKb;
        f.psnr = t.decodedPictures > 0 ? TotalPsnr(t) : 0.0;
        f.note = t.note;
        file << CsvLine(run, "ALL", "", "", t.encodePixels, entries[i].typeName, entries[i].label,
                        entries[i].channels, f);
    }
    // The large picture's level-0 pixels over the seconds of the whole run.
    const uint64_t largePixels = uint64_t(largeSide) * largeSide;
    const std::string side = std::to_string(largeSide);
    for (const LargeRun& large : largeRuns) {
        for (const bool allCores : {false, true}) {
            CsvFigures f;
            f.status = large.ok ? Status::Ok : Status::Failed;
            f.commandRuns = large.ok ? 1 : 0;
            f.commandMpix = MegapixelsPerSecond(
                largePixels, allCores ? large.allCoresSeconds : large.oneThreadSeconds);
            f.peakKb = allCores ? large.allCoresPeakKb : large.oneThreadPeakKb;
            f.note = large.note;
            file << CsvLine(run, LargePictureName(largeSide), side, side, largePixels,
                            large.typeName.c_str(), allCores ? "ours, all cores" : "ours, 1 thread",
                            0, f);
        }
    }
    return bool(file);
}

SummaryByRow ReadCsvSummary(const std::string& path, std::string* run) {
    SummaryByRow summary;
    std::ifstream file(path);
    std::string line;
    if (!std::getline(file, line) || line != kCsvHeader) {
        return summary;
    }
    while (std::getline(file, line)) {
        const std::vector<std::string> fields = SplitCsvLine(line);
        if (fields.size() != CSV_COLUMNS || fields[COL_IMAGE] != "ALL") {
            continue;
        }
        *run = fields[COL_RUN];
        summary[fields[COL_TYPE] + "|" + fields[COL_ENCODER]] = {
            ParseNumber(fields[COL_ENCODE]), ParseNumber(fields[COL_ALL_CORES]),
            ParseNumber(fields[COL_COMMAND]),
            fields[COL_PSNR] == "inf" ? 0.0 : ParseNumber(fields[COL_PSNR])};
    }
    return summary;
}
