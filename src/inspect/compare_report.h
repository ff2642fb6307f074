// The report of compare: per level and for the whole chain, PSNR and the
// largest error of each channel compared, as a table or one JSON document.
#pragma once

#include <string>
#include <vector>

#include "quality.h"

struct LevelResult {
    uint32_t width = 0;
    uint32_t height = 0;
    ErrorMeasure error;
};

struct ComparisonReport {
    std::string sourcePath;
    uint32_t sourceWidth = 0;
    uint32_t sourceHeight = 0;
    std::string texturePath;
    std::string typeName;
    ChannelSet channels;
    std::vector<LevelResult> levels;
    ErrorMeasure chain;  // every level's values together
    bool hasMinPsnr = false;
    double minPsnr = 0.0;
    std::vector<uint32_t> levelsBelow;  // levels whose PSNR is below minPsnr
};

std::string CompareText(const ComparisonReport& report);
std::string CompareJson(const ComparisonReport& report);
