// The page in Debian's Chromium, headless: a player reaches the menu, holds
// Up then Right, plays, switches full screen, leaves the page and comes
// back, and ends the game with Escape; a page whose course file is missing
// shows the loader's message instead of a blank page; a course of the pack
// named in the address is the one played, and an unknown one is refused with
// the list.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';

import {
  artefactDir, differingPixels, framesLater, grabPicture, headlessShot, keyScript, launchChromium, pageDir, runHeadless,
  scratchDir, serve,
} from './support.mjs';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
// The frame-rate line at the top left follows the browser's clock.
const clockRows = 16;

let chromium;
before(async () => { chromium = await launchChromium(); });
after(async () => { if (chromium) await chromium.close(); });

async function openPage(server, query = '') {
  const page = await chromium.browser.newPage();
  await page.setViewport({ width: 1000, height: 760 });
  const errors = [];
  // The runtime ends the program by throwing its exit status up the
  // browser's stack; everything else thrown is an error of the page.
  page.on('pageerror', (e) => { if (!/^ExitStatus\b/.test(e.message)) errors.push(e.message); });
  await page.goto(server.url + query);
  return { page, errors };
}

// Up then Right, held like a player's keys, start play from the menu.
// Returns the picture shown a little later and the key script that gives
// the same keys at the same passes headless: each key reaches the pass
// that follows the pictures shown before it.
async function startPlaying(page) {
  for (const key of ['ArrowUp', 'ArrowRight']) {
    await page.keyboard.down(key);
    await framesLater(page, 9);
    await page.keyboard.up(key);
  }
  await framesLater(page, 24);
  const playing = await grabPicture(page);
  const { script, count } = await keyScript(page);
  assert.equal(count, 4, script);
  return { playing, script };
}

const packCourses = ['klassik', 'auftakt', 'fallen', 'sprung', 'welle', 'marathon'];

test('a player reaches the menu, plays, switches full screen, is suspended without focus and ends with Escape', async () => {
  const server = await serve(pageDir());
  const { page, errors } = await openPage(server, '?bundled');
  const scratch = scratchDir('kelvaro-browser-');
  try {
    await page.waitForFunction(() => kelvaroPage.shown >= 5, { timeout: 20000 });
    const menu = await grabPicture(page);
    await page.screenshot({ path: path.join(artefactDir(), 'browser-menu.png') });
    assert.equal(differingPixels(menu, headlessShot(scratch, '', 0, '640x480')), 0, 'the menu differs');

    // Without a course in the address the bundled one is chosen in the list.
    assert.deepEqual(await page.$$eval('#course option', (o) => o.map((e) => e.value)), packCourses);
    assert.equal(await page.$eval('#course', (e) => e.value), 'klassik');

    const { playing, script } = await startPlaying(page);
    await page.screenshot({ path: path.join(artefactDir(), 'browser-playing.png') });

    const shot = headlessShot(scratch, script, playing.shown - 1, '640x480');
    assert.equal(differingPixels(playing, shot, clockRows), 0,
                 `the playing frame after pass ${playing.shown - 1} differs from the headless one; keys:\n${script}`);
    assert.notEqual(differingPixels(menu, shot, clockRows), 0, 'the game never left the menu');

    // Alt+Enter switches the browser's full screen both ways; the game goes
    // on showing frames through its own mode switches.
    const altEnter = async () => {
      await page.keyboard.down('Alt');
      await page.keyboard.press('Enter');
      await page.keyboard.up('Alt');
    };
    for (const fullScreen of [true, false]) {
      const before = await page.evaluate(() => kelvaroPage.shown);
      await altEnter();
      await page.waitForFunction((want, from) => !!document.fullscreenElement === want && kelvaroPage.shown > from + 10,
                                 { timeout: 10000 }, fullScreen, before);
    }

    // Losing the focus suspends the game (no more frames); getting it back
    // resumes it.
    await page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
    await sleep(300);
    const suspendedAt = await page.evaluate(() => kelvaroPage.shown);
    await sleep(600);
    assert.ok(await page.evaluate(() => kelvaroPage.shown) <= suspendedAt + 1, 'the game ran on without focus');
    await page.evaluate(() => window.dispatchEvent(new FocusEvent('focus')));
    await page.waitForFunction((from) => kelvaroPage.shown > from + 10, { timeout: 10000 }, suspendedAt);

    await page.keyboard.press('Escape');
    await page.waitForFunction(() => kelvaroPage.ended !== null, { timeout: 10000 });
    await page.screenshot({ path: path.join(artefactDir(), 'browser-ended.png') });
    assert.deepEqual(await page.evaluate(() => kelvaroPage.ended), { status: 0, message: '' });
    assert.equal(await page.$eval('#ended', (e) => e.hidden), false);
    assert.deepEqual(errors, []);
  } finally {
    await page.close();
    await server.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
});

test('a page whose course file is missing shows the loader\'s message, then the end', async () => {
  // What the game says natively when its folder lacks the course.
  const scratch = scratchDir('kelvaro-no-course-');
  const native = runHeadless(['--size', '320x240', '--frames', '2'], { native: true, cwd: scratch });
  fs.rmSync(scratch, { recursive: true, force: true });
  assert.equal(native.status, 255);
  const expected = native.stderr.trim().split('\n').pop();
  const server = await serve(pageDir(), ['data/inp1.txt']);
  const { page } = await openPage(server, '?size=320&bundled');
  try {
    await page.waitForSelector('#dialog:not([hidden])', { timeout: 20000 });
    const dialog = await page.evaluate(() => ({
      caption: document.getElementById('dialog-caption').textContent,
      text: document.getElementById('dialog-text').textContent,
    }));
    await page.screenshot({ path: path.join(artefactDir(), 'browser-missing-course.png') });
    assert.equal(`${dialog.caption}: ${dialog.text}`, expected);
    await page.click('#dialog-ok');
    await page.waitForFunction(() => kelvaroPage.ended !== null, { timeout: 10000 });
    const ended = await page.evaluate(() => kelvaroPage.ended);
    assert.equal(ended.status, -1);
    assert.equal(await page.$eval('#ended-detail', (e) => e.textContent), expected);
    assert.equal(await page.$eval('#ended', (e) => e.hidden), false);
  } finally {
    await page.close();
    await server.close();
  }
});

test('a course named in the address starts it; "start again" starts it again', async () => {
  const server = await serve(pageDir());
  const { page, errors } = await openPage(server, '?size=320&course=welle');
  const scratch = scratchDir('kelvaro-browser-course-');
  try {
    await page.waitForFunction(() => kelvaroPage.shown >= 5, { timeout: 20000 });
    assert.equal(await page.$eval('#course', (e) => e.value), 'welle');
    assert.match(await page.$eval('#size640', (e) => e.getAttribute('href')), /course=welle/);
    const { playing, script } = await startPlaying(page);
    await page.screenshot({ path: path.join(artefactDir(), 'browser-course-welle.png') });
    const pass = playing.shown - 1;
    const welle = headlessShot(scratch, script, pass, '320x240', ['-course', 'welle']);
    assert.equal(differingPixels(playing, welle, clockRows), 0,
                 `the playing frame of welle after pass ${pass} differs from the headless one; keys:\n${script}`);
    // Its own sky, not the bundled course's.
    assert.notEqual(differingPixels(playing, headlessShot(scratch, script, pass, '320x240'), clockRows), 0,
                    'the page played the bundled course');

    await page.keyboard.press('Escape');
    await page.waitForSelector('#ended:not([hidden])', { timeout: 10000 });
    await Promise.all([page.waitForNavigation(), page.click('#restart')]);
    assert.match(page.url(), /[?&]course=welle\b/);
    await page.waitForFunction(() => kelvaroPage.shown >= 2, { timeout: 20000 });
    assert.equal(await page.$eval('#course', (e) => e.value), 'welle');
    assert.deepEqual(errors, []);
  } finally {
    await page.close();
    await server.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
});

test('an unknown course in the address is named and the list offered, no game started', async () => {
  const server = await serve(pageDir());
  const { page, errors } = await openPage(server, '?course=nirgendwo');
  try {
    await page.waitForSelector('#choice:not([hidden])', { timeout: 20000 });
    await page.screenshot({ path: path.join(artefactDir(), 'browser-unknown-course.png') });
    assert.match(await page.$eval('#choice-text', (e) => e.textContent), /^Unbekannter Kurs "nirgendwo"/);
    const links = await page.$$eval('#choice-list a', (a) => a.map((e) => ({ name: e.textContent, href: e.href })));
    assert.deepEqual(links.map((l) => l.name), packCourses);
    for (const l of links) assert.equal(new URL(l.href).searchParams.get('course'), l.name);
    // Each entry carries the catalogue's description.
    assert.match(await page.$eval('#choice-list li', (e) => e.textContent), /^klassik – \S/);
    // The list and the game exclude each other in one turn of the page.
    assert.equal(await page.evaluate(() => kelvaroPage.shown), 0);
    assert.equal(await page.evaluate(() => !!document.querySelector('script[src^="kelvaro"]')), false);

    // A link of the list starts that course.
    await Promise.all([page.waitForNavigation(), page.click('#choice-list a[href*="course=sprung"]')]);
    await page.waitForFunction(() => kelvaroPage.shown >= 2, { timeout: 20000 });
    assert.equal(await page.$eval('#choice', (e) => e.hidden), true);
    assert.deepEqual(errors, []);
  } finally {
    await page.close();
    await server.close();
  }
});

// A pad of the standard layout as the page's hook takes it; the test sets
// what it holds.
async function plugFakePad(page) {
  await page.evaluate(() => {
    const buttons = Array.from({ length: 17 }, () => ({ pressed: false, value: 0 }));
    window.fakePad = { index: 0, id: 'Kelvaro test pad', connected: true, mapping: 'standard', buttons, axes: [0, 0, 0, 0] };
    window.fakePadPlugged = true;
    kelvaroGamepad.readFrom(() => [window.fakePadPlugged ? window.fakePad : null]);
  });
}
const padButton = (page, index, pressed) =>
  page.evaluate((i, p) => { window.fakePad.buttons[i] = { pressed: p, value: p ? 1 : 0 }; }, index, pressed);
const padKeys = (page) => page.evaluate(() => kelvaroPage.recentKeys.map((k) => `${k.type === 'keydown' ? '+' : '-'}${k.code}`));

test('a controller plays the page as the keyboard does, lets go when pulled and ends with Back', async () => {
  const server = await serve(pageDir());
  const { page, errors } = await openPage(server, '?size=320&bundled');
  const scratch = scratchDir('kelvaro-browser-pad-');
  try {
    await page.waitForFunction(() => kelvaroPage.shown >= 5, { timeout: 20000 });
    const menu = await grabPicture(page);
    await plugFakePad(page);
    // D-pad up, then Start: the menu's play item.
    for (const button of [12, 9]) {
      await padButton(page, button, true);
      await framesLater(page, 9);
      await padButton(page, button, false);
      await framesLater(page, 9);
    }
    const playing = await grabPicture(page);
    const { script } = await keyScript(page);
    assert.deepEqual(await padKeys(page), ['+ArrowUp', '-ArrowUp', '+ArrowRight', '-ArrowRight']);
    const shot = headlessShot(scratch, script, playing.shown - 1, '320x240');
    assert.equal(differingPixels(playing, shot, clockRows), 0,
                 `the playing frame after pass ${playing.shown - 1} differs from the headless one; keys:\n${script}`);
    assert.notEqual(differingPixels(menu, shot, clockRows), 0, 'the game never left the menu');

    // The stick past its dead zone and the south button, then the pad pulled
    // while both are held: the page lets go of both keys.
    await page.evaluate(() => { window.fakePad.axes[0] = -0.9; });
    await padButton(page, 0, true);
    await page.waitForFunction(() => kelvaroGamepad.held.size === 2, { timeout: 5000 });
    await page.evaluate(() => { window.fakePadPlugged = false; });
    await page.waitForFunction(() => kelvaroGamepad.held.size === 0, { timeout: 5000 });
    assert.deepEqual((await padKeys(page)).slice(4).sort(), ['+ArrowLeft', '+Enter', '-ArrowLeft', '-Enter']);

    // Plugged in again, Back is Escape and ends the game.
    await page.evaluate(() => { window.fakePad.axes[0] = 0; window.fakePad.buttons[0] = { pressed: false, value: 0 }; });
    await page.evaluate(() => { window.fakePadPlugged = true; });
    await padButton(page, 8, true);
    await page.waitForFunction(() => kelvaroPage.ended !== null, { timeout: 10000 });
    assert.deepEqual(await page.evaluate(() => kelvaroPage.ended), { status: 0, message: '' });
    assert.deepEqual(errors, []);
  } finally {
    await page.close();
    await server.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
});
