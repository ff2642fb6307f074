// Wall-clock timing of repeated runs.
#pragma once

#include <functional>
#include <vector>

double NowSeconds();

// How long to keep repeating a measurement: stop after maxRuns runs or as
// soon as the runs together have taken budgetSeconds. The first run is a
// warm-up and not counted, unless it alone took the whole budget, in which
// case it is the only sample (slow encoders are not repeated).
struct RepeatPolicy {
    double budgetSeconds = 1.0;
    int maxRuns = 7;
};

// Runs run() under the policy and returns the seconds of each counted run.
// Stops early and returns what it has when run() reports failure.
std::vector<double> TimeRepeatedly(const RepeatPolicy& policy, const std::function<bool()>& run,
                                   bool* ok);

double Median(std::vector<double> samples);
