#include "document_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "json.h"
#include "settings/settings.h"

using namespace humidraw;

namespace humidraw_cli {
namespace {

void field(std::string& out, const char* name, const std::string& value, bool last = false) {
    out += "\"" + std::string(name) + "\": " + value + (last ? "" : ", ");
}

std::string flag(bool v) {
    return v ? "true" : "false";
}
std::string integer(int32_t v) {
    return std::to_string(v);
}

}  // namespace

std::string documentToJson(const DocumentContents& d) {
    std::string out = "{\"header\": ";
    if (!d.header) {
        out += "null";
    } else {
        const DocumentHeader& h = *d.header;
        out += "{";
        field(out, "format", integer(h.format));
        field(out, "CSpa", jsonNumber(h.pressureMmHg));
        field(out, "CSdbmin", jsonNumber(h.dbMin));
        field(out, "CSdbmax", jsonNumber(h.dbMax));
        field(out, "CSFontSize", integer(h.fontSize));
        field(out, "CSFontName", jsonString(h.fontName));
        for (int i = 0; i < kViewFlagCount; ++i) field(out, kViewFlagKeys[i], flag(h.view[i]));
        field(out, "SiUnit", flag(h.si));
        field(out, "ColorCB", integer(h.colourItem));
        field(out, "LineWidth", integer(h.widthItem));
        field(out, "LineStyle", integer(h.styleItem));
        field(out, "zoom", jsonNumber(h.zoom));
        field(out, "PBoxHeight", jsonNumber(h.boxHeight));
        field(out, "PBoxWidth", jsonNumber(h.boxWidth));
        field(out, "HorzScroll", integer(h.horzScroll));
        field(out, "VertScroll", integer(h.vertScroll), true);
        out += "}";
    }
    out += ",\n \"records\": [";
    bool first = true;
    for (const ObjectRecord& r : d.records) {
        out += first ? "\n  {" : ",\n  {";
        first = false;
        field(out, "kind", integer(r.kind));
        field(out, "colour", integer(r.colour));
        field(out, "width", integer(r.width));
        field(out, "style", integer(r.style));
        field(out, "h1", jsonNumber(r.h1));
        field(out, "x1", jsonNumber(r.x1));
        field(out, "h2", jsonNumber(r.h2));
        field(out, "x2", jsonNumber(r.x2));
        field(out, "reserved1", jsonNumber(r.reserved));
        field(out, "label_position", integer(r.labelPosition));
        field(out, "reserved2", integer(r.reserved2));
        field(out, "text", jsonString(r.text), true);
        out += "}";
    }
    out += "\n]}\n";
    return out;
}

namespace {

// Reads typed members of one JSON object, naming the first problem.
class Fields {
  public:
    Fields(const QJsonObject& o, std::string where) : o_(o), where_(std::move(where)) {}
    bool number(const char* name, double& out) {
        const QJsonValue v = o_.value(name);
        if (!v.isDouble() || !std::isfinite(v.toDouble())) return fail(name, "a finite number");
        out = v.toDouble();
        return true;
    }
    bool int32(const char* name, int32_t& out) {
        const QJsonValue v = o_.value(name);
        const double d = v.toDouble();
        if (!v.isDouble() || d != std::trunc(d) || d < -2147483648.0 || d > 2147483647.0)
            return fail(name, "a whole number within 32 bits");
        out = static_cast<int32_t>(d);
        return true;
    }
    bool boolean(const char* name, bool& out) {
        const QJsonValue v = o_.value(name);
        if (!v.isBool()) return fail(name, "true or false");
        out = v.toBool();
        return true;
    }
    bool text(const char* name, std::string& out) {
        const QJsonValue v = o_.value(name);
        if (!v.isString()) return fail(name, "a string");
        out = v.toString().toStdString();
        return true;
    }
    std::string error;

  private:
    bool fail(const char* name, const char* expected) {
        error = where_ + ": \"" + name + "\" must be " + expected;
        return false;
    }
    const QJsonObject& o_;
    std::string where_;
};

bool readHeader(const QJsonObject& o, DocumentHeader& h, std::string& error) {
    Fields f(o, "header");
    bool ok = f.int32("format", h.format) && f.number("CSpa", h.pressureMmHg) &&
              f.number("CSdbmin", h.dbMin) && f.number("CSdbmax", h.dbMax) &&
              f.int32("CSFontSize", h.fontSize) && f.text("CSFontName", h.fontName);
    for (int i = 0; ok && i < kViewFlagCount; ++i) ok = f.boolean(kViewFlagKeys[i], h.view[i]);
    ok = ok && f.boolean("SiUnit", h.si) && f.int32("ColorCB", h.colourItem) &&
         f.int32("LineWidth", h.widthItem) && f.int32("LineStyle", h.styleItem) &&
         f.number("zoom", h.zoom) && f.number("PBoxHeight", h.boxHeight) &&
         f.number("PBoxWidth", h.boxWidth) && f.int32("HorzScroll", h.horzScroll) &&
         f.int32("VertScroll", h.vertScroll);
    if (ok && h.format <= 100) {
        f.error = "header: \"format\" must be above 100 (a header-less file has \"header\": null)";
        ok = false;
    }
    error = f.error;
    return ok;
}

bool readRecord(const QJsonObject& o, int index, ObjectRecord& r, std::string& error) {
    Fields f(o, "record " + std::to_string(index));
    const bool ok = f.int32("kind", r.kind) && f.int32("colour", r.colour) &&
                    f.int32("width", r.width) && f.int32("style", r.style) &&
                    f.number("h1", r.h1) && f.number("x1", r.x1) && f.number("h2", r.h2) &&
                    f.number("x2", r.x2) && f.number("reserved1", r.reserved) &&
                    f.int32("label_position", r.labelPosition) &&
                    f.int32("reserved2", r.reserved2) && f.text("text", r.text);
    if (ok && (r.kind <= 0 || r.kind == kDeleted)) {
        error = "record " + std::to_string(index) + ": \"kind\" " + std::to_string(r.kind) +
                " cannot be stored (0 or less ends a table, 100 marks an erased object)";
        return false;
    }
    error = f.error;
    return ok;
}

}  // namespace

std::optional<DocumentContents> documentFromJson(const std::string& json, std::string& error) {
    QJsonParseError parse;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray(json.data(), static_cast<int>(json.size())), &parse);
    if (parse.error != QJsonParseError::NoError) {
        error = "not valid JSON at character " + std::to_string(parse.offset) + ": " +
                parse.errorString().toStdString();
        return std::nullopt;
    }
    if (!doc.isObject()) {
        error = "the JSON must be an object with \"header\" and \"records\"";
        return std::nullopt;
    }
    const QJsonObject root = doc.object();
    DocumentContents d;
    const QJsonValue header = root.value("header");
    if (header.isObject()) {
        DocumentHeader h;
        if (!readHeader(header.toObject(), h, error)) return std::nullopt;
        d.header = h;
    } else if (!header.isNull()) {
        error = "\"header\" must be an object or null";
        return std::nullopt;
    }
    const QJsonValue records = root.value("records");
    if (!records.isArray()) {
        error = "\"records\" must be an array";
        return std::nullopt;
    }
    const QJsonArray list = records.toArray();
    if (list.size() > ObjectTable::kCapacity) {
        error = "at most " + std::to_string(ObjectTable::kCapacity) +
                " records fit in a document, not " + std::to_string(list.size());
        return std::nullopt;
    }
    for (int i = 0; i < list.size(); ++i) {
        if (!list[i].isObject()) {
            error = "record " + std::to_string(i) + " must be an object";
            return std::nullopt;
        }
        ObjectRecord r;
        if (!readRecord(list[i].toObject(), i, r, error)) return std::nullopt;
        d.records.push_back(std::move(r));
    }
    return d;
}

}  // namespace humidraw_cli
