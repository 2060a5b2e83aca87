// The golden regression runs of kelvaro-headless, built to WebAssembly and
// run under node: every shot and trace must hash as the native runs' in
// tests/tools/golden, so the browser's arithmetic is the native arithmetic;
// and a best run kept by the course choice on one side replays on the other.
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

// A best run kept by the course choice plays back to the same trace on
// either side: welle won from the choice in WebAssembly, its replay checked
// by the native kelvaro-headless, and the native replay by WebAssembly's.
test('a replay kept in WebAssembly plays natively to the same trace, and the other way round', () => {
  const scratch = scratchDir('kelvaro-web-replay-');
  const script = path.join(sourceDir, 'assets/scripts/welle-win.keys');
  const winning = path.join(scratch, 'winning.trace');
  let r = runHeadless(['--keys', script, '--frames', '6000', '--trace', winning, '--', '-course', 'welle'],
                      { native: true });
  assert.equal(r.status, 255, r.stderr);

  // Four courses down, Right, then the script from the pass after Right is let go.
  const take = ['0 +down', '1 -down', '2 +down', '3 -down', '4 +down', '5 -down', '6 +down', '7 -down',
                '8 +right', '9 -right'];
  const shifted = fs.readFileSync(script, 'utf8').split('\n').map((l) => l.trim().split(/\s+/))
    .filter(([pass]) => /^\d+$/.test(pass)).map(([pass, key]) => `${Number(pass) + 10} ${key}`);
  const keys = path.join(scratch, 'choose.keys');
  fs.writeFileSync(keys, [...take, ...shifted, '1400 +escape', ''].join('\n'));
  for (const [recordedNatively, name] of [[false, 'wasm'], [true, 'native']]) {
    const records = path.join(scratch, name);
    r = runHeadless(['--keys', keys, '--frames', '1500', '--player-files', records, '--', '-choose'],
                    { native: recordedNatively });
    assert.equal(r.status, 0, `${name}: ${r.stderr}`);
    assert.match(r.stderr, /Erster Sieg auf "welle"/);
    const replayed = path.join(scratch, `${name}-replayed.trace`);
    r = runHeadless(['--keys', path.join(records, 'welle.replay'), '--frames', '6000', '--trace', replayed],
                    { native: !recordedNatively });
    assert.equal(r.status, 255, `${name}'s replay: ${r.stderr}`);
    assert.ok(fs.readFileSync(replayed).equals(fs.readFileSync(winning)), `${name}'s replay took another way`);
  }
  fs.rmSync(scratch, { recursive: true, force: true });
});
