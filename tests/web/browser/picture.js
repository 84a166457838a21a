// SPDX-License-Identifier: MIT
// Reads the page's canvas back into cells of the unfolded plane and checks it against the
// Klein bottle's unfolding. analysePicture runs inside the page.
'use strict';

/* eslint-disable no-undef */
function analysePicture() {
  const Rock = 0x008000;
  const Player = 0xc0ffff;
  const Palette = new Set([0x000000, Rock, 0xff0000, Player, 0xffff00]);
  const canvas = document.getElementById('picture');
  const width = canvas.width;
  const height = canvas.height;
  const data = canvas.getContext('2d').getImageData(0, 0, width, height).data;
  const zoom = window.quillmoor.status(5);
  const scale = Math.min(8, Math.max(1, Math.round(window.devicePixelRatio)));
  const side = zoom * scale;
  const originX = Math.trunc(width / 2) - Math.trunc(side / 2);
  const originY = Math.trunc(height / 2) - Math.trunc(side / 2);
  const nx = Math.trunc(originX / side) + 1;
  const ny = Math.trunc(originY / side) + 1;
  const pixel = (x, y) => {
    const at = (y * width + x) * 4;
    return (data[at] << 16) | (data[at + 1] << 8) | data[at + 2];
  };

  const colours = new Map();  // unfolded "X,Y" -> colour of the cells wholly inside
  let nonUniform = 0;
  let offPalette = 0;
  for (let j = -ny; j < ny; ++j) {
    for (let i = -nx; i < nx; ++i) {
      const left = originX + side * i;
      const top = originY + side * j;
      if (left < 0 || top < 0 || left + side > width || top + side > height) {
        continue;
      }
      const colour = pixel(left, top);
      for (let y = top; y < top + side; ++y) {
        for (let x = left; x < left + side; ++x) {
          if (pixel(x, y) !== colour) {
            ++nonUniform;
          }
        }
      }
      if (!Palette.has(colour)) {
        ++offPalette;
      }
      colours.set((128 + i) + ',' + (128 + j), colour);
    }
  }

  const gridCell = (X, Y) => {
    const column = X & 255;
    const row = (X & 256) ? (254 - Y) & 255 : Y & 255;
    return row * 256 + column;
  };
  // Every copy of a grid cell must show one colour.
  const firstColour = new Map();
  let comparisons = 0;
  let mismatches = 0;
  let roomsRock = 0;
  let rooms = 0;
  let pillarsOpen = 0;
  const playerCells = new Set();
  for (const [key, colour] of colours) {
    const [X, Y] = key.split(',').map(Number);
    const cell = gridCell(X, Y);
    if (firstColour.has(cell)) {
      ++comparisons;
      if (firstColour.get(cell) !== colour) {
        ++mismatches;
      }
    } else {
      firstColour.set(cell, colour);
    }
    const row = cell >> 8;
    const column = cell & 255;
    if (row % 2 === 0 && column % 2 === 0) {
      ++rooms;
      roomsRock += colour === Rock ? 1 : 0;
    }
    if (row % 2 === 1 && column % 2 === 1 && colour !== Rock) {
      ++pillarsOpen;
    }
    if (colour === Player) {
      playerCells.add(cell);
    }
  }
  let hash = 0;
  for (let k = 0; k < data.length; k += 4) {
    hash = (Math.imul(hash, 31) + (data[k] ^ (data[k + 1] << 8) ^ (data[k + 2] << 16))) | 0;
  }
  return {
    width, height, side, cells: colours.size, distinctCells: firstColour.size, nonUniform,
    offPalette, comparisons, mismatches, rooms, roomsRock, pillarsOpen,
    playerCells: [...playerCells], hash,
    centre: pixel(originX, originY),
  };
}

async function readPicture(page) {
  // One frame more, so that what the game last drew is on the canvas.
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => resolve())));
  return page.evaluate(analysePicture);
}

module.exports = { readPicture };
