#include "coil/report_table.h"

#include "document/object_table.h"
#include "moistek_internal/air_constants.h"
#include "lang/language.h"
#include "text/number_format.h"

namespace humidraw::coil {
namespace {

using Row = std::vector<std::string>;

constexpr const char* kNoCoil =
    HUMIDRAW_TEXT_NOOP("Coil", "導入外気量が0のため混合空気がなく、計算しません");

// A heat flow in kcal/h: beside its kW in engineering units, in kW alone with SI units.
Row load(const char* label, double kcalPerHour, bool si) {
    const std::string kw = formatFixed(kcalPerHour / kKcalHPerKW, 2);
    if (si) return {translate("Coil", label), kw, "kW"};
    return {translate("Coil", label), formatFixed(kcalPerHour, 0), "kcal/h", kw, "kW"};
}

// An air volume (m³/h) beside the mass flow of its dry air (kg/h).
Row flow(const char* label, double volume, double dryAir) {
    return {translate("Coil", label), formatFixed(volume, 0), "m³/h", formatFixed(dryAir, 0),
            "kg/h"};
}

// Beside the flows when the chart is not at 760 mmHg: the supply air's density at the site; the
// mass flows above keep the 1.2 kg/m³ the loads are reckoned with.
void siteDensityRow(std::vector<Row>& r, const std::optional<double>& density) {
    if (!density) return;
    r.push_back({translate("Coil", "給気の空気密度(現地の大気圧)"), formatFixed(*density, 3),
                 "kg/m³", translate("Coil", "質量流量は 1.2 kg/m³ で換算")});
}

// The value-table rows as the chart draws them: split at the commas, h in kJ/kg with SI units.
ReportSection states(const CoilRun& run, bool si) {
    ReportSection s{translate("Coil", "状態値"), {}};
    s.rows.push_back({"", "DB[℃]", "RH[%]", "WB[℃]", si ? "h[kJ/kg]" : "h[kcal/kg]", "x[kg/kg']"});
    for (const ObjectRecord& o : run.objects) {
        if (o.kind != kTableRow || o.text == " ") continue;
        Row cells;
        size_t start = 0;
        for (size_t comma; (comma = o.text.find(',', start)) != std::string::npos;
             start = comma + 1)
            cells.push_back(o.text.substr(start, comma - start));
        cells.push_back(o.text.substr(start));
        if (si && cells.size() > 4)
            if (const auto kcal = parseDecimal(cells[4]))
                cells[4] = formatFixed(*kcal * kKJPerKcal, 1);
        s.rows.push_back(cells);
    }
    return s;
}

ReportSection cooling(const CoolingReport& c, bool si) {
    ReportSection s{translate("Coil", "冷房時"), {}};
    auto& r = s.rows;
    r.push_back(flow(HUMIDRAW_TEXT_NOOP("Coil", "給気風量"), c.supplyVolume, c.dryAir));
    r.push_back(flow(HUMIDRAW_TEXT_NOOP("Coil", "導入外気量"), c.outdoorVolume, c.outdoorDryAir));
    siteDensityRow(r, c.siteDensity);
    r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "室内顕熱負荷"), c.roomSensible, si));
    r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "室内潜熱負荷"), c.roomLatent, si));
    if (c.coil) {
        r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "冷却コイル 全熱負荷"), c.total, si));
        r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "冷却コイル 顕熱負荷"), c.sensible, si));
        r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "冷却コイル 潜熱負荷"), c.latent, si));
        r.push_back({translate("Coil", "除湿量(凝縮水)"), formatFixed(c.water, 1), "kg/h"});
        r.push_back({translate("Coil", "コイルSHF"), c.shf ? formatFixed(*c.shf, 2) : "—"});
        if (c.adp)
            r.push_back({translate("Coil", "装置露点温度 ADP"), formatFixed(*c.adp, 1), "℃"});
        else
            r.push_back({translate("Coil", "装置露点温度 ADP"),
                         translate("Coil", "コイルの線は図の範囲内で飽和曲線と交わりません")});
        r.push_back(
            {translate("Coil", "バイパスファクタ BF"), c.bypass ? formatFixed(*c.bypass, 2) : "—"});
    } else {
        r.push_back({translate("Coil", "冷却コイル"), translate("Coil", kNoCoil)});
    }
    r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "再熱量(再熱または送風機・ダクトの熱取得) CA→SA"),
                     c.reheat, si));
    r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "外気負荷"), c.outdoorAir, si));
    return s;
}

ReportSection heating(const HeatingReport& h, bool si) {
    ReportSection s{translate("Coil", "暖房時"), {}};
    auto& r = s.rows;
    r.push_back(flow(HUMIDRAW_TEXT_NOOP("Coil", "給気風量"), h.supplyVolume, h.dryAir));
    r.push_back(flow(HUMIDRAW_TEXT_NOOP("Coil", "導入外気量"), h.outdoorVolume, h.outdoorDryAir));
    siteDensityRow(r, h.siteDensity);
    r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "室内顕熱負荷"), h.roomSensible, si));
    if (h.coil) {
        r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "加熱コイル負荷"), h.coilLoad, si));
        r.push_back({translate("Coil", h.steam ? HUMIDRAW_TEXT_NOOP("Coil", "加湿量(蒸気加湿)")
                                               : HUMIDRAW_TEXT_NOOP("Coil", "加湿量(水加湿)")),
                     formatFixed(h.humidifier, 1), "kg/h"});
    } else {
        r.push_back({translate("Coil", "加熱コイル・加湿器"), translate("Coil", kNoCoil)});
    }
    r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "外気負荷"), h.outdoorAir, si));
    return s;
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char ch : text) {
        switch (ch) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += ch;
        }
    }
    return out;
}

}  // namespace

std::vector<ReportSection> reportSections(const CoilRun& run, const CoilReport& report, bool si) {
    return {states(run, si), cooling(report.cooling, si), heating(report.heating, si)};
}

std::string reportTsv(const std::vector<ReportSection>& sections) {
    std::string out;
    for (const ReportSection& s : sections) {
        out += s.title + "\n";
        for (const Row& row : s.rows) {
            for (size_t i = 0; i < row.size(); ++i) out += (i ? "\t" : "") + row[i];
            out += "\n";
        }
        out += "\n";
    }
    return out;
}

std::string reportHtml(const std::vector<ReportSection>& sections) {
    std::string out = "<html><head><meta charset=\"utf-8\"></head><body>\n";
    for (const ReportSection& s : sections) {
        out += "<h3>" + escaped(s.title) +
               "</h3>\n<table border=\"1\" cellspacing=\"0\" "
               "cellpadding=\"3\">\n";
        for (const Row& row : s.rows) {
            out += "<tr>";
            for (size_t i = 0; i < row.size(); ++i)
                out += (i ? "<td align=\"right\">" : "<td>") + escaped(row[i]) + "</td>";
            out += "</tr>\n";
        }
        out += "</table>\n";
    }
    return out + "</body></html>\n";
}

}  // namespace humidraw::coil
