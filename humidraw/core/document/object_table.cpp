#include "document/object_table.h"

#include "lang/language.h"

namespace humidraw {

std::string ObjectTable::fullMessage() {
    return withArguments(translate("Document", "図形の数が上限(%1)に達しているため追加できません"),
                         {std::to_string(kCapacity)});
}

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
