#include <kelvorin/KvMessage.h>

#include <iostream>
#include <mutex>

namespace {

std::mutex& HandlerMutex() {
    static std::mutex mutex;
    return mutex;
}

KvMessageHandler& MessageHandler() {
    static KvMessageHandler handler;
    return handler;
}

KvProgressHandler& ProgressHandler() {
    static KvProgressHandler handler;
    return handler;
}

} // namespace

KvMessageAnswer KvMessageSink::DefaultAnswer(KvMessageButtons buttons) {
    switch (buttons) {
    case KvMessageButtons::YesNo:
    case KvMessageButtons::YesNoCancel:
        return KvMessageAnswer::Yes;
    case KvMessageButtons::Ok:
    case KvMessageButtons::OkCancel:
        break;
    }
    return KvMessageAnswer::Ok;
}

KvMessageAnswer KvMessageSink::Show(const KvMessage& message) {
    KvMessageHandler handler;
    {
        std::lock_guard lock(HandlerMutex());
        handler = MessageHandler();
    }
    if (handler) {
        return handler(message);
    }
    std::cerr << message.caption << ": " << message.text << std::endl;
    return DefaultAnswer(message.buttons);
}

KvMessageAnswer KvMessageSink::Show(const std::string& text, const std::string& caption,
                                    KvMessageIcon icon, KvMessageButtons buttons) {
    return Show(KvMessage{text, caption, icon, buttons});
}

KvMessageHandler KvMessageSink::Install(KvMessageHandler handler) {
    std::lock_guard lock(HandlerMutex());
    KvMessageHandler previous = std::move(MessageHandler());
    MessageHandler() = std::move(handler);
    return previous;
}

void KvProgressSink::Report(const std::string& text, int position, int range) {
    KvProgressHandler handler;
    {
        std::lock_guard lock(HandlerMutex());
        handler = ProgressHandler();
    }
    if (handler) {
        handler(text, position, range);
    }
}

KvProgressHandler KvProgressSink::Install(KvProgressHandler handler) {
    std::lock_guard lock(HandlerMutex());
    KvProgressHandler previous = std::move(ProgressHandler());
    ProgressHandler() = std::move(handler);
    return previous;
}
