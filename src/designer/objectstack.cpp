#include "designer/objectstack.h"

#include "designer/lcdobject.h"

#include <algorithm>

namespace panolcd {

ObjectStack::~ObjectStack() {
    for (TLCDObject* object : order_)
        object->stack_ = nullptr;
}

void ObjectStack::Add(TLCDObject& object) {
    if (object.stack_ != nullptr)
        object.stack_->Remove(object);
    order_.push_back(&object);
    object.stack_ = this;
}

void ObjectStack::Remove(TLCDObject& object) {
    if (std::erase(order_, &object) > 0)
        object.stack_ = nullptr;
}

void ObjectStack::BringToFront(TLCDObject& object) {
    const auto at = std::find(order_.begin(), order_.end(), &object);
    if (at == order_.end())
        return;
    std::rotate(at, at + 1, order_.end());
    Invalidate(object);
}

void ObjectStack::SendToBack(TLCDObject& object) {
    const auto at = std::find(order_.begin(), order_.end(), &object);
    if (at == order_.end())
        return;
    std::rotate(order_.begin(), at, at + 1);
    Invalidate(object);
}

TLCDObject* ObjectStack::ObjectAt(int x, int y) const {
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
        TLCDObject* object = *it;
        if (object->Visible && object->Enabled && object->WindowRect().Contains(x, y))
            return object;
    }
    return nullptr;
}

} // namespace panolcd
