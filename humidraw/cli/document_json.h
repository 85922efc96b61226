#pragma once
// Documents as JSON, for `dump` and `pack`.
#include <optional>
#include <string>

#include "document/document_file.h"

namespace humidraw_cli {

std::string documentToJson(const humidraw::DocumentContents& d);
// Fails with a message naming the field when the JSON is malformed or a value out of range.
std::optional<humidraw::DocumentContents> documentFromJson(const std::string& json,
                                                           std::string& error);

}  // namespace humidraw_cli
