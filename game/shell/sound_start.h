// Sound at the program's start: the player's M is remembered in their
// settings and comes back with the next start; "-nosound" mutes only the
// session it is given to.
#pragma once

void startSound(bool mutedForThisSession);
