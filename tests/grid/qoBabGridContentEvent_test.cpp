#include "grid/qoBabGridContentEvent.h"

#include <gtest/gtest.h>

#include <string>

namespace qo {
namespace {

struct TNamed : TBabObject {};

TEST(BabEvent, ListenersRunInOrderAndSeeTheCall) {
    TNamed owner, message;
    TEvent event(&owner);
    std::string log;
    TSingleEventListener a(
        &event,
        [&](TSingleEventListener* l) {
            log += "a";
            EXPECT_EQ(l->CallingEventOwner(), &owner);
            EXPECT_EQ(l->CallingEvent(), &event);
            EXPECT_EQ(l->CallingMessage(), &message);
        },
        false);
    TSingleEventListener b(
        &event, [&](TSingleEventListener*) { log += "b"; }, false);
    event.AddListener(&a); // once only
    event.TriggerEvent(&message);
    EXPECT_EQ(log, "ab");
    event.RemoveListener(&a);
    event.TriggerEvent(&message);
    EXPECT_EQ(log, "abb");
}

TEST(BabEvent, AListenerThatDiesLeavesItsEvent) {
    TEvent event(nullptr);
    {
        TSingleEventListener gone(
            &event, [](TSingleEventListener*) {}, false);
        EXPECT_EQ(event.itsListOfListeners().size(), 1u);
    }
    EXPECT_TRUE(event.itsListOfListeners().empty());
    event.TriggerEvent(nullptr);
}

TEST(BabEvent, AnEventThatDiesFreesAutoFreeListenersAndDetachesOthers) {
    int calls = 0;
    auto event = std::make_unique<TEvent>(nullptr);
    new TSingleEventListener(
        event.get(), [&](TSingleEventListener*) { ++calls; }, true); // freed with the event
    TSingleEventListener kept(
        event.get(), [&](TSingleEventListener*) { ++calls; }, false);
    event->TriggerEvent(nullptr);
    EXPECT_EQ(calls, 2);
    event.reset(); // the sanitizer build reports a leak or a double free here
}

TEST(BabEvent, AListenerRemovedWhileTriggeringIsNotCalled) {
    TEvent event(nullptr);
    std::unique_ptr<TSingleEventListener> second;
    int secondCalls = 0;
    TSingleEventListener first(
        &event, [&](TSingleEventListener*) { second.reset(); }, false);
    second = std::make_unique<TSingleEventListener>(
        &event, [&](TSingleEventListener*) { ++secondCalls; }, false);
    event.TriggerEvent(nullptr);
    EXPECT_EQ(secondCalls, 0);
}

} // namespace
} // namespace qo
