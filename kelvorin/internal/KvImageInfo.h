#pragma once
// The kind and pixel size of a picture file, read from its header: PNG, JPEG and BMP.
#include <string>
#include <string_view>

namespace kv_detail {

struct ImageInfo {
    std::string extension;   // "png", "jpeg" or "bmp"
    std::string contentType; // its media type
    int width = 0;           // pixels
    int height = 0;
};

// False when the bytes are none of the three kinds or give no positive size.
bool ReadImageInfo(std::string_view bytes, ImageInfo& info);

} // namespace kv_detail
