// The page around the game: loading, click to start, whole-factor scaling,
// fullscreen, and the saved games in and out. With ?script=URL&seed=N the
// page plays that script of the script runner headless instead (for tests):
// window.scriptResult says how it ended, the snaps are in /snaps/.
'use strict';
(function () {
  const params = new URLSearchParams(location.search);
  const scriptUrl = params.get('script');
  const canvas = document.getElementById('canvas');
  const stage = document.getElementById('stage');
  const start = document.getElementById('start');
  const progress = document.getElementById('progress');
  const status = document.getElementById('status');
  const timing = { navigation: performance.now(), ready: 0, started: 0, firstPicture: 0 };
  window.gameTiming = timing;

  function say(text) { status.textContent = text; }

  // The scale the settings ask for (0: the largest that fits) and fullscreen.
  let wantedScale = 0;
  function fit() {
    const ratio = window.devicePixelRatio || 1;
    const full = document.fullscreenElement === stage;
    const width = full ? screen.width : Math.max(320, window.innerWidth - 32);
    const height = full ? screen.height : Math.max(240, window.innerHeight - 220);
    // Whole factors of device pixels keep every game pixel sharp and square.
    let factor = Math.max(1, Math.floor(Math.min(width * ratio / 640, height * ratio / 480)));
    if (wantedScale > 0 && !full) factor = Math.min(factor, wantedScale);
    canvas.style.width = (640 * factor / ratio) + 'px';
    canvas.style.height = (480 * factor / ratio) + 'px';
    if (full) stage.style.width = stage.style.height = '100%';
    else stage.style.width = stage.style.height = '';
  }
  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);
  function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else stage.requestFullscreen().catch(function (error) { say('No fullscreen: ' + error.message); });
  }
  document.getElementById('fullscreen').addEventListener('click', function () {
    toggleFullscreen();
    canvas.focus();
  });

  const log = [];
  window.gameLog = log;
  const Module = window.Module = {
    canvas: canvas,
    scriptRun: !!scriptUrl,
    print: function (text) { log.push(text); console.log(text); },
    printErr: function (text) { log.push(text); console.error(text); },
    setStatus: function (text) {
      const m = /\((\d+)\/(\d+)\)/.exec(text || '');
      if (m) progress.textContent = 'loading ' + Math.round(100 * m[1] / m[2]) + '%';
    },
    toggleFullscreen: toggleFullscreen,
    say: say,
    setWindowMode: function (scale, fullscreen) {
      wantedScale = scale;
      if (!!fullscreen !== (document.fullscreenElement === stage)) {
        // Only a click or a key may start fullscreen; leaving it always works.
        if (fullscreen) stage.requestFullscreen().catch(function () {});
        else document.exitFullscreen();
      }
      fit();
    },
    onRuntimeInitialized: function () {
      timing.ready = performance.now();
      if (scriptUrl) { runScript(); return; }
      start.disabled = false;
      progress.textContent = 'and sound on';
    },
    onExit: function (code) {
      if (scriptUrl) {
        window.scriptResult = { code: code, log: log };
        return;
      }
      say(code === 0 ? 'The game has ended. Reload the page to play again.'
                     : 'The game stopped (' + (log.slice(-1)[0] || 'exit code ' + code) + ').');
    },
  };
  // The first picture on the canvas: the title is up.
  const context = canvas.getContext('2d', { alpha: false });
  const putImageData = context.putImageData.bind(context);
  context.putImageData = function () {
    if (!timing.firstPicture) {
      timing.firstPicture = performance.now();
      // The title is up: the hunt's data comes while the player looks at it.
      Module.huntData.load();
    }
    return putImageData.apply(null, arguments);
  };
  Module.canvasContext = context;

  // All the data first: a script runs to its end in one go (callMain
  // returns with its result), which a wait for the hunt's data would break.
  function runScript() {
    start.hidden = true;
    Module.huntData.load();
    Promise.all([fetch(scriptUrl).then(function (response) {
      if (!response.ok) throw new Error('cannot fetch ' + scriptUrl + ': ' + response.status);
      return response.text();
    }), Module.huntData.arrived]).then(function (results) {
      const text = results[0];
      Module.FS.writeFile('/script/run/script.txt', text);
      Module.FS.chdir('/script/run');
      const args = ['--script', '/script/run/script.txt'];
      if (params.get('seed') !== null) args.push(params.get('seed'));
      // A run ends in exit(); returning instead means it ended normally.
      const code = Module.callMain(args);
      if (window.scriptResult === undefined) window.scriptResult = { code: code, log: log };
    }).catch(function (error) {
      window.scriptResult = { code: -1, log: log.concat(String(error)) };
    });
  }

  start.disabled = true;
  start.addEventListener('click', function () {
    start.hidden = true;
    canvas.focus();
    timing.started = performance.now();
    // This click is what lets the game's Web Audio sound (web/pre.js).
    Module.callMain([]);
  });
  fit();

  // The saved games as one file: every file under /save/, base64.
  function walk(FS, dir, out) {
    for (const name of FS.readdir(dir)) {
      if (name === '.' || name === '..') continue;
      const path = dir + '/' + name;
      const mode = FS.stat(path).mode;
      if (FS.isDir(mode)) walk(FS, path, out);
      else if (FS.isFile(mode)) {
        const bytes = FS.readFile(path);
        let binary = '';
        for (let i = 0; i < bytes.length; i += 0x8000)
          binary += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
        out[path.slice('/save/'.length)] = btoa(binary);
      }
    }
    return out;
  }
  document.getElementById('download').addEventListener('click', function () {
    if (!Module.FS || !Module.keepSaves) { say('The game is still loading.'); return; }
    const files = walk(Module.FS, '/save', {});
    if (Object.keys(files).length === 0) { say('No saved games yet.'); return; }
    const blob = new Blob([JSON.stringify({ reedGunnerSaves: 1, files: files }, null, 1)],
                          { type: 'application/json' });
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = 'reed-gunner-saves.json';
    link.click();
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 1000);
  });
  // Loading replaces the files it holds and starts the page again, so the
  // game reads them as it starts.
  document.getElementById('upload').addEventListener('change', function (event) {
    const file = event.target.files[0];
    event.target.value = '';
    if (!file) return;
    if (!Module.FS || !Module.keepSaves) { say('The game is still loading.'); return; }
    file.text().then(function (text) {
      const saved = JSON.parse(text);
      if (!saved || saved.reedGunnerSaves !== 1 || typeof saved.files !== 'object')
        throw new Error('not a file of Reed Gunner saved games');
      const names = Object.keys(saved.files);
      for (const name of names) {
        if (!/^(share|config)\/pellmar\/[A-Za-z0-9_.-]+$/.test(name))
          throw new Error('it names a file outside the saves: ' + name);
      }
      for (const name of names) {
        const binary = atob(saved.files[name]);
        const bytes = new Uint8Array(binary.length);
        for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
        Module.FS.mkdirTree('/save/' + name.slice(0, name.lastIndexOf('/')));
        Module.FS.writeFile('/save/' + name, bytes);
      }
      Module.onSavesKept = function (error) {
        if (error) { say('The saved games could not be kept: ' + error); return; }
        location.reload();
      };
      Module.keepSaves();
      say('Loaded ' + names.length + ' file(s); starting again...');
    }).catch(function (error) { say('Cannot load that file: ' + error.message); });
  });

  const script = document.createElement('script');
  script.src = 'reedgunner.js';
  document.body.appendChild(script);
})();
