#pragma once
// The measured data and zones of a document, kept in a file beside it ("NAME.hdw" has
// "NAME.hdw.data") so the document file itself stays as every version of the program reads it.
// A document without data has no such file.
//
// The file is UTF-8 text, one item a line, numbers written in full precision with a decimal
// point whatever the locale:
//   humidraw-data 1
//   set VISIBLE DENSITY RRGGBB COUNT TIMES     (VISIBLE, DENSITY, TIMES 0 or 1)
//   name NAME
//   DB x [TIME]                                (COUNT lines; °C, kg/kg(DA))
//   zone FILLED RRGGBB
//   name NAME
//   range PROPERTY LOW HIGH                    (a bound or "-" for none; zone units)
//   end
#include <optional>
#include <string>

#include "data/overlay.h"
#include "result/result.h"

namespace humidraw {

std::string companionPath(const std::string& documentPath);

std::string companionText(const MeasuredData& data);
// The data of a companion file's text; a failure naming the line when it is damaged.
Result<MeasuredData> parseCompanion(const std::string& text);

// Writes the companion of `documentPath` with the safe replacement documents have, or removes
// it when there is no data. A failure with the reason when the file cannot be written.
Status saveCompanion(const std::string& documentPath, const MeasuredData& data);
// The data beside `documentPath`: none when there is no companion file.
Result<std::optional<MeasuredData>> loadCompanion(const std::string& documentPath);

}  // namespace humidraw
