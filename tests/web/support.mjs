// Shared by the browser build's tests: where things are, running programs,
// hashing, reading the game's BMP shots, a local web server and Chromium.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

export const sourceDir = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');

function required(name) {
  const value = process.env[name];
  if (!value) throw new Error(`${name} is not set (tests/web/run.sh sets it)`);
  return value;
}

// The WebAssembly build tree and the game data the golden runs use.
export const webBuildDir = () => required('KELVARO_WEB_BUILD');
export const dataDir = () => required('KELVARO_DATA_DIR');
export const pageDir = () => path.join(webBuildDir(), 'page');
export const wasmHeadless = () => path.join(webBuildDir(), 'tools/kelvaro-headless/kelvaro-headless.js');
export const artefactDir = () => {
  const dir = process.env.KELVARO_WEB_ARTEFACTS || path.join(webBuildDir(), 'test-artefacts');
  fs.mkdirSync(dir, { recursive: true });
  return dir;
};

export function scratchDir(prefix) {
  return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}

// Runs kelvaro-headless in the data folder: the native program when the
// test was given one, else the WebAssembly build under node.
export function runHeadless(args, { native = false, cwd = dataDir() } = {}) {
  const program = native ? process.env.KELVARO_NATIVE_HEADLESS : null;
  const [command, argv] = program ? [program, args] : [process.execPath, [wasmHeadless(), ...args]];
  const r = spawnSync(command, argv, { cwd, encoding: 'utf8', timeout: 120000 });
  return { status: r.status, stdout: r.stdout, stderr: r.stderr, error: r.error };
}

// FNV-1a 64, as the golden hash files hold it.
export function fnv1a(bytes) {
  let hash = 0xcbf29ce484222325n;
  for (const b of bytes) {
    hash ^= BigInt(b);
    hash = (hash * 0x100000001b3n) & 0xffffffffffffffffn;
  }
  return hash.toString(16).padStart(16, '0');
}

// "ARTIFACT HASH" lines; '#' starts a comment line.
export function readHashes(file) {
  const hashes = new Map();
  for (const line of fs.readFileSync(file, 'utf8').split('\n')) {
    if (!line || line.startsWith('#')) continue;
    const [name, hash] = line.split(' ');
    if (name && hash) hashes.set(name, hash.trim());
  }
  return hashes;
}

// An 8-bit BMP as the game's shots are written: RGB bytes, top row first.
export function readBmp8(file) {
  const b = fs.readFileSync(file);
  const offset = b.readUInt32LE(10);
  const width = b.readInt32LE(18);
  const rawHeight = b.readInt32LE(22);
  const bits = b.readUInt16LE(28);
  if (bits !== 8) throw new Error(`${file}: ${bits} bits a pixel, expected 8`);
  const height = Math.abs(rawHeight);
  const paletteAt = 14 + b.readUInt32LE(14);
  const stride = (width + 3) & ~3;
  const rgb = Buffer.alloc(width * height * 3);
  for (let y = 0; y < height; ++y) {
    const row = rawHeight > 0 ? height - 1 - y : y;
    for (let x = 0; x < width; ++x) {
      const index = b[offset + row * stride + x];
      const p = paletteAt + 4 * index;  // blue, green, red, reserved
      const o = 3 * (y * width + x);
      rgb[o] = b[p + 2];
      rgb[o + 1] = b[p + 1];
      rgb[o + 2] = b[p];
    }
  }
  return { width, height, rgb };
}

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
                '.wasm': 'application/wasm' };

// Serves `root` on 127.0.0.1 at a free port (or `port`, to come back at
// the same address); `hidden` names paths (from the root, e.g.
// "data/inp1.txt") that answer 404 as if they were missing. `missed` lists
// the paths asked for that were not there.
export function serve(root, hidden = [], port = 0) {
  const missed = [];
  const server = http.createServer((request, response) => {
    // A folder's address gives its index.html, as static hosts do.
    const relative = decodeURIComponent(new URL(request.url, 'http://x').pathname).replace(/^\/+/, '')
      .replace(/(^|\/)$/, '$1index.html');
    const file = path.join(root, relative);
    if (!file.startsWith(root) || hidden.includes(relative) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      missed.push(relative);
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream',
                              'Cache-Control': 'no-store' });
    fs.createReadStream(file).pipe(response);
  });
  // Closing drops the browser's open connections too, so the address is
  // gone at once, as for a player who went offline.
  const close = () => new Promise((r) => { server.close(r); server.closeAllConnections(); });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => {
      const at = server.address().port;
      resolve({ url: `http://127.0.0.1:${at}/`, port: at, missed, close });
    });
  });
}

// Debian's Chromium, headless, with a profile of its own; nothing downloads
// a browser.
export async function launchChromium() {
  const { default: puppeteer } = await import('puppeteer-core');
  const profile = scratchDir('kelvaro-chromium-');
  const browser = await puppeteer.launch({
    executablePath: process.env.KELVARO_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           `--user-data-dir=${profile}`],
  });
  const close = async () => {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close };
}

// The picture on the canvas and the number of pictures shown with it, read
// in one turn of the page, so they belong together.
export async function grabPicture(page) {
  const grab = await page.evaluate(() => {
    const canvas = document.getElementById('screen');
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let text = '';
    for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
    return { shown: kelvaroPage.shown, width: canvas.width, height: canvas.height, rgba: btoa(text) };
  });
  return { ...grab, rgba: Buffer.from(grab.rgba, 'base64') };
}

// Pixels that differ between a canvas picture and a headless shot, from row
// `fromRow` down.
export function differingPixels(picture, shot, fromRow = 0) {
  assert.equal(picture.width, shot.width);
  assert.equal(picture.height, shot.height);
  let differing = 0;
  for (let i = fromRow * shot.width; i < shot.width * shot.height; ++i) {
    if (picture.rgba[4 * i] !== shot.rgb[3 * i] || picture.rgba[4 * i + 1] !== shot.rgb[3 * i + 1] ||
        picture.rgba[4 * i + 2] !== shot.rgb[3 * i + 2]) ++differing;
  }
  return differing;
}

// The headless frame after `pass` under a key script; `game` are the game's
// own arguments (e.g. "-course welle").
export function headlessShot(scratch, script, pass, size, game = []) {
  const keys = path.join(scratch, 'browser.keys');
  fs.writeFileSync(keys, script);
  const shot = path.join(scratch, `pass-${pass}.bmp`);
  const r = runHeadless(['--size', size, '--keys', keys, '--clock-step', '10', '--frames', String(pass + 1),
                         '--shot', `${pass}:${shot}`, ...(game.length ? ['--', ...game] : [])], { native: true });
  assert.equal(r.status, 0, r.stderr);
  return readBmp8(shot);
}

// Resolves once the page has shown `count` more pictures.
export async function framesLater(page, count) {
  const from = await page.evaluate(() => kelvaroPage.shown);
  await page.waitForFunction((until) => kelvaroPage.shown >= until, { timeout: 20000 }, from + count);
}

const scriptKeyNames = { ArrowUp: 'up', ArrowDown: 'down', ArrowLeft: 'left', ArrowRight: 'right', Enter: 'enter' };

// The keys the page handed the game (its last few), as a key script for
// kelvaro-headless: each reaches the pass after the pictures shown before it.
export async function keyScript(page) {
  const keys = (await page.evaluate(() => kelvaroPage.recentKeys)).filter((k) => scriptKeyNames[k.code]);
  const script = keys.map((k) => `${k.shown} ${k.type === 'keydown' ? '+' : '-'}${scriptKeyNames[k.code]}\n`).join('');
  return { script, count: keys.length };
}
