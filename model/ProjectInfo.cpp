#include "model/ProjectInfo.h"

#include <ctime>

namespace qv {
namespace {

constexpr size_t kLineLimit = 200;
constexpr size_t kDescriptionLimit = 2000;

// Length of the UTF-8 sequence starting at text[i], 0 when it is not a valid one.
size_t SequenceLength(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    unsigned int codePoint = 0;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0u) != 0x80u) {
            return 0;
        }
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3Fu);
    }
    const bool overlong =
        (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (overlong || surrogate || codePoint > 0x10FFFF) {
        return 0;
    }
    return length;
}

} // namespace

bool ProjectInfo::Empty() const {
    return *this == ProjectInfo();
}

bool operator==(const ProjectInfo& a, const ProjectInfo& b) {
    return a.name == b.name && a.client == b.client && a.designUnit == b.designUnit &&
           a.designer == b.designer && a.checker == b.checker && a.reviewer == b.reviewer &&
           a.date == b.date && a.description == b.description;
}

const std::vector<ProjectInfoField>& ProjectInfoFields() {
    static const std::vector<ProjectInfoField> fields{
        {"工程名称", &ProjectInfo::name, false, kLineLimit},
        {"建设单位", &ProjectInfo::client, false, kLineLimit},
        {"设计单位", &ProjectInfo::designUnit, false, kLineLimit},
        {"设计者", &ProjectInfo::designer, false, kLineLimit},
        {"校对", &ProjectInfo::checker, false, kLineLimit},
        {"审核", &ProjectInfo::reviewer, false, kLineLimit},
        {"日期", &ProjectInfo::date, false, kLineLimit},
        {"描述", &ProjectInfo::description, true, kDescriptionLimit},
    };
    return fields;
}

const ProjectInfoField* FindProjectInfoField(std::string_view key) {
    for (const ProjectInfoField& field : ProjectInfoFields()) {
        if (key == field.key) {
            return &field;
        }
    }
    return nullptr;
}

std::string CleanInfoText(std::string_view text, bool multiline, size_t limit) {
    std::string out;
    out.reserve(text.size());
    size_t kept = 0;
    for (size_t i = 0; i < text.size() && kept < limit;) {
        const size_t length = SequenceLength(text, i);
        if (length == 0) {
            out += '?';
            ++kept;
            ++i;
            continue;
        }
        const char c = text[i];
        if (length == 1 && (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)) {
            if (c == '\t') {
                out += ' ';
                ++kept;
            } else if (c == '\n' && multiline) {
                out += '\n';
                ++kept;
            }
            ++i;
            continue;
        }
        out.append(text.substr(i, length));
        ++kept;
        i += length;
    }
    return out;
}

size_t InfoTextLength(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++count) {
        const size_t length = SequenceLength(text, i);
        i += length == 0 ? 1 : length;
    }
    return count;
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

} // namespace qv
