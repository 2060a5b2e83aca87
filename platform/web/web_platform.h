// The browser display back end (WebAssembly): the page's canvas, its
// keyboard, dialogs for message boxes, the browser's frame clock.
#pragma once

// Installs the back end (RK_setPlatform) and starts listening to the page.
void useWebPlatform();

// Installs the host (setHost) of the browser build: the page puts the data
// into the current directory, the player's files live in the browser's
// storage at /player, and the page's console is no place for a player's
// message, so such messages come up in the page's dialog as well.
void useWebHost();
