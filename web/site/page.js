// SPDX-License-Identifier: MIT
// The page around the game's WebAssembly module: it sizes the canvas in device pixels, copies
// the changed parts of the picture to it, lays out the title and the dialogs from the texts the
// module hands over, and passes back the dialogs' answers. The game's rules are all in the
// module; nothing here decides what a key or a tick does.
'use strict';

(function () {
  const DialogOk = 1;
  const DialogDismissed = 2;
  // The window system averages over exactly these 52 letters for a dialog's base units.
  const BaseUnitSample = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';

  const stage = document.getElementById('stage');
  const canvas = document.getElementById('picture');
  const title = document.getElementById('title');
  const notice = document.getElementById('notice');

  function showPlain(id) {
    stage.hidden = true;
    title.hidden = true;
    document.getElementById(id).hidden = false;
  }

  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    showPlain('no-wasm');
    return;
  }

  const context = canvas.getContext('2d', { alpha: false });
  const measure = document.createElement('canvas').getContext('2d');
  let texts = null;
  let module = null;

  function family(face) {
    const fallbacks = texts.faces[face];
    return '"' + face + '"' + (fallbacks ? ', ' + fallbacks : '');
  }

  // A face's height from the top of its ascent to the bottom of its descent, per pixel of size.
  function cellPerPixel(font) {
    measure.font = font(100);
    const metrics = measure.measureText(BaseUnitSample);
    const cell = metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent;
    return cell > 0 ? cell / 100 : 1.15;
  }

  // The title's lines as the desktop lays them out: a positive font height is the cell
  // (ascent + descent) and the width the average character, so size and stretch follow both.
  function layOutTitle() {
    title.textContent = '';
    for (const line of texts.titleLines) {
      const style = line.italic ? 'italic ' : '';
      const font = (size) => style + size + 'px ' + family(line.face);
      const size = line.height / cellPerPixel(font);
      measure.font = font(size);
      const average = measure.measureText(BaseUnitSample).width / BaseUnitSample.length;
      const element = document.createElement('div');
      element.className = 'line';
      element.style.font = font(size);
      const width = line.right - line.left;
      element.style.top = line.top + 'px';
      element.style.left = line.left + 'px';
      element.style.width = width + 'px';
      // No clipping and no wrapping: a text wider than its box runs past it.
      element.style.display = 'flex';
      element.style.justifyContent = line.rightAligned ? 'flex-end' : 'center';
      const text = document.createElement('span');
      text.textContent = line.text;
      element.appendChild(text);
      if (average > 0) {
        text.style.display = 'inline-block';
        text.style.transform = 'scaleX(' + line.width / average + ')';
        text.style.transformOrigin = line.rightAligned ? 'right top' : 'center top';
      }
      title.appendChild(element);
    }
    title.hidden = false;
  }

  // The canvas's size in device pixels: exact where the browser reports it, otherwise the CSS
  // size times the ratio, rounded as the browser sizes its own buffers.
  let deviceSize = null;
  function sendSize() {
    if (!module) {
      return;
    }
    const ratio = window.devicePixelRatio || 1;
    let width;
    let height;
    width = Math.round(stage.clientWidth * ratio);
    height = Math.round(stage.clientHeight * ratio);
    // The exact device size differs from the rounded product by a pixel at most; an emulated
    // ratio (a browser's device emulation) can leave it at the CSS size, which is not taken.
    if (deviceSize && Math.abs(deviceSize.width - width) <= 1 &&
        Math.abs(deviceSize.height - height) <= 1) {
      width = deviceSize.width;
      height = deviceSize.height;
    }
    module._qm_resize(width, height, ratio);
  }

  function watchSize() {
    if (typeof ResizeObserver === 'function') {
      const observer = new ResizeObserver((entries) => {
        const entry = entries[entries.length - 1];
        const box = entry.devicePixelContentBoxSize && entry.devicePixelContentBoxSize[0];
        deviceSize = box ? { width: box.inlineSize, height: box.blockSize } : null;
        sendSize();
      });
      try {
        observer.observe(stage, { box: 'device-pixel-content-box' });
      } catch (error) {
        observer.observe(stage);
      }
    }
    window.addEventListener('resize', sendSize);
    // A zoom or a move to another screen changes the ratio; the observer above tells only
    // where it reports device pixels.
    let ratioQuery = null;
    const watchRatio = () => {
      if (ratioQuery) {
        ratioQuery.removeEventListener('change', onRatio);
      }
      ratioQuery = window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
      ratioQuery.addEventListener('change', onRatio);
    };
    const onRatio = () => {
      watchRatio();
      sendSize();
    };
    watchRatio();
    sendSize();
  }

  function fillNotice(template, width, height) {
    return template.replaceAll('{width}', String(width)).replaceAll('{height}', String(height));
  }

  // Dialog units to pixels, measured on the dialog's font as the desktop does.
  function dialogUnits(face, points) {
    const font = (points * 96) / 72 + 'px ' + family(face);
    measure.font = font;
    const metrics = measure.measureText(BaseUnitSample);
    const baseX = Math.max(1, Math.floor((Math.floor(metrics.width / 26) + 1) / 2));
    const cell = Math.round(metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent);
    const baseY = Math.max(1, cell || Math.round((points * 96 * 1.15) / 72));
    return {
      font: font,
      x: (units) => Math.round((units * baseX) / 4),
      y: (units) => Math.round((units * baseY) / 8),
    };
  }

  function makeControl(control, units, values) {
    let element;
    switch (control.kind) {
      case 'button':
        element = document.createElement('button');
        element.type = 'submit';
        element.value = 'ok';
        element.textContent = control.text;
        element.className = 'ok';
        break;
      case 'static':
        element = document.createElement('span');
        element.className = 'static';
        element.textContent = control.text;
        break;
      case 'icon':
        element = document.createElement('img');
        element.src = 'icons/quillmoor-32.png';
        element.alt = '';
        break;
      case 'edit-multiline':
        element = document.createElement('textarea');
        element.readOnly = true;
        element.wrap = 'off';
        element.value = values[control.field] || '';
        break;
      default:
        element = document.createElement('input');
        element.readOnly = true;
        element.value = String(values[control.field] ?? '');
        if (control.kind !== 'edit-left') {
          element.classList.add('centred');
        }
        if (control.kind === 'edit-centred-bare') {
          element.classList.add('bare');
        }
    }
    if (control.field) {
      element.dataset.field = control.field;
    }
    element.style.left = units.x(control.x) + 'px';
    element.style.top = units.y(control.y) + 'px';
    element.style.width = units.x(control.width) + 'px';
    element.style.height = units.y(control.height) + 'px';
    return element;
  }

  // A modal dialog: OK or Return accepts, Esc and the close box dismiss. Its answer goes back
  // to the module when it has closed.
  function showDialog(name, report) {
    const template = texts.dialogs[name];
    const values = { career: texts.career };
    if (name === 'nextStage') {
      Object.assign(values, texts.outcomes[report.outcome] || {}, report);
    }
    const units = dialogUnits(template.face, template.points);
    const dialog = document.createElement('dialog');
    dialog.className = 'window';
    dialog.dataset.name = name;

    const caption = document.createElement('div');
    caption.className = 'caption';
    const captionText = document.createElement('span');
    captionText.className = 'caption-text';
    captionText.textContent = template.caption;
    const closeBox = document.createElement('button');
    closeBox.type = 'button';
    closeBox.className = 'close-box';
    closeBox.tabIndex = -1;
    closeBox.textContent = '\u00d7';
    closeBox.addEventListener('click', () => dialog.close(''));
    caption.append(captionText, closeBox);

    const form = document.createElement('form');
    form.method = 'dialog';
    form.style.font = units.font;
    form.style.width = units.x(template.width) + 'px';
    form.style.height = units.y(template.height) + 'px';
    for (const control of template.controls) {
      form.appendChild(makeControl(control, units, values));
    }
    // Return accepts wherever the focus is, as the default button of a desktop dialog does.
    form.addEventListener('keydown', (event) => {
      if (event.key === 'Enter' && !event.isComposing) {
        event.preventDefault();
        dialog.close('ok');
      }
    });
    dialog.append(caption, form);
    dialog.addEventListener('close', () => {
      const result = dialog.returnValue === 'ok' ? DialogOk : DialogDismissed;
      dialog.remove();
      module._qm_dialog_closed(result);
    });
    document.body.appendChild(dialog);
    dialog.returnValue = '';
    dialog.showModal();
    const ok = form.querySelector('button.ok');
    if (ok) {
      ok.focus();
    }
    const box = form.querySelector('textarea');
    if (box) {
      box.scrollTop = 0;
      box.setSelectionRange(0, 0);
    }
  }

  function lockKeys() {
    if (navigator.keyboard && typeof navigator.keyboard.lock === 'function') {
      navigator.keyboard.lock().catch(() => {});
    }
  }

  document.addEventListener('fullscreenchange', () => {
    if (!document.fullscreenElement && navigator.keyboard && navigator.keyboard.unlock) {
      navigator.keyboard.unlock();
    }
  });

  const page = {
    receiveTexts(received) {
      texts = received;
      document.title = texts.frameTitle;
      layOutTitle();
      watchSize();
    },
    removeTitle() {
      title.hidden = true;
      title.textContent = '';
    },
    sizeCanvas(width, height, ratio, capped, drawn) {
      canvas.width = Math.max(width, 1);
      canvas.height = Math.max(height, 1);
      // A capped canvas shows its pixels one to one from the top-left of the window.
      canvas.style.width = capped ? width / ratio + 'px' : '';
      canvas.style.height = capped ? height / ratio + 'px' : '';
      context.fillStyle = '#000';
      context.fillRect(0, 0, canvas.width, canvas.height);
      let message = '';
      if (!drawn) {
        message = texts.notices.noPicture;
      } else if (capped) {
        message = fillNotice(texts.notices.capped, width, height);
      }
      notice.textContent = message;
      notice.hidden = message === '';
    },
    present(bytes, width, height, rects) {
      if (canvas.width !== width || canvas.height !== height) {
        return;
      }
      const image = new ImageData(bytes, width, height);
      for (let i = 0; i < rects.length; i += 4) {
        context.putImageData(image, 0, 0, rects[i], rects[i + 1], rects[i + 2], rects[i + 3]);
      }
    },
    showDialog: showDialog,
    showPaused(paused) {
      document.title = paused ? texts.pausedFrameTitle : texts.frameTitle;
    },
    toggleFullScreen() {
      if (document.fullscreenElement) {
        document.exitFullscreen().catch(() => {});
        return;
      }
      const root = document.documentElement;
      if (typeof root.requestFullscreen === 'function') {
        // The Keyboard Lock API, where there is one, lets the page have Ctrl+1...9 in full
        // screen.
        root.requestFullscreen().then(lockKeys, () => {});
      }
    },
  };

  let resolveReady;
  const ready = new Promise((resolve) => {
    resolveReady = resolve;
  });
  window.Module = {
    page: page,
    print: () => {},
    printErr: (text) => console.error(text),
    onAbort: () => showPlain('failed'),
    onRuntimeInitialized() {
      module = window.Module;
      resolveReady();
    },
  };
  // What the game shows of its progress, read by the page's tests and benchmark.
  window.quillmoor = {
    ready: ready,
    status: (what) => (module ? module._qm_status(what) : -1),
  };

  const script = document.createElement('script');
  script.src = 'quillmoor.js';
  script.onerror = () => showPlain('failed');
  document.body.appendChild(script);

  if ('serviceWorker' in navigator && window.isSecureContext) {
    window.addEventListener('load', () => {
      navigator.serviceWorker.register('sw.js').catch(() => {});
    });
  }
})();
