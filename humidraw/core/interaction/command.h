#pragma once
// The window's commands, one name each, from the menus and tool bars to the editor's repeat of
// the last command (Enter, or a right click on the idle chart).
namespace humidraw {

enum class Command {
    None,
    // ﾌｧｲﾙ
    New,
    Open,
    Save,
    SaveAs,
    Print,
    Metafile,
    Exit,
    // 編集
    Undo,
    Redo,
    ClearAll,
    Erase,
    ToClipboard,
    Select,
    SelectAll,
    DeleteSelected,
    EndCommand,
    // 表示
    ZoomOriginal,
    ZoomIn,
    ZoomOut,
    ZoomAll,
    ZoomMode,
    PanMode,
    Repaint,
    // 作成 and the O K buttons of its dialogs
    StateLine,
    FreeSegment,
    Text,
    PointOk,
    StateLineOk,
    TextOk,
    // 設計: the design layer's points and processes
    DesignPoint,        // a point placed by a click on the chart (DB and x there)
    DesignPointDialog,  // a point typed by two properties
    DesignProcess,      // a process between points, in its dialog
    DesignPanel,        // the points and processes tables shown or hidden
    // 自動記入, 設定, ﾍﾙﾌﾟ and the commands without a menu item of their own
    CoilDialog,
    CoilRun,
    AhuDialog,  // the air-handling unit designer
    Options,
    About,
    MeasuredData,
    Quit,
};

// How many there are: the window keeps its actions in an array of this size.
inline constexpr int kCommandCount = static_cast<int>(Command::Quit) + 1;

}  // namespace humidraw
