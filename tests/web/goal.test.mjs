// The bundled course, and the first course taken from the course choice,
// played to the goal in headless Chromium: the winning key script's presses
// and releases reach the page's keyboard handlers as key events, each just
// before the pass the script names (the moment the game wakes for that
// pass's frame), so the browser game must play as the native one does and
// reach the goal. The game must say the player has won; the bundled course
// then ends, the choice comes back and keeps the record.
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

// Hands the page the script's keys, each just before the pass it names.
function injectKeys(page, steps) {
  return page.evaluateOnNewDocument((script) => {
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
          // the first picture standing a little longer.
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
}

// Waits for the winner's message; a missed goal leaves the game playing, and
// its picture then shows where.
async function expectWin(page, shot) {
  const won = await page.waitForSelector('#dialog:not([hidden])', { timeout: 60000 }).catch(() => null);
  await page.screenshot({ path: path.join(artefactDir(), won ? `${shot}.png` : `${shot}-missed.png`) });
  const text = won ? await page.$eval('#dialog-text', (e) => e.textContent) : '';
  const lastKeys = await page.evaluate(() => kelvaroPage.recentKeys);
  assert.match(text, /Sie haben gewonnen/,
               `no winner's message; the last keys reached passes ${lastKeys.map((k) => k.shown).join(' ')}`);
  await page.click('#dialog-ok');
}

test('a player plays the bundled course to the goal in the browser', async () => {
  const steps = readKeyScript(path.join(sourceDir, 'assets/scripts/win.keys'));
  const server = await serve(pageDir());
  const page = await chromium.browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => { if (!/^ExitStatus\b/.test(e.message)) errors.push(e.message); });
  try {
    await page.setViewport({ width: 1000, height: 760 });
    await injectKeys(page, steps);
    await page.goto(server.url + '?bundled');
    await expectWin(page, 'browser-goal');
    await page.waitForFunction(() => kelvaroPage.ended !== null, { timeout: 10000 });
    assert.equal((await page.evaluate(() => kelvaroPage.ended)).status, -1);
    assert.deepEqual(errors, []);
  } finally {
    await page.close();
    await server.close();
  }
});

// The page without a course opens on the game's course choice: Right takes
// the first course, its winning run wins, the choice comes back (the game
// goes on) with the first record, and the record and its replay are still
// there when the page is visited again.
test('from the course choice a win is kept in the browser\'s storage across visits', async () => {
  const take = [{ pass: 0, down: true, code: 'ArrowRight' }, { pass: 1, down: false, code: 'ArrowRight' }];
  const steps = take.concat(readKeyScript(path.join(sourceDir, 'assets/scripts/win.keys'))
    .map((s) => ({ ...s, pass: s.pass + 2 })));
  const server = await serve(pageDir());
  const context = await chromium.browser.createBrowserContext();
  const page = await context.newPage();
  const said = [];
  page.on('console', (m) => said.push(m.text()));
  try {
    await page.setViewport({ width: 1000, height: 760 });
    await injectKeys(page, steps);
    await page.goto(server.url);
    await expectWin(page, 'browser-choice-goal');
    await page.waitForFunction(() => document.getElementById('dialog').hidden, { timeout: 10000 });
    const shown = await page.evaluate(() => kelvaroPage.shown);
    await page.waitForFunction((s) => kelvaroPage.shown > s + 10, { timeout: 10000 }, shown);
    assert.equal(await page.evaluate(() => kelvaroPage.ended), null, 'the win ended the game instead of going back');
    assert.ok(said.some((t) => /Erster Sieg auf "klassik"/.test(t)), said.slice(-5).join('\n'));
    await page.evaluate(() => kelvaroPage.savePlayerFiles());

    const again = await context.newPage();
    await again.goto(server.url);
    await again.waitForFunction(() => kelvaroPage.shown >= 5, { timeout: 20000 });
    const kept = await again.evaluate(() => Module.FS.readdir('/player').filter((n) => n !== '.' && n !== '..'));
    assert.ok(kept.includes('records.txt'), `kept: ${kept.join(' ')}`);
    assert.match(await again.evaluate(() => Module.FS.readFile('/player/records.txt', { encoding: 'utf8' })), /klassik /);
    assert.ok(kept.includes('klassik.replay'), `no replay among ${kept.join(' ')}`);
    await again.close();
  } finally {
    await context.close();
    await server.close();
  }
});
