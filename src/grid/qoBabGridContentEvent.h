#pragma once
// Multicast events of the grid content model: an event calls its listeners in
// the order they were added; a listener detaches itself when it dies, and an
// event that dies detaches its listeners and frees those that asked for it.
#include "platform/core/qoEvents.h"

#include <vector>

namespace qo {

// Base of every object an event can carry as owner or message.
class TBabObject {
public:
    virtual ~TBabObject() = default;
};

class TSingleEventListener;

class TEvent {
public:
    explicit TEvent(TBabObject* owner) : fOwner(owner) {}
    ~TEvent();
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;

    TBabObject* itsOwner() const { return fOwner; }
    const std::vector<TSingleEventListener*>& itsListOfListeners() const { return fListeners; }

    // Adds a listener once.
    void AddListener(TSingleEventListener* listener);
    void RemoveListener(TSingleEventListener* listener);
    void TriggerEvent(TBabObject* message);

private:
    TBabObject* fOwner;
    std::vector<TSingleEventListener*> fListeners;
};

// One method listening to one event.
class TSingleEventListener {
public:
    using TMethod = TqoEvent<void(TSingleEventListener*)>;

    TSingleEventListener(TEvent* event, TMethod method, bool autoFree);
    ~TSingleEventListener();
    TSingleEventListener(const TSingleEventListener&) = delete;
    TSingleEventListener& operator=(const TSingleEventListener&) = delete;

    TBabObject* CallingEventOwner() const { return fCallingEventOwner; }
    TEvent* CallingEvent() const { return fCallingEvent; }
    TBabObject* CallingMessage() const { return fCallingMessage; }
    bool AutoFree() const { return fAutoFree; }

private:
    friend class TEvent;
    void Trigger(TEvent* event, TBabObject* message);

    TEvent* fEvent;
    TMethod fMethod;
    bool fAutoFree;
    TBabObject* fCallingEventOwner = nullptr;
    TEvent* fCallingEvent = nullptr;
    TBabObject* fCallingMessage = nullptr;
};

// Triggers an event that may already be gone (events die before the cells of a grid).
inline void TriggerIfAlive(TEvent* event, TBabObject* message) {
    if (event) event->TriggerEvent(message);
}

} // namespace qo
