#pragma once
// The open document and the user's work on it, without any window: the object table and its
// history, the current state, the document's name and file, the file commands with their
// questions, typed points and the measured data. The window shows it; the session talks to the
// user only through Prompts. Never Qt.
#include <optional>
#include <string>

#include "ahu/ahu.h"
#include "design/design_overlay.h"
#include "document/attributes.h"
#include "document/document_file.h"
#include "document/edit_history.h"
#include "document/object_table.h"
#include "document/state.h"
#include "lang/language.h"
#include "measured/companion.h"
#include "measured/overlay.h"
#include "session/prompts.h"
#include "view/view_zoom.h"

namespace humidraw {

// The caption of the program's error messages (the main window's context, "TFmIX").
inline constexpr char kErrorCaption[] = HUMIDRAW_TEXT_NOOP("TFmIX", "Humidraw ｴﾗｰﾒｯｾｰｼﾞ");
// The document files the file dialogs offer.
inline constexpr char kDocumentFilter[] =
    HUMIDRAW_TEXT_NOOP("TFmIX", "Humidrawのﾃﾞｰﾀ (*.hdw *.HDW);;全てのﾌｧｲﾙ (*)");

// What an opened document's header gives the window: the pickers' items and the view, each
// brought into what the window can show. A zoom outside (0, 100) keeps the current one.
struct HeaderView {
    CurrentAttributes attributes;
    ViewState view;
};
HeaderView headerView(const DocumentHeader& h, const ViewState& current);

// The window's side of the session: its settings, view and picture.
class SessionHost {
  public:
    virtual ~SessionHost() = default;
    // The folder the file dialogs open in; opening or saving a file moves it to the file's.
    virtual std::string fileFolder() const = 0;
    virtual void setFileFolder(const std::string& folder) = 0;
    // The header a save writes: the chart's settings, the attributes and the view as they stand.
    virtual DocumentHeader headerToSave() = 0;
    // Takes an opened document's header (chart settings, pickers, view): empty when taken, else
    // why its chart cannot be drawn (nothing is then taken and the document is not opened).
    // `units`, when given, are the document's (its companion's) and replace what the header's SI
    // flag says.
    virtual std::string takeHeader(const DocumentHeader& h, std::optional<UnitSystem> units) = 0;
    // The chart's total pressure, which typed points and the measured data are computed at.
    virtual double chartPressure() const = 0;
    // The units the chart is shown in, which a save keeps with the document.
    virtual UnitSystem chartUnits() const = 0;
    // After a save, and after an open before its notices: the caption, the remembered files
    // and (opened) the picture show the document.
    virtual void documentSaved(const std::string& path) = 0;
    virtual void documentOpened(const std::string& path) = 0;
};

// What the save question leaves to do before the document is left.
enum class Leaving {
    Go,     // nothing to save, or the user chose not to: the command goes on
    Saved,  // saved on Yes: the command ends there
    Stay,   // cancelled, or the save did not happen: everything stays as it is
};

class Session {
  public:
    Session(SessionHost& host, Prompts& prompts) : host_(host), prompts_(prompts) {}

    ObjectTable& objects() { return objects_; }
    const ObjectTable& objects() const { return objects_; }
    EditHistory& history() { return history_; }
    const EditHistory& history() const { return history_; }
    CurrentState& state() { return state_; }
    const CurrentState& state() const { return state_; }
    bool modified() const { return history_.modified(); }
    // The title shown for the document ("Project" until it has a file) and its file's path
    // (empty until then).
    const std::string& title() const { return title_; }
    const std::string& path() const { return path_; }
    // Whether the document has a file of its own: a save writes there without asking.
    bool named() const { return named_; }

    // An empty document without a file; its history starts again.
    void clear();
    // The save question before the document is left; `icon` is the question's.
    Leaving askToLeave(PromptIcon icon);
    // Writes the document with its measured data, to its file or (`saveAs`, or while it has
    // none) to one the user chooses; false when nothing was written (cancelled, or told why).
    bool save(bool saveAs);
    // Reads a document file and takes it when the whole file was read; false, with the user
    // told why, when it was not (the document then stays as it was).
    bool open(const std::string& path);
    // The save question, then a file chosen in the open dialog; false when none was opened.
    bool openChosen();
    // The save question, then `path`; false when it was not opened.
    bool openGiven(const std::string& path);

    // A change of the table as a whole as one step of the history; false when it changed
    // nothing (no step then).
    template <typename F>
    bool record(F change) {
        history_.begin(objects_);
        change();
        return history_.commit(objects_);
    }

    // A value typed in a field (a decimal point or comma); the user told and nothing when the
    // text is not a number.
    std::optional<double> typedNumber(const std::string& text);
    // A point typed as two properties (selector indexes) and their texts: the current state
    // from them. False, with the user told, when the point is given up (a text is not a
    // number, or both name the same property); a pair the library cannot compute is told and
    // taken as typed.
    bool typedPoint(int first, int second, const std::string& firstText,
                    const std::string& secondText);

    // The document's measured data and zones; empty when it has none.
    MeasuredData measuredData() const;
    // Replaces them as one step of the history.
    void changeMeasuredData(MeasuredData data);
    // The occupants' inputs of the PMV comfort zones, each once, in the zones' order: what the
    // readout gives PMV and PPD for.
    std::vector<comfort::ComfortInputs> comfortInputs() const;
    // After the chart's pressure changed: the measured data's zones are reckoned at the new one
    // (not a step of the history).
    void pressureChanged();

    // The document's design layer: its points and processes as defined (empty when it has
    // none), and as computed at the chart's pressure.
    const design::Design& design() const;
    const design::DesignResult& designResult() const;
    // Replaces the design as one step of the history; false when it is the same. (A point
    // being dragged is shown by the editor, which records the drag as one step.)
    bool changeDesign(design::Design d);

    // The document's air-handling unit as defined; none when it has none. Kept with the
    // document's companion and by the history, beside the design.
    const std::optional<ahu::Unit>& unit() const;
    // Computes the unit at the chart's pressure and puts its drawing in the design in place of
    // the one before it, the unit and its drawing as one step of the history. False, with the
    // user told why, when a season cannot be computed (nothing changes then), and when it is the
    // unit there already with its drawing as computed.
    bool changeUnit(ahu::Unit u);

  private:
    // The companion file beside a document, read on opening it, taken after the document is
    // (the user told when it cannot be read, or belongs to other bytes of the document: its
    // data is then taken only when the user says so). Returns the pressure its objects were
    // computed at, when the file says it.
    std::optional<double> takeCompanion(CompanionLoad kept);
    // Tells, once on opening, of a stored pressure no chart is drawn at, or of objects an
    // earlier version computed at 760 mmHg in a document of another pressure.
    void tellPressure(double stored, std::optional<double> computedAt);
    // False when the document changed on disk since it was opened or saved and the user chose
    // not to overwrite it.
    bool overwriteChangedFile();
    // Writes the document's bytes and its companion as one; false (with the user told) when
    // they could not be written.
    bool saveWithCompanion(const std::string& bytes);
    void tell(const std::string& caption, const std::string& text, PromptIcon icon) {
        prompts_.tell(caption, text, icon);
    }

    SessionHost& host_;
    Prompts& prompts_;
    ObjectTable objects_;
    EditHistory history_;
    CurrentState state_;
    std::string title_ = "Project";
    std::string path_;
    bool named_ = false;
    // The document file as it was opened or last saved (its path and bytes), and whether the
    // companion beside it there was not understood: such a companion is never removed.
    std::string onDiskPath_;
    ContentIdentity onDisk_;
    bool companionKept_ = false;
};

}  // namespace humidraw
