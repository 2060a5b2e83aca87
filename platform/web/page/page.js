// The page around the WebAssembly game: offers the course pack's list,
// loads the course, the pictures and the font into its file system, shows
// the pictures the game presents, scaled by a whole factor and centred, asks
// the game's questions, and says when the game has ended.
'use strict';

(function () {
  const params = new URLSearchParams(location.search);
  const width = params.get('size') === '320' ? 320 : 640;
  const height = width === 640 ? 480 : 240;
  // "?course=NAME" starts that course of the pack ("-course NAME"); without
  // it the game starts as it does without the option, on the bundled course.
  const requestedCourse = params.get('course');
  const pictures = ['bkgr1.bmp', 'text1.bmp', 'text2.bmp', 'text3.bmp', 'text4.bmp', 'leben.bmp',
                    `x${width}ok.bmp`, `x${width}quit.bmp`];
  const font = 'little.fnt';

  const $ = (id) => document.getElementById(id);
  const stage = $('stage');
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
    return '?' + query.toString();
  }
  // The size links keep the course.
  for (const size of [640, 320]) $('size' + size).href = address(size, requestedCourse);
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
    refused: null,  // the page's message when the address names no course of the pack
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

  // The pack's catalogue, read as the game reads it: "NAME DESCRIPTION"
  // lines, '#' comments, only plain names (a-z, 0-9, '-', '_'), the first
  // of a name counts.
  function parseCatalogue(text) {
    const courses = [];
    for (const raw of text.split('\n')) {
      const line = raw.replace(/\r$/, '');
      if (!line || line.startsWith('#')) continue;
      const match = /^(\S+)(?:[ \t]+(.*))?$/.exec(line);
      if (!match || !/^[a-z0-9_-]{1,32}$/.test(match[1])) continue;
      if (courses.some((c) => c.name === match[1])) continue;
      courses.push({ name: match[1], description: match[2] || '' });
    }
    return courses;
  }

  // The files of each course's folder: "NAME FILE..." lines.
  function parseFileList(text) {
    const files = new Map();
    for (const line of text.split('\n')) {
      const words = line.trim().split(/\s+/);
      if (!words[0] || words[0].startsWith('#')) continue;
      files.set(words[0], words.slice(1).filter((f) => /^[A-Za-z0-9_.-]+$/.test(f) && !f.startsWith('.')));
    }
    return files;
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

  // Files for the game's file system: the course (or the pack and the
  // chosen course's folder), the pictures and the font.
  function dataPlan(course, pack) {
    const plan = [];
    if (course === null) {
      plan.push({ url: 'data/inp1.txt', path: '/kelvaro/inp1.txt' });
    } else {
      plan.push({ path: '/kelvaro/courses/courses.txt', bytes: pack.catalogue });
      for (const file of pack.files.get(course)) {
        plan.push({ url: `data/courses/${course}/${file}`, path: `/kelvaro/courses/${course}/${file}` });
      }
    }
    for (const name of [...pictures, font]) plan.push({ url: 'data/' + name, path: '/kelvaro/' + name });
    return plan;
  }

  function loadData(module, plan, course) {
    module.addRunDependency('kelvaro-data');
    setStatus('Lädt die Daten …');
    const loads = plan.map((item) => (item.bytes ? Promise.resolve(item.bytes) : fetchBytes(item.url)));
    Promise.all(loads).then((buffers) => {
      const FS = module.FS;
      FS.mkdir('/kelvaro');
      if (course !== null) {
        for (const folder of ['BITMAPS', 'FONTS', 'courses', 'courses/' + course]) FS.mkdir('/kelvaro/' + folder);
      }
      buffers.forEach((buffer, i) => {
        // A missing file is left to the game, whose loader says which.
        if (buffer) FS.writeFile(plan[i].path, new Uint8Array(buffer));
        else console.warn('Kelvaro: ' + plan[i].url + ' could not be loaded');
      });
      if (course !== null) {
        // A course of the pack runs in its own folder and finds the pictures
        // it lacks, and the font, in the main data's resource folders, as an
        // installed game does.
        for (const name of pictures) FS.symlink('/kelvaro/' + name, '/kelvaro/BITMAPS/' + name);
        FS.symlink('/kelvaro/' + font, '/kelvaro/FONTS/' + font);
      }
      FS.chdir('/kelvaro');
      setStatus('');
      module.removeRunDependency('kelvaro-data');
    });
  }

  function startGame(course, pack) {
    const plan = dataPlan(course, pack);
    window.Module.arguments = course === null ? [] : ['-course', course];
    window.Module.preRun = [(module) => loadData(module, plan, course)];
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

  place();
  setStatus('Lädt die Kursliste …');
  Promise.all([fetchBytes('data/courses/courses.txt'), fetchBytes('data/courses/files.txt')]).then(([catalogue, fileList]) => {
    const courses = catalogue ? parseCatalogue(decode(new Uint8Array(catalogue))) : [];
    const files = fileList ? parseFileList(decode(new Uint8Array(fileList))) : new Map();
    // Only courses whose files the page knows can be started.
    const offered = courses.filter((c) => files.has(c.name) && files.get(c.name).includes('inp1.txt'));
    const pack = { catalogue, files };
    if (offered.length > 0) offerCourses(offered, requestedCourse !== null ? requestedCourse : offered[0].name);
    if (requestedCourse === null) {
      startGame(null, pack);
    } else if (offered.some((c) => c.name === requestedCourse)) {
      startGame(requestedCourse, pack);
    } else if (offered.length === 0) {
      refuseCourse(`Die Kursliste konnte nicht geladen werden: der Kurs "${requestedCourse}" kann nicht gestartet werden.`, []);
    } else {
      refuseCourse(`Unbekannter Kurs "${requestedCourse}". Verfügbare Kurse:`, offered);
    }
  });
})();
