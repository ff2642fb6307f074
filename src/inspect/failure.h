// A subcommand's failure: the file concerned and what went wrong with it,
// shown on one line as "file: reason".
#pragma once

#include <stdexcept>
#include <string>

class Failure : public std::runtime_error {
  public:
    Failure(const std::string& file, const std::string& reason)
        : std::runtime_error(file + ": " + reason), m_reason(reason) {}

    const std::string& Reason() const { return m_reason; }

  private:
    std::string m_reason;
};
