// The golden regression runs of kelvaro-headless, built to WebAssembly and
// run under node: every shot and trace must hash as the native runs' in
// tests/tools/golden, so the browser's arithmetic is the native arithmetic.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import test from 'node:test';

import { fnv1a, readHashes, runHeadless, scratchDir, sourceDir } from './support.mjs';

const goldenDir = path.join(sourceDir, 'tests/tools/golden');

// As the native golden test runs them; the shots are the ones the hash
// files list.
const runs = [
  { name: 'lives_640', size: '640x480', keys: 'lives.keys', frames: 300 },
  { name: 'lives_320', size: '320x240', keys: 'lives.keys', frames: 300 },
  { name: 'charge_640', size: '640x480', keys: 'charge.keys', frames: 120 },
  { name: 'charge_320', size: '320x240', keys: 'charge.keys', frames: 120 },
];

for (const run of runs) {
  test(`WebAssembly golden run ${run.name} matches the native hashes`, () => {
    const expected = readHashes(path.join(goldenDir, `${run.name}.hashes`));
    const shots = [...expected.keys()].filter((n) => /^shot-\d+\.bmp$/.test(n));
    assert.ok(expected.has('trace.txt') && shots.length > 0, `no golden hashes for ${run.name}`);
    const scratch = scratchDir(`kelvaro-web-${run.name}-`);
    const args = ['--size', run.size, '--keys', path.join(goldenDir, run.keys), '--clock-step', '10',
                  '--frames', String(run.frames), '--trace', path.join(scratch, 'trace.txt')];
    for (const shot of shots) args.push('--shot', `${shot.match(/\d+/)[0]}:${path.join(scratch, shot)}`);
    const r = runHeadless(args);
    assert.equal(r.status, 0, `kelvaro-headless.js ended with ${r.status}: ${r.stderr}${r.error || ''}`);
    for (const [name, hash] of expected) {
      const file = path.join(scratch, name);
      assert.ok(fs.existsSync(file), `${name} was not written`);
      assert.equal(fnv1a(fs.readFileSync(file)), hash, `${name} differs from the native run; kept in ${scratch}`);
    }
    fs.rmSync(scratch, { recursive: true, force: true });
  });
}

test('WebAssembly kelvaro-headless keeps the native exit statuses', () => {
  // Bad options are 2, as natively; the end of --frames is 0.
  assert.equal(runHeadless(['--size', '800x600']).status, 2);
  assert.equal(runHeadless(['--frames', '3']).status, 0);
});
