#include "coil/report_table.h"

#include "document/object_table.h"
#include "document/paint.h"
#include "lang/language.h"
#include "moistek_internal/air_constants.h"
#include "text/number_format.h"
#include "units/units.h"

namespace humidraw::coil {
namespace {

using Row = std::vector<std::string>;

constexpr const char* kNoCoil =
    HUMIDRAW_TEXT_NOOP("Coil", "導入外気量が0のため混合空気がなく、計算しません");

using units::Quantity;

// A heat flow given in kcal/h: beside its kW in engineering units, in kW alone with SI units,
// in Btu/h with IP units (with its tons of refrigeration beside it for `withTons`).
Row load(const char* label, double kcalPerHour, UnitSystem u, bool withTons = false) {
    if (u == UnitSystem::IP) {
        Row row{translate("Coil", label),
                formatFixed(units::shown(Quantity::Load, kcalPerHour, u), 0),
                units::unitText(Quantity::Load, u)};
        if (withTons) {
            row.push_back(formatFixed(units::tons(kcalPerHour), 2));
            row.push_back(translate("Coil", "冷凍トン"));
        }
        return row;
    }
    const std::string kw = formatFixed(kcalPerHour / kKcalHPerKW, 2);
    if (u == UnitSystem::SI) return {translate("Coil", label), kw, "kW"};
    return {translate("Coil", label), formatFixed(kcalPerHour, 0), "kcal/h", kw, "kW"};
}

// An air volume (m³/h, cfm with IP units) beside the mass flow of its dry air (kg/h, lb/h).
Row flow(const char* label, double volume, double dryAir, UnitSystem u) {
    if (u == UnitSystem::IP)
        return {translate("Coil", label),
                formatFixed(units::shown(Quantity::AirFlow, volume, u), 0),
                units::unitText(Quantity::AirFlow, u),
                formatFixed(units::shown(Quantity::MassFlow, dryAir, u), 0),
                units::unitText(Quantity::MassFlow, u)};
    return {translate("Coil", label), formatFixed(volume, 0), "m³/h", formatFixed(dryAir, 0),
            "kg/h"};
}

// A mass flow of water or steam (kg/h, lb/h with IP units), one decimal.
Row water(const std::string& label, double kgPerHour, UnitSystem u) {
    if (u == UnitSystem::IP)
        return {label, formatFixed(units::shown(Quantity::MassFlow, kgPerHour, u), 1),
                units::unitText(Quantity::MassFlow, u)};
    return {label, formatFixed(kgPerHour, 1), "kg/h"};
}

// Beside the flows when the chart is not at 760 mmHg: the supply air's density at the site; the
// mass flows above keep the 1.2 kg/m³ (0.0749 lb/ft³) the loads are reckoned with.
void siteDensityRow(std::vector<Row>& r, const std::optional<double>& density, UnitSystem u) {
    if (!density) return;
    if (u == UnitSystem::IP) {
        const std::string reckoned =
            formatFixed(units::shown(Quantity::Density, kAirDensity, u), 4);
        r.push_back({translate("Coil", "給気の空気密度(現地の大気圧)"),
                     formatFixed(units::shown(Quantity::Density, *density, u), 4),
                     units::unitText(Quantity::Density, u),
                     withArguments(translate("Coil", "質量流量は %1 lb/ft³ で換算"), {reckoned})});
        return;
    }
    r.push_back({translate("Coil", "給気の空気密度(現地の大気圧)"), formatFixed(*density, 3),
                 "kg/m³", translate("Coil", "質量流量は 1.2 kg/m³ で換算")});
}

// The value-table rows as the chart draws them: split at the commas, each cell in the units as
// the chart shows it (h in kJ/kg with SI units; DB, WB in °F, h in Btu/lb, x in gr/lb with IP).
ReportSection states(const CoilRun& run, UnitSystem u) {
    ReportSection s{translate("Coil", "状態値"), {}};
    if (u == UnitSystem::IP)
        s.rows.push_back({"", "DB[°F]", "RH[%]", "WB[°F]", "h[Btu/lb]", "x[gr/lb']"});
    else
        s.rows.push_back({"", "DB[℃]", "RH[%]", "WB[℃]",
                          u == UnitSystem::SI ? "h[kJ/kg]" : "h[kcal/kg]", "x[kg/kg']"});
    for (const ObjectRecord& o : run.objects) {
        if (o.kind != kTableRow || o.text == " ") continue;
        Row cells;
        size_t start = 0;
        for (size_t comma; (comma = o.text.find(',', start)) != std::string::npos;
             start = comma + 1)
            cells.push_back(o.text.substr(start, comma - start));
        cells.push_back(o.text.substr(start));
        for (size_t i = 1; i < cells.size(); ++i)
            cells[i] = shownTableCell(cells[i], static_cast<int>(i), u);
        s.rows.push_back(cells);
    }
    return s;
}

ReportSection cooling(const CoolingReport& c, UnitSystem u) {
    ReportSection s{translate("Coil", "冷房時"), {}};
    auto& r = s.rows;
    r.push_back(flow(HUMIDRAW_TEXT_NOOP("Coil", "給気風量"), c.supplyVolume, c.dryAir, u));
    r.push_back(
        flow(HUMIDRAW_TEXT_NOOP("Coil", "導入外気量"), c.outdoorVolume, c.outdoorDryAir, u));
    siteDensityRow(r, c.siteDensity, u);
    r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "室内顕熱負荷"), c.roomSensible, u));
    r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "室内潜熱負荷"), c.roomLatent, u));
    if (c.coil) {
        r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "冷却コイル 全熱負荷"), c.total, u, true));
        r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "冷却コイル 顕熱負荷"), c.sensible, u));
        r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "冷却コイル 潜熱負荷"), c.latent, u));
        r.push_back(water(translate("Coil", "除湿量(凝縮水)"), c.water, u));
        r.push_back({translate("Coil", "コイルSHF"), c.shf ? formatFixed(*c.shf, 2) : "—"});
        if (c.adp && u == UnitSystem::IP)
            r.push_back({translate("Coil", "装置露点温度 ADP"),
                         formatFixed(units::shown(Quantity::Temperature, *c.adp, u), 1), "°F"});
        else if (c.adp)
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
                     c.reheat, u));
    r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "外気負荷"), c.outdoorAir, u));
    return s;
}

ReportSection heating(const HeatingReport& h, UnitSystem u) {
    ReportSection s{translate("Coil", "暖房時"), {}};
    auto& r = s.rows;
    r.push_back(flow(HUMIDRAW_TEXT_NOOP("Coil", "給気風量"), h.supplyVolume, h.dryAir, u));
    r.push_back(
        flow(HUMIDRAW_TEXT_NOOP("Coil", "導入外気量"), h.outdoorVolume, h.outdoorDryAir, u));
    siteDensityRow(r, h.siteDensity, u);
    r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "室内顕熱負荷"), h.roomSensible, u));
    if (h.coil) {
        r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "加熱コイル負荷"), h.coilLoad, u));
        r.push_back(water(translate("Coil", h.steam ? HUMIDRAW_TEXT_NOOP("Coil", "加湿量(蒸気加湿)")
                                                    : HUMIDRAW_TEXT_NOOP("Coil", "加湿量(水加湿)")),
                          h.humidifier, u));
    } else {
        r.push_back({translate("Coil", "加熱コイル・加湿器"), translate("Coil", kNoCoil)});
    }
    r.push_back(load(HUMIDRAW_TEXT_NOOP("Coil", "外気負荷"), h.outdoorAir, u));
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

std::vector<ReportSection> reportSections(const CoilRun& run, const CoilReport& report,
                                          UnitSystem u) {
    return {states(run, u), cooling(report.cooling, u), heating(report.heating, u)};
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
