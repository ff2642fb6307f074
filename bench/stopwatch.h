// Wall-clock timing of repeated runs.
#pragma once

#include <functional>
#include <vector>

double NowSeconds();

// How long to keep repeating a measurement: stop after maxRuns runs or as
// soon as the counted runs together have taken budgetSeconds. The first run
// is a warm-up and not counted when it is quick (under a quarter of the
// budget); a slower one counts, since warming up is lost in its length, so
// a run that takes the whole budget is made only once.
struct RepeatPolicy {
    double budgetSeconds = 1.0;
    int maxRuns = 7;
};

// Runs run() under the policy and returns the seconds of each counted run.
// Stops early and returns what it has when run() reports failure.
std::vector<double> TimeRepeatedly(const RepeatPolicy& policy, const std::function<bool()>& run,
                                   bool* ok);

double Median(std::vector<double> samples);
