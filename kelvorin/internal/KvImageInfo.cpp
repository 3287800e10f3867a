#include "KvImageInfo.h"

#include <cstdint>
#include <cstdlib>

namespace kv_detail {

namespace {

std::uint32_t BigEndian(std::string_view bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int k = 0; k < count; ++k) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + k]);
    }
    return value;
}

std::uint32_t LittleEndian(std::string_view bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int k = count - 1; k >= 0; --k) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + k]);
    }
    return value;
}

bool Png(std::string_view bytes, ImageInfo& info) {
    // Signature, then the IHDR chunk: length, type, width, height (big-endian).
    if (bytes.size() < 24 || bytes.substr(0, 8) != "\x89PNG\r\n\x1A\n" ||
        bytes.substr(12, 4) != "IHDR") {
        return false;
    }
    info = {"png", "image/png", static_cast<int>(BigEndian(bytes, 16, 4) & 0x7FFFFFFF),
            static_cast<int>(BigEndian(bytes, 20, 4) & 0x7FFFFFFF)};
    return true;
}

bool Jpeg(std::string_view bytes, ImageInfo& info) {
    if (bytes.size() < 4 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
        static_cast<unsigned char>(bytes[1]) != 0xD8) {
        return false;
    }
    // Walk the marker segments to the first start-of-frame (C0..CF except the table
    // markers C4, C8 and CC), which holds height and width.
    std::size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) != 0xFF) {
            return false;
        }
        const auto marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker == 0xFF) {
            ++at; // fill byte
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2; // markers without a segment
            continue;
        }
        const std::uint32_t length = BigEndian(bytes, at + 2, 2);
        if (length < 2) {
            return false;
        }
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > bytes.size()) {
                return false;
            }
            info = {"jpeg", "image/jpeg", static_cast<int>(BigEndian(bytes, at + 7, 2)),
                    static_cast<int>(BigEndian(bytes, at + 5, 2))};
            return true;
        }
        at += 2 + length;
    }
    return false;
}

bool Bmp(std::string_view bytes, ImageInfo& info) {
    if (bytes.size() < 26 || bytes.substr(0, 2) != "BM") {
        return false;
    }
    const std::uint32_t headerSize = LittleEndian(bytes, 14, 4);
    int width = 0;
    int height = 0;
    if (headerSize == 12) { // the old core header: 16-bit sizes
        width = static_cast<int>(LittleEndian(bytes, 18, 2));
        height = static_cast<int>(LittleEndian(bytes, 20, 2));
    } else {
        // Signed 32-bit sizes; a negative height means the rows run top-down.
        width = static_cast<std::int32_t>(LittleEndian(bytes, 18, 4));
        const auto signedHeight = static_cast<std::int32_t>(LittleEndian(bytes, 22, 4));
        height = signedHeight == INT32_MIN ? 0 : std::abs(signedHeight);
    }
    info = {"bmp", "image/bmp", width, height};
    return true;
}

} // namespace

bool ReadImageInfo(std::string_view bytes, ImageInfo& info) {
    const bool known = Png(bytes, info) || Jpeg(bytes, info) || Bmp(bytes, info);
    return known && info.width > 0 && info.height > 0;
}

} // namespace kv_detail
