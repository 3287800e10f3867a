#pragma once
// The runner's text output made safe for a terminal: a name read from a file may hold
// control characters (an escape sequence would recolour or rewrite the user's terminal,
// a carriage return overwrite the line). They are shown as "\xNN" instead; tab and line
// feed, the output's own separators, pass.
#include <ostream>
#include <streambuf>

namespace qv::cli {

class ControlEscapingBuffer : public std::streambuf {
public:
    explicit ControlEscapingBuffer(std::streambuf* target) : m_target(target) {}

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override { return m_target->pubsync(); }

private:
    bool Put(char c);

    std::streambuf* m_target;
};

// Puts the escaping buffer in front of a stream's buffer for the scope.
class EscapeControlCharacters {
public:
    explicit EscapeControlCharacters(std::ostream& stream)
        : m_stream(stream), m_buffer(stream.rdbuf()), m_previous(stream.rdbuf(&m_buffer)) {}
    ~EscapeControlCharacters() {
        m_stream.flush();
        m_stream.rdbuf(m_previous);
    }
    EscapeControlCharacters(const EscapeControlCharacters&) = delete;
    EscapeControlCharacters& operator=(const EscapeControlCharacters&) = delete;

private:
    std::ostream& m_stream;
    ControlEscapingBuffer m_buffer;
    std::streambuf* m_previous;
};

} // namespace qv::cli
