#include "design/design_edit.h"

#include <algorithm>
#include <set>

#include "lang/language.h"

namespace humidraw::design {

namespace {

Result<Design> checked(const MoistAir& air, Design d) {
    const DesignResult r = computeDesign(air, d);
    if (!r.status) return r.status.failure();
    return d;
}

}  // namespace

Result<Design> movedPoint(const MoistAir& air, const Design& d, size_t index,
                          const AirProperties& at, std::optional<int> keep) {
    if (index >= d.points.size()) return failure(Reason::Invalid, "no such point");
    Design moved = d;
    Point& p = moved.points[index];
    if (keep && (*keep == 0 || *keep == 1)) {
        // The other property takes the value at the pointer; the kept one stays.
        Given& other = *keep == 0 ? p.second : p.first;
        other.value = at.value(other.kind);
    } else {
        p.first.value = at.value(p.first.kind);
        p.second.value = at.value(p.second.kind);
    }
    return checked(air, std::move(moved));
}

Result<Design> withDefiningValue(const MoistAir& air, const Design& d, size_t index, int which,
                                 double value) {
    if (index >= d.points.size() || (which != 0 && which != 1))
        return failure(Reason::Invalid, "no such value");
    Design changed = d;
    (which == 0 ? changed.points[index].first : changed.points[index].second).value = value;
    return checked(air, std::move(changed));
}

Result<Design> withPoint(const MoistAir& air, const Design& d, const Point& p) {
    if (d.points.size() >= kMostPoints)
        return failure(Reason::Full, withArguments(translate("Design", "状態点は %1 までです"),
                                                   {std::to_string(kMostPoints)}));
    Design added = d;
    // Before the made points' processes, so a name a process makes is found in use.
    added.points.push_back(p);
    return checked(air, std::move(added));
}

std::string freePointName(const Design& d) {
    std::set<std::string> used;
    for (const Point& p : d.points) used.insert(p.name);
    for (const Process& p : d.processes) used.insert(p.to);
    for (size_t n = 1;; ++n) {
        std::string name = "P" + std::to_string(n);
        if (!used.count(name)) return name;
    }
}

namespace {

// The processes in order without those using a name that is gone; the points those made go too.
std::vector<Process> processesWithout(const std::vector<Process>& processes,
                                      std::set<std::string> gone) {
    std::vector<Process> kept;
    for (const Process& p : processes) {
        const bool uses = std::any_of(p.from.begin(), p.from.end(),
                                      [&](const std::string& n) { return gone.count(n) > 0; }) ||
                          (p.kind == ProcessKind::Line && gone.count(p.to) > 0);
        if (!uses)
            kept.push_back(p);
        else if (p.kind != ProcessKind::Line && !p.to.empty())
            gone.insert(p.to);
    }
    return kept;
}

}  // namespace

Design withoutPoint(const Design& d, size_t index) {
    if (index >= d.points.size()) return d;
    Design out = d;
    out.points.erase(out.points.begin() + static_cast<long>(index));
    out.processes = processesWithout(d.processes, {d.points[index].name});
    return out;
}

Result<Design> withProcess(const MoistAir& air, const Design& d, const Process& p) {
    if (d.processes.size() >= kMostProcesses)
        return failure(Reason::Full, withArguments(translate("Design", "状態変化は %1 までです"),
                                                   {std::to_string(kMostProcesses)}));
    Design added = d;
    added.processes.push_back(p);
    return checked(air, std::move(added));
}

Design withoutProcess(const Design& d, size_t index) {
    if (index >= d.processes.size()) return d;
    const Process& p = d.processes[index];
    Design out = d;
    out.processes.erase(out.processes.begin() + static_cast<long>(index));
    // The point it made goes too, with every process after that uses it.
    if (p.kind != ProcessKind::Line && !p.to.empty())
        out.processes = processesWithout(out.processes, {p.to});
    return out;
}

}  // namespace humidraw::design
