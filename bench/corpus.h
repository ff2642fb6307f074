// The pictures a benchmark run goes over.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct CorpusEntry {
    std::string name;  // short name for the table and the CSV
    std::string path;  // a PNG file
};

// Every PNG under folder and its subfolders, sorted by path; nothing when
// the folder does not exist.
std::vector<CorpusEntry> ListPngFiles(const std::string& folder);
