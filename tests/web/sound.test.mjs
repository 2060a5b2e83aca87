// The page's sound in headless Chromium: silent until the first key, then
// the browser's audio runs, the game keeps it fed, and the page plays on.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { launchChromium, pageDir, serve } from './support.mjs';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

let chromium;
before(async () => { chromium = await launchChromium(); });
after(async () => { if (chromium) await chromium.close(); });

test('the audio starts with the first key, stays fed, and M mutes without stopping the game', async () => {
  const server = await serve(pageDir());
  const page = await chromium.browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => { if (!/^ExitStatus\b/.test(e.message)) errors.push(e.message); });
  try {
    await page.goto(server.url + '?bundled');
    await page.waitForFunction(() => kelvaroPage.shown >= 5, { timeout: 20000 });
    assert.equal(await page.evaluate(() => kelvaroSound.state()), 'none', 'audio before any key');

    // Down in the menu keeps the quit item: a key that changes nothing.
    await page.keyboard.press('ArrowDown');
    await page.waitForFunction(() => kelvaroSound.state() === 'running', { timeout: 10000 });

    // Into play; the game mixes ahead of what the browser plays.
    for (const key of ['ArrowUp', 'ArrowRight']) {
      await page.keyboard.down(key);
      await sleep(150);
      await page.keyboard.up(key);
    }
    const ahead = await page.evaluate(() => ({ shown: kelvaroPage.shown, until: kelvaroSound.scheduledUntil() }));
    await sleep(800);
    const later = await page.evaluate(() => ({ shown: kelvaroPage.shown, until: kelvaroSound.scheduledUntil() }));
    assert.ok(later.until > ahead.until + 0.5, `sound scheduled to ${ahead.until} then ${later.until}`);
    assert.ok(later.shown > ahead.shown + 20, 'the page stopped showing frames with sound on');

    await page.keyboard.press('KeyM');
    await sleep(500);
    assert.ok(await page.evaluate(() => kelvaroPage.shown) > later.shown + 10, 'the page stopped after M');
    assert.equal(await page.evaluate(() => kelvaroPage.ended), null);
    assert.deepEqual(errors, []);
  } finally {
    await page.close();
    await server.close();
  }
});
