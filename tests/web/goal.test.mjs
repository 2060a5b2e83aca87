// The bundled course played to the goal in headless Chromium: the winning
// key script's presses and releases reach the page's keyboard handlers as
// key events, each just before the pass the script names (the moment the
// game wakes for that pass's frame), so the browser game must play as the
// native one does and reach the goal. The game must say the player
// has won, and end when that is acknowledged.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';

import { artefactDir, launchChromium, pageDir, serve, sourceDir } from './support.mjs';

const keyNames = { up: 'ArrowUp', down: 'ArrowDown', left: 'ArrowLeft', right: 'ArrowRight', enter: 'Enter' };

// "PASS +KEY" / "PASS -KEY" lines, in order.
function readKeyScript(file) {
  const steps = [];
  for (const line of fs.readFileSync(file, 'utf8').split('\n')) {
    const m = line.match(/^\s*(\d+)\s+([+-])(\w+)\s*$/);
    if (!m) continue;
    const code = keyNames[m[3]];
    assert.ok(code, `${file}: no browser key for "${m[3]}"`);
    steps.push({ pass: Number(m[1]), down: m[2] === '+', code });
  }
  return steps;
}

let chromium;
before(async () => { chromium = await launchChromium(); });
after(async () => { if (chromium) await chromium.close(); });

test('a player plays the bundled course to the goal in the browser', async () => {
  const steps = readKeyScript(path.join(sourceDir, 'assets/scripts/win.keys'));
  const server = await serve(pageDir());
  const page = await chromium.browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => { if (!/^ExitStatus\b/.test(e.message)) errors.push(e.message); });
  try {
    await page.setViewport({ width: 1000, height: 760 });
    // The script counts passes from the game's start, so the keys are
    // ready before the page's own script runs.
    await page.evaluateOnNewDocument((script) => {
      let glue;
      Object.defineProperty(window, 'kelvaroPage', {
        configurable: true,
        get: () => glue,
        set(value) {
          glue = value;
          const wake = glue.nextFrame.bind(glue);
          let next = 0;
          let from = null;
          glue.nextFrame = () => wake().then((now) => {
            // The game's first passes run before it first waits for a frame,
            // so no key can reach them: the whole script starts there, with
            // the menu standing a little longer.
            if (from === null) from = glue.shown;
            // The game sleeps until this promise settles, so the events reach
            // it between two passes, as a player's keys do.
            while (next < script.length && script[next].pass + from <= glue.shown) {
              const { down, code } = script[next++];
              window.dispatchEvent(new KeyboardEvent(down ? 'keydown' : 'keyup',
                                                     { code, key: code, bubbles: true, cancelable: true }));
            }
            return now;
          });
        },
      });
    }, steps);
    await page.goto(server.url);
    // A missed goal leaves the game playing: its picture then shows where.
    const won = await page.waitForSelector('#dialog:not([hidden])', { timeout: 60000 }).catch(() => null);
    await page.screenshot({ path: path.join(artefactDir(), won ? 'browser-goal.png' : 'browser-goal-missed.png') });
    const text = won ? await page.$eval('#dialog-text', (e) => e.textContent) : '';
    const lastKeys = await page.evaluate(() => kelvaroPage.recentKeys);
    assert.match(text, /Sie haben gewonnen/,
                 `no winner's message; the last keys reached passes ${lastKeys.map((k) => k.shown).join(' ')}`);
    await page.click('#dialog-ok');
    await page.waitForFunction(() => kelvaroPage.ended !== null, { timeout: 10000 });
    assert.equal((await page.evaluate(() => kelvaroPage.ended)).status, -1);
    assert.deepEqual(errors, []);
  } finally {
    await page.close();
    await server.close();
  }
});
