// The main window's side of the design layer: the dialogs and the panel, and the design they
// change (the session keeps it, with the history and the companion file).
#include "app/ahu_dialog.h"
#include "app/design_panel.h"
#include "app/main_window.h"
#include "app/main_window_p.h"

namespace humidraw::app {

const design::Design& TFmIX::currentDesign() const {
    return d->session.design();
}

const design::DesignResult& TFmIX::currentDesignResult() const {
    return d->session.designResult();
}

MoistAir TFmIX::designAir() const {
    return MoistAir(d->settings.pressureMmHg);
}

design::UnitSystem TFmIX::designUnits() const {
    return d->settings.units;
}

design::Look TFmIX::designLook() const {
    return {d->attributes.colour, d->attributes.width, d->attributes.style};
}

void TFmIX::takeDesign(design::Design changed) {
    if (!d->session.changeDesign(std::move(changed))) return;
    documentChanged();
    ViewIx();
}

const std::optional<ahu::Unit>& TFmIX::currentUnit() const {
    return d->session.unit();
}

void TFmIX::takeUnit(ahu::Unit u) {
    if (!d->session.changeUnit(std::move(u))) return;
    documentChanged();
    ViewIx();
}

Prompts& TFmIX::designPrompts() {
    return *d->prompts;
}

std::optional<std::string> TFmIX::chooseExportFile(const std::string& caption,
                                                   const std::string& filters) {
    return chooseDataFile(caption, filters, true);
}

void TFmIX::repaint() {
    ViewIx();
    // The editor's repaint during a drag: the panel shows the point where it is now.
    const auto& shown = d->session.objects().design;
    if (shown == d->panelDesign) return;
    d->panelDesign = shown;
    if (d->designPanel && !d->designPanel->isHidden()) d->designPanel->refresh();
}

void TFmIX::startDesignPoint() {
    d->editor.startDesignPoint();
}

void TFmIX::showDesignPointDialog() {
    d->editor.commandEnd();
    if (!d->designPointDialog) d->designPointDialog = new DesignPointDialog(*this, this);
    d->designPointDialog->prepare();
    showDialog(d->designPointDialog);
}

void TFmIX::showDesignProcessDialog() {
    d->editor.commandEnd();
    if (!d->designProcessDialog) d->designProcessDialog = new DesignProcessDialog(*this, this);
    d->designProcessDialog->prepare();
    showDialog(d->designProcessDialog);
}

void TFmIX::showAhuDialog() {
    d->editor.commandEnd();
    if (!d->ahuDialog) d->ahuDialog = new AhuDialog(*this, *d->prompts, this);
    // A document's unit opens as it was defined, to be changed and drawn again.
    if (const auto& u = d->session.unit())
        d->ahuDialog->showUnit(*u);
    else
        d->ahuDialog->prepare();
    showDialog(d->ahuDialog);
}

AhuDialog* TFmIX::ahuDialog() const {
    return d->ahuDialog;
}

void TFmIX::createDesignPanel() {
    d->designPanel = new DesignPanel(*this, this);
    addDockWidget(Qt::RightDockWidgetArea, d->designPanel);
    // Shown or hidden as the window was last closed; hidden the first time.
    const bool shown = readProfileBool(d->ini, "Form", "DesignPanel", false);
    d->designPanel->setVisible(shown);
    QAction* toggle = action(Command::DesignPanel);
    toggle->setChecked(shown);
    if (shown) d->designPanel->refresh();
    // The panel's own close box unchecks the menu item.
    connect(d->designPanel, &QDockWidget::visibilityChanged, this,
            [this, toggle] { toggle->setChecked(!d->designPanel->isHidden()); });
}

void TFmIX::showDesignPanel(bool shown) {
    if (!d->designPanel) return;
    if (shown) d->designPanel->refresh();
    d->designPanel->setVisible(shown);
    if (!shown) return;
    // Room for a few columns of the tables the first time, the chart keeping the rest.
    if (!d->designPanelSized && !d->designPanel->isFloating()) {
        d->designPanelSized = true;
        resizeDocks({d->designPanel}, {std::max(320, width() * 2 / 5)}, Qt::Horizontal);
    }
    // The keyboard goes to the tables: Ctrl+C copies, Tab goes on to the processes.
    d->designPanel->raise();
    d->designPanel->points->setFocus();
}

DesignPointDialog* TFmIX::designPointDialog() const {
    return d->designPointDialog;
}

DesignProcessDialog* TFmIX::designProcessDialog() const {
    return d->designProcessDialog;
}

DesignPanel* TFmIX::designPanel() const {
    return d->designPanel;
}

}  // namespace humidraw::app
