#pragma once
// Names shown to the user: a file name is any bytes, but a terminal or a menu must get text.
// Control characters (which a terminal would take as commands) and bytes that are not UTF-8
// become visible escapes; the rest passes unchanged.
#include <string>
#include <string_view>

namespace humidraw {

// `bytes` as valid UTF-8 with C0 and C1 controls and DEL as "\xNN" (their code) and each byte
// of a broken UTF-8 sequence as "\xNN"; with `keepLineBreaks`, '\n' and '\t' pass as they are.
std::string visibleText(std::string_view bytes, bool keepLineBreaks = false);

// The length of the valid UTF-8 sequence at the start of `s` (0 when there is none).
size_t utf8SequenceLength(std::string_view s);

}  // namespace humidraw
