// 状態点を置く: design points put by clicks on the chart.
#include "design/design_edit.h"
#include "design/design_overlay.h"
#include "interaction/modes.h"
#include "lang/language.h"

namespace humidraw {

const design::Design& designOf(const ObjectTable& t) {
    static const design::Design none;
    const auto* layer = dynamic_cast<const design::DesignOverlay*>(t.design.get());
    return layer ? layer->design() : none;
}

std::shared_ptr<const PaintOverlay> designLayer(design::Design d, const ChartFrame& frame) {
    return design::designLayer(std::move(d), frame.air.pressureMmHg());
}

DesignPointMode::DesignPointMode(EditorHost& host) : CommandMode(host) {
    host_.prompt().setStatus(1, translate("Editor", "状態点の位置をｸﾘｯｸ([右ｸﾘｯｸ]か[ESC]で終了)："));
    host_.prompt().setCursor(kCursorCross);
}

bool DesignPointMode::press(const Press& p) {
    if (p.button == MouseButton::Right) return false;
    if (p.button != MouseButton::Left) return true;
    const EditorView v = host_.chartView();
    const CurrentState s = screenToState(v.frame, v.screen, p.at.x, p.at.y);
    const EditorDocument doc = host_.document();
    const design::Design& now = designOf(doc.objects);
    design::Point point;
    point.name = design::freePointName(now);
    point.first = {design::Property::DB, s.DB};
    point.second = {design::Property::X, s.x};
    point.look = {doc.attributes.colour, doc.attributes.width, doc.attributes.style};
    const auto added = design::withPoint(v.frame.air, now, point);
    if (!added) {
        host_.prompt().tell("Humidraw", added.error());
        return true;
    }
    recordStep([&](ObjectTable& t) { t.design = designLayer(*added, v.frame); });
    host_.repaint();
    return true;
}

void DesignPointMode::finish() {
    host_.prompt().setStatus(1, "");
}

void DesignPointMode::cancel() {}

}  // namespace humidraw
