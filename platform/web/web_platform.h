// The browser display back end (WebAssembly): the page's canvas, its
// keyboard, dialogs for message boxes, the browser's frame clock.
#pragma once

// Installs the back end (RK_setPlatform) and starts listening to the page.
void useWebPlatform();

// Installs the browser's Host (framework/host.h): the player's files in the
// browser's storage at /player.
void useWebHost();
