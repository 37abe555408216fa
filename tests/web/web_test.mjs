// The browser build in Debian's Chromium, headless, with the native game as
// the oracle. Usage: node web_test.mjs SITE_DIR NATIVE_BUILD_DIR
//   1. The same script (walk_script.txt, one seed) played by the page's
//      script runner and by the native reedgunner-script: every snap must be
//      the same picture, index for index and colour for colour.
//   2. A player's session through real input events: click to start (the
//      sound reaches Web Audio), the roster, a new game, the main screen,
//      the store, a club, a shot, the hunt left; the canvas is read at each
//      checkpoint and compared with the native snaps of the same screens.
//      The hunt's data is held back until the game waits for it.
//   3. The saved game survives a reload of the page (IndexedDB).
//   4. The saved games download as one file and load back from one.
//   5. The hunt's data refused by the server: the page says so.
// Sections 2 and 5 hold back or refuse the hunt's part of the data, and 2
// counts what the page fetched before the title and in all (at most 10 MB
// gzip before the title).
// Exit code 0 when all hold, 1 with a line saying what failed, 77 when
// Chromium cannot start at all.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

const here = path.dirname(fileURLToPath(import.meta.url));
const [site, nativeBuild] = process.argv.slice(2).map((p) => path.resolve(p));
if (!site || !nativeBuild) {
  console.error('usage: node web_test.mjs SITE_DIR NATIVE_BUILD_DIR');
  process.exit(2);
}
const seed = 11;
const scriptText = fs.readFileSync(path.join(here, 'walk_script.txt'), 'utf8');
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'reedgunner-web-'));
let failures = 0;
function fail(text) { console.log('FAIL: ' + text); ++failures; }
function note(text) { console.log(text); }

// A paletted 8-bit PNG as {width, height, indices, palette}; any filter.
function decodePng(bytes) {
  let at = 8, width = 0, height = 0, palette = null;
  const data = [];
  while (at < bytes.length) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0); height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[9] !== 3) throw new Error('not an 8-bit paletted PNG');
    } else if (type === 'PLTE') palette = Buffer.from(body);
    else if (type === 'IDAT') data.push(body);
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const indices = Buffer.alloc(width * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (width + 1)];
    for (let x = 0; x < width; ++x) {
      const v = raw[y * (width + 1) + 1 + x];
      const a = x > 0 ? indices[y * width + x - 1] : 0;
      const b = y > 0 ? indices[(y - 1) * width + x] : 0;
      const c = x > 0 && y > 0 ? indices[(y - 1) * width + x - 1] : 0;
      let p = v;
      if (filter === 1) p = v + a;
      else if (filter === 2) p = v + b;
      else if (filter === 3) p = v + ((a + b) >> 1);
      else if (filter === 4) {
        const e = a + b - c, pa = Math.abs(e - a), pb = Math.abs(e - b), pc = Math.abs(e - c);
        p = v + (pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
      }
      indices[y * width + x] = p & 0xFF;
    }
  }
  return { width, height, indices, palette };
}

function rgbOf(png) {
  const rgb = Buffer.alloc(png.width * png.height * 3);
  for (let i = 0; i < png.indices.length; ++i) png.palette.copy(rgb, i * 3, png.indices[i] * 3, png.indices[i] * 3 + 3);
  return rgb;
}

// The share of pixels in the box (default: the whole picture) where the
// canvas (RGBA) shows the native snap's colour.
function likeness(rgba, rgb, box = [0, 0, 640, 480]) {
  const [left, top, right, bottom] = box;
  let same = 0;
  for (let y = top; y < bottom; ++y) {
    for (let x = left; x < right; ++x) {
      const i = y * 640 + x;
      if (rgba[i * 4] === rgb[i * 3] && rgba[i * 4 + 1] === rgb[i * 3 + 1] && rgba[i * 4 + 2] === rgb[i * 3 + 2]) ++same;
    }
  }
  return same / ((right - left) * (bottom - top));
}

// 1. The native oracle.
const nativeDir = path.join(scratch, 'native');
fs.mkdirSync(path.join(nativeDir, 'config', 'pellmar'), { recursive: true });
fs.mkdirSync(path.join(nativeDir, 'snaps'));
fs.writeFileSync(path.join(nativeDir, 'config', 'pellmar', 'Settings.ini'),
                 `[Settings]\nCDROM=${path.join(nativeBuild, 'data')}\n`);
fs.writeFileSync(path.join(nativeDir, 'script.txt'), `seed ${seed}\n` + scriptText);
const native = spawnSync(path.join(nativeBuild, 'bin', 'reedgunner-script'), ['script.txt', 'snaps'], {
  cwd: nativeDir, encoding: 'utf8',
  env: { ...process.env, XDG_CONFIG_HOME: path.join(nativeDir, 'config'),
         XDG_STATE_HOME: path.join(nativeDir, 'state'), XDG_DATA_HOME: path.join(nativeDir, 'data') },
});
if (native.status !== 0) {
  console.log('FAIL: the native script runner: ' + native.stdout + native.stderr);
  process.exit(1);
}
const snapNames = [...scriptText.matchAll(/^snap (\S+)/gm)].map((m) => m[1]);
const nativeSnaps = {};
for (const name of snapNames) nativeSnaps[name] = decodePng(fs.readFileSync(path.join(nativeDir, 'snaps', name + '.png')));

// The page, served as a web server would (gzip when the browser takes it),
// and the walk's script beside it.
const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.json': 'application/json',
                '.wasm': 'application/wasm', '.data': 'application/octet-stream', '.txt': 'text/plain' };
const gzipped = new Map();
const server = http.createServer((request, response) => {
  const url = new URL(request.url, 'http://localhost');
  if (url.pathname === '/walk_script.txt') { response.end(scriptText); return; }
  const file = path.join(site, path.normalize(url.pathname === '/' ? '/index.html' : url.pathname));
  if (!file.startsWith(site) || !fs.existsSync(file)) { response.statusCode = 404; response.end(); return; }
  response.setHeader('Content-Type', types[path.extname(file)] || 'application/octet-stream');
  if (!/\bgzip\b/.test(request.headers['accept-encoding'] || '')) { fs.createReadStream(file).pipe(response); return; }
  if (!gzipped.has(file)) gzipped.set(file, zlib.gzipSync(fs.readFileSync(file)));
  response.setHeader('Content-Encoding', 'gzip');
  response.end(gzipped.get(file));
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const origin = `http://127.0.0.1:${server.address().port}`;

// REEDGUNNER_WEB_WINDOW=1 (bench/web_cpu.sh): a real window on $DISPLAY.
const windowed = process.env.REEDGUNNER_WEB_WINDOW === '1';
let browser;
try {
  browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: !windowed, userDataDir: path.join(scratch, 'profile'),
    defaultViewport: windowed ? null : undefined,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync']
      .concat(windowed ? ['--window-position=0,0', '--window-size=1024,768'] : []),
  });
} catch (error) {
  console.log('SKIP: Chromium cannot start: ' + error.message.split('\n')[0]);
  server.close();
  process.exit(77);
}

try {
  const page = await browser.newPage();
  if (!windowed) await page.setViewport({ width: 1000, height: 900 });
  page.on('pageerror', (error) => fail('page error: ' + error.message));

  // 1. The same frames.
  await page.goto(`${origin}/?script=/walk_script.txt&seed=${seed}`);
  await page.waitForFunction('window.scriptResult !== undefined', { timeout: 120000 });
  const result = await page.evaluate('window.scriptResult');
  if (result.code !== 0) fail('the page\'s script run ended with ' + result.code + ': ' + result.log.slice(-3).join(' | '));
  let identical = 0;
  for (const name of snapNames) {
    const base64 = await page.evaluate((n) => {
      try {
        const bytes = Module.FS.readFile('/snaps/' + n + '.png');
        let s = '';
        for (let i = 0; i < bytes.length; i += 0x8000) s += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
        return btoa(s);
      } catch (error) { return null; }
    }, name);
    if (base64 === null) { fail(`snap ${name}: not made in the page`); continue; }
    const web = decodePng(Buffer.from(base64, 'base64'));
    const want = nativeSnaps[name];
    if (!web.indices.equals(want.indices) || !web.palette.equals(want.palette)) {
      let differ = 0;
      for (let i = 0; i < web.indices.length; ++i) if (web.indices[i] !== want.indices[i]) ++differ;
      fail(`snap ${name}: the page's frame differs from the native one (${differ} pixels, palette ${web.palette.equals(want.palette) ? 'same' : 'differs'})`);
    } else ++identical;
  }
  note(`same frames: ${identical} of ${snapNames.length} snaps identical to the native runner's`);

  // 2. A player's session. What the page fetches is counted from the
  // browser's own network events: raw and as served (gzip), before the title
  // and in all. The hunt's data is held back until the game asks for it, so
  // the player reaches the hunt before it has come: the game must wait and
  // then show the marsh as natively.
  const fetched = new Map();
  const network = await page.target().createCDPSession();
  await network.send('Network.enable');
  network.on('Network.requestWillBeSent', (e) => fetched.set(e.requestId, { url: e.request.url, at: e.wallTime * 1000, raw: 0, served: 0 }));
  network.on('Network.dataReceived', (e) => { if (fetched.has(e.requestId)) fetched.get(e.requestId).raw += e.dataLength; });
  network.on('Network.loadingFinished', (e) => { if (fetched.has(e.requestId)) fetched.get(e.requestId).served = e.encodedDataLength; });
  let releaseHunt;
  const huntReleased = new Promise((resolve) => { releaseHunt = resolve; });
  await page.setRequestInterception(true);
  let refuseHunt = false;
  page.on('request', (request) => {
    if (!request.url().endsWith('/reedgunner-hunt.data')) request.continue();
    else if (refuseHunt) request.respond({ status: 503, body: '' });
    else huntReleased.then(() => request.continue());
  });
  const huntHeld = (async () => {
    try {
      await page.waitForFunction('window.gameLog && window.gameLog.some((line) => /waiting for the hunt\'s data/.test(line))', { timeout: 90000, polling: 100 });
    } catch (error) {
      releaseHunt();
      return 'the game never waited for the hunt\'s data';
    }
    const shown = await page.evaluate('document.getElementById("status").textContent');
    await new Promise((r) => setTimeout(r, 2000));
    releaseHunt();
    return /Waiting for the hunt's data/.test(shown) ? '' : `the page does not say it waits (status: "${shown}")`;
  })();
  await page.goto(`${origin}/`);
  await page.waitForFunction('!document.getElementById("start").disabled', { timeout: 60000 });
  const ready = await page.evaluate('window.gameTiming.ready - window.gameTiming.navigation');
  const box = await (await page.$('#canvas')).boundingBox();
  const scale = box.width / 640;
  const at = (x, y) => [box.x + (x + 0.5) * scale, box.y + (y + 0.5) * scale];
  const click = async (x, y) => { await page.mouse.click(...at(x, y), { delay: 40 }); };
  const canvasPixels = async () => Buffer.from(await page.evaluate(() => {
    const data = document.getElementById('canvas').getContext('2d').getImageData(0, 0, 640, 480).data;
    let s = '';
    for (let i = 0; i < data.length; i += 0x8000) s += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
    return btoa(s);
  }), 'base64');
  // Waits until the canvas shows `snap` (in `region`) to `share` of its pixels.
  const waitFor = async (name, share, region, seconds = 60) => {
    const want = rgbOf(nativeSnaps[name]);
    let best = 0;
    for (const end = Date.now() + seconds * 1000; Date.now() < end;) {
      const now = likeness(await canvasPixels(), want, region);
      best = Math.max(best, now);
      if (now >= share) return true;
      await new Promise((r) => setTimeout(r, 200));
    }
    const shot = path.join(os.tmpdir(), `reedgunner-web-${name}.png`);
    await page.screenshot({ path: shot });
    fail(`the canvas never showed ${name} (best ${(best * 100).toFixed(1)}% alike; the page is in ${shot})`);
    return false;
  };
  await page.click('#start');
  await page.waitForFunction('window.gameTiming.firstPicture > 0', { timeout: 20000 });
  const title = await page.evaluate('window.gameTiming.firstPicture - window.gameTiming.started');
  const titleIn = await page.evaluate('window.gameTiming.firstPicture');
  note(`page ready (data loaded) ${ready.toFixed(0)} ms after navigation; title on the canvas ${title.toFixed(0)} ms after the click, ` +
       `${titleIn.toFixed(0)} ms after navigation`);
  // The game's sound reaches Web Audio: buffers played, and not all silence.
  try {
    await page.waitForFunction('Module.audio && Module.audio.buffers > 20 && Module.audio.peak > 0.01', { timeout: 15000 });
    note('sound: ' + await page.evaluate('`${Module.audio.buffers} buffers at ${Module.audio.context.sampleRate} Hz, peak ${Module.audio.peak.toFixed(2)}`'));
  } catch (error) {
    fail('no sound reached Web Audio: ' + await page.evaluate('JSON.stringify(Module.audio ? { buffers: Module.audio.buffers, peak: Module.audio.peak, state: Module.audio.context.state } : null)'));
  }
  const steps = async () => {
    if (!await waitFor('roster', 0.97)) return;
    await click(350, 365);
    await new Promise((r) => setTimeout(r, 300));
    await page.keyboard.type('Kim', { delay: 30 });
    await page.keyboard.press('Enter');
    if (!await waitFor('named', 0.97)) return;
    await click(120, 200);
    await new Promise((r) => setTimeout(r, 300));
    await click(40, 450);
    if (!await waitFor('main', 0.97)) return;
    await click(570, 385);
    if (!await waitFor('store', 0.9)) return;
    await click(86, 111);
    await new Promise((r) => setTimeout(r, 700));
    if (!await waitFor('store', 0.97)) return;  // the decoys bought: Your Gear and Money as natively
    await click(44, 451);
    if (!await waitFor('main', 0.97)) return;
    await click(120, 205);
    // The hunt's panel (the clock's hands aside) is up, once its data came.
    if (!await waitFor('marsh', 0.9, [0, 400, 640, 480])) return;
    const held = await huntHeld;
    if (held) { fail(held); return; }
    note('the hunt\'s data held back: the game waited, then the marsh came as natively');
    // bench/web_cpu.sh: the processor time Chromium's processes take while
    // the hunt runs, then the session ends here.
    const cpuSeconds = Number(process.env.REEDGUNNER_WEB_CPU_SECONDS || 0);
    if (cpuSeconds > 0) {
      const ticksOf = (pid) => {
        try {
          const fields = fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
          return Number(fields[11]) + Number(fields[12]);
        } catch (error) { return 0; /* gone meanwhile */ }
      };
      const ticks = () => {
        let sum = 0;
        for (const pid of fs.readdirSync('/proc').filter((n) => /^[0-9]+$/.test(n))) {
          try {
            if (fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8').includes(scratch)) sum += ticksOf(pid);
          } catch (error) { /* gone meanwhile */ }
        }
        return sum;
      };
      // The X server's share too, when the caller names it (a real window).
      const xServer = process.env.REEDGUNNER_WEB_CPU_XSERVER;
      await page.mouse.move(...at(320, 120), { steps: 4 });
      const start = ticks(), xStart = xServer ? ticksOf(xServer) : 0;
      await new Promise((r) => setTimeout(r, cpuSeconds * 1000));
      const share = (ticks() - start) / (cpuSeconds * 100) * 100;
      const xShare = xServer ? (ticksOf(xServer) - xStart) / (cpuSeconds * 100) * 100 : 0;
      note(`hunt: Chromium's processes took ${share.toFixed(2)} % of one core over ${cpuSeconds} s` +
           (windowed ? ' in a window' : ' headless') + (xServer ? `, the X server ${xShare.toFixed(2)} %` : ''));
      return;
    }
    // A shell into the gun, then a shot into the sky: the panel's two counts
    // (the gun's at 492, the box's at 586) show what they do natively after
    // the same. The digits are compared as shapes, not by colour, since the
    // marsh's palette follows the time of day.
    const gun = [486, 526], box = [578, 638];
    const digits = (pixel, [left, right]) => {
      const shape = [], tally = new Map();
      for (let y = 432; y < 468; ++y) for (let x = left; x < right; ++x) {
        const key = pixel(x, y);
        tally.set(key, (tally.get(key) || 0) + 1);
      }
      const background = [...tally.entries()].sort((p, q) => q[1] - p[1])[0][0];
      for (let y = 432; y < 468; ++y) for (let x = left; x < right; ++x) shape.push(pixel(x, y) === background ? 0 : 1);
      return shape.join('');
    };
    const nativeDigits = (name, region) => digits((x, y) => nativeSnaps[name].indices[y * 640 + x], region);
    const canvasDigits = async () => {
      const rgba = await canvasPixels();
      const pixel = (x, y) => rgba.readUInt32LE((y * 640 + x) * 4);
      return digits(pixel, gun) + digits(pixel, box);
    };
    // The gun's count and the box's as natively: empty and 25 (marsh), 1 and
    // 24 (aim; its pointer covers the box, which shot shows), 0 and 24 (shot).
    const counts = {
      empty: nativeDigits('marsh', gun) + nativeDigits('marsh', box),
      loaded: nativeDigits('aim', gun) + nativeDigits('shot', box),
      fired: nativeDigits('shot', gun) + nativeDigits('shot', box),
    };
    if (new Set(Object.values(counts)).size !== 3) { fail('the native snaps do not show the load and the shot'); return; }
    await page.mouse.move(...at(320, 120), { steps: 4 });
    await new Promise((r) => setTimeout(r, 500));
    if (await canvasDigits() !== counts.empty) { fail('the canvas does not show an empty gun and 25 shells'); return; }
    // Each click is tried again if the counts have not moved a few seconds
    // later: a partner's remark can take the first one on a slow machine.
    const clickUntil = async (x, y, from, to) => {
      for (let attempt = 0; attempt < 3; ++attempt) {
        await click(x, y);
        await page.mouse.move(...at(320, 120), { steps: 2 });  // the pointer off the counts
        let now = '';
        for (const end = Date.now() + 4000; Date.now() < end;) {
          await new Promise((r) => setTimeout(r, 200));
          now = await canvasDigits();
          if (now === counts[to]) return true;
          if (now !== counts[from]) break;
        }
        if (now !== counts[from]) break;
      }
      const shot = path.join(os.tmpdir(), `reedgunner-web-${to}.png`);
      await page.screenshot({ path: shot });
      fail(`the panel's counts after the click at ${x},${y} are not the native ones (${to}) (the page is in ${shot})`);
      return false;
    };
    if (!await clickUntil(580, 445, 'empty', 'loaded')) return;
    if (!await clickUntil(320, 120, 'loaded', 'fired')) return;
    await click(44, 451);
    await waitFor('back', 0.97, undefined, 120);
  };
  const before = failures;
  await steps();
  if (failures === before) note('the player\'s session: roster, new game, main screen, store, club, shot, hunt left');
  releaseHunt();
  const titleAt = await page.evaluate('performance.timeOrigin + window.gameTiming.firstPicture');
  const sum = (early) => {
    let raw = 0, served = 0, files = 0;
    for (const f of fetched.values()) {
      if (early && f.at >= titleAt) continue;
      raw += f.raw; served += f.served; ++files;
    }
    return { raw, served, files };
  };
  const mb = (bytes) => (bytes / 1e6).toFixed(2) + ' MB';
  const early = sum(true), all = sum(false);
  note(`fetched before the title: ${mb(early.raw)} raw, ${mb(early.served)} as served (gzip), ${early.files} responses; ` +
       `in all: ${mb(all.raw)} raw, ${mb(all.served)} as served, ${all.files} responses`);
  if (early.served > 10e6) fail(`the page fetched ${mb(early.served)} (gzip) before the title; at most 10 MB`);
  if (all.raw <= early.raw) fail('the hunt\'s data was never fetched');

  // Every save keeps the file before it as options.dat.bak, in the
  // browser too, and the log has no complaint about it.
  const kept = await page.evaluate(() => {
    const log = new TextDecoder().decode(Module.FS.readFile('/tmp/state/pellmar/PELLMAR.TXT'));
    return { files: Module.FS.readdir('/save/share/pellmar'), complaints: log.split('\n').filter((l) => /not kept/.test(l)) };
  });
  if (!kept.files.includes('options.dat.bak')) fail('no options.dat.bak after the saves: ' + kept.files.join(' '));
  if (kept.complaints.length > 0) fail('the log says: ' + kept.complaints[0]);

  // 3. The saved game survives a reload.
  const saved = await page.evaluate(() => Array.from(Module.FS.readFile('/save/share/pellmar/options.dat')));
  await new Promise((r) => setTimeout(r, 1000));
  await page.reload();
  await page.waitForFunction('!document.getElementById("start").disabled', { timeout: 60000 });
  const reloaded = await page.evaluate(() => {
    try { return Array.from(Module.FS.readFile('/save/share/pellmar/options.dat')); } catch (e) { return null; }
  });
  if (reloaded === null) fail('options.dat is gone after a reload');
  else if (Buffer.compare(Buffer.from(saved), Buffer.from(reloaded)) !== 0) fail('options.dat changed across a reload');
  else {
    await page.click('#start');
    if (await waitFor('back', 0.97)) note(`a saved game (${saved.length} bytes) survived the reload: Kim is on the roster`);
  }

  // 4. The saved games out as one file and back in: a bad file changes
  // nothing, a good one replaces the files it holds and restarts the page.
  const download = JSON.parse(await page.evaluate(() => new Promise((resolve) => {
    const make = URL.createObjectURL;
    URL.createObjectURL = (blob) => { blob.text().then(resolve); return make(blob); };
    document.getElementById('download').click();
  })));
  const out = download.files || {};
  if (!out['share/pellmar/options.dat'] || !Buffer.from(out['share/pellmar/options.dat'], 'base64').equals(Buffer.from(saved)))
    fail('the downloaded saved games do not hold options.dat: ' + Object.keys(out).join(' '));
  else if (!out['share/pellmar/options.dat.bak']) fail('the downloaded saved games leave out options.dat.bak');
  else {
    const upload = await page.$('#upload');
    const bad = path.join(scratch, 'bad.json');
    fs.writeFileSync(bad, JSON.stringify({ reedGunnerSaves: 1, files: { '../../etc/x': 'AA==' } }));
    await upload.uploadFile(bad);
    await page.waitForFunction('/Cannot load that file/.test(document.getElementById("status").textContent)', { timeout: 5000 });
    // The older save (the .bak) loaded as options.dat.
    const older = { reedGunnerSaves: 1, files: { 'share/pellmar/options.dat': out['share/pellmar/options.dat.bak'] } };
    const good = path.join(scratch, 'good.json');
    fs.writeFileSync(good, JSON.stringify(older));
    const reloaded = page.waitForNavigation({ timeout: 20000 });
    await upload.uploadFile(good);
    await reloaded;
    await page.waitForFunction('!document.getElementById("start").disabled', { timeout: 60000 });
    const now = await page.evaluate(() => Array.from(Module.FS.readFile('/save/share/pellmar/options.dat')));
    if (!Buffer.from(now).equals(Buffer.from(out['share/pellmar/options.dat.bak'], 'base64')))
      fail('a loaded file of saved games did not replace options.dat');
    else note('the saved games went out as a file and back in; a bad file was refused');
  }

  // 5. The hunt's data refused by the server: after its tries the page says
  // so, rather than leaving the player to wait at the hunt for ever.
  refuseHunt = true;
  await page.goto(`${origin}/`);
  await page.waitForFunction('!document.getElementById("start").disabled', { timeout: 60000 });
  await page.click('#start');
  try {
    await page.waitForFunction('/hunt\'s data could not be loaded/.test(document.getElementById("status").textContent)', { timeout: 20000 });
    note('the hunt\'s data refused: the page says "' + await page.evaluate('document.getElementById("status").textContent') + '"');
  } catch (error) {
    fail('the hunt\'s data was refused and the page does not say so: "' + await page.evaluate('document.getElementById("status").textContent') + '"');
  }
} catch (error) {
  fail(error.stack || String(error));
} finally {
  await browser.close();
  server.close();
  fs.rmSync(scratch, { recursive: true, force: true });
}
console.log(failures === 0 ? 'web test: all passed' : `web test: ${failures} failure(s)`);
process.exit(failures === 0 ? 0 : 1);
