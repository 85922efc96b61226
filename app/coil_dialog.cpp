#include "app/coil_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

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

// A pair of selectors with their values, in a grid from `row` on.
void addPair(QGridLayout* g, int row, QComboBox* a, QLineEdit* av, QComboBox* b, QLineEdit* bv) {
    g->addWidget(a, row, 0);
    g->addWidget(av, row, 1);
    g->addWidget(b, row + 1, 0);
    g->addWidget(bv, row + 1, 1);
}

QLabel* label(const char* text, QWidget* parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

}  // namespace

TAhu1::TAhu1(std::function<void(bool)> setMainEnabled, QWidget* parent)
    : CommandDialog(std::move(setMainEnabled), parent, Qt::Window) {
    setObjectName("Ahu1");
    setWindowTitle(QString::fromUtf8("Humidraw ｼﾝｸﾞﾙｺｲﾙ方式"));
    setFont(QFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 9));

    auto* coolPanel = new QGroupBox(QString::fromUtf8("冷房時"), this);
    auto* cool = new QVBoxLayout(coolPanel);
    auto* outdoor = new QGroupBox(QString::fromUtf8("外気条件及び風量"), coolPanel);
    auto* og = new QGridLayout(outdoor);
    CB1 = selector("CB1", 0, true, outdoor);
    CB2 = selector("CB2", 1, false, outdoor);
    X1 = edit("X1", "34", outdoor);
    X2 = edit("X2", "60", outdoor);
    EOA = edit("EOA", "5000", outdoor);
    addPair(og, 0, CB1, X1, CB2, X2);
    og->addWidget(label("導入外気量[CMH]：", outdoor), 2, 0);
    og->addWidget(EOA, 2, 1);
    auto* room = new QGroupBox(QString::fromUtf8("室内設定条件及び負荷"), coolPanel);
    auto* rg = new QGridLayout(room);
    CB10 = selector("CB10", 0, false, room);
    CB20 = selector("CB20", 1, false, room);
    X10 = edit("X10", "26", room);
    X20 = edit("X20", "50", room);
    EQS = edit("EQS", "50000", room);
    EQL = edit("EQL", "5000", room);
    Label2 = label("顕熱負荷[kcal/h]：", room);
    Label3 = label("潜熱負荷[kcal/h]：", room);
    addPair(rg, 0, CB10, X10, CB20, X20);
    rg->addWidget(Label2, 2, 0);
    rg->addWidget(EQS, 2, 1);
    rg->addWidget(Label3, 3, 0);
    rg->addWidget(EQL, 3, 1);
    auto* supply = new QGroupBox(QString::fromUtf8("吹き出し温度差(給気風量)"), coolPanel);
    auto* sg = new QGridLayout(supply);
    EDT = edit("EDT", "10.0", supply);
    ESA = edit("ESA", "0", supply);
    sg->addWidget(label("吹き出し温度差[℃]：", supply), 0, 0);
    sg->addWidget(EDT, 0, 1);
    sg->addWidget(label("給気風量[CMH]：", supply), 1, 0);
    sg->addWidget(ESA, 1, 1);
    cool->addWidget(outdoor);
    cool->addWidget(room);
    cool->addWidget(supply);

    auto* heatPanel = new QGroupBox(QString::fromUtf8("暖房時"), this);
    auto* heat = new QVBoxLayout(heatPanel);
    auto* houtdoor = new QGroupBox(QString::fromUtf8("外気条件及び風量"), heatPanel);
    auto* hog = new QGridLayout(houtdoor);
    HCB1 = selector("HCB1", 0, false, houtdoor);
    HCB2 = selector("HCB2", 1, false, houtdoor);
    HX1 = edit("HX1", "-1", houtdoor);
    HX2 = edit("HX2", "60", houtdoor);
    HEOA = edit("HEOA", "5000", houtdoor);
    addPair(hog, 0, HCB1, HX1, HCB2, HX2);
    hog->addWidget(label("導入外気量[CMH]：", houtdoor), 2, 0);
    hog->addWidget(HEOA, 2, 1);
    auto* hroom = new QGroupBox(QString::fromUtf8("室内設定条件及び負荷"), heatPanel);
    auto* hrg = new QGridLayout(hroom);
    HCB10 = selector("HCB10", 0, false, hroom);
    HCB20 = selector("HCB20", 1, false, hroom);
    HX10 = edit("HX10", "22", hroom);
    HX20 = edit("HX20", "50", hroom);
    HEQS = edit("HEQS", "50000", hroom);
    Label7 = label("顕熱負荷[kcal/h]：", hroom);
    addPair(hrg, 0, HCB10, HX10, HCB20, HX20);
    hrg->addWidget(Label7, 2, 0);
    hrg->addWidget(HEQS, 2, 1);
    auto* humid = new QGroupBox(QString::fromUtf8("加湿方式"), heatPanel);
    auto* hg = new QHBoxLayout(humid);
    Kasitu1 = new QRadioButton(QString::fromUtf8("水加湿"), humid);
    Kasitu2 = new QRadioButton(QString::fromUtf8("蒸気加湿"), humid);
    Kasitu1->setObjectName("Kasitu1");
    Kasitu2->setObjectName("Kasitu2");
    Kasitu1->setChecked(true);
    hg->addWidget(Kasitu1);
    hg->addWidget(Kasitu2);
    auto* hsupply = new QGroupBox(QString::fromUtf8("吹き出し温度差(給気風量)"), heatPanel);
    auto* hsg = new QGridLayout(hsupply);
    HESA = edit("HESA", "0", hsupply);
    hsg->addWidget(label("給気風量[CMH]：", hsupply), 0, 0);
    hsg->addWidget(HESA, 0, 1);
    heat->addWidget(houtdoor);
    heat->addWidget(hroom);
    heat->addWidget(humid);
    heat->addWidget(hsupply);

    Button1 = new QPushButton(QString::fromUtf8("記入"), this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
    Button2->setObjectName("Button2");
    connect(Button2, &QPushButton::clicked, this, [this] { hide(); });
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

void TAhu1::applyUnits(bool si) {
    const QString wanted = QString::fromUtf8(si ? "顕熱負荷[kW]：" : "顕熱負荷[kcal/h]：");
    if (Label2->text() == wanted) return;  // unchanged: what was typed stays
    Label2->setText(wanted);
    EQS->setText(si ? "60" : "50000");
    Label3->setText(QString::fromUtf8(si ? "潜熱負荷[kW]：" : "潜熱負荷[kcal/h]："));
    EQL->setText(si ? "6" : "5000");
    Label7->setText(wanted);
    HEQS->setText(si ? "60" : "50000");
    const QString entry = QString::fromUtf8(si ? "比ｴﾝﾀﾙﾋﾟ h[kJ/kg]" : "比ｴﾝﾀﾙﾋﾟ h[kcal/kg]");
    for (QComboBox* c : {CB1, CB2, CB10, CB20, HCB1, HCB2, HCB10, HCB20}) c->setItemText(3, entry);
}

}  // namespace humidraw::app
