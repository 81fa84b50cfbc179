// Velmora's page in Debian's headless Chromium: the stills of the fixed-clock
// mode against velmora-capture's, the fast-forward against a full render,
// the launcher, a real-time run of the fast fixture module with sound, and
// bad data reported in the program's own words. tests/web/run sets the
// folders through the environment.
import {after, before, test} from "node:test";
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import {PNG} from "pngjs";

import {launchChromium, serveSite} from "./harness.mjs";

const site = process.env.VELMORA_WEB_SITE;
const stills = process.env.VELMORA_WEB_STILLS;
const fixtures = process.env.VELMORA_WEB_FIXTURES;
const positions = ["3:16", "8:34", "11:32", "20:32", "25:8", "34:0"];
const width = 640;
const height = 480;

// The page's files, with data/ taken from the folder a test chooses.
let dataFolder = path.join(site, "data");
let origin;
let server;
let chromium;
let browser;

before(async () => {
  server = await serveSite(site, () => dataFolder);
  origin = server.origin;
  // The stills differ only by what the layer does when Chromium draws with
  // velmora-capture's rasteriser; VELMORA_WEB_ANGLE=swiftshader tries its own.
  chromium = await launchChromium(process.env.VELMORA_WEB_ANGLE || "llvmpipe");
  browser = chromium.browser;
});

after(async () => {
  await chromium?.close();
  server?.close();
});

// A page whose console errors and uncaught exceptions are collected.
async function openPage(query = "") {
  const page = await browser.newPage();
  await page.setViewport({width: 1024, height: 768});
  page.problems = [];
  page.on("console", (message) => {
    if (message.type() === "error") page.problems.push(message.text());
  });
  page.on("pageerror", (error) => page.problems.push(error.message));
  await page.goto(`${origin}/${query}`);
  return page;
}

const state = (page) => page.$eval("#status", (status) => ({...status.dataset}));
const waitForState = (page, wanted, timeout) =>
  page.waitForFunction((states) => states.includes(document.getElementById("status").dataset.state),
                       {timeout, polling: 100}, wanted);

// The page's stills, RGBA with the top row first, like a PNG.
async function pageStill(page, i) {
  const bottomUp = Buffer.from(await page.evaluate((index) => window.velmoraStill(index), i), "base64");
  const rows = Buffer.alloc(bottomUp.length);
  for (let y = 0; y < height; y++) bottomUp.copy(rows, (height - 1 - y) * width * 4, y * width * 4, (y + 1) * width * 4);
  return rows;
}

async function stillsAt(query) {
  const page = await openPage(query);
  await waitForState(page, ["done", "error"], 600000);
  const status = await state(page);
  assert.equal(status.state, "done", `the stills failed: ${status.error}`);
  const pictures = [];
  for (let i = 0; i < query.split(",").length; i++) pictures.push(await pageStill(page, i));
  await page.close();
  return {status, pictures};
}

// Share of pixels whose every channel is within `levels`, and the largest
// difference seen.
function compare(a, b, levels) {
  let within = 0;
  let largest = 0;
  for (let i = 0; i < a.length; i += 4) {
    let worst = 0;
    for (let c = 0; c < 3; c++) worst = Math.max(worst, Math.abs(a[i + c] - b[i + c]));
    if (worst <= levels) within++;
    largest = Math.max(largest, worst);
  }
  return {share: within / (a.length / 4), largest};
}

let fastForwarded;

test("the fixed-clock stills match velmora-capture's at the README's six positions", async () => {
  const {status, pictures} = await stillsAt(`?at=${positions.join(",")}&fps=60`);
  console.log(`  ${status.frames} frames, ${status.stateOnly} of them state-only, in ${status.seconds} s`);
  fastForwarded = pictures[0];
  positions.forEach((position, i) => {
    const [order, row] = position.split(":").map((n) => n.padStart(2, "0"));
    const reference = PNG.sync.read(fs.readFileSync(path.join(stills, `${order}-${row}.png`)));
    assert.equal(reference.width, width);
    const {share, largest} = compare(pictures[i], reference.data, 8);
    console.log(`  ${position}: ${(100 * share).toFixed(3)} % of pixels within 8 levels, largest difference ${largest}`);
    assert.ok(share >= 0.99, `${position}: only ${(100 * share).toFixed(3)} % within 8 levels`);
  });
});

test("the fast-forward leaves the scenes as a fully rendered stretch does", async () => {
  assert.ok(fastForwarded, "the stills did not run");
  const {status, pictures} = await stillsAt("?at=3:16&fps=60&full=1");
  assert.equal(Number(status.stateOnly), 0);
  const {share, largest} = compare(pictures[0], fastForwarded, 0);
  console.log(`  3:16 drawn in full (${status.frames} frames, ${status.seconds} s): ` +
              `${(100 * share).toFixed(3)} % of pixels equal to the fast-forwarded still`);
  assert.equal(largest, 0, "the fast-forwarded still differs from the full render");
});

test("the launcher: its texts, the greetings panel, Windowed by default, Escape cancels", async () => {
  const page = await openPage();
  assert.equal(await page.title(), "Orvak 2002 - Velmora");
  const texts = await page.$$eval("#launcher label, #launcher button", (nodes) => nodes.map((n) => n.textContent));
  assert.deepEqual(texts.map((t) => t.trim()), ["Fullscreen", "Windowed", "OK", "Cancel", "See Greetz ... >>"]);
  assert.equal(await page.$eval("#greetz", (button) => button.textContent), "See Greetz ... >> ");
  assert.equal(await page.$eval("#windowed", (radio) => radio.checked), true);
  // The panel's lines are the ones every platform's launcher shows.
  const header = fs.readFileSync(process.env.VELMORA_GREETINGS, "utf8");
  const lines = [...header.matchAll(/^#define GREETINGS_[A-Z_]+ "(.*)"$/gm)].map((m) => m[1]);
  await page.click("#greetz");
  const panel = await page.$eval("#greetings", (p) => ({
    hidden: p.hidden, lines: [...p.querySelectorAll("p")].map((l) => l.textContent),
    top: p.getBoundingClientRect().top, left: p.getBoundingClientRect().left, width: p.getBoundingClientRect().width,
  }));
  const dialog = await page.$eval("#launcher", (d) => d.getBoundingClientRect().toJSON());
  assert.equal(panel.hidden, false);
  assert.deepEqual(panel.lines, lines);
  assert.deepEqual([panel.top, panel.left, panel.width], [dialog.bottom, dialog.left, dialog.width]);
  await page.click("#greetz");
  assert.equal(await page.$eval("#greetings", (p) => p.hidden), true);
  await page.keyboard.press("Escape");
  assert.equal((await state(page)).state, "cancelled");
  assert.deepEqual(page.problems, []);
  await page.close();
});

test("a real-time run of the fast fixture module: played, ended by itself, Escape in a second run", async () => {
  dataFolder = path.join(fixtures, "fast", "data");
  try {
    const page = await openPage();
    await page.click("#ok");
    await waitForState(page, ["running", "error"], 30000);
    assert.equal((await state(page)).state, "running");
    const canvas = await page.$eval("#screen", (c) => ({
      width: c.width, height: c.height, box: c.getBoundingClientRect().toJSON(),
    }));
    assert.deepEqual([canvas.width, canvas.height], [640, 461]);
    // Centred in the page.
    assert.ok(Math.abs(canvas.box.left - (1024 - 640) / 2) <= 0.5 && Math.abs(canvas.box.top - (768 - 461) / 2) <= 0.5,
              `the canvas is at ${canvas.box.left}, ${canvas.box.top}`);
    // The audible row, as the page reports it, until the launcher is back.
    const seen = [];
    const deadline = Date.now() + 120000;  // the fixture plays for about 30 s
    while ((await state(page)).state === "running") {
      assert.ok(Date.now() < deadline, `still running after two minutes, at ${seen[seen.length - 1]}`);
      const {position} = await state(page);
      if (position && position !== seen[seen.length - 1]) seen.push(position);
      await new Promise((resolve) => setTimeout(resolve, 250));
    }
    const status = await state(page);
    assert.equal(status.state, "launcher", `the run ended with ${JSON.stringify(status)}`);
    const rows = seen.map((p) => p.split(":").map(Number)).map(([order, row]) => order * 64 + row);
    console.log(`  ${seen.length} positions seen, from ${seen[0]} to ${seen[seen.length - 1]}`);
    assert.ok(seen.length >= 20, `the music hardly moved: ${seen.join(" ")}`);
    assert.ok(rows.every((row, i) => i === 0 || row > rows[i - 1]), `the position went back: ${seen.join(" ")}`);
    assert.ok(rows[rows.length - 1] >= 37 * 64, `the run ended early, at ${seen[seen.length - 1]}`);

    // Enter is OK; Fullscreen draws the 480-line picture; Escape ends the run.
    await page.click("#fullscreen");
    await page.keyboard.press("Enter");
    await waitForState(page, ["running", "error"], 30000);
    assert.equal(await page.$eval("#screen", (c) => c.height), 480);
    await page.waitForFunction(() => (document.getElementById("status").dataset.position || "0:0") !== "0:0" &&
                                     document.getElementById("status").dataset.state === "running",
                               {timeout: 30000, polling: 100});
    await page.keyboard.press("Escape");
    await waitForState(page, ["launcher"], 10000);
    assert.deepEqual(page.problems, []);
    await page.close();
  } finally {
    dataFolder = path.join(site, "data");
  }
});

test("bad data shows the program's own text in the page's ERROR box", async () => {
  const cases = [
    {folder: "no-module", text: "Error bass init"},
    {folder: "garbage-module", text: "Error bass init"},
    {folder: "no-code-bmp", text: "Error loadin graphix"},
    {folder: "garbage-shit-bmp", text: "Error loadin graphix"},
  ];
  try {
    for (const {folder, text} of cases) {
      dataFolder = path.join(fixtures, folder, "data");
      const page = await openPage();
      await page.click("#ok");
      await waitForState(page, ["error", "running"], 30000);
      const box = await page.$eval("#error", (e) => ({
        hidden: e.hidden, caption: e.querySelector(".caption").textContent,
        text: document.getElementById("error-text").textContent,
      }));
      assert.deepEqual(box, {hidden: false, caption: "ERROR", text}, folder);
      await page.click("#error-ok");
      assert.equal((await state(page)).state, "launcher", folder);
      await page.close();
    }
  } finally {
    dataFolder = path.join(site, "data");
  }
});
