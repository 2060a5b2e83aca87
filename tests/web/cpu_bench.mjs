// Benchmark, not a test: the page in headless Chromium plays the bundled
// course for a while and prints the frames per second the page counted, the
// share of the time the game itself worked (the page's own counter), and the
// CPU time of all of Chromium's processes as a share of one core.
//   KELVARO_WEB_BUILD=build-web/wasm node tests/web/cpu_bench.mjs [SECONDS] [SIZE] [phone]
// "phone" plays on a phone's landscape viewport with touch (844x390).
import fs from 'node:fs';
import os from 'node:os';

import { launchChromium, pageDir, serve } from './support.mjs';

const seconds = Number(process.argv[2] || 10);
const size = process.argv[3] === '320' ? '320' : '640';
const phone = process.argv[4] === 'phone';
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const tick = 100;  // clock ticks a second (USER_HZ) on Linux

// User and system CPU seconds of a process and all its descendants.
function treeCpuSeconds(root) {
  const children = new Map();
  const times = new Map();
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    let stat;
    try { stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8'); } catch { continue; }
    const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
    const parent = Number(fields[1]);
    times.set(Number(entry), (Number(fields[11]) + Number(fields[12])) / tick);
    if (!children.has(parent)) children.set(parent, []);
    children.get(parent).push(Number(entry));
  }
  let total = 0;
  const stack = [root];
  while (stack.length) {
    const pid = stack.pop();
    total += times.get(pid) || 0;
    stack.push(...(children.get(pid) || []));
  }
  return total;
}

const server = await serve(pageDir());
const chromium = await launchChromium();
const page = await chromium.browser.newPage();
await page.setViewport(phone ? { width: 844, height: 390, isMobile: true, hasTouch: true, isLandscape: true }
                             : { width: 1000, height: 760 });
await page.goto(`${server.url}?size=${size}&bundled`);
await page.waitForFunction(() => kelvaroPage.shown >= 5, { timeout: 20000 });
for (const key of ['ArrowUp', 'ArrowRight']) {
  await page.keyboard.down(key);
  await sleep(150);
  await page.keyboard.up(key);
}
await sleep(2000);
const pid = chromium.browser.process().pid;
const cpu0 = treeCpuSeconds(pid);
const shown0 = await page.evaluate(() => kelvaroPage.shown);
const t0 = performance.now();
await sleep(seconds * 1000);
const cpu1 = treeCpuSeconds(pid);
const shown1 = await page.evaluate(() => kelvaroPage.shown);
const meter = await page.evaluate(() => kelvaroPage.meter);
const elapsed = (performance.now() - t0) / 1000;
console.log(`size ${size}${phone ? ' phone' : ''} seconds ${elapsed.toFixed(1)} frames ${shown1 - shown0} ` +
            `fps ${((shown1 - shown0) / elapsed).toFixed(1)} ` +
            `game-busy ${meter ? meter.busyPercent.toFixed(1) : '?'}% ` +
            `chromium-cpu ${(100 * (cpu1 - cpu0) / elapsed).toFixed(1)}% of one core`);
await chromium.close();
await server.close();
