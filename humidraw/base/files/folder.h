#pragma once
// The folder part of a file name.
#include <string>

namespace humidraw {

// The folder of a file, without a trailing '/' (except for the root); "." for a bare name.
std::string folderOf(const std::string& path);

}  // namespace humidraw
