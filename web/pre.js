// Runs inside the generated reedgunner.js before the game starts: where the
// game finds its data and keeps its files in the page.
//
// The data is "installed" at /usr/share/reedgunner/ReedShot/ (packaged by
// --preload-file) and the program calls itself /usr/bin/reedgunner, so the
// game finds it as an installed game does. The saved games and Settings.ini
// live under /save/, kept in the browser's IndexedDB and written back after
// every save; the log stays in memory. A script run (Module.scriptRun) keeps
// everything in memory, from a clean start.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  FS.symlink('/usr/bin/reedgunner', '/proc/self/exe');
  ENV.HOME = '/home/web_user';
  ENV.XDG_STATE_HOME = '/tmp/state';
  ENV.XDG_PICTURES_DIR = '/tmp/pictures';
  if (Module.scriptRun) {
    ENV.XDG_DATA_HOME = '/script/share';
    ENV.XDG_CONFIG_HOME = '/script/config';
    FS.mkdirTree('/script/run');
    FS.mkdir('/snaps');
    return;
  }
  ENV.XDG_DATA_HOME = '/save/share';
  ENV.XDG_CONFIG_HOME = '/save/config';
  FS.mkdir('/save');
  FS.mount(IDBFS, {}, '/save');
  addRunDependency('saves');
  FS.syncfs(true, function (error) {
    if (error) console.error('Reed Gunner: the saved games could not be read from the browser: ' + error);
    removeRunDependency('saves');
  });
  // Every file written under /save/ goes to IndexedDB at the game's next
  // yield; one write-back at a time, and one more if a save came meanwhile.
  let syncing = false, again = false;
  function writeBack() {
    if (syncing) { again = true; return; }
    syncing = true;
    FS.syncfs(false, function (error) {
      syncing = false;
      if (error) console.error('Reed Gunner: the saved games could not be kept in the browser: ' + error);
      if (Module.onSavesKept) Module.onSavesKept(error);
      if (again) { again = false; writeBack(); }
    });
  }
  Module.keepSaves = writeBack;
  function underSave(path) { return typeof path === 'string' && path.startsWith('/save/'); }
  const close = FS.close, rename = FS.rename, unlink = FS.unlink;
  FS.close = function (stream) {
    const written = (stream.flags & 3) !== 0 && underSave(stream.path);
    const result = close.apply(this, arguments);
    if (written) setTimeout(writeBack, 0);
    return result;
  };
  FS.rename = function (from, to) {
    const result = rename.apply(this, arguments);
    if (underSave(to)) setTimeout(writeBack, 0);
    return result;
  };
  FS.unlink = function (path) {
    const result = unlink.apply(this, arguments);
    if (underSave(path)) setTimeout(writeBack, 0);
    return result;
  };
});

// The sound device (src/aud/web/): Web Audio at the mixer's own rate, asking
// the mixer for each buffer while the game yields. Browsers let it sound once
// the page has had a click, as the start button gives.
Module.openAudio = function (rate) {
  const Context = window.AudioContext || window.webkitAudioContext;
  if (!Context) return 0;
  try {
    const context = new Context({ sampleRate: rate });
    // 2048 frames (93 ms at 22050 Hz): the game yields far more often.
    const node = context.createScriptProcessor(2048, 0, 1);
    let buffer = 0, size = 0;
    node.onaudioprocess = function (event) {
      const out = event.outputBuffer.getChannelData(0);
      if (size < out.length) {
        if (buffer) _free(buffer);
        buffer = _malloc(out.length * 4);
        size = out.length;
      }
      _WebAudioFill(buffer, out.length);
      out.set(HEAPF32.subarray(buffer >> 2, (buffer >> 2) + out.length));
      // What the page has played so far, for the tests.
      Module.audio.buffers++;
      for (let i = 0; i < out.length; ++i) Module.audio.peak = Math.max(Module.audio.peak, Math.abs(out[i]));
    };
    node.connect(context.destination);
    if (context.state === 'suspended') context.resume();
    Module.audio = { context: context, node: node, buffers: 0, peak: 0 };
    return 1;
  } catch (error) {
    console.error('Reed Gunner: no Web Audio: ' + error);
    return 0;
  }
};
Module.closeAudio = function () {
  if (!Module.audio) return;
  Module.audio.node.disconnect();
  Module.audio.context.close();
  Module.audio = null;
};
