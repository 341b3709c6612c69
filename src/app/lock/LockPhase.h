#pragma once
// How far one lock is on its road, and what of the system it holds taken.
// The lock window tells the phase of each event; the phase moves on and says
// what to give back and take for it, which the window does. Events come in
// any order and as often as other programs like (a tick posted again, the
// end of the session while the settings are up): these rules decide what
// each one still means.
#include "app/lockdown/Lockdown.h"

enum class LockStage {
    making,     // the window is being made: nothing is taken yet
    waiting,    // the screens are covered and the system taken; the settings wait for the first tick
    asking,     // the settings dialog is up
    locked,     // the settings are accepted: the password is set and the clock runs
    cancelled,  // the settings were refused: the lock ends before it began
    unlocked,   // the right password ended the lock
    ended,      // the window is gone, and everything given back
};

enum class LockEvent {
    start,              // the window is about to cover the screens
    settingsTick,       // the settings' timer ticked, or another program posted its tick
    settingsAccepted,
    holdOffChosen,      // the accepted settings ask for the hold-off
    settingsCancelled,
    unlocked,           // the right password was typed
    sessionEnds,        // the session really ends: Windows ends the process right after
    sessionGoesOn,      // an announced end of the session did not come
    taskbarSearch,      // a search for taskbars, which may find a new one
    destroyed,
};

// What an event asks of the window: give back, then take. `moved` says the
// event counted; one that no longer means anything changes nothing.
struct LockStep {
    bool moved = false;
    Lockdown giveBack = 0;
    Lockdown take = 0;
};

class LockPhase {
public:
    LockStep On(LockEvent event);

    LockStage Stage() const { return m_stage; }
    // What the lock holds taken now.
    Lockdown Taken() const { return m_taken; }
    // What it gave back for an end of the session, and takes again should
    // the end not come.
    Lockdown GivenBackForTheEnd() const { return m_givenBackForTheEnd; }
    // The guard holds the window over the screens.
    bool Guarded() const;
    // The settings are accepted: the lock shows its background mode and the
    // owner's message.
    bool Accepted() const { return m_stage == LockStage::locked || m_stage == LockStage::unlocked; }

private:
    LockStep MoveOn(LockStage from, LockStage to);

    LockStage m_stage = LockStage::making;
    Lockdown m_taken = 0;
    Lockdown m_givenBackForTheEnd = 0;
};
