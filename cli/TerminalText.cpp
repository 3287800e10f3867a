#include "cli/TerminalText.h"

namespace qv::cli {

bool ControlEscapingBuffer::Put(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 0x20 && byte != 0x7f) || c == '\n' || c == '\t') {
        return m_target->sputc(c) != traits_type::eof();
    }
    static const char kDigits[] = "0123456789ABCDEF";
    const char escaped[] = {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 15]};
    return m_target->sputn(escaped, 4) == 4;
}

ControlEscapingBuffer::int_type ControlEscapingBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    return Put(traits_type::to_char_type(c)) ? c : traits_type::eof();
}

std::streamsize ControlEscapingBuffer::xsputn(const char* text, std::streamsize count) {
    for (std::streamsize i = 0; i < count; ++i) {
        if (!Put(text[i])) {
            return i;
        }
    }
    return count;
}

} // namespace qv::cli
