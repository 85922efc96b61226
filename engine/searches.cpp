// The wet-bulb and dew-point searches, the two that every complete state runs, with their
// trials evaluated inline.
#include "engine/relations.h"

namespace moistek {

int wetBulb(const MoistekClass& m, double DB, double AH, double& wb) {
    // Every trial divides by B and compares with DB: when either is unusable the first trial
    // (if the tolerance lets one run) fails or faults, and the search with it.
    const double B = m.Cpv * AH + m.Cpa;
    if (kTempStep > m.TolT && (!usableDivisor(B) || std::isnan(DB))) return -1;
    const double pa = m.PA;  // F_WBAH2DB hands the member over in the caller's unit
    const double paMmHg = (m.Mode == 1) ? pa * m.HPaMmHg : pa;
    double v;
    const auto end = stepSearch(v, kTempStart, kTempStep, m.TolT, [&](double t) {
        double xs, db;
        if (!saturatedRatioAt(m, t, paMmHg, xs)) return Trial::Failed;
        if (!dryBulbOfWetBulb(m, t, AH, xs, B, db)) return Trial::Failed;
        return db > DB ? Trial::Over : Trial::Below;
    });
    if (end != SearchEnd::Found) return -1;
    wb = v;
    return 1;
}

int dewPoint(const MoistekClass& m, double AH, double& dp) {
    if (kTempStep > m.TolT && std::isnan(AH)) return -1;  // the first trial faults
    const double pa = totalPressureMmHg(m);
    double t;
    const auto end = stepSearch(
        t, kTempStart, kTempStep, m.TolT,
        [&](double v) {
            double xs;
            if (!ratioAt(m, v, 100, pa, xs)) return Trial::Failed;
            return xs > AH ? Trial::Over : Trial::Below;
        },
        [](double v) { return v >= 100; });
    if (end == SearchEnd::Stopped) {
        dp = 100;
        return 1;
    }
    if (end != SearchEnd::Found) return -1;
    if (t < -200) t = -m.T0;
    dp = t;
    return 1;
}

}  // namespace moistek
