// SPDX-License-Identifier: MIT
// The page played in a real browser (QUILLMOOR_BROWSER: chromium or firefox): the title, the
// picture against the unfolding, keys, dialogs, pause, resizes, speeds and bad input.
'use strict';

const assert = require('node:assert/strict');
const { after, before, describe, it } = require('node:test');
const {
  Status, browserName, launchBrowser, openGame, pressWithModifiers, startServer, status,
  waitFor, waitForPlay, waitTicks,
} = require('./harness');
const { readPicture } = require('./picture');

const PlayerStart = 0x4080;
let server;
let browser;

before(async () => {
  server = await startServer();
  browser = await launchBrowser();
});

after(async () => {
  if (browser) {
    await browser.close();
  }
  if (server) {
    await server.stop();
  }
});

async function game(viewport) {
  const page = await openGame(browser, server.url, viewport);
  await waitForPlay(page);
  return page;
}

async function done(page) {
  assert.deepEqual(page.errors, [], 'the page raised no error');
  await page.close();
}

async function openDialog(page, name) {
  await waitFor(page, (dialog) => !!document.querySelector(`dialog[data-name="${dialog}"]`), name);
  return page.evaluate((dialog) => {
    const element = document.querySelector(`dialog[data-name="${dialog}"]`);
    const fields = {};
    for (const field of element.querySelectorAll('[data-field]')) {
      fields[field.dataset.field] = field.value;
    }
    return {
      caption: element.querySelector('.caption-text').textContent,
      open: element.open,
      fields,
      focused: document.activeElement && document.activeElement.className,
    };
  }, name);
}

async function closedDialog(page) {
  await waitFor(page, () => !document.querySelector('dialog') && window.quillmoor.status(4) === 0);
}

describe(`the page in ${browserName()}`, () => {
  it('shows the title for 40 ticks, then the maze', async () => {
    const page = await openGame(browser, server.url);
    const start = await page.evaluate(() => ({
      shown: !document.getElementById('title').hidden,
      lines: [...document.querySelectorAll('#title .line')].map((line) => line.textContent),
      ticks: window.quillmoor.status(0),
      title: document.title,
    }));
    assert.ok(start.shown, 'the title covers the page first');
    assert.ok(start.ticks < 40);
    assert.equal(start.lines.length, 6);
    assert.equal(start.lines[1], 'Quillmoor');
    assert.equal(start.title, 'Quillmoor');
    await waitFor(page, () => window.quillmoor.status(0) >= 39);
    await waitForPlay(page);
    assert.equal(await status(page, Status.elapsed) >= 1, true);
    const picture = await readPicture(page);
    assert.equal(picture.offPalette, 0);
    assert.equal(picture.mismatches, 0);
    await done(page);
  });

  for (const [zoom, ratio] of [[1, 1], [2, 1], [3, 1], [1, 1.5], [2, 2], [3, 2]]) {
    it(`draws the Klein unfolding at zoom ${zoom}, device pixel ratio ${ratio}`, async () => {
      // Wide enough at every zoom to hold a mirrored copy beside the centre one.
      const cssSide = Math.ceil((560 * zoom * Math.round(ratio)) / ratio);
      const page = await game({ width: cssSide + 7, height: cssSide + 3, deviceScaleFactor: ratio });
      await page.keyboard.press('KeyS');
      // The game keeps one key for its next tick: a digit typed before that tick replaces S.
      await waitTicks(page, 2);
      if (zoom !== 1) {
        await page.keyboard.press(`Digit${zoom}`);
      }
      await waitFor(page, (z) => window.quillmoor.status(5) === z, zoom);
      await waitTicks(page, 2);
      await page.keyboard.press('KeyP');
      const picture = await readPicture(page);
      assert.equal(picture.width, Math.round((cssSide + 7) * ratio), 'the canvas in device pixels');
      assert.equal(picture.height, Math.round((cssSide + 3) * ratio));
      assert.equal(picture.side, zoom * Math.round(ratio), 'zoom x round(ratio) pixels a cell');
      assert.equal(picture.nonUniform, 0, 'every cell an even square');
      assert.equal(picture.offPalette, 0, "only the game's colours");
      assert.ok(picture.comparisons > 1000, `copies compared: ${picture.comparisons}`);
      assert.equal(picture.mismatches, 0, 'every copy of a cell shows its colour');
      assert.equal(picture.pillarsOpen, 0);
      assert.equal(picture.roomsRock, 0, 'after S, every room open');
      // S finished the maze at once: the player has not moved from the start.
      assert.ok(picture.playerCells.length <= 1);
      if (picture.playerCells.length === 1) {
        assert.equal(picture.playerCells[0], PlayerStart);
      }
      await done(page);
    });
  }

  it('moves the player with the arrows', async () => {
    const page = await game();
    await page.keyboard.press('KeyS');
    await waitTicks(page, 2);
    let moved = null;
    for (const arrow of ['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown']) {
      await page.keyboard.press(arrow);
      await waitTicks(page, 3);
      const picture = await readPicture(page);
      if (picture.playerCells.length === 1 && picture.playerCells[0] !== PlayerStart) {
        moved = picture.playerCells[0];
        break;
      }
    }
    assert.notEqual(moved, null, 'one of the four ways out of the start room is open');
    await done(page);
  });

  it('shows the version, career and keys dialogs with their exact captions', async () => {
    const page = await game();
    const expected = [
      ['KeyV', 'version', 'バージョン情報 Quillmoor', 'Enter'],
      ['KeyA', 'career', '著者経歴 Author Carrier', 'Escape'],
      ['F1', 'keys', '操作方法 Keys', 'Enter'],
    ];
    for (const [key, name, caption, close] of expected) {
      await page.keyboard.press(key);
      const dialog = await openDialog(page, name);
      assert.equal(dialog.caption, caption);
      assert.equal(dialog.focused, 'ok', 'the focus starts on OK');
      const elapsed = await status(page, Status.elapsed);
      await new Promise((resolve) => setTimeout(resolve, 300));
      assert.equal(await status(page, Status.elapsed), elapsed, 'the game is frozen meanwhile');
      if (name === 'career') {
        assert.ok(dialog.fields.career.split('\n').length >= 260);
      }
      await page.keyboard.press(close);
      await closedDialog(page);
    }
    const version = await page.evaluate(() => document.body.textContent);
    assert.ok(!version.includes('Version 0.'), 'the dialog is gone from the page');
    await done(page);
  });

  it('gives up with Esc: dismissed the stage goes on, OK starts a new one', async () => {
    const page = await game();
    await waitTicks(page, 30);
    await page.keyboard.press('Escape');
    let dialog = await openDialog(page, 'nextStage');
    assert.equal(dialog.caption, 'Go To Next Stage');
    assert.equal(dialog.fields.messageEn, 'Neverrrr, Give Up! Go To Next.');
    assert.equal(dialog.fields.messageJa, 'あきらめるな。まだまだだ！');
    assert.equal(dialog.fields.nextStageAliens, '30');
    assert.equal(dialog.fields.skippedCycle, '0');
    const elapsed = Number(dialog.fields.elapsedCycle);
    assert.ok(elapsed >= 30);
    await page.keyboard.press('Escape');
    await closedDialog(page);
    await waitTicks(page, 5);
    assert.ok(await status(page, Status.elapsed) > elapsed, 'the stage goes on');

    // The close box dismisses too.
    await page.keyboard.press('Escape');
    await openDialog(page, 'nextStage');
    await page.click('dialog .close-box');
    await closedDialog(page);
    assert.ok(await status(page, Status.elapsed) > elapsed);

    await page.keyboard.press('Escape');
    dialog = await openDialog(page, 'nextStage');
    await page.keyboard.press('Enter');
    await closedDialog(page);
    await waitTicks(page, 1);
    assert.ok(await status(page, Status.elapsed) < elapsed, 'a new stage');
    await done(page);
  });

  it('swallows the ten accelerator keystrokes', async () => {
    const page = await game();
    await page.evaluate(() => {
      window.prevented = [];
      window.addEventListener('keydown', (event) => {
        if (!['Control', 'Shift', 'Alt'].includes(event.key)) {
          window.prevented.push(event.defaultPrevented);
        }
      });
    });
    // Paused, a pending S waits; a Ctrl+V that reached the game would replace it.
    await page.keyboard.press('KeyP');
    await page.keyboard.press('KeyS');
    const strokes = [
      [['Control'], 'KeyC'], [['Control'], 'KeyV'], [['Alt'], 'Backspace'], [['Shift'], 'Delete'],
      [[], 'F6'], [['Shift'], 'F6'], [['Control'], 'Insert'], [['Shift'], 'Insert'],
      [['Control'], 'KeyX'], [['Control'], 'KeyZ'],
    ];
    for (const [modifiers, key] of strokes) {
      for (const modifier of modifiers) {
        await page.keyboard.down(modifier);
      }
      await page.keyboard.press(key);
      for (const modifier of modifiers) {
        await page.keyboard.up(modifier);
      }
    }
    // P and S, then the ten.
    assert.deepEqual(await page.evaluate(() => window.prevented), Array(12).fill(true));
    await page.keyboard.press('KeyP');
    await waitTicks(page, 3);
    const picture = await readPicture(page);
    assert.equal(picture.roomsRock, 0, 'S was acted on: no keystroke replaced it');
    assert.equal(await status(page, Status.dialogOpen), 0, 'Ctrl+V opened no dialog');
    await done(page);
  });

  it('pauses with P and with Pause: the title says so and the maze stops growing', async () => {
    const page = await game();
    for (const key of ['KeyP', 'Pause']) {
      await page.keyboard.press(key);
      assert.equal(await page.title(), 'Quillmoor — 一時停止 Paused');
      const before = await readPicture(page);
      const ticks = await status(page, Status.ticks);
      await new Promise((resolve) => setTimeout(resolve, 500));
      assert.equal(await status(page, Status.ticks), ticks, 'no tick while paused');
      assert.equal((await readPicture(page)).hash, before.hash, 'the picture stands still');
      // Held down, the key is one command, not a flicker of pauses.
      await page.keyboard.down(key);
      await page.keyboard.down(key);
      await page.keyboard.up(key);
      assert.equal(await page.title(), 'Quillmoor');
      await waitTicks(page, 5);
      assert.notEqual((await readPicture(page)).hash, before.hash, 'growing again');
    }
    await done(page);
  });

  it('follows resizes in device pixels, a 1 x 1 window and a capped huge one', async () => {
    const page = await game({ width: 800, height: 600, deviceScaleFactor: 1 });
    const size = () => page.evaluate(() => {
      const canvas = document.getElementById('picture');
      const notice = document.getElementById('notice');
      return { width: canvas.width, height: canvas.height, notice: notice.hidden ? '' : notice.textContent };
    });
    const check = async (viewport, expected) => {
      await page.setViewport(viewport);
      await waitFor(page, (e) => document.getElementById('picture').width === e.width &&
                                 document.getElementById('picture').height === e.height, expected);
      await waitTicks(page, 2);
      return size();
    };
    assert.deepEqual(await check({ width: 500, height: 300, deviceScaleFactor: 1 },
                                 { width: 500, height: 300 }), { width: 500, height: 300, notice: '' });
    await check({ width: 401, height: 333, deviceScaleFactor: 2 }, { width: 802, height: 666 });
    await check({ width: 1, height: 1, deviceScaleFactor: 1 }, { width: 1, height: 1 });
    const picture = await readPicture(page);
    assert.equal(picture.offPalette, 0, 'one pixel, of the centre cell');
    const huge = await check({ width: 9000, height: 50, deviceScaleFactor: 2 }, { width: 16384, height: 100 });
    assert.match(huge.notice, /16384 × 100/, 'the page says the picture is capped');
    assert.deepEqual(await check({ width: 640, height: 480, deviceScaleFactor: 1 },
                                 { width: 640, height: 480 }), { width: 640, height: 480, notice: '' });
    assert.ok(await status(page, Status.ticks) > 0);
    await done(page);
  });

  it('sets the speeds and measures them as ticks per second', async () => {
    const page = await game();
    const rate = async () => {
      const t0 = await page.evaluate(() => [performance.now(), window.quillmoor.status(0)]);
      await new Promise((resolve) => setTimeout(resolve, 2000));
      const t1 = await page.evaluate(() => [performance.now(), window.quillmoor.status(0)]);
      return ((t1[1] - t0[1]) * 1000) / (t1[0] - t0[0]);
    };
    const measured = {};
    for (const [modifiers, digit, period] of [
      [['Control', 'Shift'], 'Digit1', 1],
      [['Shift'], 'Digit2', 20],
      [['Control', 'Alt'], 'Digit1', 100],
    ]) {
      await pressWithModifiers(page, modifiers, digit);
      await waitFor(page, (p) => window.quillmoor.status(2) === p, period);
      measured[period] = await rate();
      console.log(`# ${browserName()}: ${modifiers.join('+')}+${digit.slice(5)} -> ${period} ms: ` +
                  `${measured[period].toFixed(0)} ticks/s (ideal ${1000 / period})`);
    }
    assert.ok(measured[1] > measured[20] && measured[20] > measured[100],
              'a shorter period gives more ticks');
    await done(page);
  });

  it('keeps to the desktop in key storms, with dialogs answered as they open', async () => {
    const page = await game();
    const keys = ['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown', 'KeyN', 'KeyF', 'KeyW', 'KeyR',
                  ' ', 'Digit1', 'Digit2', 'Digit3', 'Digit7', 'KeyB', 'Tab', 'Numpad4',
                  'KeyV', 'KeyA', 'Escape', 'KeyS', 'F1', 'Enter'];
    let seed = 12345;
    const next = (n) => {
      seed = (Math.imul(seed, 1103515245) + 12345) & 0x7fffffff;
      return seed % n;
    };
    for (let i = 0; i < 400; ++i) {
      await page.keyboard.press(keys[next(keys.length)]);
      if (i % 40 === 0) {
        await new Promise((resolve) => setTimeout(resolve, 50));
      }
    }
    // Whatever is open is answered; the game goes on.
    for (let i = 0; i < 10 && (await status(page, Status.dialogOpen)); ++i) {
      await page.keyboard.press('Enter');
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    await closedDialog(page);
    if (await status(page, Status.paused)) {
      await page.keyboard.press('KeyP');
    }
    await waitTicks(page, 5);
    await page.keyboard.press('KeyV');
    const dialog = await openDialog(page, 'version');
    assert.equal(dialog.caption, 'バージョン情報 Quillmoor');
    await page.keyboard.press('Enter');
    await closedDialog(page);
    await done(page);
  });

  it('plays offline after the first visit, from a cache named by the build', async () => {
    const own = await startServer();
    const page = await openGame(browser, own.url);
    const cache = await page.evaluate(async () => {
      await navigator.serviceWorker.ready;
      const names = await caches.keys();
      return names.filter((name) => name.startsWith('quillmoor-'));
    });
    assert.equal(cache.length, 1, 'one cache, of this build');
    const manifest = await page.evaluate(async () =>
      (await fetch(document.querySelector('link[rel=manifest]').href)).json());
    assert.equal(manifest.name, 'Quillmoor');
    assert.ok(manifest.icons.some((icon) => icon.sizes === '256x256'));
    await own.stop();
    await page.reload({ waitUntil: 'load' });
    await waitForPlay(page);
    assert.ok(await status(page, Status.elapsed) > 0, 'the game runs with no server');
    await page.close();
  });

  // Which of the page's parts a reader sees: shown, with a box of its own.
  const visibleParts = (page) => page.evaluate(() => {
    const seen = (element) => element.getClientRects().length > 0 &&
                              getComputedStyle(element).visibility !== 'hidden';
    return [...document.querySelectorAll('body > :not(noscript), noscript > *')].filter(seen).map((element) =>
      ({ id: element.id || element.parentElement.localName, text: element.textContent }));
  });

  it('tells a browser without WebAssembly so in plain words, and throws nothing', async () => {
    const page = await openGame(browser, server.url, undefined, (p) =>
      p.evaluateOnNewDocument(() => {
        delete window.WebAssembly;
      }));
    const parts = await visibleParts(page);
    assert.deepEqual(parts.map((part) => part.id), ['no-wasm'], 'the message alone, no canvas');
    assert.match(parts[0].text, /WebAssembly/);
    await done(page);
  });

  it('tells a browser with scripts off that the game needs them', async () => {
    const scriptless = browserName() === 'firefox' ? await launchBrowser({ scripts: false }) : browser;
    try {
      const page = await openGame(scriptless, server.url, undefined, async (p) => {
        if (scriptless === browser) {
          await p.setJavaScriptEnabled(false);
        }
      });
      const parts = await visibleParts(page);
      assert.deepEqual(parts.map((part) => part.id), ['stage', 'noscript'],
                       'the empty stage and the message, none of the others');
      assert.match(parts[1].text, /JavaScript/);
      await done(page);
    } finally {
      if (scriptless !== browser) {
        await scriptless.close();
      }
    }
  });
});
