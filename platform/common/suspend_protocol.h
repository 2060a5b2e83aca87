// What a back end does when its full-screen output loses the front (another
// program takes it, the page is hidden): the library's suspend handler
// decides. It answers 0 to keep the program running in front, 1 to suspend
// it here until it is back in front, 2 to let it run on behind; once a
// suspended program is back, and when one that ran behind is in front
// again, the handler hears 2.
#pragma once

enum class SuspendOutcome {
  NoHandler,      // nobody asked, or a suspension already waits
  KeptInFront,    // the handler answered 0
  RunningBehind,  // answered 2: the back end calls resumeFromBehind() when it is back
  Resumed,        // answered 1, waited, and back in front
  WindowGone,     // answered 1 and the window went away meanwhile
};

// `waitUntilBack` waits, pumping the back end's own events so that nothing
// arriving meanwhile is lost, until the program is in front again, and
// readies the output (redraws, restores full screen); it returns false when
// the window has gone meanwhile.
using WaitUntilBack = bool (*)(void *context);
SuspendOutcome suspendOnLosingFront(WaitUntilBack waitUntilBack, void *context);

// A program that ran on behind is in front again.
void resumeFromBehind();

// True while a suspension waits (events pumped meanwhile must not start
// another).
bool suspensionWaiting();
