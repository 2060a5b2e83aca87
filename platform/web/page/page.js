// The page around the WebAssembly game: offers the course pack's list,
// loads the course, the pictures and the font that the build's list
// (data/page.json) names into its file system, shows the pictures the game
// presents where the game's back end places them, gives touch screens the
// game's keys, keeps the player's files in the browser's storage, asks the
// game's questions, and says when the game has ended.
'use strict';

(function () {
  const params = new URLSearchParams(location.search);
  const width = params.get('size') === '320' ? 320 : 640;
  const height = width === 640 ? 480 : 240;
  // "?course=NAME" starts that course of the pack ("-course NAME");
  // "?bundled" the bundled course, as the programs start in their own data
  // folder; without either the game opens on its course choice ("-choose"),
  // which keeps the player's records.
  const requestedCourse = params.get('course');
  const bundled = requestedCourse === null && params.has('bundled');

  const $ = (id) => document.getElementById(id);
  const stage = $('stage');
  const screenArea = $('screen-area');
  const canvas = $('screen');
  const context = canvas.getContext('2d', { alpha: false });
  let image = null;
  let lastMessage = '';

  $('size' + width).classList.add('current');

  // An address of this page for a size and a course (null: none named).
  function address(size, course) {
    const query = new URLSearchParams();
    query.set('size', String(size));
    if (course !== null) query.set('course', course);
    else if (bundled) query.set('bundled', '');
    return '?' + query.toString();
  }
  // The size links keep the course (or the bundled one).
  for (const size of [640, 320]) $('size' + size).href = address(size, requestedCourse);
  canvas.width = width;
  canvas.height = height;

  function setStatus(text) { $('status').textContent = text; }

  // The game's back end fits the picture to the area (the largest whole
  // factor, centred) and calls placeCanvas; before it runs, and after it
  // has ended, the canvas stays where it was.
  let gameRunning = false;
  function place() {
    if (gameRunning && window.Module && typeof Module._kelvaroPlacePicture === 'function') Module._kelvaroPlacePicture();
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
      setStatus(`${fps.toFixed(1)} Bilder/s · Spiel ${busy.toFixed(0)} %`);
      $('status').title = `Das Spiel selbst rechnete ${busy.toFixed(0)} % der Zeit.`;
      window.kelvaroPage.meter = { fps, busyPercent: busy };
      meter.frames = 0; meter.busyMs = 0; meter.since = now;
    }
  }

  function decode(bytes) {
    try { return new TextDecoder('utf-8', { fatal: true }).decode(bytes); }
    catch (e) { return new TextDecoder('latin1').decode(bytes); }
  }

  function showEnd(detail) {
    gameRunning = false;
    $('dialog').hidden = true;
    $('ended-detail').textContent = detail;
    $('ended').hidden = false;
    setStatus('beendet');
    $('restart').focus();
  }
  $('restart').addEventListener('click', () => location.reload());

  // The last keys the game was handed, with the number of pictures shown
  // before (the pass that sees them): a short window for the tests.
  const recentKeysKept = 16;
  const recentKeys = [];

  // What the game's glue calls.
  window.kelvaroPage = {
    shown: 0,
    recentKeys,
    ended: null,
    refused: null,  // the page's message when the address names no course of the pack
    meter: null,
    areaSize() { return [screenArea.clientWidth, screenArea.clientHeight]; },
    placeCanvas(x, y, w, h) {
      canvas.style.left = x + 'px';
      canvas.style.top = y + 'px';
      canvas.style.width = w + 'px';
      canvas.style.height = h + 'px';
    },
    showPicture(rgba, w, h) {
      if (canvas.width !== w || canvas.height !== h || !image) {
        canvas.width = w; canvas.height = h;
        image = context.createImageData(w, h);
        gameRunning = true;
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

  for (const type of ['keydown', 'keyup']) {
    window.addEventListener(type, (e) => {
      if (!$('dialog').hidden) return;
      recentKeys.push({ type, code: e.code, shown: window.kelvaroPage.shown });
      if (recentKeys.length > recentKeysKept) recentKeys.shift();
    }, true);
  }

  const fetchBytes = (url) =>
    fetch(url).then((r) => (r.ok ? r.arrayBuffer() : null)).catch(() => null);

  // The list in the bar: choosing a course starts it with this size.
  function offerCourses(courses, current) {
    const select = $('course');
    if (!courses.some((c) => c.name === current)) {
      // A name the pack does not have: the list shows none chosen.
      const none = document.createElement('option');
      none.value = '';
      none.textContent = '–';
      none.disabled = true;
      select.appendChild(none);
    }
    for (const c of courses) {
      const option = document.createElement('option');
      option.value = c.name;
      option.textContent = c.description ? `${c.name} – ${c.description}` : c.name;
      option.title = c.description;
      select.appendChild(option);
    }
    select.value = courses.some((c) => c.name === current) ? current : '';
    select.addEventListener('change', () => { location.search = address(width, select.value); });
    $('course-choice').hidden = false;
  }

  // A course the address names that the pack does not have: say so and
  // offer the list instead of a game.
  function refuseCourse(text, courses) {
    $('choice-text').textContent = text;
    const list = $('choice-list');
    for (const c of courses) {
      const item = document.createElement('li');
      const link = document.createElement('a');
      link.href = address(width, c.name);
      link.textContent = c.name;
      item.appendChild(link);
      if (c.description) item.appendChild(document.createTextNode(' – ' + c.description));
      list.appendChild(item);
    }
    $('choice').hidden = false;
    setStatus('');
    window.kelvaroPage.refused = text;
    const first = list.querySelector('a');
    if (first) first.focus();
  }

  // The courses a start needs: one of the pack, all of it for the choice,
  // none for the bundled course.
  function coursesFor(course, pack) {
    if (course !== null) return pack.courses.filter((c) => c.name === course);
    return bundled ? [] : pack.courses;
  }

  // Files for the game's file system: the bundled course, or the pack's
  // catalogue and the folders of the courses it needs; the pictures and the
  // font.
  function dataPlan(course, pack) {
    const plan = [];
    if (bundled) {
      plan.push({ url: 'data/inp1.txt', path: '/kelvaro/inp1.txt' });
    } else {
      plan.push({ url: 'data/courses/courses.txt', path: '/kelvaro/courses/courses.txt' });
      for (const c of coursesFor(course, pack)) {
        for (const file of c.files) {
          plan.push({ url: `data/courses/${c.name}/${file}`, path: `/kelvaro/courses/${c.name}/${file}` });
        }
      }
    }
    for (const name of [...pack.pictures, pack.font]) plan.push({ url: 'data/' + name, path: '/kelvaro/' + name });
    return plan;
  }

  // The player's files (records, replays, settings) live in the browser's
  // storage, mounted at /player: read before the game starts, written back
  // whenever the game says it has changed them.
  let playerFilesSaving = Promise.resolve();
  function loadPlayerFiles(module) {
    const FS = module.FS;
    const IDBFS = FS.filesystems.IDBFS;
    if (!IDBFS) return Promise.resolve();
    FS.mkdir('/player');
    FS.mount(IDBFS, {}, '/player');
    return new Promise((resolve) => FS.syncfs(true, (error) => {
      if (error) console.warn('Kelvaro: the stored player files could not be read: ' + error);
      resolve();
    }));
  }
  window.kelvaroPage.savePlayerFiles = () => {
    const FS = window.Module && Module.FS;
    if (!FS) return playerFilesSaving;
    playerFilesSaving = playerFilesSaving.then(() => new Promise((resolve) => FS.syncfs(false, (error) => {
      if (error) console.warn('Kelvaro: the player files could not be stored: ' + error);
      resolve();
    })));
    return playerFilesSaving;
  };

  function loadData(module, plan, pack, course) {
    module.addRunDependency('kelvaro-data');
    setStatus('Lädt die Daten …');
    const loads = plan.map((item) => fetchBytes(item.url));
    Promise.all([Promise.all(loads), loadPlayerFiles(module)]).then(([buffers]) => {
      const FS = module.FS;
      FS.mkdir('/kelvaro');
      const packCourses = coursesFor(course, pack);
      if (!bundled) {
        for (const folder of ['BITMAPS', 'FONTS', 'courses']) FS.mkdir('/kelvaro/' + folder);
        for (const c of packCourses) FS.mkdir('/kelvaro/courses/' + c.name);
      }
      buffers.forEach((buffer, i) => {
        // A missing file is left to the game, whose loader says which.
        if (buffer) FS.writeFile(plan[i].path, new Uint8Array(buffer));
        else console.warn('Kelvaro: ' + plan[i].url + ' could not be loaded');
      });
      if (!bundled) {
        // A course of the pack runs in its own folder and finds the pictures
        // it lacks, and the font, in the main data's resource folders, as an
        // installed game does.
        for (const name of pack.pictures) FS.symlink('/kelvaro/' + name, '/kelvaro/BITMAPS/' + name);
        FS.symlink('/kelvaro/' + pack.font, '/kelvaro/FONTS/' + pack.font);
      }
      FS.chdir('/kelvaro');
      setStatus('');
      module.removeRunDependency('kelvaro-data');
    });
  }

  function startGame(course, pack) {
    const plan = dataPlan(course, pack);
    window.Module.arguments = course !== null ? ['-course', course] : bundled ? [] : ['-choose'];
    window.Module.preRun = [(module) => loadData(module, plan, pack, course)];
    const script = document.createElement('script');
    script.src = `kelvaro${width}.js`;
    script.onerror = () => showEnd(`kelvaro${width}.js konnte nicht geladen werden.`);
    document.body.appendChild(script);
  }

  window.Module = {
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

  // Touch controls: each key of the pads presses the game's own key through
  // the page's keyboard path, so the game sees one keyboard. Every finger is
  // followed on its own (steer while the bounce is charged); a key stays
  // down while any finger holds it.
  function pressKey(code, key, down) {
    window.dispatchEvent(new KeyboardEvent(down ? 'keydown' : 'keyup',
                                           { code, key, bubbles: true, cancelable: true }));
  }
  const fingersOn = new Map();  // pointer id -> key element
  function fingerDown(e) {
    const element = e.currentTarget;
    e.preventDefault();
    if (fingersOn.has(e.pointerId)) return;
    fingersOn.set(e.pointerId, element);
    if (element.setPointerCapture) { try { element.setPointerCapture(e.pointerId); } catch (error) { /* gone */ } }
    const held = [...fingersOn.values()].filter((k) => k === element).length;
    if (held === 1) {
      element.classList.add('held');
      pressKey(element.dataset.code, element.dataset.key, true);
    }
  }
  function fingerUp(e) {
    const element = fingersOn.get(e.pointerId);
    if (!element) return;
    e.preventDefault();
    fingersOn.delete(e.pointerId);
    if (![...fingersOn.values()].includes(element)) {
      element.classList.remove('held');
      pressKey(element.dataset.code, element.dataset.key, false);
    }
  }
  for (const element of document.querySelectorAll('.pad .key')) {
    element.addEventListener('pointerdown', fingerDown);
    element.addEventListener('pointerup', fingerUp);
    element.addEventListener('pointercancel', fingerUp);
    element.addEventListener('contextmenu', (e) => e.preventDefault());
  }
  // Shown on touch screens from the start; a keyboard player sees them only
  // after touching the screen.
  function showTouchControls() {
    if (document.body.classList.contains('touch')) return;
    document.body.classList.add('touch');
    place();
  }
  if (navigator.maxTouchPoints > 0 || window.matchMedia('(pointer: coarse)').matches) showTouchControls();
  window.addEventListener('touchstart', showTouchControls, { passive: true, capture: true });
  window.addEventListener('pointerdown', (e) => { if (e.pointerType === 'touch') showTouchControls(); }, true);
  // Inside another page's frame the keyboard comes to this page with the
  // first click or tap.
  window.addEventListener('pointerdown', () => window.focus(), true);

  // Offline after the first visit: the service worker keeps this build's
  // files. When a newer build takes over before the game has started, the
  // page starts again from that build, so no files of two builds mix.
  if ('serviceWorker' in navigator && window.isSecureContext) {
    const servedByStored = !!navigator.serviceWorker.controller;
    navigator.serviceWorker.addEventListener('controllerchange', () => {
      if (servedByStored && !gameRunning && window.kelvaroPage.ended === null) location.reload();
    });
    navigator.serviceWorker.register('service-worker.js').catch((e) => console.warn('Kelvaro: no offline copy: ' + e.message));
  }

  place();
  setStatus('Lädt die Kursliste …');
  fetchBytes('data/page.json').then((bytes) => {
    let pack = null;
    try { pack = bytes ? JSON.parse(decode(new Uint8Array(bytes))) : null; } catch (e) { pack = null; }
    if (!pack) {
      refuseCourse('Die Liste der Spieldaten (data/page.json) konnte nicht geladen werden.', []);
      return;
    }
    const offered = pack.courses;
    if (offered.length > 0) offerCourses(offered, requestedCourse !== null ? requestedCourse : bundled ? offered[0].name : null);
    if (requestedCourse === null) {
      startGame(null, pack);
    } else if (offered.some((c) => c.name === requestedCourse)) {
      startGame(requestedCourse, pack);
    } else {
      refuseCourse(`Unbekannter Kurs "${requestedCourse}". Verfügbare Kurse:`, offered);
    }
  });
})();
