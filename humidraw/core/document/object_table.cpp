#include "document/object_table.h"

namespace humidraw {

void ObjectTable::clear() {
    records_.fill(ObjectRecord{});
    count_ = 0;
}

bool ObjectTable::append(const ObjectRecord& r) {
    if (full()) return false;
    records_[count_] = r;
    ++count_;
    return true;
}

bool ObjectTable::markDeleted(int index) {
    if (index < 0 || index >= count_ || records_[index].kind <= 0) return false;
    records_[index].kind = kDeleted;
    return true;
}

}  // namespace humidraw
