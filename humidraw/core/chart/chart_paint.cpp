#include "chart/chart_paint.h"

#include <cmath>

#include "chart/frame.h"
#include "text/number_format.h"

namespace humidraw {

void drawRotatedText(Canvas& k, int x, int y, int angleTenths, const std::string& text) {
    k.setFont(k.fontFace(), k.fontHeight(), angleTenths);
    k.setBrushClear();
    k.textOut(x, y, text);
}

namespace {

// The view flag and pen style of a family; -1 for families always drawn.
int viewFlagOf(int family, PenStyle& style, bool& setsStyle) {
    setsStyle = true;
    style = PenStyle::Solid;
    switch (family) {
        case kDryBulbFamily:
            return CB_DB;
        case kRelativeHumidityFamily:
            return CB_RH;
        case kHumidityRatioFamily:
            return CB_AH;
        case kEnthalpyFamily:
            return CB_EN;
        case kWetBulbFamily:
            style = PenStyle::Dot;
            return CB_WB;
        case kSpecificVolumeFamily:
            style = PenStyle::DashDot;
            return CB_SV;
        case kShfFamily:
            return CB_SHF;
        case kMoistureRatioFamily:
            return CB_NE;
        default:
            setsStyle = false;
            return -1;
    }
}

// A chart coordinate beyond what a pixel can hold is clamped, never wrapped.
int px(double c, double offset, double zoom) {
    return wholeNumber(offset + c * zoom);
}

}  // namespace

void paintElements(Canvas& k, const ChartTable& table, const std::array<bool, kViewFlagCount>& view,
                   const ViewTransform& o) {
    const auto& e = table.elements();
    const double a = o.offsetX, z = o.zoom;
    for (size_t i = 0; i < e.size() && e[i].kind > 0; ++i) {
        const ChartElement& el = e[i];
        PenStyle style;
        bool setsStyle;
        const int flag = viewFlagOf(chartFamilyOf(el.kind), style, setsStyle);
        if (flag >= 0 && !view[flag]) {
            if (chartPartOf(el.kind) == kArc) ++i;  // the arc's second record goes with it
            continue;
        }
        if (setsStyle) k.setPenStyle(style);
        switch (chartPartOf(el.kind)) {
            case kLine:
                k.moveTo(px(el.c1, a, z), px(el.c2, 0, z));
                k.lineTo(px(el.c3, a, z), px(el.c4, 0, z));
                break;
            case kText:
                drawRotatedText(k, px(el.c1, a, z), px(el.c2, 0, z), static_cast<int>(el.c3),
                                el.text);
                break;
            case kCircle:
                k.ellipse(px(el.c1, a, z), px(el.c2, 0, z), px(el.c3, a, z), px(el.c4, 0, z));
                break;
            case kArc:
                if (i + 1 < e.size()) {
                    const ChartElement& n = e[i + 1];
                    k.arc(px(el.c1, a, z), px(el.c2, 0, z), px(el.c3, a, z), px(el.c4, 0, z),
                          px(n.c1, a, z), px(n.c2, 0, z), px(n.c3, a, z), px(n.c4, 0, z));
                }
                ++i;
                break;
            default:
                break;
        }
    }
}

PenStyle penStyleAfterElements(const ChartTable& table,
                               const std::array<bool, kViewFlagCount>& view, PenStyle before) {
    const auto& e = table.elements();
    PenStyle last = before;
    for (size_t i = 0; i < e.size() && e[i].kind > 0; ++i) {
        PenStyle style;
        bool setsStyle;
        const int flag = viewFlagOf(chartFamilyOf(e[i].kind), style, setsStyle);
        const bool arc = chartPartOf(e[i].kind) == kArc;
        if (arc) ++i;  // the arc's second record goes with it
        if (flag >= 0 && !view[flag]) continue;
        if (setsStyle) last = style;
    }
    return last;
}

}  // namespace humidraw
