// The road of one lock as data: each row is an event and what the lock must
// give back and take for it, and where that leaves the lock. A row that goes
// wrong prints what the phase did next to what it should have done.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/lock/LockPhase.h"

namespace {

using E = LockEvent;
using S = LockStage;
const Lockdown kOutlivingButHoldOff = kOutlivesTheProcess & ~kHoldOff;

struct Row {
    LockEvent event;
    bool moved;
    Lockdown giveBack, take;
    LockStage stage;  // then
    Lockdown taken, givenBackForTheEnd;
};

std::string Name(LockEvent event) {
    const char* const names[] = {"start",     "settingsTick", "settingsAccepted", "holdOffChosen", "settingsCancelled",
                                 "unlocked",  "sessionEnds",  "sessionGoesOn",    "taskbarSearch", "destroyed"};
    return names[static_cast<int>(event)];
}

std::string Name(LockStage stage) {
    const char* const names[] = {"making", "waiting", "asking", "locked", "cancelled", "unlocked", "ended"};
    return names[static_cast<int>(stage)];
}

std::string Parts(Lockdown set) {
    const char* const names[] = {"task manager", "task keys", "taskbars", "accessibility hotkeys", "hold-off"};
    std::string text;
    for (int bit = 0; bit < 5; ++bit) {
        if (set & (1u << bit)) text += (text.empty() ? "" : ", ") + std::string(names[bit]);
    }
    return "{" + text + "}";
}

std::string Describe(bool moved, Lockdown giveBack, Lockdown take, LockStage stage, Lockdown taken,
                     Lockdown givenBack) {
    return std::string(moved ? "moved" : "stayed") + ", gives back " + Parts(giveBack) + ", takes " + Parts(take) +
           "; now " + Name(stage) + ", taken " + Parts(taken) + ", given back for the end " + Parts(givenBack);
}

// Walks the road from a new lock, row by row.
void Walk(const std::vector<Row>& road) {
    LockPhase phase;
    for (size_t i = 0; i < road.size(); ++i) {
        const Row& row = road[i];
        const LockStep step = phase.On(row.event);
        EXPECT_EQ(Describe(step.moved, step.giveBack, step.take, phase.Stage(), phase.Taken(),
                           phase.GivenBackForTheEnd()),
                  Describe(row.moved, row.giveBack, row.take, row.stage, row.taken, row.givenBackForTheEnd))
            << "row " << i << ": " << Name(row.event);
    }
}

}  // namespace

TEST(LockPhase, TheRoadTakesAtTheStartHoldsOffOnceAcceptedAndGivesEverythingBackAtTheEnd) {
    Walk({
        {E::start, true, 0, kWhileLocked, S::waiting, kWhileLocked, 0},
        {E::settingsTick, true, 0, 0, S::asking, kWhileLocked, 0},
        {E::settingsAccepted, true, 0, 0, S::locked, kWhileLocked, 0},
        {E::holdOffChosen, true, 0, kHoldOff, S::locked, kEverything, 0},
        {E::taskbarSearch, false, 0, kTaskbars, S::locked, kEverything, 0},
        {E::unlocked, true, 0, 0, S::unlocked, kEverything, 0},
        {E::destroyed, true, kEverything, 0, S::ended, 0, 0},
    });
}

TEST(LockPhase, TheSettingsAreAskedForAtTheFirstTickOnlyAndNotBeforeTheStart) {
    Walk({
        {E::settingsTick, false, 0, 0, S::making, 0, 0},
        {E::start, true, 0, kWhileLocked, S::waiting, kWhileLocked, 0},
        {E::start, false, 0, 0, S::waiting, kWhileLocked, 0},
        {E::settingsTick, true, 0, 0, S::asking, kWhileLocked, 0},
        // Posted by another program while the settings are up, and after.
        {E::settingsTick, false, 0, 0, S::asking, kWhileLocked, 0},
        {E::settingsAccepted, true, 0, 0, S::locked, kWhileLocked, 0},
        {E::settingsTick, false, 0, 0, S::locked, kWhileLocked, 0},
        {E::settingsAccepted, false, 0, 0, S::locked, kWhileLocked, 0},
    });
}

TEST(LockPhase, RefusedSettingsEndTheLockWithNothingHeldOffAndNoUnlockAfter) {
    Walk({
        {E::start, true, 0, kWhileLocked, S::waiting, kWhileLocked, 0},
        {E::settingsCancelled, false, 0, 0, S::waiting, kWhileLocked, 0},
        {E::settingsTick, true, 0, 0, S::asking, kWhileLocked, 0},
        {E::settingsCancelled, true, 0, 0, S::cancelled, kWhileLocked, 0},
        {E::holdOffChosen, false, 0, 0, S::cancelled, kWhileLocked, 0},
        {E::unlocked, false, 0, 0, S::cancelled, kWhileLocked, 0},
        {E::taskbarSearch, false, 0, kTaskbars, S::cancelled, kWhileLocked, 0},
        {E::destroyed, true, kEverything, 0, S::ended, 0, 0},
    });
}

TEST(LockPhase, TheEndOfTheSessionWhileTheSettingsAreUpKeepsTheHoldOffForWhenItDoesNotCome) {
    Walk({
        {E::start, true, 0, kWhileLocked, S::waiting, kWhileLocked, 0},
        {E::settingsTick, true, 0, 0, S::asking, kWhileLocked, 0},
        {E::unlocked, false, 0, 0, S::asking, kWhileLocked, 0},
        {E::sessionEnds, true, kOutlivingButHoldOff, 0, S::asking, kTaskKeys, kOutlivingButHoldOff},
        // Once: the second announcement finds nothing left to give back.
        {E::sessionEnds, false, 0, 0, S::asking, kTaskKeys, kOutlivingButHoldOff},
        {E::taskbarSearch, false, 0, 0, S::asking, kTaskKeys, kOutlivingButHoldOff},
        {E::settingsAccepted, true, 0, 0, S::locked, kTaskKeys, kOutlivingButHoldOff},
        {E::holdOffChosen, true, 0, 0, S::locked, kTaskKeys, kOutlivesTheProcess},
        {E::sessionGoesOn, true, 0, kOutlivesTheProcess, S::locked, kEverything, 0},
        {E::sessionGoesOn, false, 0, 0, S::locked, kEverything, 0},
        {E::taskbarSearch, false, 0, kTaskbars, S::locked, kEverything, 0},
    });
}

TEST(LockPhase, TheEndOfTheSessionGivesBackTheHoldOffTakenAndTakesItAgainIfItDoesNotCome) {
    Walk({
        {E::start, true, 0, kWhileLocked, S::waiting, kWhileLocked, 0},
        {E::settingsTick, true, 0, 0, S::asking, kWhileLocked, 0},
        {E::settingsAccepted, true, 0, 0, S::locked, kWhileLocked, 0},
        {E::holdOffChosen, true, 0, kHoldOff, S::locked, kEverything, 0},
        {E::sessionEnds, true, kOutlivesTheProcess, 0, S::locked, kTaskKeys, kOutlivesTheProcess},
        {E::sessionGoesOn, true, 0, kOutlivesTheProcess, S::locked, kEverything, 0},
        {E::sessionEnds, true, kOutlivesTheProcess, 0, S::locked, kTaskKeys, kOutlivesTheProcess},
        {E::unlocked, true, 0, 0, S::unlocked, kTaskKeys, kOutlivesTheProcess},
        {E::destroyed, true, kEverything, 0, S::ended, 0, 0},
    });
}

TEST(LockPhase, BeforeTheSettingsTheEndOfTheSessionGivesBackWithoutAHoldOff) {
    Walk({
        {E::sessionEnds, false, 0, 0, S::making, 0, 0},
        {E::start, true, 0, kWhileLocked, S::waiting, kWhileLocked, 0},
        {E::holdOffChosen, false, 0, 0, S::waiting, kWhileLocked, 0},
        {E::sessionEnds, true, kOutlivingButHoldOff, 0, S::waiting, kTaskKeys, kOutlivingButHoldOff},
        {E::sessionGoesOn, true, 0, kOutlivingButHoldOff, S::waiting, kWhileLocked, 0},
        {E::settingsTick, true, 0, 0, S::asking, kWhileLocked, 0},
    });
}

TEST(LockPhase, OnceTheEndHasBegunTheSessionsEndStillGivesBackButNothingIsTakenAgain) {
    Walk({
        {E::start, true, 0, kWhileLocked, S::waiting, kWhileLocked, 0},
        {E::settingsTick, true, 0, 0, S::asking, kWhileLocked, 0},
        {E::settingsAccepted, true, 0, 0, S::locked, kWhileLocked, 0},
        {E::unlocked, true, 0, 0, S::unlocked, kWhileLocked, 0},
        {E::sessionEnds, true, kOutlivingButHoldOff, 0, S::unlocked, kTaskKeys, kOutlivingButHoldOff},
        {E::sessionGoesOn, false, 0, 0, S::unlocked, kTaskKeys, kOutlivingButHoldOff},
        {E::destroyed, true, kEverything, 0, S::ended, 0, 0},
        {E::sessionEnds, false, 0, 0, S::ended, 0, 0},
        {E::taskbarSearch, false, 0, 0, S::ended, 0, 0},
        {E::start, false, 0, 0, S::ended, 0, 0},
    });
}

TEST(LockPhase, TheGuardHoldsFromTheStartUntilTheEndBeginsAndTheModeShowsOnceAccepted) {
    struct Stop {
        LockEvent event;
        bool guarded, accepted;
    };
    for (const auto& road : std::vector<std::vector<Stop>>{
             {{E::start, true, false}, {E::settingsTick, true, false}, {E::settingsAccepted, true, true},
              {E::unlocked, false, true}},
             {{E::start, true, false}, {E::settingsTick, true, false}, {E::settingsCancelled, false, false}},
         }) {
        LockPhase phase;
        EXPECT_FALSE(phase.Guarded());
        for (const Stop& stop : road) {
            phase.On(stop.event);
            EXPECT_EQ(std::make_pair(phase.Guarded(), phase.Accepted()), std::make_pair(stop.guarded, stop.accepted))
                << "(guarded, accepted) after " << Name(stop.event) << ", now " << Name(phase.Stage());
        }
    }
}
