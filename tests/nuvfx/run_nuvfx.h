// Runs the nuvfx command in-process and keeps what it printed.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tools/nuvfx/nuvfx_command.h"

namespace nuv::testing {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline Outcome Nuvfx(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = nuvfx::RunNuvfx(std::move(args), out, err);
    return {status, out.str(), err.str()};
}

// Status 2 and one line on the error output naming `message`.
inline void ExpectFailure(const Outcome& r, const std::string& message) {
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
}

// The lines of a text, without their newlines.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace nuv::testing
