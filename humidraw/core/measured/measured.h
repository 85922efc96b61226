#pragma once
// Measured air states: the properties a data file may hold, their units, and the sets of points
// read from files. A point keeps the dry bulb and the humidity ratio it was computed to, and the
// enthalpy that places it on the chart.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace humidraw {

// The properties a column may hold.
enum class Quantity { DB, RH, X, H, WB, SV, DP };

enum class Unit {
    Celsius,
    Percent,
    KgPerKg,    // kg/kg(DA)
    GPerKg,     // g/kg(DA)
    KJPerKg,    // kJ/kg(DA)
    KcalPerKg,  // kcal/kg(DA)
    M3PerKg,    // m³/kg(DA)
    // IP units, after the others so that each keeps its number.
    Fahrenheit,  // °F
    GrPerLb,     // gr/lb(DA)
    BtuPerLb,    // Btu/lb(DA), on the IP tables' datum (dry air 0 °F, water 32 °F)
    Ft3PerLb,    // ft³/lb(DA)
};

// "DB", "RH", "x", "h", "WB", "SV", "DP"; parsing takes any letter case (and "AH" for x).
std::string quantityName(Quantity q);
std::optional<Quantity> parseQuantity(const std::string& name);
// "°C", "%", "kg/kg", "g/kg", "kJ/kg", "kcal/kg", "m3/kg", "°F", "gr/lb", "Btu/lb", "ft3/lb";
// parsing also takes "C", "F", "degC", "degF", "m³/kg", "ft³/lb", "kj/kg" and other letter cases.
std::string unitName(Unit u);
std::optional<Unit> parseUnit(const std::string& name);
// The units a property may be given in; the first is its default.
std::vector<Unit> unitsFor(Quantity q);
bool unitFits(Quantity q, Unit u);

// A value converted to the library's engineering units: °C, %, kg/kg(DA), kcal/kg(DA), m³/kg(DA)
// (an IP value through units/units.h).
double toEngineering(double v, Unit u);

struct MeasuredPoint {
    double DB = 0;  // °C
    double x = 0;   // kg/kg(DA)
    double h = 0;   // kcal/kg(DA)
};

// Why two values give no state: empty when they give one.
struct PointOutcome {
    std::optional<MeasuredPoint> point;
    const char* reason = "";  // Japanese, marked for translation: translate("Data", reason)
};

// The properties a zone bounds, in the order a zone lists them.
enum ZoneProperty : int { kZoneDB, kZoneRH, kZoneX, kZoneDP, kZoneWB, kZoneH, kZonePropertyCount };

// The properties of a point that zones bound, in their zone units.
struct PointProperties {
    double DB = 0;  // °C
    double RH = 0;  // %
    double x = 0;   // g/kg(DA)
    double DP = 0;  // °C
    double WB = 0;  // °C
    double h = 0;   // kJ/kg(DA)
};

// Computes states with one library instance at the chart's total pressure.
class StateCalculator {
  public:
    explicit StateCalculator(double pressureMmHg = 760);
    ~StateCalculator();
    StateCalculator(const StateCalculator&) = delete;
    StateCalculator& operator=(const StateCalculator&) = delete;

    // The state of two values of different properties (engineering units). Pairs with the dry
    // bulb (but the wet bulb), with the dew point and the enthalpy-humidity and volume-humidity
    // pairs are computed in closed form; the others go through the library's searches. RH
    // outside 0–100 %, a humidity ratio below zero or above saturation, and what the library
    // refuses give no state.
    PointOutcome state(Quantity a, double va, Quantity b, double vb);
    // The properties zones bound; the wet bulb and dew point only when `full` (they take
    // searches), else they read 0.
    PointProperties properties(const MeasuredPoint& p, bool full = true);
    // One of them, the same value properties() gives (NaN where the library gives none).
    double property(const MeasuredPoint& p, ZoneProperty q);
    // The humidity ratio (kg/kg(DA)) on the line of `q` = `v` (zone units: °C, %, g/kg(DA),
    // kJ/kg(DA)) at dry bulb `DB`; empty when the library gives none.
    std::optional<double> ratioOnLine(ZoneProperty q, double v, double DB);
    // Saturation humidity ratio at `DB`, kg/kg(DA); empty where there is none.
    std::optional<double> saturation(double DB);
    double pressureMmHg() const;

  private:
    std::optional<double> ratioFromDewPoint(double DP);
    PointOutcome fromDbAndRatio(double DB, double x);
    struct Engine;
    Engine* m_;
};

using Colour32 = uint32_t;  // 0x00BBGGRR, as the canvas takes it

// A list whose copies share one store: copying a data set (each undo step keeps the document's
// data as it was) costs a pointer, not its points. Changing a shared list gives it a store of
// its own first, so no copy ever sees another's change.
template <typename T>
class SharedList {
  public:
    SharedList() = default;
    SharedList(std::vector<T> items) : items_(std::make_shared<std::vector<T>>(std::move(items))) {}
    SharedList(std::initializer_list<T> items) : SharedList(std::vector<T>(items)) {}

    size_t size() const { return items_ ? items_->size() : 0; }
    bool empty() const { return size() == 0; }
    const T& operator[](size_t i) const { return (*items_)[i]; }
    const T* begin() const { return items_ ? items_->data() : nullptr; }
    const T* end() const { return begin() + size(); }
    const T* data() const { return begin(); }
    const T& back() const { return items_->back(); }
    // The same store as `other` (no copy was made).
    bool sharesWith(const SharedList& other) const { return items_ && items_ == other.items_; }

    void push_back(T item) { own().push_back(std::move(item)); }
    template <typename... A>
    void emplace_back(A&&... a) {
        own().emplace_back(std::forward<A>(a)...);
    }
    void reserve(size_t n) { own().reserve(n); }
    void clear() { items_.reset(); }

  private:
    std::vector<T>& own() {
        if (!items_)
            items_ = std::make_shared<std::vector<T>>();
        else if (items_.use_count() > 1)
            items_ = std::make_shared<std::vector<T>>(*items_);
        return *items_;
    }
    std::shared_ptr<std::vector<T>> items_;
};

// Texts kept end to end in one store (a year of time stamps is one allocation, not one each),
// shared by copies as SharedList is.
class SharedTexts {
  public:
    SharedTexts() = default;
    SharedTexts(std::initializer_list<std::string_view> items) {
        for (std::string_view s : items) push_back(s);
    }

    size_t size() const { return store_ ? store_->ends.size() : 0; }
    bool empty() const { return size() == 0; }
    std::string_view operator[](size_t i) const {
        const size_t from = i == 0 ? 0 : store_->ends[i - 1];
        return std::string_view(store_->chars).substr(from, store_->ends[i] - from);
    }
    std::string_view back() const { return (*this)[size() - 1]; }
    bool sharesWith(const SharedTexts& other) const { return store_ && store_ == other.store_; }
    // The same texts in the same order (one store, or two of equal contents).
    bool operator==(const SharedTexts& other) const {
        return size() == other.size() &&
               (size() == 0 || store_ == other.store_ ||
                (store_->chars == other.store_->chars && store_->ends == other.store_->ends));
    }

    void push_back(std::string_view text) {
        Store& s = own();
        s.chars.append(text);
        s.ends.push_back(s.chars.size());
    }
    template <typename... A>
    void emplace_back(A&&... a) {
        push_back(std::string_view(std::forward<A>(a)...));
    }
    // Room for `n` texts of `chars` bytes together.
    void reserve(size_t n, size_t chars = 0) {
        Store& s = own();
        s.ends.reserve(n);
        s.chars.reserve(chars);
    }
    void clear() { store_.reset(); }

  private:
    struct Store {
        std::string chars;
        std::vector<size_t> ends;  // where each text ends in `chars`
    };
    Store& own() {
        if (!store_)
            store_ = std::make_shared<Store>();
        else if (store_.use_count() > 1)
            store_ = std::make_shared<Store>(*store_);
        return *store_;
    }
    std::shared_ptr<Store> store_;
};

struct DataSet {
    std::string name;
    SharedList<MeasuredPoint> points;
    SharedTexts times;  // one per point, or none
    Colour32 colour = 0x00B05000;
    bool visible = true;
    bool density = false;  // drawn as hours per cell rather than as dots
};

}  // namespace humidraw
