// 文字記入: the placement of a text from the text dialog.
#include "document/paint.h"
#include "interaction/modes.h"
#include "lang/language.h"

namespace humidraw {

TextMode::TextMode(EditorHost& host, std::string text) : ModeBase(host), text_(std::move(text)) {
    host_.prompt().setStatus(1, translate("Editor", "文字記入位置を指示："));
}

void TextMode::hideOutline() {
    if (status_ == Status::Shown) host_.marks().drawOutline(outline_);
    status_ = Status::Waiting;
}

void TextMode::move(PixelPoint at) {
    hideOutline();
    const TextExtent e = host_.marks().textExtent(text_);
    const int x = at.x, y = at.y;
    outline_ = {
        PixelPoint{x, y}, {x + e.width, y}, {x + e.width, y - e.height}, {x, y - e.height}, {x, y}};
    host_.marks().drawOutline(outline_);
    status_ = Status::Shown;
}

void TextMode::place(MouseButton b, PixelPoint at) {
    hideOutline();  // off the box and the picture
    host_.prompt().setStatus(1, "");
    if (b == MouseButton::Right) return;
    const EditorDocument d = host_.document();
    if (d.objects.full()) {
        host_.prompt().tell("Humidraw", ObjectTable::fullMessage());
        return;
    }
    // The text's bottom-left corner at the click; label position 2 keeps it there.
    const TextExtent e = host_.marks().textExtent(text_);
    const EditorView v = host_.chartView();
    const CurrentState s =
        screenToState(v.frame, v.screen, at.x - e.height / 2.0, at.y + e.height / 2.0);
    d.state = s;
    ObjectRecord r;
    r.kind = kTextObject;
    r.colour = d.attributes.colour;
    r.h1 = s.h;
    r.x1 = s.x;
    r.labelPosition = 2;
    r.text = text_;
    recordStep([&r](ObjectTable& t) { t.append(r); });
    host_.repaint();
}

void TextMode::marksAgain() {
    if (status_ == Status::Shown) host_.marks().drawOutline(outline_);
}

void TextMode::viewChanged() {
    // The outline follows the pointer: the next move draws it.
    status_ = Status::Waiting;
}

}  // namespace humidraw
