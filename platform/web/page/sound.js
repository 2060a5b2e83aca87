// The game's sound on the page. Browsers let a page make sound only after
// the player has pressed a key or tapped, so the audio starts then; until
// it runs, the blocks the game mixes are dropped. Each block is scheduled
// right after the one before, a little ahead of what is playing.
'use strict';

window.kelvaroSound = (function () {
  const AudioContextClass = window.AudioContext || window.webkitAudioContext;
  // Kept queued ahead of the playing position: enough for a slow pass,
  // short enough that a bounce is heard with its picture.
  const lead = 0.05;
  let audio = null;
  let rate = 44100;
  let next = 0;
  let lastAsked = 0;

  function start() {
    if (!AudioContextClass) return;
    if (!audio) audio = new AudioContextClass();
    if (audio.state !== 'running') audio.resume();
  }
  for (const type of ['keydown', 'pointerdown', 'touchstart'])
    window.addEventListener(type, start, { capture: true, passive: true });

  function running() { return audio !== null && audio.state === 'running'; }

  return {
    open(wantedRate) { rate = wantedRate; return Boolean(AudioContextClass); },
    // How many samples the game should mix now (at most `most`).
    wanted(most) {
      const now = performance.now();
      const elapsed = lastAsked ? (now - lastAsked) / 1000 : 0;
      lastAsked = now;
      if (!running()) return Math.min(most, Math.round(elapsed * rate));
      const playing = audio.currentTime;
      if (next < playing) next = playing + 0.005;  // first block, or fell behind
      return Math.max(0, Math.min(most, Math.round((playing + lead - next) * rate)));
    },
    queue(samples) {
      if (!running() || samples.length === 0) return;
      const buffer = audio.createBuffer(1, samples.length, rate);
      const data = buffer.getChannelData(0);
      for (let i = 0; i < samples.length; ++i) data[i] = samples[i] / 32768;
      const source = audio.createBufferSource();
      source.buffer = buffer;
      source.connect(audio.destination);
      source.start(next);
      next += samples.length / rate;
    },
    // For the page's tests: 'none' before the first key, then the
    // browser's state of the audio ('running' once it plays).
    state() { return audio ? audio.state : 'none'; },
    scheduledUntil() { return next; },
  };
})();
