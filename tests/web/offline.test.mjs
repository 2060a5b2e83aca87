// The page away from its own server: after one visit it reloads and plays
// with the server gone; a second build served at the same address replaces
// the stored one whole; kelvaro-web.zip, within a static host's limits,
// plays from a sub-folder and inside another page's frame.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';

import { artefactDir, framesLater, launchChromium, pageDir, scratchDir, serve, sourceDir } from './support.mjs';

let chromium;
before(async () => { chromium = await launchChromium(); });
after(async () => { if (chromium) await chromium.close(); });

function run(command, args) {
  const r = spawnSync(command, args, { encoding: 'utf8', timeout: 120000 });
  assert.equal(r.status, 0, `${command} ${args.join(' ')}: ${r.stderr}${r.error || ''}`);
  return r.stdout;
}

// A copy of the built page as a build of its own: `mark` in its script, its
// own offline list and name.
function pageBuild(dir, mark) {
  fs.cpSync(pageDir(), dir, { recursive: true, filter: (f) => !f.includes('test-artefacts') });
  fs.appendFileSync(path.join(dir, 'page.js'), `\nwindow.kelvaroBuildMark = ${mark};\n`);
  run('cmake', [`-DPAGE_DIR=${dir}`, `-DTEMPLATE=${path.join(sourceDir, 'platform/web/page/service-worker.js.in')}`,
                '-P', path.join(sourceDir, 'platform/web/offline_files.cmake')]);
  return fs.readFileSync(path.join(dir, 'service-worker.js'), 'utf8').match(/const build = '([^']+)'/)[1];
}

// A sum of the canvas's pixels below the frame-rate line.
const pictureSum = (target) => target.evaluate(() => {
  const canvas = document.getElementById('screen');
  const data = canvas.getContext('2d').getImageData(0, 16, canvas.width, canvas.height - 16).data;
  let sum = 0;
  for (let i = 0; i < data.length; i += 4) sum = (sum * 31 + data[i] + 7 * data[i + 1] + 13 * data[i + 2]) % 1000000007;
  return sum;
});

// Up then Right by keys: the game leaves the menu and goes on drawing.
async function play(target, page) {
  const menu = await pictureSum(target);
  for (const key of ['ArrowUp', 'ArrowRight']) {
    await page.keyboard.down(key);
    await framesLater(target, 9);
    await page.keyboard.up(key);
  }
  await framesLater(target, 20);
  assert.notEqual(await pictureSum(target), menu, 'the game never left the menu');
  assert.equal(await target.evaluate(() => kelvaroPage.ended), null);
}

// Waits for a condition in a page that may start itself again meanwhile.
async function untilTrue(page, condition, arg) {
  for (;;) {
    try {
      await page.waitForFunction(condition, { timeout: 30000, polling: 200 }, arg);
      return;
    } catch (e) {
      if (!/context was destroyed|detached|navigat/i.test(e.message)) throw e;
    }
  }
}

const storedBuilds = (page) => page.evaluate(async () => (await caches.keys()).filter((n) => n.startsWith('kelvaro-')));

test('after one visit the page plays offline; a second build replaces the stored one on the next visit', async () => {
  const scratch = scratchDir('kelvaro-offline-');
  const first = pageBuild(path.join(scratch, 'first'), 1);
  const second = pageBuild(path.join(scratch, 'second'), 2);
  assert.notEqual(first, second);
  let server = await serve(path.join(scratch, 'first'));
  const port = server.port;
  const context = await chromium.browser.createBrowserContext();
  const page = await context.newPage();
  try {
    await page.setViewport({ width: 1000, height: 760 });
    await page.goto(server.url);
    await page.waitForFunction(async () => (await navigator.serviceWorker.ready).active !== null &&
                                          navigator.serviceWorker.controller !== null, { timeout: 30000, polling: 200 });
    assert.deepEqual(await storedBuilds(page), [first]);
    const stored = await page.evaluate(async (name) => (await (await caches.open(name)).keys()).length, first);
    assert.ok(stored > 10, `only ${stored} files stored`);

    await server.close();
    await page.reload();
    await page.waitForFunction(() => kelvaroPage.shown >= 5, { timeout: 20000 });
    assert.equal(await page.evaluate(() => window.kelvaroBuildMark), 1);
    await play(page, page);
    await page.screenshot({ path: path.join(artefactDir(), 'offline-playing.png') });

    server = await serve(path.join(scratch, 'second'), [], port);
    await page.reload();
    // The stored page starts and finds the new build, which is stored whole
    // before it takes over and drops the old one.
    await untilTrue(page, async (name) => {
      const names = (await caches.keys()).filter((n) => n.startsWith('kelvaro-'));
      return names.length === 1 && names[0] === name && navigator.serviceWorker.controller !== null;
    }, second);
    await server.close();
    await page.reload();
    await page.waitForFunction(() => kelvaroPage.shown >= 2, { timeout: 20000 });
    assert.equal(await page.evaluate(() => window.kelvaroBuildMark), 2);
  } finally {
    await context.close();
    await server.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
});

test('kelvaro-web.zip keeps a static host\'s limits and plays from a sub-folder and in a frame', async () => {
  const scratch = scratchDir('kelvaro-zip-');
  const zip = path.join(scratch, 'kelvaro-web.zip');
  run('bash', [path.join(sourceDir, 'tools/web-zip.sh'), pageDir(), zip]);
  const names = run('unzip', ['-Z1', zip]).split('\n').filter(Boolean);
  const sizes = run('unzip', ['-Zl', zip]).split('\n').filter((l) => l.startsWith('-')).map((l) => Number(l.split(/\s+/)[3]));
  assert.ok(names.includes('index.html') && names.includes('LICENSE') && names.includes('service-worker.js'));
  assert.ok(names.length <= 1000, `${names.length} files`);
  assert.ok(names.every((n) => n.length <= 240));
  assert.ok(Math.max(...sizes) <= 200 * 1024 * 1024);
  assert.match(run('unzip', ['-p', zip, 'LICENSE']), /MIT License|Permission is hereby granted/);

  const site = path.join(scratch, 'site');
  const folder = path.join(site, 'games/kelvaro');
  fs.mkdirSync(folder, { recursive: true });
  run('unzip', ['-q', zip, '-d', folder]);
  fs.writeFileSync(path.join(site, 'embed.html'),
                   '<!DOCTYPE html><title>Spiele</title><p>Ein Spiel:</p>' +
                   '<iframe id="game" src="games/kelvaro/index.html" allow="fullscreen" width="900" height="640"></iframe>');
  const server = await serve(site);
  const context = await chromium.browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.setViewport({ width: 1000, height: 760 });
    await page.goto(server.url + 'games/kelvaro/');
    await page.waitForFunction(() => kelvaroPage.shown >= 5, { timeout: 20000 });
    await play(page, page);

    await page.goto(server.url + 'embed.html');
    const frame = await (await page.waitForSelector('#game')).contentFrame();
    await frame.waitForFunction(() => kelvaroPage.shown >= 5, { timeout: 20000 });
    // The first click gives the frame the keyboard.
    await page.click('#game');
    await play(frame, page);
    await page.screenshot({ path: path.join(artefactDir(), 'zip-in-frame.png') });
    assert.ok(await frame.evaluate(() => document.hasFocus()), 'the frame has no keyboard');
    assert.equal(await frame.evaluate(() => document.fullscreenEnabled), true);
    // Every file the page asked for was there, letter case and all.
    assert.deepEqual(server.missed.filter((p) => p.startsWith('games/')), []);
  } finally {
    await context.close();
    await server.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
});
