#pragma once
// The commands of quorvel-calc. Each command file adds its subcommand to the app and
// records the action to run when that subcommand was chosen.
#include <CLI/CLI.hpp>
#include <functional>

namespace qv::cli {

// Exit status of a command: 0 success, 1 bad input, 2 usage error.
enum ExitCode { kSuccess = 0, kBadInput = 1, kUsage = 2 };

class CommandRegistry {
public:
    // Adds a subcommand whose action runs when it was chosen on the command line.
    CLI::App* Add(CLI::App& app, const std::string& name, const std::string& description,
                  std::function<int()> action);
    // Runs the action of the chosen subcommand.
    int Run() const;

private:
    struct Entry {
        CLI::App* command;
        std::function<int()> action;
    };
    std::vector<Entry> m_entries;
};

// Adds every command of the runner.
void RegisterCommands(CLI::App& app, CommandRegistry& registry);

} // namespace qv::cli
