// Controllers through the browser's Gamepad API. Each frame of the browser
// the page reads the pads with the standard layout and hands what they hold
// to the game, whose mapping (shared with the other platforms) answers with
// keys; those keys are pressed as keyboard events of the page, so they take
// the keyboard's own way to the game and to the page's dialogs.
'use strict';

(function () {
  // The standard layout's buttons, in the order the game takes them: D-pad
  // up, down, left, right, south, Start, Back.
  const buttonOrder = [12, 13, 14, 15, 0, 9, 8];
  // The keys the game presses, by scan code: KeyboardEvent code and key.
  const keyOfScanCode = {
    72: 'ArrowUp', 80: 'ArrowDown', 75: 'ArrowLeft', 77: 'ArrowRight', 28: 'Enter', 1: 'Escape',
  };
  const browserPads = () => (navigator.getGamepads ? Array.from(navigator.getGamepads()) : []);

  let readPads = browserPads;
  let game = null;        // the game's entry for a pad's state
  let reported = new Set();  // pads the game holds a state of

  // -32768 to 32767, as the other platforms give a stick.
  const axisValue = (v) => (Number.isFinite(v) ? Math.trunc(Math.max(-1, Math.min(1, v)) * 32767) : 0);

  function stillRunning() {
    return game !== null && !(window.kelvaroPage && window.kelvaroPage.ended !== null);
  }

  function poll() {
    requestAnimationFrame(poll);
    if (!stillRunning()) return;
    const present = new Set();
    let pads = [];
    try { pads = readPads() || []; } catch (e) { pads = []; }
    for (const pad of pads) {
      // Pads of another layout have buttons the game cannot name.
      if (!pad || !pad.connected || pad.mapping !== 'standard' || present.has(pad.index)) continue;
      let buttons = 0;
      buttonOrder.forEach((b, bit) => { if (pad.buttons[b] && pad.buttons[b].pressed) buttons |= 1 << bit; });
      game(pad.index, 1, buttons, axisValue(pad.axes[0]), axisValue(pad.axes[1]));
      present.add(pad.index);
      if (!stillRunning()) return;  // the key ended the game
    }
    // Pulled: the game lets go of what it held.
    for (const index of reported) if (!present.has(index) && stillRunning()) game(index, 0, 0, 0, 0);
    reported = present;
  }

  window.kelvaroGamepad = {
    // Presses currently held by pads, by code: at most the six keys.
    held: new Set(),
    // The game starts listening: `padState(index, connected, buttons, x, y)`.
    attach(padState) { game = padState; },
    // A key of the mapping, pressed as the keyboard would, at the element
    // with the focus.
    press(scanCode, down) {
      const code = keyOfScanCode[scanCode];
      if (!code) return;
      if (down) this.held.add(code); else this.held.delete(code);
      const target = document.activeElement || document.body;
      target.dispatchEvent(new KeyboardEvent(down ? 'keydown' : 'keyup',
                                             { code, key: code, bubbles: true, cancelable: true }));
    },
    // Where the pads are read from: a function giving a list like
    // navigator.getGamepads(); null for the browser's own (tests give a fake).
    readFrom(source) { readPads = source || browserPads; },
  };
  requestAnimationFrame(poll);
})();
