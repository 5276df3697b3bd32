// The page's side of the web window (window/web/main_window.cpp): builds the
// controls from the design the program hands it, shows the canvas's picture,
// and queues what the user does. Nothing here calls into the program: the
// program takes the queue's events in its own event loop, and, while a
// command runs, whenever it yields to the browser.
"use strict";

const aurisplotPage = (() => {
  const kinds = ["PlotSurface", "PushButton", "TextField", "Label", "DropDownList", "CheckBox"];
  const events = { graph: 1, exit: 2, closeBox: 3, scale: 4 };
  const queue = [];
  let wake = null;
  const controls = new Map();
  let windowElement = null;
  let client = null;
  let titleText = null;
  let canvas = null;
  let picture = null;
  let source = null;
  let paintPending = false;
  let description = null;
  let announcer = null;
  let fit = 1;
  let shownRatio = 0;
  let listening = false;

  function css(colour) {
    return `rgb(${colour & 255}, ${(colour >> 8) & 255}, ${(colour >> 16) & 255})`;
  }

  function post(event) {
    queue.push(event);
    if (wake) {
      const resolve = wake;
      wake = null;
      resolve();
    }
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

  // Tab and Shift+Tab cycle through the window's controls, as on the
  // desktop: past the last one the focus comes back to the chart. The browser's
  // own keys (F6, Ctrl+L) still leave the page.
  function wrapFocus(event) {
    const focusable = [...controls.values()].filter(
      (element) => element.tabIndex >= 0 && !element.disabled && element.isConnected);
    if (focusable.length === 0) {
      return;
    }
    const first = focusable[0];
    const last = focusable[focusable.length - 1];
    const active = document.activeElement;
    if (!event.shiftKey && active === last) {
      event.preventDefault();
      first.focus();
    } else if (event.shiftKey && active === first) {
      event.preventDefault();
      last.focus();
    }
  }

  function button(name) {
    const command = controls.get(name);
    if (command && !command.disabled) {
      post(name === "Command1" ? events.graph : events.exit);
    }
  }

  // The whole window scales down to a narrower viewport, keeping its layout;
  // the chart is drawn at the device pixels of that scale.
  function refit() {
    if (!windowElement) {
      return;
    }
    const width = windowElement.offsetWidth;
    fit = Math.min(1, document.documentElement.clientWidth / width);
    const app = document.getElementById("app");
    app.style.transform = fit < 1 ? `scale(${fit})` : "";
    app.style.height = fit < 1 ? `${windowElement.offsetHeight * fit}px` : "";
    if (page.ratio() !== shownRatio) {
      post(events.scale);
    }
  }

  function watchRatio() {
    const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
    query.addEventListener("change", () => {
      refit();
      watchRatio();
    }, { once: true });
  }

  // The canvas's latest picture, 0xFFRRGGBB a pixel, copied into the page's
  // own picture only when it is painted: a sweep may show many times a frame.
  function paint() {
    paintPending = false;
    if (!canvas || !source) {
      return;
    }
    const { memory, pointer, width, height } = source;
    if (!picture || picture.width !== width || picture.height !== height) {
      picture = new ImageData(width, height);
    }
    const from = new Uint8Array(memory().buffer, pointer, width * height * 4);
    const to = picture.data;
    for (let i = 0; i < to.length; i += 4) {
      to[i] = from[i + 2];
      to[i + 1] = from[i + 1];
      to[i + 2] = from[i];
      to[i + 3] = 255;
    }
    if (canvas.width !== picture.width || canvas.height !== picture.height) {
      canvas.width = picture.width;
      canvas.height = picture.height;
    }
    canvas.getContext("2d").putImageData(picture, 0, 0);
  }

  const page = {
    makeWindow(width, height, title) {
      const app = document.getElementById("app");
      app.replaceChildren();
      app.removeAttribute("aria-busy");
      windowElement = document.createElement("div");
      windowElement.className = "window";
      const bar = document.createElement("div");
      bar.className = "titlebar";
      const icon = document.createElement("img");
      icon.src = "icons/aurisplot-192.png";
      icon.alt = "";
      titleText = document.createElement("span");
      titleText.className = "title";
      const close = document.createElement("button");
      close.type = "button";
      close.className = "close";
      close.tabIndex = -1;
      close.textContent = "\u00d7";
      close.setAttribute("aria-label", "Close");
      close.addEventListener("click", () => post(events.closeBox));
      bar.append(icon, titleText, close);
      client = document.createElement("div");
      client.className = "client";
      client.style.width = `${width}px`;
      client.style.height = `${height}px`;
      description = document.createElement("div");
      description.id = "chart-description";
      description.className = "unseen";
      announcer = document.createElement("div");
      announcer.className = "unseen";
      announcer.setAttribute("role", "status");
      announcer.setAttribute("aria-live", "polite");
      windowElement.append(bar, client, description, announcer);
      app.append(windowElement);
      page.showTitle(title);
      // Alt and the underlined letter press a button, from any control; the
      // window has no default button, so Enter and Esc do nothing. Listened
      // for once per page, however often the window is made again.
      if (!listening) {
        listening = true;
        document.addEventListener("keydown", (event) => {
          if (event.key === "Tab" && !event.altKey && !event.ctrlKey && !event.metaKey) {
            wrapFocus(event);
            return;
          }
          if (!event.altKey || event.ctrlKey || event.metaKey) {
            return;
          }
          if (event.code === "KeyG" || event.code === "KeyX") {
            event.preventDefault();
            button(event.code === "KeyG" ? "Command1" : "Command2");
          }
        });
        addEventListener("resize", refit);
        watchRatio();
      }
      refit();
    },

    addControl(kind, name, left, top, width, height, caption, ground, text, accessible) {
      let element;
      let focusable;
      switch (kinds[kind]) {
        case "PlotSurface":
          element = canvas = document.createElement("canvas");
          canvas.setAttribute("role", "img");
          canvas.setAttribute("aria-label", accessible);
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
          element.setAttribute("aria-label", accessible);
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

    // A caption names its control; a unit describes it.
    tieLabel(label, control, caption) {
      const tag = controls.get(label);
      const named = controls.get(control);
      if (caption) {
        tag.htmlFor = control;
        named.removeAttribute("aria-label");
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
    item(name, index) {
      return controls.get(name).options[index].text;
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
      const app = document.getElementById("app");
      const ended = document.createElement("section");
      ended.className = "ended";
      const words = document.createElement("p");
      words.textContent = "Aurisplot has ended.";
      const again = document.createElement("button");
      again.type = "button";
      again.textContent = "Start Aurisplot again";
      again.addEventListener("click", () => location.reload());
      ended.append(words, again);
      app.style.transform = "";
      app.style.height = "";
      app.replaceChildren(ended);
      // The controls keep their last state, which the program may still read.
      windowElement = client = canvas = null;
      document.title = "Aurisplot has ended";
      again.focus();
    },

    describeChart(text) {
      description.textContent = text;
      announcer.textContent = text;
    },
    report(what) {
      console.error(`aurisplot: ${what}`);
    },

    // The picture at `pointer` in the program's memory (memory() gives it as
    // it is then) reaches the screen now or at the next frame.
    showPicture(memory, pointer, width, height, now) {
      if (!canvas) {
        return;
      }
      source = { memory, pointer, width, height };
      shownRatio = width / (canvas.clientWidth || width);
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
      return queue.length > 0 ? queue.shift() : 0;
    },
    nextEvent() {
      return queue.length > 0 ? Promise.resolve() : new Promise((resolve) => { wake = resolve; });
    },
    // A message task, not a timer: the browser paints and takes input in
    // between, and nested yields are not slowed to 4 ms as timers are.
    yieldToBrowser() {
      return new Promise((resolve) => {
        const channel = new MessageChannel();
        channel.port1.onmessage = () => resolve();
        channel.port2.postMessage(0);
      });
    },
  };

  if ("serviceWorker" in navigator) {
    addEventListener("load", () => {
      navigator.serviceWorker.register("service-worker.js").catch(() => {});
    });
  }
  return page;
})();
