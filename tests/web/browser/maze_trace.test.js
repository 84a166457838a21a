// SPDX-License-Identifier: MIT
// The same scripted bytes grow the same maze in the browser (QUILLMOOR_BROWSER) as on the build
// machine: the maze tracer (tests/web/maze_trace.cpp) as WebAssembly in its page, against the
// native build of it, cell for cell, with the player, the aliens and the bytes drawn.
'use strict';

const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const { after, before, describe, it } = require('node:test');
const { browserName, launchBrowser, startServer } = require('./harness');

const PageDir = process.env.QUILLMOOR_TRACE_PAGE_DIR;
const HostTrace = process.env.QUILLMOOR_HOST_TRACE;
const CompleteOpenCells = 16384 + 16383;  // every room and the slots of a spanning tree
const GridRows = 256;

let server;
let browser;

before(async () => {
  assert.ok(PageDir && HostTrace, 'QUILLMOOR_TRACE_PAGE_DIR and QUILLMOOR_HOST_TRACE are set');
  server = await startServer(PageDir);
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

function nativeTrace(args) {
  return execFileSync(HostTrace, args, { encoding: 'utf8', maxBuffer: 1 << 22 }).trimEnd().split('\n');
}

async function browserTrace(args) {
  const page = await browser.newPage();
  const pageErrors = [];
  page.on('pageerror', (error) => pageErrors.push(String(error)));
  const query = args.map((arg) => `arg=${encodeURIComponent(arg)}`).join('&');
  await page.goto(`${server.url}?${query}`, { waitUntil: 'load' });
  await page.waitForFunction(
    () => window.trace.errors.length > 0 || window.trace.lines.at(-1) === 'end',
    { timeout: 60000, polling: 50 });
  const trace = await page.evaluate(() => window.trace);
  await page.close();
  return { ...trace, pageErrors };
}

// Where two traces first part: in the grid the cell (column x, row y) and both its values,
// elsewhere the line; null when they agree.
function firstDifference(native, inBrowser) {
  const gridStart = native.indexOf('grid') + 1;
  for (let i = 0; i < Math.max(native.length, inBrowser.length); ++i) {
    const [ours, theirs] = [native[i], inBrowser[i]];
    if (ours === theirs) {
      continue;
    }
    const y = i - gridStart;
    if (y >= 0 && y < GridRows && theirs !== undefined && ours.length === theirs.length) {
      let x = 0;
      while (ours.substr(2 * x, 2) === theirs.substr(2 * x, 2)) {
        ++x;
      }
      return `cell (${x}, ${y}): native 0x${ours.substr(2 * x, 2)}, ` +
             `${browserName()} 0x${theirs.substr(2 * x, 2)}`;
    }
    return `line ${i + 1}: native ${JSON.stringify(ours)}, ${browserName()} ${JSON.stringify(theirs)}`;
  }
  return null;
}

describe(`the maze in ${browserName()} against the build machine`, () => {
  for (const script of ['noise', 'runs']) {
    for (const finish of [false, true]) {
      const args = finish ? [script, '1500', 'finish'] : [script, '1500'];
      it(`grows the same maze from the ${script} bytes${finish ? ', then finishes it with S' : ''}`,
        async () => {
          const native = nativeTrace(args);
          const gridStart = native.indexOf('grid') + 1;
          assert.ok(gridStart > 0, 'the native trace has its grid');
          assert.equal(native.length, gridStart + GridRows + 1, 'every row, then the end');
          assert.equal(native.at(-1), 'end');
          const open = Number(native.find((line) => line.startsWith('open ')).slice(5));
          if (finish) {
            assert.equal(open, CompleteOpenCells, 'S completed the maze');
          } else {
            assert.ok(open > CompleteOpenCells / 3 && open < CompleteOpenCells,
                      `grown well past the start, not yet complete: ${open} open cells`);
          }

          const traced = await browserTrace(args);
          assert.deepEqual(traced.pageErrors, [], 'the page raised no error');
          assert.deepEqual(traced.errors, [], 'the tracer wrote no error');
          assert.equal(firstDifference(native, traced.lines), null);
        });
    }
  }
});
