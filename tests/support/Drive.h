#pragma once
// Driving the real program from outside, as a user and an observer would:
// start it, find its windows, press keys, read the system state it changes.
#include "Dialogs.h"
#include "Files.h"
#include "ForeignWindow.h"
#include "Input.h"
#include "KeyProbe.h"
#include "Locker.h"
#include "Monitors.h"
#include "Rects.h"
#include "Screen.h"
#include "Shell.h"
#include "SystemState.h"
#include "Wait.h"
