#pragma once
// Message and progress sinks: library and core code that must show a message box or
// report the progress of a long loop call these; the program installs the handlers
// (the GUI a message box and its status bar, the CLI stderr, tests a recorder).
#include <kelvorin/KvExport.h>

#include <functional>
#include <string>

enum class KvMessageIcon { None, Information, Warning, Error, Question };
enum class KvMessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class KvMessageAnswer { Ok, Cancel, Yes, No };

struct KV_API KvMessage {
    std::string text;
    std::string caption = "Varsolin";
    KvMessageIcon icon = KvMessageIcon::Information;
    KvMessageButtons buttons = KvMessageButtons::Ok;
};

using KvMessageHandler = std::function<KvMessageAnswer(const KvMessage&)>;

class KV_API KvMessageSink {
public:
    // Shows the message through the installed handler and returns its answer.
    static KvMessageAnswer Show(const KvMessage& message);
    static KvMessageAnswer Show(const std::string& text, const std::string& caption = "Varsolin",
                                KvMessageIcon icon = KvMessageIcon::Information,
                                KvMessageButtons buttons = KvMessageButtons::Ok);
    // Installs a handler and returns the previous one; an empty handler restores the
    // default, which writes "caption: text" to stderr and answers with the first button
    // (Ok or Yes).
    static KvMessageHandler Install(KvMessageHandler handler);
    static KvMessageAnswer DefaultAnswer(KvMessageButtons buttons);
};

// Progress of a long loop: a status text, the position and the range; a position of -1
// closes the display.
using KvProgressHandler = std::function<void(const std::string& text, int position, int range)>;

class KV_API KvProgressSink {
public:
    static void Report(const std::string& text, int position, int range);
    static void Close() { Report(std::string(), -1, 0); }
    // Installs a handler and returns the previous one; the default does nothing.
    static KvProgressHandler Install(KvProgressHandler handler);
};

// Installs handlers for one scope and restores the previous ones after it.
class KV_API KvScopedMessageHandler {
public:
    explicit KvScopedMessageHandler(KvMessageHandler handler)
        : m_previous(KvMessageSink::Install(std::move(handler))) {}
    ~KvScopedMessageHandler() { KvMessageSink::Install(std::move(m_previous)); }
    KvScopedMessageHandler(const KvScopedMessageHandler&) = delete;
    KvScopedMessageHandler& operator=(const KvScopedMessageHandler&) = delete;

private:
    KvMessageHandler m_previous;
};

class KV_API KvScopedProgressHandler {
public:
    explicit KvScopedProgressHandler(KvProgressHandler handler)
        : m_previous(KvProgressSink::Install(std::move(handler))) {}
    ~KvScopedProgressHandler() { KvProgressSink::Install(std::move(m_previous)); }
    KvScopedProgressHandler(const KvScopedProgressHandler&) = delete;
    KvScopedProgressHandler& operator=(const KvScopedProgressHandler&) = delete;

private:
    KvProgressHandler m_previous;
};
