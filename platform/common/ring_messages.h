// The message side of a back end's platform table, served from one ring:
// the back end translates its window system's events into the ring and says
// how to fetch more when it has run dry; the table's entries (the next
// message, a key's character, the key state, a posted message) read and
// fill the ring the same way on every back end.
#pragma once

#include "platform/common/message_ring.h"

struct RK_Platform;

// The ring every message of the back end in force passes through.
MessageRing &platformMessageRing();

// Fills the table's message source and postMessage from the ring. `refill`
// runs when the ring is empty before a message is handed out;
// `refillForCharacter`, when not null, when it is empty before a character
// is (a key's character may still lie in the system's own queue).
void serveMessagesFromRing(RK_Platform &platform, void (*refill)(), void (*refillForCharacter)());
