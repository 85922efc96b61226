#pragma once
// Code page 932 (Windows Japanese) at the boundary: text is UTF-8 inside the program and CP932
// in the settings file and in documents. Bytes that are not CP932, or text CP932 cannot hold,
// are reported, never passed on half-converted.
#include <optional>
#include <string>
#include <string_view>

namespace humidraw {

std::optional<std::string> cp932ToUtf8(std::string_view bytes);
std::optional<std::string> utf8ToCp932(std::string_view text);

// `bytes` cut to at most `limit` bytes without splitting a double-byte character.
std::string cutCp932(std::string_view bytes, size_t limit);

}  // namespace humidraw
