// The page on a phone: a landscape touch screen in headless Chromium. The
// touch keys appear beside the picture and cover none of it; taps reach the
// menu and start play; a held finger charges the bounce while a second one
// steers, and the frame after their release is the frame of the same keys
// played headless; "Esc" ends it. A message is answered by a tap. Upright,
// the page asks to turn the phone. A file the game keeps under /player is
// still there after a reload.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';

import {
  artefactDir, differingPixels, framesLater, grabPicture, headlessShot, keyScript, launchChromium, pageDir,
  scratchDir, serve,
} from './support.mjs';

const clockRows = 16;
const landscape = { width: 844, height: 390, deviceScaleFactor: 1, isMobile: true, hasTouch: true, isLandscape: true };
const portrait = { width: 390, height: 844, deviceScaleFactor: 1, isMobile: true, hasTouch: true, isLandscape: false };

let chromium;
let server;
before(async () => { chromium = await launchChromium(); server = await serve(pageDir()); });
after(async () => { if (server) await server.close(); if (chromium) await chromium.close(); });

async function openPhone(viewport, query = '') {
  const page = await chromium.browser.newPage();
  await page.setViewport(viewport);
  const errors = [];
  page.on('pageerror', (e) => { if (!/^ExitStatus\b/.test(e.message)) errors.push(e.message); });
  await page.goto(server.url + query);
  await page.waitForFunction(() => kelvaroPage.shown >= 5, { timeout: 20000 });
  return { page, errors };
}

// The centre of a touch key.
async function keyCentre(page, code) {
  const box = await (await page.$(`.pad .key[data-code="${code}"]`)).boundingBox();
  return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
}

// A finger on a key for `frames` pictures.
async function hold(page, code, frames) {
  const at = await keyCentre(page, code);
  const finger = await page.touchscreen.touchStart(at.x, at.y);
  await framesLater(page, frames);
  await finger.end();
}

test('on a landscape phone the touch keys sit beside the picture and play the game as its keys do', async () => {
  const { page, errors } = await openPhone(landscape, '?size=320&bundled');
  const scratch = scratchDir('kelvaro-phone-');
  try {
    const layout = await page.evaluate(() => {
      const rect = (e) => { const r = e.getBoundingClientRect(); return { l: r.left, t: r.top, r: r.right, b: r.bottom }; };
      return {
        picture: rect(document.getElementById('screen')),
        keys: [...document.querySelectorAll('.pad .key')].map((k) => ({ code: k.dataset.code, ...rect(k) })),
        hint: getComputedStyle(document.getElementById('turn-hint')).display,
      };
    });
    await page.screenshot({ path: path.join(artefactDir(), 'phone-landscape-menu.png') });
    assert.equal(layout.keys.length, 6);
    assert.equal(layout.hint, 'none');
    assert.ok(layout.picture.r - layout.picture.l >= 320 && layout.picture.b <= landscape.height, JSON.stringify(layout.picture));
    for (const k of layout.keys) {
      // Thumb-sized, and apart from the picture.
      assert.ok(k.r - k.l >= 44 && k.b - k.t >= 44, `${k.code} is too small`);
      const overlaps = k.l < layout.picture.r && layout.picture.l < k.r && k.t < layout.picture.b && layout.picture.t < k.b;
      assert.ok(!overlaps, `${k.code} covers the picture`);
    }

    // The menu by taps: Up chooses play, Right starts it.
    const menu = await grabPicture(page);
    await hold(page, 'ArrowUp', 9);
    await hold(page, 'ArrowRight', 9);
    await framesLater(page, 12);
    // Charge with one finger, steer with another meanwhile, let go of both.
    const enter = await keyCentre(page, 'Enter');
    const left = await keyCentre(page, 'ArrowLeft');
    const charge = await page.touchscreen.touchStart(enter.x, enter.y);
    await framesLater(page, 20);
    const steer = await page.touchscreen.touchStart(left.x, left.y);
    await framesLater(page, 6);
    assert.equal(await page.$$eval('.pad .key.held', (k) => k.length), 2, 'two fingers, two keys held');
    await steer.end();
    await framesLater(page, 6);
    await charge.end();
    await framesLater(page, 30);
    const playing = await grabPicture(page);
    await page.screenshot({ path: path.join(artefactDir(), 'phone-landscape-playing.png') });

    const { script, count } = await keyScript(page);
    assert.equal(count, 8, script);
    assert.match(script, /\+enter\n.*\+left\n.*-left\n.*-enter\n$/s, 'the charge held across the steering');
    const shot = headlessShot(scratch, script, playing.shown - 1, '320x240');
    assert.equal(differingPixels(playing, shot, clockRows), 0,
                 `the frame after pass ${playing.shown - 1} differs from the keyboard run of the same keys:\n${script}`);
    // And the bounce did change the game: without the charge it differs.
    const uncharged = script.replace(/^.*enter\n/gm, '');
    assert.notEqual(differingPixels(playing, headlessShot(scratch, uncharged, playing.shown - 1, '320x240'), clockRows), 0,
                    'the charged bounce changed nothing');
    assert.notEqual(differingPixels(menu, shot, clockRows), 0, 'the game never left the menu');

    // "Esc" ends the game as Escape does.
    const escape = await keyCentre(page, 'Escape');
    await (await page.touchscreen.touchStart(escape.x, escape.y)).end();
    await page.waitForFunction(() => kelvaroPage.ended !== null, { timeout: 10000 });
    assert.deepEqual(await page.evaluate(() => kelvaroPage.ended), { status: 0, message: '' });
    assert.deepEqual(errors, []);
  } finally {
    await page.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
});

test('a message of the game is answered by a tap', async () => {
  const lacking = await serve(pageDir(), ['data/inp1.txt']);
  const page = await chromium.browser.newPage();
  try {
    await page.setViewport(landscape);
    await page.goto(lacking.url + '?bundled');
    await page.waitForSelector('#dialog:not([hidden])', { timeout: 20000 });
    await page.tap('#dialog-ok');
    await page.waitForFunction(() => kelvaroPage.ended !== null, { timeout: 10000 });
    assert.equal((await page.evaluate(() => kelvaroPage.ended)).status, -1);
  } finally {
    await page.close();
    await lacking.close();
  }
});

test('an upright phone is asked to turn; a keyboard player sees the touch keys only after touching', async () => {
  const { page } = await openPhone(portrait);
  try {
    await page.screenshot({ path: path.join(artefactDir(), 'phone-portrait.png') });
    assert.equal(await page.$eval('#turn-hint', (e) => getComputedStyle(e).display), 'flex');
    assert.match(await page.$eval('#turn-hint', (e) => e.textContent), /quer/);
  } finally {
    await page.close();
  }
  const desk = await chromium.browser.newPage();
  try {
    await desk.setViewport({ width: 1000, height: 760 });
    await desk.goto(server.url);
    await desk.waitForFunction(() => kelvaroPage.shown >= 2, { timeout: 20000 });
    assert.equal(await desk.$eval('#pad-steer', (e) => getComputedStyle(e).display), 'none');
    await desk.evaluate(() => window.dispatchEvent(new TouchEvent('touchstart')));
    assert.equal(await desk.$eval('#pad-steer', (e) => getComputedStyle(e).display), 'flex');
  } finally {
    await desk.close();
  }
});

test('a file the game keeps under /player is there after a reload', async () => {
  const { page } = await openPhone(landscape, '?bundled');
  try {
    await page.evaluate(async () => {
      Module.FS.writeFile('/player/records.txt', 'klassik 12.5\n');
      await kelvaroPage.savePlayerFiles();
    });
    await page.reload();
    await page.waitForFunction(() => kelvaroPage.shown >= 2, { timeout: 20000 });
    assert.equal(await page.evaluate(() => Module.FS.readFile('/player/records.txt', { encoding: 'utf8' })), 'klassik 12.5\n');
  } finally {
    await page.close();
  }
});
