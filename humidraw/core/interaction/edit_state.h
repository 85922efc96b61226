#pragma once
// The modes of the editor and the named steps between them. Three things run side by side:
// the command that takes the mouse buttons (EditState), a view mode that takes them first
// (ViewMode), and the text placement, whose outline may follow the pointer during either.
namespace humidraw {

// The command that left and right clicks on the chart go to.
enum class EditState {
    Idle,          // no command: a right click or Enter repeats the last command
    SegmentStart,  // free segments: the next left click (or typed point) is a start point
    SegmentEnd,    // free segments: a start point is set, the rubber band follows the pointer and
                   // the next left click (or typed point) ends a segment and starts the next
    TypingStart,   // the point dialog is open for the start point
    TypingEnd,     // the point dialog is open for the end point
    Picking,       // erase: left clicks pick objects, a right click or Enter erases them
    Selecting,     // select and change: clicks pick objects to change, move or delete
};

// A view mode takes the clicks before the command underneath, which waits for it to end.
enum class ViewMode {
    None,
    Zoom,  // left click zooms in at the pointer, right click zooms out
    Pan,   // left drag scrolls the chart, right click ends the mode
};

// The text placement: an outline of the text follows the pointer until a click.
enum class Placement {
    Off,
    Waiting,  // placing, no outline drawn (none yet, or the view changed under it)
    Shown,    // placing, the outline is drawn where the pointer last was
};

constexpr bool isFreeSegment(EditState s) {
    return s == EditState::SegmentStart || s == EditState::SegmentEnd ||
           s == EditState::TypingStart || s == EditState::TypingEnd;
}

constexpr bool isTyping(EditState s) {
    return s == EditState::TypingStart || s == EditState::TypingEnd;
}

// A segment start point is set (and is marked on the chart).
constexpr bool hasSegmentStart(EditState s) {
    return s == EditState::SegmentEnd || s == EditState::TypingEnd;
}

// Shift + right click: the point dialog opens for the point the segment waits for.
constexpr EditState startTyping(EditState s) {
    return s == EditState::SegmentStart ? EditState::TypingStart
           : s == EditState::SegmentEnd ? EditState::TypingEnd
                                        : s;
}

// The dialog closed without a point: the mouse gives the same point again.
constexpr EditState stopTyping(EditState s) {
    return s == EditState::TypingStart ? EditState::SegmentStart
           : s == EditState::TypingEnd ? EditState::SegmentEnd
                                       : s;
}

// The free-segment step as a number: 0 none, 1 end point by mouse, 2 start point by mouse,
// 3 end point typed, 4 start point typed (typing adds 2 to the step it started from).
constexpr int segmentStepNumber(EditState s) {
    switch (s) {
        case EditState::SegmentEnd:
            return 1;
        case EditState::SegmentStart:
            return 2;
        case EditState::TypingEnd:
            return 3;
        case EditState::TypingStart:
            return 4;
        default:
            return 0;
    }
}

}  // namespace humidraw
