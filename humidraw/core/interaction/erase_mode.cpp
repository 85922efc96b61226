// 図形削除: picks highlighted as they are clicked, erased together in one step.
#include <algorithm>

#include "interaction/modes.h"
#include "lang/language.h"

namespace humidraw {

EraseMode::EraseMode(EditorHost& host) : CommandMode(host) {
    host_.prompt().setStatus(1, translate("Editor", "削除する図形を選択："));
    host_.prompt().setCursor(kCursorPick);
}

bool EraseMode::press(const Press& p) {
    if (p.button == MouseButton::Right) return false;
    if (p.button != MouseButton::Left) return true;
    const int hit = pick(p.at);
    if (hit < 0 || std::find(picks_.begin(), picks_.end(), hit) != picks_.end()) return true;
    host_.marks().highlight(host_.document().objects.at(hit));
    picks_.push_back(hit);
    return true;
}

void EraseMode::finish() {
    host_.prompt().setStatus(1, "");
    host_.prompt().setCursor(kCursorCross);
    recordStep([this](ObjectTable& t) {
        for (int index : picks_) t.markDeleted(index);
    });
    picks_.clear();
    host_.repaint();
}

void EraseMode::cancel() {
    picks_.clear();
    host_.repaint();
}

}  // namespace humidraw
