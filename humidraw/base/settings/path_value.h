#pragma once
// File and folder names in the settings file. A name is any string of bytes but NUL; the
// settings file is CP932 text whose values lose their surrounding blanks and quotes. A name the
// plain form keeps exactly is written as it is (as earlier versions wrote every name); any other
// (bytes that are not UTF-8, characters outside CP932, blanks or quotes at its ends, control
// characters) is written as "file://" and the name's bytes, those outside a path's plain ASCII
// characters as %XX. A value without that prefix is read as before.
#include <optional>
#include <string>

#include "settings/ini_file.h"

namespace humidraw {

// The value that stands for `path` in the settings file.
std::string pathSettingValue(const std::string& path);
// The name a stored value stands for; nothing for a "file://" value with a bad escape or a NUL.
std::optional<std::string> pathFromSettingValue(const std::string& value);

// A name kept under section/key: `fallback` when it is missing, empty or cannot be read.
std::string readPathSetting(const IniFile& ini, const std::string& section, const std::string& key,
                            const std::string& fallback);
Status writePathSetting(IniFile& ini, const std::string& section, const std::string& key,
                      const std::string& path);

}  // namespace humidraw
