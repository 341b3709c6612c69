#include "app/lock/LockPhase.h"

bool LockPhase::Guarded() const {
    return m_stage == LockStage::waiting || m_stage == LockStage::asking || m_stage == LockStage::locked;
}

LockStep LockPhase::MoveOn(LockStage from, LockStage to) {
    if (m_stage != from) return {};
    m_stage = to;
    return {true};
}

LockStep LockPhase::On(LockEvent event) {
    switch (event) {
    case LockEvent::start:
        if (m_stage != LockStage::making) return {};
        m_stage = LockStage::waiting;
        m_taken = kWhileLocked;
        return {true, 0, kWhileLocked};
    // Once per lock: the settings are asked for at the first tick only.
    case LockEvent::settingsTick: return MoveOn(LockStage::waiting, LockStage::asking);
    case LockEvent::settingsAccepted: return MoveOn(LockStage::asking, LockStage::locked);
    case LockEvent::settingsCancelled: return MoveOn(LockStage::asking, LockStage::cancelled);
    // No password matches anything before the settings set one.
    case LockEvent::unlocked: return MoveOn(LockStage::locked, LockStage::unlocked);
    case LockEvent::holdOffChosen:
        if (m_stage != LockStage::locked) return {};
        // With the rest of what outlives the process, while the end of the
        // session has it.
        if (m_givenBackForTheEnd) {
            m_givenBackForTheEnd |= kHoldOff;
            return {true};
        }
        m_taken |= kHoldOff;
        return {true, 0, kHoldOff};
    // Given back once, until the session goes on after all.
    case LockEvent::sessionEnds: {
        const Lockdown outliving = m_taken & kOutlivesTheProcess;
        if (!outliving) return {};
        m_taken &= ~outliving;
        m_givenBackForTheEnd = outliving;
        return {true, outliving, 0};
    }
    // Only while the lock goes on: once its end has begun, the end gives
    // everything back anyway.
    case LockEvent::sessionGoesOn: {
        const Lockdown back = m_givenBackForTheEnd;
        if (!Guarded() || !back) return {};
        m_taken |= back;
        m_givenBackForTheEnd = 0;
        return {true, 0, back};
    }
    // A taskbar found is taken like the others, while they are taken.
    case LockEvent::taskbarSearch: return {false, 0, m_taken & kTaskbars};
    // Everything, whatever the record says: nothing may outlive the lock.
    case LockEvent::destroyed:
        m_stage = LockStage::ended;
        m_taken = m_givenBackForTheEnd = 0;
        return {true, kEverything, 0};
    }
    return {};
}
