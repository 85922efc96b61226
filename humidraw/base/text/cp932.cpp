#include "text/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace humidraw {
namespace {

std::optional<std::string> convert(std::string_view in, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    std::vector<char> buf(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = buf.data();
        size_t dstLeft = buf.size();
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf.data(), dst);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            ok = false;  // EILSEQ: not valid; EINVAL: cut short
            break;
        }
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

}  // namespace

std::optional<std::string> cp932ToUtf8(std::string_view bytes) {
    return convert(bytes, "UTF-8", "CP932");
}

std::optional<std::string> utf8ToCp932(std::string_view text) {
    return convert(text, "CP932", "UTF-8");
}

std::string cutCp932(std::string_view bytes, size_t limit) {
    size_t i = 0;
    while (i < bytes.size()) {
        const size_t len = isLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + len > limit) break;
        i += len;
    }
    return std::string(bytes.substr(0, std::min(i, bytes.size())));
}

}  // namespace humidraw
