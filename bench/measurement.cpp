#include "measurement.h"

#include <algorithm>
#include <limits>

double MegapixelsPerSecond(uint64_t pixels, double seconds) {
    return seconds > 0.0 ? double(pixels) / seconds / 1e6 : 0.0;
}

void Totals::Add(const Measurement& measurement) {
    if (note.empty()) {
        note = measurement.note;
    }
    if (measurement.status == Status::Failed) {
        anyFailed = true;
    }
    if (measurement.status != Status::Ok) {
        return;
    }
    anyOk = true;
    ++pictures;
    encodePixels += measurement.pixels;
    encodeSeconds += measurement.encodeSeconds;
    if (measurement.allCoresRuns > 0) {
        allCoresPixels += measurement.pixels;
        allCoresSeconds += measurement.allCoresSeconds;
    }
    if (measurement.commandRuns > 0) {
        commandPixels += measurement.pixels;
        commandSeconds += measurement.commandSeconds;
        peakKb = std::max(peakKb, measurement.peakKb);
    }
    if (measurement.decoded) {
        ++decodedPictures;
        psnrSum += std::min(Psnr(measurement.error), LOSSLESS_PSNR);
    }
}

Status Totals::Summary() const {
    if (anyOk) {
        return Status::Ok;
    }
    return anyFailed ? Status::Failed : Status::NotAvailable;
}

double Totals::MeanPsnr() const {
    if (decodedPictures == 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return psnrSum / double(decodedPictures);
}
