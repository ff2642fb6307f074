#include "stopwatch.h"

#include <algorithm>
#include <chrono>

double NowSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::vector<double> TimeRepeatedly(const RepeatPolicy& policy, const std::function<bool()>& run,
                                   bool* ok) {
    std::vector<double> samples;
    double start = NowSeconds();
    *ok = run();
    const double warmUp = NowSeconds() - start;
    if (!*ok) {
        return samples;
    }
    double spent = 0.0;
    if (warmUp >= policy.budgetSeconds / 4) {
        samples.push_back(warmUp);
        spent = warmUp;
    }
    while (int(samples.size()) < policy.maxRuns && spent < policy.budgetSeconds) {
        start = NowSeconds();
        *ok = run();
        const double seconds = NowSeconds() - start;
        if (!*ok) {
            return samples;
        }
        samples.push_back(seconds);
        spent += seconds;
    }
    return samples;
}

double Median(std::vector<double> samples) {
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    if (samples.size() % 2 == 1) {
        return samples[middle];
    }
    return (samples[middle - 1] + samples[middle]) / 2.0;
}
