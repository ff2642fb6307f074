// compare's report as a table for people or as one JSON document.
#include "compare_report.h"

#include <cmath>
#include <iomanip>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

using Json = nlohmann::ordered_json;

std::string PsnrText(double psnr) {
    if (std::isinf(psnr)) {
        return "inf";
    }
    std::ostringstream text;
    text << std::fixed << std::setprecision(2) << psnr;
    return text.str();
}

void WriteRow(std::ostringstream& text, const std::string& label, const std::string& size,
              const ErrorMeasure& error, const ChannelSet& channels) {
    text << std::setw(5) << label << "  " << std::setw(13) << size << "  " << std::setw(8)
         << PsnrText(error.Psnr());
    for (const uint32_t channel : channels.indices) {
        text << "  " << std::setw(5) << error.maxError[channel];
    }
    text << "\n";
}

// PSNR in dB, null when the pictures agree (JSON has no infinity).
Json PsnrJson(double psnr) { return std::isinf(psnr) ? Json(nullptr) : Json(psnr); }

Json ErrorJson(const ErrorMeasure& error, const ChannelSet& channels) {
    Json maxError = Json::object();
    for (const uint32_t channel : channels.indices) {
        maxError[std::string(1, "RGBA"[channel])] = error.maxError[channel];
    }
    return {{"psnr_db", PsnrJson(error.Psnr())},
            {"mse", error.MeanSquaredError()},
            {"max_error", std::move(maxError)}};
}

}  // namespace

std::string CompareText(const ComparisonReport& report) {
    std::ostringstream text;
    text << "Source:   " << report.sourcePath << " (" << report.sourceWidth << " x "
         << report.sourceHeight << ")\n"
         << "Texture:  " << report.texturePath << " (" << report.typeName << ", "
         << report.levels.size() << (report.levels.size() == 1 ? " level" : " levels") << ")\n"
         << "Channels: " << report.channels.names << "\n\n"
         << "level           size   PSNR dB";
    for (const uint32_t channel : report.channels.indices) {
        text << "  max "
             << "RGBA"[channel];
    }
    text << "\n";
    for (size_t i = 0; i < report.levels.size(); ++i) {
        const LevelResult& level = report.levels[i];
        WriteRow(text, std::to_string(i),
                 std::to_string(level.width) + " x " + std::to_string(level.height), level.error,
                 report.channels);
    }
    WriteRow(
        text, "all",
        std::to_string(report.levels.size()) + (report.levels.size() == 1 ? " level" : " levels"),
        report.chain, report.channels);
    return text.str();
}

std::string CompareJson(const ComparisonReport& report) {
    Json document;
    document["source"] = {{"file", report.sourcePath},
                          {"width", report.sourceWidth},
                          {"height", report.sourceHeight}};
    document["texture"] = {
        {"file", report.texturePath}, {"type", report.typeName}, {"levels", report.levels.size()}};
    document["channels"] = report.channels.names;
    Json levels = Json::array();
    for (size_t i = 0; i < report.levels.size(); ++i) {
        const LevelResult& level = report.levels[i];
        Json item = {{"level", i}, {"width", level.width}, {"height", level.height}};
        item.update(ErrorJson(level.error, report.channels));
        levels.push_back(std::move(item));
    }
    document["levels"] = std::move(levels);
    document["chain"] = ErrorJson(report.chain, report.channels);
    document["min_psnr_db"] = report.hasMinPsnr ? Json(report.minPsnr) : Json(nullptr);
    document["levels_below_min_psnr"] = report.levelsBelow;
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}
