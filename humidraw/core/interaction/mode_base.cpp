#include "document/paint.h"
#include "interaction/editor.h"
#include "interaction/modes.h"
#include "text/number_format.h"

namespace humidraw {

PixelPoint pixelOf(const EditorView& v, const StatePoint& p) {
    const ChartPoint c = stateToScreen(v.frame, v.screen, p.h, p.x);
    return {wholeNumber(c.x), wholeNumber(c.y)};
}

int ModeBase::markerRadius() const {
    const EditorView v = host_.chartView();
    return wholeNumber(-0.3 * v.frame.k2 * v.screen.zoom);
}

int ModeBase::pick(PixelPoint at) {
    const EditorView v = host_.chartView();
    return hitTest(host_.document().objects, v.frame, v.screen, at.x, at.y,
                   [this](const std::string& t) { return host_.marks().textExtent(t); });
}

void ModeBase::highlightAll(const std::vector<int>& picks) {
    const ObjectTable& objects = host_.document().objects;
    for (int index : picks) host_.marks().highlight(objects.at(index));
}

}  // namespace humidraw
