#pragma once

// Makes the object that holds it the current instance of T until it is
// destroyed or a newer one is made: `CurrentInstance<Player> current_{this};`
// as a member, read through CurrentInstance<Player>::Get(), null when none.
// A member rather than a base class, so that it is set before the owner's
// constructor body runs and cleared before the owner's other members go.
template <class T>
class CurrentInstance {
public:
    explicit CurrentInstance(T* self) : self_(self) { current_ = self; }
    ~CurrentInstance() {
        if (current_ == self_) current_ = nullptr;
    }
    CurrentInstance(const CurrentInstance&) = delete;
    CurrentInstance& operator=(const CurrentInstance&) = delete;

    static T* Get() { return current_; }

private:
    T* self_;
    static inline T* current_ = nullptr;
};
