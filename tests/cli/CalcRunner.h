#pragma once
// Runs the quorvel-calc built beside the tests and captures what it prints.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace qv::test {

// Exit status and standard output of a shell command line; -1 when it did not exit.
inline std::pair<int, std::string> RunShell(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (size_t n; pipe != nullptr && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

// The text as one single-quoted shell word.
inline std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Exit status and the standard output followed by the standard error.
inline std::pair<int, std::string> RunCalc(const std::string& arguments) {
    return RunShell(std::string(QV_CALC_PATH) + " " + arguments + " 2>&1");
}

// Exit status and the standard output alone, each argument passed as it is.
inline std::pair<int, std::string> RunCalcQuoted(const std::vector<std::string>& arguments) {
    std::string command = QV_CALC_PATH;
    for (const std::string& argument : arguments) {
        command += " " + ShellQuoted(argument);
    }
    return RunShell(command + " 2>/dev/null");
}

// The one JSON object printed by a successful run with --json (warnings on the standard
// error left out).
inline nlohmann::json RunCalcJson(const std::string& arguments) {
    const auto [status, out] =
        RunShell(std::string(QV_CALC_PATH) + " " + arguments + " --json 2>/dev/null");
    EXPECT_EQ(status, 0) << out;
    return nlohmann::json::parse(out, nullptr, false);
}

} // namespace qv::test
