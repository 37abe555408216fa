// Runs inside the generated reedgunner.js before the game starts: where the
// game finds its data and keeps its files in the page.
//
// The data is "installed" at /usr/share/reedgunner/ReedShot/ (packaged by
// web/pack_data.cmake; its second part comes later, below) and the program
// calls itself /usr/bin/reedgunner, so the game finds it as an installed game
// does. The saved games and Settings.ini live under /save/, kept in the
// browser's IndexedDB and written back after every save; the log stays in
// memory. A script run (Module.scriptRun) keeps
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

// The hunt's data: reedgunner-hunt.data, with its table of files in
// reedgunner-hunt.json (web/pack_data.cmake), fetched once the title is up
// (page.js) while the first part, loaded before the game starts, holds
// everything up to the hunt. The game's open() (src/sys/web_compat.cpp) asks
// pending() for a data file it cannot find, and waits while that says 1.
Module.huntData = (function () {
  const folder = '/usr/share/reedgunner/ReedShot';
  const hunt = { state: 'idle', received: 0, size: 0, error: '', waiting: false };
  let landed, failed;
  // Settles when the data is in the file system or has failed for good.
  hunt.arrived = new Promise(function (resolve, reject) { landed = resolve; failed = reject; });
  hunt.arrived.catch(function () {});
  function tell(text) {
    if (Module.say) Module.say(text);
    else console.log(text);
  }
  function progress() {
    return hunt.size > 0 ? ' ' + Math.floor(100 * hunt.received / hunt.size) + '%' : '';
  }
  function fetchOk(url) {
    return fetch(url).then(function (response) {
      if (!response.ok) throw new Error(url + ': ' + response.status + ' ' + response.statusText);
      return response;
    });
  }
  // The whole package, counting what has come for the waiting line.
  function fetchPackage(url) {
    return fetchOk(url).then(function (response) {
      const reader = response.body.getReader(), parts = [];
      hunt.received = 0;
      function next() {
        return reader.read().then(function (step) {
          if (step.done) return;
          parts.push(step.value);
          hunt.received += step.value.length;
          if (hunt.waiting) tell('Waiting for the hunt\'s data...' + progress());
          return next();
        });
      }
      return next().then(function () {
        const bytes = new Uint8Array(hunt.received);
        let at = 0;
        for (const part of parts) { bytes.set(part, at); at += part.length; }
        return bytes;
      });
    });
  }
  function land(table, bytes) {
    if (bytes.length !== table.remote_package_size)
      throw new Error('reedgunner-hunt.data has ' + bytes.length + ' bytes, not ' + table.remote_package_size);
    for (const file of table.files) {
      const slash = file.filename.lastIndexOf('/');
      FS.mkdirTree(file.filename.slice(0, slash));
      FS.createDataFile(file.filename.slice(0, slash), file.filename.slice(slash + 1),
                        bytes.subarray(file.start, file.end), true, true, true);
    }
  }
  // Three tries, a little apart, before the page says it failed.
  function attempt(tries) {
    let table;
    fetchOk('reedgunner-hunt.json').then(function (response) {
      return response.json();
    }).then(function (json) {
      table = json;
      hunt.size = table.remote_package_size;
      return fetchPackage('reedgunner-hunt.data');
    }).then(function (bytes) {
      land(table, bytes);
      hunt.state = 'landed';
      if (hunt.waiting) tell('');
      hunt.waiting = false;
      landed();
    }).catch(function (error) {
      if (tries > 1) {
        setTimeout(function () { attempt(tries - 1); }, 1000);
        return;
      }
      hunt.state = 'failed';
      hunt.error = String(error.message || error);
      console.error('Reed Gunner: the hunt\'s data could not be loaded: ' + hunt.error);
      tell('The hunt\'s data could not be loaded (' + hunt.error + '). Reload the page to try again.');
      failed(new Error('the hunt\'s data could not be loaded: ' + hunt.error));
    });
  }
  hunt.load = function () {
    if (hunt.state !== 'idle') return;
    hunt.state = 'loading';
    attempt(3);
  };
  hunt.pending = function (path) {
    if (hunt.state === 'landed') return 0;
    const slash = path.lastIndexOf('/');
    try {
      const dir = slash > 0 ? path.slice(0, slash) : slash === 0 ? '/' : '.';
      if (FS.lookupPath(dir, { follow: true }).path !== folder) return 0;
    } catch (error) {
      return 0;
    }
    if (hunt.state === 'failed') return -1;
    hunt.load();
    if (!hunt.waiting) {
      hunt.waiting = true;
      tell('Waiting for the hunt\'s data...' + progress());
    }
    return 1;
  };
  return hunt;
})();

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
