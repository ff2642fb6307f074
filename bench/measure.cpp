#include "measure.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "child_process.h"
#include "encode_threads.h"
#include "etc1_peer.h"
#include "our_codec.h"
#include "squish_peer.h"

namespace {

std::string CodeNote(const char* what, int32_t code) {
    return std::string(what) + " returned " + std::to_string(code);
}

bool FileHasData(const std::string& path) {
    std::error_code error;
    return std::filesystem::file_size(path, error) > 0 && !error;
}

struct CommandTiming {
    int runs = 0;  // 0: the command failed
    double seconds = 0.0;
    long peakKb = 0;
};

// Times a command line that writes output, as a child process with the
// environment entries of setting.
CommandTiming TimeCommand(const std::vector<std::string>& argv, const std::string& output,
                          const BenchContext& context, const std::vector<std::string>& setting,
                          std::string* note) {
    const std::string log = context.workDir + "/command.log";
    CommandTiming timing;
    bool ok = false;
    const std::vector<double> samples = TimeRepeatedly(
        context.commandPolicy,
        [&] {
            std::error_code ignored;
            std::filesystem::remove(output, ignored);
            const ChildRun run = RunChild(argv, log, setting);
            timing.peakKb = std::max(timing.peakKb, run.peakKb);
            return run.started && run.exitStatus == 0 && FileHasData(output);
        },
        &ok);
    if (!ok || samples.empty()) {
        *note = argv[0] + " run failed (see " + log + ")";
        return CommandTiming{};
    }
    timing.runs = int(samples.size());
    timing.seconds = Median(samples);
    return timing;
}

void TimeCommand(const std::vector<std::string>& argv, const std::string& output,
                 const BenchContext& context, Measurement* measurement) {
    const CommandTiming timing = TimeCommand(argv, output, context, {}, &measurement->note);
    measurement->commandRuns = timing.runs;
    measurement->commandSeconds = timing.seconds;
    measurement->peakKb = timing.peakKb;
}

void SetQuality(const Picture& source, const std::vector<uint8_t>& decoded, unsigned channels,
                Measurement* measurement) {
    if (decoded.size() != source.rgba.size()) {
        return;
    }
    measurement->decoded = true;
    measurement->error = MeasureSquaredError(source.rgba.data(), decoded.data(),
                                             size_t(source.width) * source.height, channels);
}

Measurement MeasureOurs(const BenchEntry& entry, const BenchPicture& picture,
                        const BenchContext& context) {
    Measurement measurement;
    const uint32_t speed = entry.encoder == Encoder::OursQuick ? 1 : 0;
    OurEncoder encoder(picture.picture, entry.format, speed);
    EngineResult result;
    bool ok = false;
    const auto encode = [&] {
        result = encoder.Run();
        return result.ok;
    };
    EncodeOnOneThread();
    const std::vector<double> samples = TimeRepeatedly(context.encodePolicy, encode, &ok);
    if (!ok) {
        measurement.note = CodeNote("encode", result.code);
        return measurement;
    }
    EncodeOnAllCores();
    const std::vector<double> allCores = TimeRepeatedly(context.encodePolicy, encode, &ok);
    if (!ok) {
        measurement.note = CodeNote("encode on all cores", result.code);
        return measurement;
    }
    measurement.status = Status::Ok;
    measurement.encodeRuns = int(samples.size());
    measurement.encodeSeconds = Median(samples);
    measurement.allCoresRuns = int(allCores.size());
    measurement.allCoresSeconds = Median(allCores);

    std::vector<uint8_t> decoded;
    const EngineResult decode = DecodeOurs(encoder.Blocks(), entry.format, picture.picture.width,
                                           picture.picture.height, &decoded);
    if (decode.ok) {
        SetQuality(picture.picture, decoded, entry.channels, &measurement);
    } else {
        measurement.note = CodeNote("decode", decode.code);
    }

    if (entry.encoder == Encoder::Ours) {
        const std::string output = context.workDir + "/out.ktx";
        TimeCommand({context.vostrelCmd, picture.pngPath, output, entry.typeName}, output, context,
                    &measurement);
    }
    return measurement;
}

Measurement MeasureEtc1Tool(const BenchEntry& entry, const BenchPicture& picture,
                            const BenchContext& context) {
    Measurement measurement;
    measurement.status = Status::Failed;
    const std::vector<uint8_t> rgb = PackRgb(picture.picture);
    std::vector<uint8_t> blocks;
    bool ok = false;
    const std::vector<double> samples = TimeRepeatedly(
        context.encodePolicy,
        [&] { return Etc1Encode(rgb, picture.picture.width, picture.picture.height, &blocks); },
        &ok);
    if (!ok) {
        measurement.note = "libETC1 encode failed";
        return measurement;
    }
    measurement.status = Status::Ok;
    measurement.encodeRuns = int(samples.size());
    measurement.encodeSeconds = Median(samples);

    const std::string pkm = context.workDir + "/out.pkm";
    TimeCommand(Etc1ToolEncodeCommand(picture.pngPath, pkm), pkm, context, &measurement);
    if (measurement.commandRuns == 0) {
        return measurement;
    }
    const std::string decodedPng = context.workDir + "/decoded.png";
    const ChildRun decode =
        RunChild(Etc1ToolDecodeCommand(pkm, decodedPng), context.workDir + "/decode.log");
    Picture decoded;
    std::string error;
    if (decode.exitStatus == 0 && LoadPicture(decodedPng, &decoded, &error)) {
        SetQuality(picture.picture, decoded.rgba, entry.channels, &measurement);
    } else {
        measurement.note = "etc1tool --decode failed";
    }
    return measurement;
}

Measurement MeasureSquish(const BenchEntry& entry, const BenchPicture& picture,
                          const BenchContext& context) {
    Measurement measurement;
    const bool twoChannels = entry.encoder == Encoder::SquishBc5;
    std::vector<uint8_t> blocks;
    bool ok = false;
    const std::vector<double> samples = TimeRepeatedly(
        context.encodePolicy,
        [&] {
            SquishEncode(picture.picture, twoChannels, &blocks);
            return true;
        },
        &ok);
    measurement.status = Status::Ok;
    measurement.encodeRuns = int(samples.size());
    measurement.encodeSeconds = Median(samples);
    std::vector<uint8_t> decoded;
    SquishDecode(blocks, picture.picture.width, picture.picture.height, twoChannels, &decoded);
    SetQuality(picture.picture, decoded, entry.channels, &measurement);
    return measurement;
}

}  // namespace

Measurement MeasureEntry(const BenchEntry& entry, const BenchPicture& picture,
                         const BenchContext& context) {
    Measurement measurement;
    switch (entry.encoder) {
        case Encoder::Ours:
        case Encoder::OursQuick:
            measurement = MeasureOurs(entry, picture, context);
            break;
        case Encoder::Etc1Tool:
            measurement = MeasureEtc1Tool(entry, picture, context);
            break;
        case Encoder::SquishBc4:
        case Encoder::SquishBc5:
            measurement = MeasureSquish(entry, picture, context);
            break;
    }
    measurement.pixels = uint64_t(picture.picture.width) * picture.picture.height;
    return measurement;
}

LargeRun MeasureLargeCommand(const char* typeName, const std::string& pngPath,
                             const BenchContext& context) {
    LargeRun run;
    run.typeName = typeName;
    const std::string output = context.workDir + "/large.ktx";
    const std::vector<std::string> argv = {context.vostrelCmd, pngPath, output, typeName, "yes"};
    const CommandTiming one = TimeCommand(argv, output, context, {kOneThreadSetting}, &run.note);
    if (one.runs == 0) {
        return run;
    }
    const CommandTiming all = TimeCommand(argv, output, context, {}, &run.note);
    if (all.runs == 0) {
        return run;
    }
    run.ok = true;
    run.oneThreadSeconds = one.seconds;
    run.allCoresSeconds = all.seconds;
    run.oneThreadPeakKb = one.peakKb;
    run.allCoresPeakKb = all.peakKb;
    return run;
}
