// velmora-page: the page's side of Velmora in a browser. The launcher (OK
// starts the sound, which a browser allows only on a user's gesture; Enter
// is OK and Escape is Cancel, as on the desktop), the greetings panel under
// it, the demo on the canvas from the animation frames until its end or
// Escape (then the launcher again), and the "ERROR" box. Each run is a fresh
// instance of the program. Page parameters:
//   ?at=ORDER:ROW[,ORDER:ROW...]&fps=N[/D][&full=1|&fullFor=S]  the stills
//       velmora-capture --still makes (full=1 draws every frame in full,
//       fullFor=S at least the S seconds before each still), for the tests
//       and tools/benchmark/web_fps.mjs.
// #status carries the page's state for the tests.
"use strict";

(() => {
  const $ = (id) => document.getElementById(id);
  const launcher = $("launcher");
  const greetings = $("greetings");
  const errorBox = $("error");
  const stage = $("stage");
  const canvas = $("screen");
  const status = $("status");
  const params = new URLSearchParams(location.search);
  const dataNames = ["Tolvane.it", "code.bmp", "shit.bmp"];
  const pictureWidth = 640;
  // A framed window's client area is one caption shorter than 480.
  const windowedHeight = 461;
  const fullscreenHeight = 480;

  let dataFiles = null;
  let program = null;
  let audio = null;
  let running = false;
  let wasFullscreen = false;

  function setState(state, extra = {}) {
    status.dataset.state = state;
    for (const [key, value] of Object.entries(extra)) status.dataset[key] = value;
  }

  // The three files, fetched once; a file the server does not have stays
  // out of the program's file system, which then reports it in its words.
  async function loadData() {
    if (dataFiles) return dataFiles;
    const fetched = await Promise.all(dataNames.map(async (name) => {
      try {
        const response = await fetch(`data/${name}`);
        return response.ok ? new Uint8Array(await response.arrayBuffer()) : null;
      } catch (error) {
        return null;
      }
    }));
    dataFiles = new Map(dataNames.map((name, i) => [name, fetched[i]]));
    return dataFiles;
  }

  async function newProgram() {
    const files = await loadData();
    const instance = await createVelmora({
      canvas,
      audioContext: audio,
      showError,
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
    });
    instance.FS.mkdir("/data");
    for (const [name, bytes] of files) {
      if (bytes) instance.FS.writeFile(`/data/${name}`, bytes);
    }
    instance.FS.chdir("/");
    return instance;
  }

  function showLauncher() {
    stage.hidden = true;
    launcher.hidden = false;
    setState("launcher");
    $("ok").focus();
  }

  function placeGreetings() {
    const box = launcher.getBoundingClientRect();
    greetings.style.left = `${box.left + window.scrollX}px`;
    greetings.style.top = `${box.bottom + window.scrollY}px`;
    greetings.style.width = `${box.width}px`;
  }

  function toggleGreetings() {
    greetings.hidden = !greetings.hidden;
    if (!greetings.hidden) placeGreetings();
  }

  function showError(text) {
    $("error-text").textContent = text;
    errorBox.hidden = false;
    setState("error", {error: text});
    $("error-ok").focus();
  }

  function closeError() {
    errorBox.hidden = true;
    if (!running) showLauncher();
  }

  function cancel() {
    launcher.hidden = true;
    greetings.hidden = true;
    // A page can close itself only when a script opened it; otherwise it
    // shows that nothing more will happen.
    window.close();
    $("cancelled").hidden = false;
    setState("cancelled");
  }

  async function start(fullscreen) {
    launcher.hidden = true;
    greetings.hidden = true;
    setState("loading");
    // Both need the user's gesture, so they come before anything is awaited.
    try {
      audio = new AudioContext({sampleRate: 44100, latencyHint: "interactive"});
      audio.resume();
    } catch (error) {
      audio = null;
    }
    canvas.height = fullscreen ? fullscreenHeight : windowedHeight;
    stage.hidden = false;
    wasFullscreen = false;
    if (fullscreen && stage.requestFullscreen) {
      stage.requestFullscreen().then(() => { wasFullscreen = true; }, () => {});
    }
    try {
      program = await newProgram();
    } catch (error) {
      console.warn(`velmora: ${error}`);
      finish();
      showError("Unknown error");
      return;
    }
    if (!program._velmoraStart(pictureWidth, canvas.height)) {
      finish();
      return;
    }
    running = true;
    stage.classList.add("running");
    setState("running");
    requestAnimationFrame(frame);
  }

  function frame(now) {
    if (!running) return;
    const result = program._velmoraFrame(now);
    const shown = program._velmoraShownPosition();
    if (shown >= 0) status.dataset.position = `${Math.floor(shown / 65536)}:${shown % 65536}`;
    if (result !== 0) {
      finish();
      return;
    }
    requestAnimationFrame(frame);
  }

  // Ends the run: the music fades, the sound closes once the fade is heard,
  // and the launcher comes back unless an "ERROR" box is up.
  function finish() {
    running = false;
    stage.classList.remove("running");
    if (program) program._velmoraEnd();
    program = null;
    if (audio) {
      const closing = audio;
      setTimeout(() => closing.close(), 100);
      audio = null;
    }
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    if (errorBox.hidden) showLauncher();
    else stage.hidden = true;
  }

  // The fixed-clock mode: no launcher, no sound; the stills one by one.
  async function stills() {
    launcher.hidden = true;
    canvas.height = fullscreenHeight;
    stage.hidden = false;
    setState("loading");
    const fps = (params.get("fps") || "60").split("/").map(Number);
    const marks = params.get("at").split(",");
    try {
      program = await newProgram();
    } catch (error) {
      showError("Unknown error");
      return;
    }
    for (const mark of marks) {
      const [order, row] = mark.split(":").map(Number);
      const text = program._malloc(mark.length + 1);
      program.stringToUTF8(mark, text, mark.length + 1);
      program._velmoraStillAt(order, row, text);
      program._free(text);
    }
    const fullSeconds = params.get("full") === "1" ? Infinity : Number(params.get("fullFor") || 0);
    if (!program._velmoraStillBegin(fps[0], fps[1] || 1, fullSeconds)) return;
    setState("stills");
    const started = performance.now();
    // When each still was reached, with the frames run by then and the time
    // spent on those drawn in full: the frame rates of the stretches between.
    const reached = marks.map(() => null);
    const channel = new MessageChannel();
    channel.port1.onmessage = () => {
      const more = program._velmoraStillStep(50);
      reached.forEach((seen, i) => {
        if (seen === null && program._velmoraStillPixels(i)) {
          reached[i] = {
            ms: Math.round(performance.now() - started),
            frames: program._velmoraStillFrames(0),
            stateOnly: program._velmoraStillFrames(1),
            fullMs: program._velmoraStillFullMilliseconds(),
          };
        }
      });
      status.dataset.reached = JSON.stringify(reached);
      if (more === 1) {
        channel.port2.postMessage(0);
        return;
      }
      if (more === 2) return;
      setState("done", {
        frames: program._velmoraStillFrames(0),
        stateOnly: program._velmoraStillFrames(1),
        seconds: ((performance.now() - started) / 1000).toFixed(1),
      });
    };
    channel.port2.postMessage(0);
    // Still i as base64 RGBA, bottom row first; null when it was not reached.
    window.velmoraStill = (i) => {
      const at = program._velmoraStillPixels(i);
      if (!at) return null;
      const bytes = program.HEAPU8.subarray(at, at + pictureWidth * fullscreenHeight * 4);
      let text = "";
      for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
      return btoa(text);
    };
  }

  $("launcher-form").addEventListener("submit", (event) => {
    event.preventDefault();
    start($("fullscreen").checked);
  });
  $("cancel").addEventListener("click", cancel);
  $("greetz").addEventListener("click", toggleGreetings);
  $("error-ok").addEventListener("click", closeError);
  window.addEventListener("resize", () => { if (!greetings.hidden) placeGreetings(); });
  document.addEventListener("keydown", (event) => {
    if (event.key === "Escape" && running) {
      event.preventDefault();
      finish();
    } else if (!launcher.hidden && errorBox.hidden) {
      if (event.key === "Escape") cancel();
      // In the dialog the form and its buttons answer Enter themselves.
      else if (event.key === "Enter" && !launcher.contains(event.target)) {
        event.preventDefault();
        start($("fullscreen").checked);
      }
    } else if (!errorBox.hidden && (event.key === "Enter" || event.key === "Escape")) {
      event.preventDefault();
      closeError();
    }
  });
  // In fullscreen the browser takes Escape for itself and leaves fullscreen:
  // that ends the demo as Escape does in a window.
  document.addEventListener("fullscreenchange", () => {
    if (document.fullscreenElement) wasFullscreen = true;
    else if (running && wasFullscreen) finish();
  });

  if (params.has("at")) stills();
  else showLauncher();
})();
