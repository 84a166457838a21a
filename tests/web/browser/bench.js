// SPDX-License-Identifier: MIT
// The page's benchmark in Chromium and Firefox: ticks per second at 1 ms against the ideal
// 1,000, the main thread's milliseconds per frame at 20 and 1 ms in a 1920 x 1080 viewport, and
// the page weight (the module and the scripts, gzipped).
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { launchBrowser, openGame, pressWithModifiers, startServer, waitFor, waitForPlay } =
  require('./harness');

const SiteDir = process.env.QUILLMOOR_SITE_DIR || path.resolve(__dirname, '../../../build/web');
const Seconds = Number(process.env.QUILLMOOR_BENCH_SECONDS || 4);

function pageWeight() {
  let raw = 0;
  let gzipped = 0;
  const rows = [];
  for (const name of ['quillmoor.wasm', 'quillmoor.js', 'page.js', 'index.html', 'page.css']) {
    const bytes = fs.readFileSync(path.join(SiteDir, name));
    const packed = zlib.gzipSync(bytes, { level: 9 }).length;
    raw += bytes.length;
    gzipped += packed;
    rows.push(`  ${name.padEnd(16)} ${String(bytes.length).padStart(8)} B  gzipped ${String(packed).padStart(7)} B`);
  }
  return { raw, gzipped, rows };
}

// Times every animation-frame callback of the page: the game's ticks, the picture's update and
// the copy to the canvas, all on the main thread.
function timeFrames() {
  const original = window.requestAnimationFrame.bind(window);
  window.frameTimes = [];
  window.requestAnimationFrame = (callback) => original((now) => {
    const start = performance.now();
    callback(now);
    window.frameTimes.push(performance.now() - start);
  });
}

async function measure(page) {
  await page.evaluate(() => {
    window.frameTimes = [];
    window.benchStart = [performance.now(), window.quillmoor.status(0)];
  });
  await new Promise((resolve) => setTimeout(resolve, Seconds * 1000));
  return page.evaluate(() => {
    const elapsed = performance.now() - window.benchStart[0];
    const ticks = window.quillmoor.status(0) - window.benchStart[1];
    const times = window.frameTimes.slice().sort((a, b) => a - b);
    const mean = times.reduce((sum, t) => sum + t, 0) / Math.max(times.length, 1);
    return {
      ticksPerSecond: (ticks * 1000) / elapsed,
      framesPerSecond: (times.length * 1000) / elapsed,
      meanFrame: mean,
      p95Frame: times[Math.floor(times.length * 0.95)] || 0,
    };
  });
}

async function run(name, server) {
  process.env.QUILLMOOR_BROWSER = name;
  const browser = await launchBrowser();
  try {
    const page = await openGame(browser, server.url, { width: 1920, height: 1080, deviceScaleFactor: 1 },
                                (p) => p.evaluateOnNewDocument(timeFrames));
    await waitFor(page, () => window.quillmoor && window.quillmoor.status(0) >= 0);
    await waitForPlay(page);
    const at20 = await measure(page);
    await pressWithModifiers(page, ['Control', 'Shift'], 'Digit1');
    await waitFor(page, () => window.quillmoor.status(2) === 1);
    const at1 = await measure(page);
    const line = (period, m) =>
      `  ${period.padEnd(5)} ${m.ticksPerSecond.toFixed(0).padStart(6)} ticks/s` +
      ` (ideal ${period === '1 ms' ? '1000' : '50'}), ${m.framesPerSecond.toFixed(0)} frames/s,` +
      ` main thread ${m.meanFrame.toFixed(3)} ms a frame (95th percentile ${m.p95Frame.toFixed(3)})`;
    console.log(`${name}, 1920 x 1080:`);
    console.log(line('20 ms', at20));
    console.log(line('1 ms', at1));
  } finally {
    await browser.close();
  }
}

(async () => {
  const weight = pageWeight();
  console.log('page weight:');
  weight.rows.forEach((row) => console.log(row));
  console.log(`  total ${weight.raw} B, gzipped ${weight.gzipped} B`);
  const server = await startServer();
  try {
    for (const name of (process.env.QUILLMOOR_BROWSERS || 'chromium firefox').split(' ')) {
      await run(name, server);
    }
  } finally {
    await server.stop();
  }
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
