// The page's side of the web window (window/web/main_window.cpp): builds the
// controls from the design the program hands it, shows the canvas's picture,
// and queues what the user does. The page calls into the program only to turn
// its event loop, in a task of its own, never from inside one of the
// program's calls: after each event it queues, and while a command runs, once
// the browser has painted and taken input after the command's last turn.
//
// The page also loads the program (index.html names it), says in plain words
// when it cannot, and offers a new version of the site once its service
// worker has kept all of it.
"use strict";

const aurisplotPage = (() => {
  // The access keys the design's button captions mark, upper case.
  const accessKeys = new Set();
  // A tap that misses every control but falls this near one (CSS pixels,
  // counted from its edge) reaches it, so that every control takes a
  // fingertip, 24 CSS pixels across (WCAG 2.5.8), at any scale.
  const kFingertip = 24;
  const queue = [];
  let turn = null; // the program's event loop, one turn a call, once it runs
  let turnDue = false;
  const controls = new Map();
  let windowElement = null;
  let client = null;
  let titleText = null;
  let canvas = null;
  let source = null;
  let paintPending = false;
  let description = null;
  let notices = null;
  let fit = 1;
  let shownRatio = 0;
  let listening = false;
  let started = false;

  function css(colour) {
    return `rgb(${colour & 255}, ${(colour >> 8) & 255}, ${(colour >> 16) & 255})`;
  }

  // A turn of the program's loop, in a task after the browser's: what the
  // turn says it waits for next (Form1::Turn: 0 the program has ended, 1 the
  // user, 2 a command) decides whether another follows at once.
  function turnSoon() {
    if (!turn || turnDue) {
      return;
    }
    turnDue = true;
    page.yieldToBrowser().then(() => {
      turnDue = false;
      let next = 0;
      try {
        next = turn();
      } catch (error) {
        page.fail(`Aurisplot stopped because of an error (${error && error.message ? error.message : error}).`);
      }
      if (next === 0) {
        turn = null;
      } else if (next === 2 || queue.length > 0) {
        turnSoon();
      }
    });
  }

  function post(event) {
    queue.push(event);
    turnSoon();
  }

  // A caption's "&" marks its access key, shown underlined.
  function captionInto(element, caption) {
    const at = caption.indexOf("&");
    if (at < 0 || at + 1 >= caption.length) {
      element.textContent = caption;
      return "";
    }
    const key = document.createElement("u");
    key.textContent = caption[at + 1];
    element.append(caption.slice(0, at), key, caption.slice(at + 2));
    return caption[at + 1].toUpperCase();
  }

  function place(element, left, top, width, height) {
    element.style.left = `${left}px`;
    element.style.top = `${top}px`;
    element.style.width = `${width}px`;
    element.style.height = `${height}px`;
  }

  // What the page queues, in words (window/web/main_window.cpp reads them).
  function button(name) {
    const command = controls.get(name);
    if (command && !command.disabled) {
      post(`click ${name}`);
    }
  }

  // The whole window scales down to a narrower viewport, keeping its layout;
  // the chart is drawn at the device pixels of that scale.
  function refit() {
    if (!windowElement) {
      return;
    }
    const width = windowElement.offsetWidth;
    fit = width > 0 ? Math.min(1, document.documentElement.clientWidth / width) : 1;
    const app = document.getElementById("app");
    app.style.transform = fit < 1 ? `scale(${fit})` : "";
    app.style.height = fit < 1 ? `${windowElement.offsetHeight * fit}px` : "";
    if (page.ratio() !== shownRatio) {
      post("scale");
    }
  }

  function watchRatio() {
    const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
    query.addEventListener("change", () => {
      refit();
      watchRatio();
    }, { once: true });
  }

  // The canvas's latest picture, in the bytes an ImageData holds, copied onto
  // the page's canvas only when it is painted: a sweep may show many times a
  // frame. A picture scaled down to nothing shows nothing.
  function paint() {
    paintPending = false;
    if (!canvas || !source) {
      return;
    }
    const { memory, pointer, width, height } = source;
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
    }
    if (width > 0 && height > 0) {
      const bytes = new Uint8ClampedArray(memory().buffer, pointer, width * height * 4);
      canvas.getContext("2d").putImageData(new ImageData(bytes, width, height), 0, 0);
    }
  }

  // Taps. What a tap at (x, y) reaches: the control under it, the control a
  // caption names, or else the nearest control whose fingertip's reach it is
  // in (CSS pixels of the viewport).
  function hitBox(element) {
    return (element.closest(".check") || element).getBoundingClientRect();
  }

  function reaches(x, y) {
    const under = document.elementFromPoint(x, y);
    if (under) {
      const label = under.closest("label");
      const target = label && label.htmlFor ? document.getElementById(label.htmlFor)
                                            : under.closest(".check")?.querySelector("input");
      for (const [name, element] of controls) {
        if (element.tabIndex >= 0 && (element === (target || under) || element.contains(under))) {
          return name;
        }
      }
    }
    let nearest = "";
    let distance = Infinity;
    for (const [name, element] of controls) {
      if (element.tabIndex < 0 || element.disabled || !element.isConnected) {
        continue;
      }
      const box = hitBox(element);
      const reach = Math.max(0, kFingertip - Math.min(box.width, box.height));
      const away = Math.max(box.left - x, x - box.right, box.top - y, y - box.bottom, 0);
      if (away <= reach && away < distance) {
        nearest = name;
        distance = away;
      }
    }
    return nearest;
  }

  // A tap beside the controls, on the window or the page around it.
  function tapNear(event) {
    if (!client || event.button !== 0) {
      return;
    }
    const under = event.target instanceof Element ? event.target : null;
    if (under && under.closest("button, input, select, canvas, label[for], .check")) {
      return; // the control's own, or its caption's
    }
    const name = reaches(event.clientX, event.clientY);
    const element = name ? controls.get(name) : null;
    if (!element) {
      return;
    }
    event.preventDefault();
    element.focus();
    if (element instanceof HTMLButtonElement || element.type === "checkbox") {
      element.click();
    } else if (element instanceof HTMLSelectElement && element.showPicker) {
      try {
        element.showPicker();
      } catch {
        // some browsers open a list only from a tap on it
      }
    }
  }

  // What the page says below the window: a failure, or a new version.
  function notice(words, action, act, role) {
    if (!notices) {
      notices = document.createElement("div");
      notices.className = "notices";
      document.body.append(notices);
    }
    const line = document.createElement("p");
    line.setAttribute("role", role || "status");
    line.append(words);
    if (action) {
      const doing = document.createElement("button");
      doing.type = "button";
      doing.textContent = action;
      doing.addEventListener("click", act);
      line.append(" ", doing);
    }
    notices.append(line);
    return line;
  }

  // The window goes, and the page says why, in place of it.
  function replaceWindow(className, words, action, act) {
    const app = document.getElementById("app");
    const ended = document.createElement("section");
    ended.className = className;
    const said = document.createElement("p");
    said.textContent = words;
    ended.append(said);
    let again = null;
    if (action) {
      again = document.createElement("button");
      again.type = "button";
      again.textContent = action;
      again.addEventListener("click", act);
      ended.append(again);
    }
    app.style.transform = "";
    app.style.height = "";
    app.removeAttribute("aria-busy");
    app.replaceChildren(ended);
    // The controls keep their last state, which the program may still read.
    windowElement = client = canvas = null;
    if (again) {
      again.focus();
    }
  }

  const page = {
    makeWindow(width, height, title, font, closeBox) {
      started = true;
      const app = document.getElementById("app");
      app.replaceChildren();
      app.removeAttribute("aria-busy");
      windowElement = document.createElement("div");
      windowElement.className = "window";
      windowElement.style.font = font;
      const bar = document.createElement("div");
      bar.className = "titlebar";
      const icon = document.createElement("img");
      icon.src = "icons/aurisplot-192.png";
      icon.alt = "";
      titleText = document.createElement("span");
      titleText.className = "title";
      bar.append(icon, titleText);
      if (closeBox) {
        const close = document.createElement("button");
        close.type = "button";
        close.className = "close";
        close.tabIndex = -1;
        close.textContent = "\u00d7";
        close.setAttribute("aria-label", "Close");
        close.addEventListener("click", () => post("close"));
        bar.append(close);
      }
      client = document.createElement("div");
      client.className = "client";
      client.style.width = `${width}px`;
      client.style.height = `${height}px`;

      // What the chart shows: its description, and announced when it changes.
      description = document.createElement("div");
      description.id = "chart-description";
      description.className = "unseen";
      description.setAttribute("role", "status");
      description.setAttribute("aria-live", "polite");
      windowElement.append(bar, client, description);
      app.append(windowElement);
      page.showTitle(title);
      // Alt and the underlined letter press a button, from any control (the
      // program's form decides which, and whether it is enabled); the
      // window has no default button, so Enter and Esc do nothing. Tab and
      // Shift+Tab go through the controls in the design's order and, at either
      // end, leave the window for the rest of the page and the browser, as a
      // page's keyboard must. Listened for once per page, however often the
      // window is made again.
      if (!listening) {
        listening = true;
        document.addEventListener("keydown", (event) => {
          if (!event.altKey || event.ctrlKey || event.metaKey) {
            return;
          }
          const key = /^Key[A-Z]$/.test(event.code) ? event.code.slice(3) : "";
          if (accessKeys.has(key)) {
            event.preventDefault();
            post(`key ${key}`);
          }
        });
        document.addEventListener("click", tapNear);
        addEventListener("resize", refit);
        watchRatio();
      }
      refit();
    },

    addControl(kind, name, left, top, width, height, caption, ground, text, accessible) {
      let element;
      let focusable;
      switch (kind) {
        case "PlotSurface":
          element = canvas = document.createElement("canvas");
          canvas.setAttribute("role", "img");
          canvas.setAttribute("aria-describedby", "chart-description");
          canvas.tabIndex = 0;
          canvas.className = "surface";
          place(canvas, left, top, width - 2, height - 2);
          focusable = canvas;
          break;
        case "PushButton": {
          element = focusable = document.createElement("button");
          element.type = "button";
          const key = captionInto(element, caption);
          if (key) {
            element.setAttribute("aria-keyshortcuts", `Alt+${key}`);
            accessKeys.add(key);
          }
          element.addEventListener("click", () => button(name));
          break;
        }
        case "TextField":
          element = focusable = document.createElement("input");
          element.type = "text";
          element.value = caption;
          element.spellcheck = false;
          element.autocomplete = "off";
          break;
        case "Label":
          element = document.createElement("label");
          element.textContent = caption;
          break;
        case "DropDownList":
          element = focusable = document.createElement("select");
          break;
        case "CheckBox": {
          element = document.createElement("label");
          element.className = "check";
          focusable = document.createElement("input");
          focusable.type = "checkbox";
          const words = document.createElement("span");
          words.textContent = caption;
          element.append(focusable, words);
          break;
        }
        default:
          return;
      }
      if (element !== canvas) {
        place(element, left, top, width, height);
      }
      if (ground >= 0) {
        element.style.background = css(ground);
      }
      if (text >= 0) {
        element.style.color = css(text);
      }
      focusable = focusable || element;
      // Every window announces the design's name for a control.
      if (accessible) {
        focusable.setAttribute("aria-label", accessible);
      }
      focusable.id = name;
      if (element !== focusable) {
        element.id = `${name}-box`;
      }
      focusable.dataset.caption = caption;
      controls.set(name, focusable);
      client.append(element);
    },

    addLine(left, top, right, bottom, colour) {
      const line = document.createElement("div");
      line.className = "line";
      place(line, left, top, right - left, bottom - top);
      line.style.background = css(colour);
      client.append(line);
    },

    // A caption is its control's label: a click on it reaches the control. A
    // unit describes its control.
    tieLabel(label, control, caption) {
      const tag = controls.get(label);
      const named = controls.get(control);
      if (caption) {
        tag.htmlFor = control;
      } else {
        const words = `${named.getAttribute("aria-describedby") || ""} ${label}`.trim();
        named.setAttribute("aria-describedby", words);
      }
    },

    text(name) {
      const element = controls.get(name);
      if (element instanceof HTMLInputElement && element.type === "text") {
        return element.value;
      }
      if (element instanceof HTMLSelectElement) {
        return element.selectedIndex >= 0 ? element.options[element.selectedIndex].text : "";
      }
      return element.dataset.caption;
    },
    setText(name, text) {
      controls.get(name).value = text;
    },
    addItem(name, item) {
      controls.get(name).add(new Option(item));
    },
    itemCount(name) {
      return controls.get(name).options.length;
    },
    select(name, index) {
      controls.get(name).selectedIndex = index;
    },
    checked(name) {
      return controls.get(name).checked;
    },
    enabled(name) {
      return !controls.get(name).disabled;
    },
    enable(name, enabled) {
      controls.get(name).disabled = !enabled;
      updates.commandRunning(!page.enabled("Command1"));
    },
    focused() {
      const active = document.activeElement;
      return active && controls.get(active.id) === active ? active.id : "";
    },
    focus(name) {
      controls.get(name).focus();
    },
    showTitle(title) {
      document.title = title;
      if (titleText) {
        titleText.textContent = title;
      }
    },

    // The program has ended: the window goes, and the page offers a new start.
    close() {
      replaceWindow("ended", "Aurisplot has ended.", "Start Aurisplot again",
                    () => updates.startAgain());
      document.title = "Aurisplot has ended";
    },

    describeChart(text) {
      description.textContent = text;
    },
    // A command stopped by a failure: said on the page, and to developers.
    report(what) {
      console.error(`aurisplot: ${what}`);
      notice(what, "", null, "alert");
    },
    // The program could not start, or stopped running: said in place of the
    // window, with a new start.
    fail(what) {
      console.error(`aurisplot: ${what}`);
      replaceWindow("failed", what, "Reload the page", () => location.reload());
      document.title = "Aurisplot - not running";
    },

    // The picture at `pointer` in the program's memory (memory() gives it as
    // it is then) reaches the screen now or at the next frame.
    showPicture(memory, pointer, width, height, now) {
      if (!canvas) {
        return;
      }
      source = { memory, pointer, width, height };
      shownRatio = width / (canvas.clientWidth || width || 1);
      if (now) {
        paint();
      } else if (!paintPending) {
        paintPending = true;
        requestAnimationFrame(paint);
      }
    },

    ratio() {
      return window.devicePixelRatio * fit;
    },

    takeEvent() {
      return queue.length > 0 ? queue.shift() : null;
    },
    // The program hands its event loop to the page.
    run(turning) {
      turn = turning;
      turnSoon();
    },
    // A message task, not a timer: the browser paints and takes input in
    // between, and a turn that follows a turn is not slowed to 4 ms as timers
    // are. A
    // message to the window itself, not through a MessageChannel: WebKit
    // keeps every channel ever made, each message after many of them comes
    // slower, and even one channel's come there fifty times slower than the
    // window's own.
    yieldToBrowser() {
      return new Promise((resolve) => {
        yielding.push(resolve);
        postMessage(kYield, "*"); // to this window only: nothing but the word leaves
      });
    },

    // Which control a tap at (x, y), in CSS pixels of the viewport, reaches.
    reaches,
  };

  const kYield = "aurisplot: yield";
  const yielding = [];
  addEventListener("message", (event) => {
    if (event.source === window && event.data === kYield && yielding.length > 0) {
      event.stopImmediatePropagation();
      yielding.shift()();
    }
  });

  // A new version of the site, once the service worker has kept all of it:
  // offered, never swapped in under a running page, and never mid-command.
  const updates = (() => {
    let ready = null; // the notice of a new version, and its button
    let asked = false;
    let running = false;
    let registration = null;

    function takeOver() {
      const waiting = registration && registration.waiting;
      if (!waiting) {
        location.reload();
        return;
      }
      asked = true;
      waiting.postMessage("take over");
    }

    function offer(worker) {
      if (!worker || !navigator.serviceWorker.controller || ready) {
        return; // the first install: there is nothing older to replace
      }
      ready = notice("A new version of Aurisplot is ready.", "Reload", takeOver);
      ready.className = "update";
      ready.querySelector("button").disabled = running;
    }

    // A worker that is installing, or has installed, is offered once it has.
    function follow(worker) {
      if (!worker || worker.state === "installed") {
        offer(worker);
        return;
      }
      worker.addEventListener("statechange", () => {
        if (worker.state === "installed") {
          offer(worker);
        }
      });
    }

    // Asks the server for a new version, and follows what is on its way. A
    // page back from WebKit's back-forward cache may find the new version in
    // charge already: WebKit counts no page kept there as a client, so the new
    // worker took over while the user was away, and a reload gives it.
    async function look() {
      try {
        await registration.update();
      } catch {
        // offline: the version kept serves
      }
      const coming = registration.waiting || registration.installing;
      if (coming) {
        follow(coming);
      } else if (registration.active !== navigator.serviceWorker.controller) {
        offer(registration.active);
      }
    }

    async function watch() {
      registration = await navigator.serviceWorker.register("service-worker.js",
                                                            { updateViaCache: "none" });
      follow(registration.waiting || registration.installing);
      registration.addEventListener("updatefound", () => follow(registration.installing));
      navigator.serviceWorker.addEventListener("controllerchange", () => {
        if (asked) {
          location.reload();
        } else if (ready) {
          ready.firstChild.textContent = "Aurisplot was updated in another tab.";
        }
      });
      // A page back from the back-forward cache, or open for long, looks again:
      // what happened while it was away reached it as no event.
      addEventListener("pageshow", (event) => {
        if (event.persisted) {
          look();
        }
      });
      setInterval(look, 60 * 60 * 1000);
    }

    return {
      start() {
        if ("serviceWorker" in navigator) {
          watch().catch(() => {}); // offline use is a bonus; the page works without
        }
      },
      // While a command runs, the page is not reloaded.
      commandRunning(now) {
        running = now;
        if (ready) {
          ready.querySelector("button").disabled = now;
        }
      },
      startAgain: takeOver,
    };
  })();

  // The program's calls. An exception here must not cross into the
  // WebAssembly, where no destructor would run and nothing could catch it: it
  // is kept instead, and the program takes it after each call and fails on
  // its own side.
  let failure = null;
  const bridge = { takeFailure() { const kept = failure; failure = null; return kept; } };
  for (const [name, call] of Object.entries(page)) {
    bridge[name] = (...args) => {
      try {
        return call(...args);
      } catch (error) {
        failure = failure || `${name}: ${error && error.message ? error.message : error}`;
        return undefined;
      }
    };
  }

  // Loading: the program named by the page's script element, if it names one.
  const script = document.currentScript;
  const program = script && script.dataset.program;
  function loadProgram() {
    if (typeof WebAssembly !== "object" || typeof WebAssembly.instantiate !== "function") {
      page.fail("Aurisplot cannot run in this browser: it needs WebAssembly, which this " +
                "browser does not have or has turned off.");
      return;
    }
    globalThis.Module = Object.assign(globalThis.Module || {}, {
      onAbort(what) {
        page.fail(started ? `Aurisplot stopped because of an error (${what}).`
                          : "Aurisplot could not be loaded. Check the connection and " +
                            `reload the page (${what}).`);
      },
    });
    const loading = document.createElement("script");
    loading.src = program;
    loading.addEventListener("error", () => page.fail(
      "Aurisplot could not be loaded. Check the connection and reload the page."));
    document.head.append(loading);
  }
  if (program) {
    addEventListener("DOMContentLoaded", loadProgram);
    updates.start();
  }
  return bridge;
})();
