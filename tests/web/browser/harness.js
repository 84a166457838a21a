// SPDX-License-Identifier: MIT
// Serves the built site on 127.0.0.1, starts Debian's Chromium or Firefox ESR through
// puppeteer-core and opens the game's page; never downloads a browser.
'use strict';

const { spawn } = require('node:child_process');
const fs = require('node:fs');
const net = require('node:net');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const SiteDir = process.env.QUILLMOOR_SITE_DIR || path.resolve(__dirname, '../../../build/web');

const Browsers = {
  chromium: { browser: 'chrome', executablePath: '/usr/bin/chromium' },
  firefox: { browser: 'firefox', executablePath: '/usr/bin/firefox-esr' },
};

function browserName() {
  const name = process.env.QUILLMOOR_BROWSER || 'chromium';
  if (!Browsers[name]) {
    throw new Error(`QUILLMOOR_BROWSER must be one of ${Object.keys(Browsers).join(', ')}`);
  }
  return name;
}

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.unref();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

async function waitForServer(url, deadline) {
  while (Date.now() < deadline) {
    try {
      const response = await fetch(url);
      if (response.ok) {
        return;
      }
    } catch (error) {
      // not listening yet
    }
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  throw new Error(`no server at ${url}`);
}

// python3's http.server, as the README serves the site (or another folder with a page); stop()
// ends it.
async function startServer(dir = SiteDir) {
  if (!fs.existsSync(path.join(dir, 'index.html'))) {
    throw new Error(`no page in ${dir}: build it first (scripts/web.sh --build, scripts/test-web.sh)`);
  }
  const port = await freePort();
  const child = spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1'], {
    cwd: dir,
    stdio: 'ignore',
  });
  const url = `http://127.0.0.1:${port}/`;
  await waitForServer(url, Date.now() + 15000);
  return {
    url,
    stop: () =>
      new Promise((resolve) => {
        if (child.exitCode !== null) {
          resolve();
          return;
        }
        child.once('exit', resolve);
        child.kill();
      }),
  };
}

// scripts: false starts a Firefox with scripts off, which its WebDriver BiDi cannot turn off for a
// page as Chromium's page.setJavaScriptEnabled does.
async function launchBrowser({ scripts = true } = {}) {
  const name = browserName();
  const options = {
    ...Browsers[name],
    headless: true,
    // The window's size comes from each page's viewport.
    defaultViewport: null,
    args: [],
  };
  if (!scripts) {
    options.extraPrefsFirefox = { 'javascript.enabled': false };
  }
  if (name === 'chromium') {
    // Root may not use Chromium's sandbox; rAF must not be throttled for pages in the
    // background of a headless browser.
    options.args.push('--no-sandbox', '--disable-background-timer-throttling',
                      '--disable-renderer-backgrounding', '--disable-backgrounding-occluded-windows');
  }
  return puppeteer.launch(options);
}

// The game's page at this viewport, loaded and its module running; errors of the page are
// collected in page.errors.
async function openGame(browser, url, viewport = { width: 640, height: 480, deviceScaleFactor: 1 },
                        beforeLoad = null) {
  const page = await browser.newPage();
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(String(error)));
  await page.setViewport(viewport);
  if (beforeLoad) {
    await beforeLoad(page);
  }
  await page.goto(url, { waitUntil: 'load' });
  if (!beforeLoad) {
    await page.waitForFunction(() => window.quillmoor && window.quillmoor.status(0) >= 0);
  }
  return page;
}

function status(page, what) {
  return page.evaluate((index) => window.quillmoor.status(index), what);
}

const Status = { ticks: 0, elapsed: 1, period: 2, paused: 3, dialogOpen: 4, zoom: 5 };

async function waitFor(page, predicate, arg, timeout = 20000) {
  await page.waitForFunction(predicate, { timeout, polling: 50 }, arg);
}

// Play has begun: the title is gone and the picture drawn.
async function waitForPlay(page) {
  await waitFor(page, () => window.quillmoor.status(0) > 40 &&
                           document.getElementById('title').hidden);
}

async function waitTicks(page, count) {
  const start = await status(page, Status.ticks);
  await waitFor(page, (target) => window.quillmoor.status(0) >= target, start + count);
}

// A digit with modifiers held until the game has taken it, as a player holds them.
async function pressWithModifiers(page, modifiers, code) {
  for (const modifier of modifiers) {
    await page.keyboard.down(modifier);
  }
  await page.keyboard.press(code);
  await waitTicks(page, 3);
  for (const modifier of [...modifiers].reverse()) {
    await page.keyboard.up(modifier);
  }
}

module.exports = {
  Status, browserName, launchBrowser, openGame, pressWithModifiers, startServer, status,
  waitFor, waitForPlay, waitTicks,
};
