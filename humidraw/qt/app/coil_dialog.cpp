#include "app/coil_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "chart/chart_settings.h"

namespace humidraw::app {
namespace {

QLineEdit* edit(const char* name, const char* text, QWidget* parent) {
    auto* e = new QLineEdit(QString::fromUtf8(text), parent);
    e->setObjectName(name);
    return e;
}

QComboBox* selector(const char* name, int initial, bool extraBlank, QWidget* parent) {
    QComboBox* c = propertySelector(parent, initial);
    if (extraBlank) c->addItem(" ");
    c->setObjectName(name);
    return c;
}

QLabel* label(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

// One known state: a group box holding two property selectors, each with its value, in the
// first two rows of its grid; the caller adds the group's further rows.
struct StateFields {
    QGroupBox* group;
    QGridLayout* grid;
};

StateFields stateGroup(const QString& title, QWidget* parent, const char* const names[4],
                       const char* firstValue, const char* secondValue, bool extraBlank,
                       QComboBox*& first, QLineEdit*& firstEdit, QComboBox*& second,
                       QLineEdit*& secondEdit) {
    auto* group = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(group);
    first = selector(names[0], 0, extraBlank, group);
    second = selector(names[1], 1, false, group);
    firstEdit = edit(names[2], firstValue, group);
    secondEdit = edit(names[3], secondValue, group);
    grid->addWidget(first, 0, 0);
    grid->addWidget(firstEdit, 0, 1);
    grid->addWidget(second, 1, 0);
    grid->addWidget(secondEdit, 1, 1);
    return {group, grid};
}

// A labelled field in the next row of a grid.
void addRow(QGridLayout* grid, QWidget* caption, QLineEdit* field) {
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1);
}

}  // namespace

TAhu1::TAhu1(std::function<void(bool)> setMainEnabled, QWidget* parent)
    : CommandDialog(std::move(setMainEnabled), parent, Qt::Window) {
    setObjectName("Ahu1");
    setWindowTitle(tr("Humidraw ｼﾝｸﾞﾙｺｲﾙ方式"));
    setFont(QFont(QString::fromUtf8(kDefaultFontName), 9));

    auto* coolPanel = new QGroupBox(tr("冷房時"), this);
    auto* cool = new QVBoxLayout(coolPanel);
    static const char* const kOutdoor[4] = {"CB1", "CB2", "X1", "X2"};
    static const char* const kRoom[4] = {"CB10", "CB20", "X10", "X20"};
    const StateFields outdoor =
        stateGroup(tr("外気条件及び風量"), coolPanel, kOutdoor, "34", "60", true, CB1, X1, CB2, X2);
    EOA = edit("EOA", "5000", outdoor.group);
    LabelEOA = label(tr("導入外気量[CMH]："), outdoor.group);
    addRow(outdoor.grid, LabelEOA, EOA);
    const StateFields room = stateGroup(tr("室内設定条件及び負荷"), coolPanel, kRoom, "26", "50",
                                        false, CB10, X10, CB20, X20);
    EQS = edit("EQS", "50000", room.group);
    EQL = edit("EQL", "5000", room.group);
    Label2 = label(tr("顕熱負荷[kcal/h]："), room.group);
    Label3 = label(tr("潜熱負荷[kcal/h]："), room.group);
    addRow(room.grid, Label2, EQS);
    addRow(room.grid, Label3, EQL);
    auto* supply = new QGroupBox(tr("吹き出し温度差(給気風量)"), coolPanel);
    auto* sg = new QGridLayout(supply);
    EDT = edit("EDT", "10.0", supply);
    ESA = edit("ESA", "0", supply);
    LabelEDT = label(tr("吹き出し温度差[℃]："), supply);
    LabelESA = label(tr("給気風量[CMH]："), supply);
    addRow(sg, LabelEDT, EDT);
    addRow(sg, LabelESA, ESA);
    cool->addWidget(outdoor.group);
    cool->addWidget(room.group);
    cool->addWidget(supply);

    auto* heatPanel = new QGroupBox(tr("暖房時"), this);
    auto* heat = new QVBoxLayout(heatPanel);
    static const char* const kHeatOutdoor[4] = {"HCB1", "HCB2", "HX1", "HX2"};
    static const char* const kHeatRoom[4] = {"HCB10", "HCB20", "HX10", "HX20"};
    const StateFields houtdoor = stateGroup(tr("外気条件及び風量"), heatPanel, kHeatOutdoor, "-1",
                                            "60", false, HCB1, HX1, HCB2, HX2);
    HEOA = edit("HEOA", "5000", houtdoor.group);
    LabelHEOA = label(tr("導入外気量[CMH]："), houtdoor.group);
    addRow(houtdoor.grid, LabelHEOA, HEOA);
    const StateFields hroom = stateGroup(tr("室内設定条件及び負荷"), heatPanel, kHeatRoom, "22",
                                         "50", false, HCB10, HX10, HCB20, HX20);
    HEQS = edit("HEQS", "50000", hroom.group);
    Label7 = label(tr("顕熱負荷[kcal/h]："), hroom.group);
    addRow(hroom.grid, Label7, HEQS);
    auto* humid = new QGroupBox(tr("加湿方式"), heatPanel);
    auto* hg = new QHBoxLayout(humid);
    Kasitu1 = new QRadioButton(tr("水加湿"), humid);
    Kasitu2 = new QRadioButton(tr("蒸気加湿"), humid);
    Kasitu1->setObjectName("Kasitu1");
    Kasitu2->setObjectName("Kasitu2");
    Kasitu1->setChecked(true);
    hg->addWidget(Kasitu1);
    hg->addWidget(Kasitu2);
    auto* hsupply = new QGroupBox(tr("吹き出し温度差(給気風量)"), heatPanel);
    auto* hsg = new QGridLayout(hsupply);
    HESA = edit("HESA", "0", hsupply);
    LabelHESA = label(tr("給気風量[CMH]："), hsupply);
    addRow(hsg, LabelHESA, HESA);
    heat->addWidget(houtdoor.group);
    heat->addWidget(hroom.group);
    heat->addWidget(humid);
    heat->addWidget(hsupply);

    Button1 = new QPushButton(tr("記入"), this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton(tr("ｷｬﾝｾﾙ"), this);
    Button2->setObjectName("Button2");
    connect(Button2, &QPushButton::clicked, this, [this] { hide(); });
    setKeyButtons(Button1, Button2);
    auto* panels = new QHBoxLayout;
    panels->addWidget(coolPanel);
    panels->addWidget(heatPanel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* all = new QVBoxLayout(this);
    all->addLayout(panels);
    all->addLayout(buttons);
}

coil::CoilInputs TAhu1::inputs() const {
    coil::CoilInputs in;
    const auto t = [](const QLineEdit* e) { return e->text().toStdString(); };
    in.CB1 = CB1->currentIndex();
    in.CB2 = CB2->currentIndex();
    in.X1 = t(X1);
    in.X2 = t(X2);
    in.EOA = t(EOA);
    in.CB10 = CB10->currentIndex();
    in.CB20 = CB20->currentIndex();
    in.X10 = t(X10);
    in.X20 = t(X20);
    in.EQS = t(EQS);
    in.EQL = t(EQL);
    in.EDT = t(EDT);
    in.ESA = t(ESA);
    in.HCB1 = HCB1->currentIndex();
    in.HCB2 = HCB2->currentIndex();
    in.HX1 = t(HX1);
    in.HX2 = t(HX2);
    in.HEOA = t(HEOA);
    in.HCB10 = HCB10->currentIndex();
    in.HCB20 = HCB20->currentIndex();
    in.HX10 = t(HX10);
    in.HX20 = t(HX20);
    in.HEQS = t(HEQS);
    in.HESA = t(HESA);
    in.Kasitu = Kasitu2->isChecked() ? 2 : 1;
    return in;
}

void TAhu1::showFields(const coil::CoilInputs& in) {
    ESA->setText(QString::fromStdString(in.ESA));
    EDT->setText(QString::fromStdString(in.EDT));
    HESA->setText(QString::fromStdString(in.HESA));
}

void TAhu1::selectDefaults() {
    for (auto [box, item] : {std::pair{CB1, 0},
                             {CB10, 0},
                             {HCB1, 0},
                             {HCB10, 0},
                             {CB2, 1},
                             {CB20, 1},
                             {HCB2, 1},
                             {HCB20, 1}})
        if (box->currentIndex() < 0) box->setCurrentIndex(item);
}

void TAhu1::applyUnits(UnitSystem units) {
    if (units == units_) return;  // unchanged: what was typed stays
    const bool ip = units == UnitSystem::IP, withIp = ip || units_ == UnitSystem::IP;
    units_ = units;
    const coil::CoilInputs d = coil::defaultInputs(units);
    const QString sensible = ip                        ? tr("顕熱負荷[Btu/h]：")
                             : units == UnitSystem::SI ? tr("顕熱負荷[kW]：")
                                                       : tr("顕熱負荷[kcal/h]：");
    Label2->setText(sensible);
    Label7->setText(sensible);
    Label3->setText(ip                        ? tr("潜熱負荷[Btu/h]：")
                    : units == UnitSystem::SI ? tr("潜熱負荷[kW]：")
                                              : tr("潜熱負荷[kcal/h]："));
    for (QLabel* l : {LabelEOA, LabelHEOA})
        l->setText(ip ? tr("導入外気量[cfm]：") : tr("導入外気量[CMH]："));
    for (QLabel* l : {LabelESA, LabelHESA})
        l->setText(ip ? tr("給気風量[cfm]：") : tr("給気風量[CMH]："));
    LabelEDT->setText(ip ? tr("吹き出し温度差[°F]：") : tr("吹き出し温度差[℃]："));
    for (QComboBox* c : {CB1, CB2, CB10, CB20, HCB1, HCB2, HCB10, HCB20})
        setPropertyUnits(c, units);
    const auto put = [](QLineEdit* e, const std::string& text) {
        e->setText(QString::fromStdString(text));
    };
    put(EQS, d.EQS);
    put(EQL, d.EQL);
    put(HEQS, d.HEQS);
    if (!withIp) return;
    // A value typed in °C or kg/kg means nothing in °F or gr/lb: every field and selector
    // starts again from the defaults of the new units.
    const std::pair<QLineEdit*, const std::string*> fields[] = {
        {X1, &d.X1},     {X2, &d.X2},     {EOA, &d.EOA},  {X10, &d.X10}, {X20, &d.X20},
        {EDT, &d.EDT},   {ESA, &d.ESA},   {HX1, &d.HX1},  {HX2, &d.HX2}, {HEOA, &d.HEOA},
        {HX10, &d.HX10}, {HX20, &d.HX20}, {HESA, &d.HESA}};
    for (const auto& [e, text] : fields) put(e, *text);
    const std::pair<QComboBox*, int> selectors[] = {
        {CB1, d.CB1},   {CB2, d.CB2},   {CB10, d.CB10},   {CB20, d.CB20},
        {HCB1, d.HCB1}, {HCB2, d.HCB2}, {HCB10, d.HCB10}, {HCB20, d.HCB20}};
    for (const auto& [c, item] : selectors) c->setCurrentIndex(item);
}

}  // namespace humidraw::app
