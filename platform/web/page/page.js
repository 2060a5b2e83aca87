// The page around the WebAssembly game: loads the course, the pictures and
// the font into its file system, shows the pictures the game presents,
// scaled by a whole factor and centred, asks the game's questions, and says
// when the game has ended.
'use strict';

(function () {
  const params = new URLSearchParams(location.search);
  const width = params.get('size') === '320' ? 320 : 640;
  const height = width === 640 ? 480 : 240;
  const dataFiles = ['inp1.txt', 'bkgr1.bmp', 'text1.bmp', 'text2.bmp', 'text3.bmp', 'text4.bmp',
                     'leben.bmp', `x${width}ok.bmp`, `x${width}quit.bmp`, 'little.fnt'];

  const $ = (id) => document.getElementById(id);
  const stage = $('stage');
  const canvas = $('screen');
  const context = canvas.getContext('2d', { alpha: false });
  let image = null;
  let lastMessage = '';

  $('size' + width).classList.add('current');
  canvas.width = width;
  canvas.height = height;

  function setStatus(text) { $('status').textContent = text; }

  // The largest whole factor that fits; a stage smaller than the picture
  // gets it shrunk to fit. Always centred, black around it.
  function place() {
    const outW = stage.clientWidth, outH = stage.clientHeight;
    const w = canvas.width, h = canvas.height;
    const factor = Math.floor(Math.min(outW / w, outH / h));
    let pw, ph;
    if (factor >= 1) { pw = w * factor; ph = h * factor; }
    else if (outW * h <= outH * w) { pw = outW; ph = Math.floor(h * outW / w); }
    else { ph = outH; pw = Math.floor(w * outH / h); }
    pw = Math.max(pw, 1); ph = Math.max(ph, 1);
    canvas.style.width = pw + 'px';
    canvas.style.height = ph + 'px';
    canvas.style.left = Math.floor((outW - pw) / 2) + 'px';
    canvas.style.top = Math.floor((outH - ph) / 2) + 'px';
  }
  window.addEventListener('resize', place);
  document.addEventListener('fullscreenchange', place);

  function toggleFullScreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(() => {});
    } else if (stage.requestFullscreen) {
      stage.requestFullscreen().catch((e) => console.warn('Kelvaro: full screen refused: ' + e.message));
    }
  }
  $('fullscreen').addEventListener('click', (e) => { toggleFullScreen(); e.currentTarget.blur(); });

  // The frames per second the page shows: the browser's, and the share of
  // each frame the game worked.
  const meter = { frames: 0, busyMs: 0, since: performance.now(), resumed: 0 };
  function countFrame(now) {
    meter.frames += 1;
    if (now - meter.since >= 1000) {
      const fps = meter.frames * 1000 / (now - meter.since);
      const busy = 100 * meter.busyMs / (now - meter.since);
      setStatus(`${fps.toFixed(1)} Bilder/s, Spiel ${busy.toFixed(0)} % der Zeit`);
      window.kelvaroPage.meter = { fps, busyPercent: busy };
      meter.frames = 0; meter.busyMs = 0; meter.since = now;
    }
  }

  function decode(bytes) {
    try { return new TextDecoder('utf-8', { fatal: true }).decode(bytes); }
    catch (e) { return new TextDecoder('latin1').decode(bytes); }
  }

  function showEnd(detail) {
    $('dialog').hidden = true;
    $('ended-detail').textContent = detail;
    $('ended').hidden = false;
    setStatus('beendet');
    $('restart').focus();
  }
  $('restart').addEventListener('click', () => location.reload());

  // What the game's glue calls.
  window.kelvaroPage = {
    shown: 0,
    keyLog: [],
    ended: null,
    meter: null,
    showPicture(rgba, w, h) {
      if (canvas.width !== w || canvas.height !== h || !image) {
        canvas.width = w; canvas.height = h;
        image = context.createImageData(w, h);
        place();
      }
      image.data.set(rgba);
      context.putImageData(image, 0, 0);
      this.shown += 1;
    },
    nextFrame() {
      const workedFrom = meter.resumed;
      if (workedFrom) meter.busyMs += performance.now() - workedFrom;
      return new Promise((resolve) => {
        let timer = 0;
        let done = false;
        const finish = () => {
          if (done) return;
          done = true;
          clearTimeout(timer);
          const now = performance.now();
          countFrame(now);
          meter.resumed = now;
          resolve(now);
        };
        requestAnimationFrame(finish);
        timer = setTimeout(finish, 100);
      });
    },
    toggleFullScreen,
    text(pointer) {
      const heap = Module.HEAPU8;
      let end = pointer;
      while (heap[end] !== 0) end += 1;
      return decode(heap.subarray(pointer, end));
    },
    ask(caption, text, question) {
      lastMessage = caption + ': ' + text;
      $('dialog-caption').textContent = caption;
      $('dialog-text').textContent = text;
      $('dialog-yes').hidden = !question;
      $('dialog-no').hidden = !question;
      $('dialog-ok').hidden = question;
      $('dialog').hidden = false;
      (question ? $('dialog-yes') : $('dialog-ok')).focus();
      return new Promise((resolve) => {
        const answer = (value) => () => {
          $('dialog').hidden = true;
          document.removeEventListener('keydown', onKey, true);
          for (const id of ['dialog-yes', 'dialog-no', 'dialog-ok']) $(id).onclick = null;
          resolve(value);
        };
        const yes = answer(1), no = answer(0);
        const onKey = (e) => {
          if (e.key === 'Escape') { e.preventDefault(); (question ? no : yes)(); }
        };
        document.addEventListener('keydown', onKey, true);
        $('dialog-yes').onclick = yes;
        $('dialog-ok').onclick = yes;
        $('dialog-no').onclick = no;
      });
    },
  };

  // Keys as the game receives them, with the number of pictures shown
  // before: the pass that sees them.
  for (const type of ['keydown', 'keyup']) {
    window.addEventListener(type, (e) => {
      if ($('dialog').hidden) window.kelvaroPage.keyLog.push({ type, code: e.code, shown: window.kelvaroPage.shown });
    }, true);
  }

  function loadData(module) {
    module.addRunDependency('kelvaro-data');
    setStatus('Lädt die Daten …');
    const loads = dataFiles.map((name) =>
      fetch('data/' + name).then((r) => (r.ok ? r.arrayBuffer() : null)).catch(() => null));
    Promise.all(loads).then((buffers) => {
      const FS = module.FS;
      FS.mkdir('/kelvaro');
      buffers.forEach((buffer, i) => {
        // A missing file is left to the game, whose loader says which.
        if (buffer) FS.writeFile('/kelvaro/' + dataFiles[i], new Uint8Array(buffer));
        else console.warn('Kelvaro: data/' + dataFiles[i] + ' could not be loaded');
      });
      FS.chdir('/kelvaro');
      setStatus('');
      module.removeRunDependency('kelvaro-data');
    });
  }

  window.Module = {
    preRun: [loadData],
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
    onExit(status) {
      window.kelvaroPage.ended = { status, message: lastMessage };
      showEnd(status === 0 ? '' : lastMessage);
    },
    onAbort(what) {
      window.kelvaroPage.ended = { status: 'abort', message: String(what) };
      showEnd('Das Spiel wurde abgebrochen: ' + what);
    },
  };

  // The runtime ends the program by throwing its exit status through the
  // browser's stack; the end is shown by onExit, so that is no page error.
  const isExit = (e) => e && e.name === 'ExitStatus';
  window.addEventListener('error', (e) => { if (isExit(e.error)) e.preventDefault(); });
  window.addEventListener('unhandledrejection', (e) => { if (isExit(e.reason)) e.preventDefault(); });

  place();
  const script = document.createElement('script');
  script.src = `kelvaro${width}.js`;
  script.onerror = () => showEnd(`kelvaro${width}.js konnte nicht geladen werden.`);
  document.body.appendChild(script);
})();
