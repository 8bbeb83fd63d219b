#pragma once
// The z-order of a screen window's objects, kept apart from the list that pairs objects with
// their records: bringing an object to the front changes how it is painted and hit, never which
// record it stores to.

#include <vector>

namespace panolcd {

class TLCDObject;

class ObjectStack {
public:
    ObjectStack() = default;
    // The objects outlive it, left without a stack.
    virtual ~ObjectStack();
    ObjectStack(const ObjectStack&) = delete;
    ObjectStack& operator=(const ObjectStack&) = delete;

    // On top of the others.
    void Add(TLCDObject& object);
    void Remove(TLCDObject& object);
    void BringToFront(TLCDObject& object);
    void SendToBack(TLCDObject& object);

    // Back to front.
    const std::vector<TLCDObject*>& PaintOrder() const { return order_; }
    // The topmost visible and enabled object whose frame holds the window point; a press on a
    // disabled object goes to what lies below it.
    TLCDObject* ObjectAt(int x, int y) const;

    // An object's picture changed; the window repaints its frame.
    virtual void Invalidate(const TLCDObject& /*object*/) {}

private:
    std::vector<TLCDObject*> order_;
};

} // namespace panolcd
