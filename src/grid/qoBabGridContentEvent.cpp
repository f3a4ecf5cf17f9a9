#include "grid/qoBabGridContentEvent.h"

#include <algorithm>

namespace qo {

TEvent::~TEvent() {
    std::vector<TSingleEventListener*> listeners;
    listeners.swap(fListeners);
    for (TSingleEventListener* listener : listeners) {
        listener->fEvent = nullptr;
        if (listener->fAutoFree) delete listener;
    }
}

void TEvent::AddListener(TSingleEventListener* listener) {
    if (std::find(fListeners.begin(), fListeners.end(), listener) == fListeners.end())
        fListeners.push_back(listener);
}

void TEvent::RemoveListener(TSingleEventListener* listener) {
    fListeners.erase(std::remove(fListeners.begin(), fListeners.end(), listener), fListeners.end());
}

void TEvent::TriggerEvent(TBabObject* message) {
    // A listener may remove or free others while it runs: call only those still listening.
    const std::vector<TSingleEventListener*> snapshot = fListeners;
    for (TSingleEventListener* listener : snapshot)
        if (std::find(fListeners.begin(), fListeners.end(), listener) != fListeners.end())
            listener->Trigger(this, message);
}

TSingleEventListener::TSingleEventListener(TEvent* event, TMethod method, bool autoFree)
    : fEvent(event), fMethod(std::move(method)), fAutoFree(autoFree) {
    if (fEvent) fEvent->AddListener(this);
}

TSingleEventListener::~TSingleEventListener() {
    if (fEvent) fEvent->RemoveListener(this);
}

void TSingleEventListener::Trigger(TEvent* event, TBabObject* message) {
    fCallingEventOwner = event->itsOwner();
    fCallingEvent = event;
    fCallingMessage = message;
    fMethod.Fire(this);
}

} // namespace qo
