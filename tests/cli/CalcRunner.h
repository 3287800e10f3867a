#pragma once
// Runs the quorvel-calc built beside the tests and captures what it prints.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <utility>

namespace qv::test {

// Exit status and the standard output followed by the standard error.
inline std::pair<int, std::string> RunCalc(const std::string& arguments) {
    FILE* pipe = popen((std::string(QV_CALC_PATH) + " " + arguments + " 2>&1").c_str(), "r");
    std::string out;
    char buffer[4096];
    for (size_t n; pipe != nullptr && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

// The one JSON object printed by a successful run with --json.
inline nlohmann::json RunCalcJson(const std::string& arguments) {
    const auto [status, out] = RunCalc(arguments + " --json");
    EXPECT_EQ(status, 0) << out;
    return nlohmann::json::parse(out, nullptr, false);
}

} // namespace qv::test
