// quorvel-calc: the headless calculation runner.
#include "cli/Commands.h"
#include "cli/TerminalText.h"

#include <kelvorin/KvMessage.h>

#include <CLI/CLI.hpp>
#include <iostream>

int main(int argc, char** argv) {
    // Names from files reach both streams; no control character of theirs reaches the
    // terminal.
    const qv::cli::EscapeControlCharacters safeOut(std::cout);
    const qv::cli::EscapeControlCharacters safeErr(std::cerr);
    // Library messages go to stderr; a headless run never waits for an answer.
    KvMessageSink::Install([](const KvMessage& message) {
        std::cerr << message.caption << ": " << message.text << '\n';
        return KvMessageSink::DefaultAnswer(message.buttons);
    });

    CLI::App app{"quorvel-calc: recalculates saved Quorvel projects and writes calculation "
                 "books without the GUI."};
    app.set_version_flag("--version", std::string("quorvel-calc ") + QV_VERSION);
    app.require_subcommand(0, 1);

    qv::cli::CommandRegistry registry;
    qv::cli::RegisterCommands(app, registry);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2; // usage error
    }
    if (app.get_subcommands().empty()) {
        std::cout << app.help();
        return 0;
    }
    return registry.Run();
}
