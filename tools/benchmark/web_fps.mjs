// web_fps: frames per second of each scene of the web build in Debian's
// headless Chromium. The page's fixed-clock mode draws every frame of the
// demo in full at 60 frames per second of music, as fast as it can, and
// notes when it reaches each scene's first row; the frames between two such
// moments over the time they took are the scene's rate. Beside the page:
// docs/performance.md's native figures (the same scenes on llvmpipe).
// Usage: node tools/benchmark/web_fps.mjs BUILD_WEB [llvmpipe|swiftshader]...
import os from "node:os";

import {launchChromium, serveSite} from "../../tests/web/harness.mjs";

const usage = `Usage: node tools/benchmark/web_fps.mjs BUILD_WEB [llvmpipe|swiftshader]...
Frames per second of each scene of the web build (scripts/web) in headless
Chromium, drawing every frame at a fixed 60 frames per second of music, with
WebGL through ANGLE on Mesa's llvmpipe and/or Chromium's SwiftShader (both
by default). Takes a few minutes per renderer.`;
const args = process.argv.slice(2);
if (args.includes("--help")) {
  console.log(usage);
  process.exit(0);
}
const [site, ...asked] = args;
const renderers = asked.length > 0 ? asked : ["llvmpipe", "swiftshader"];
if (!site || site.startsWith("-") || renderers.some((r) => !["llvmpipe", "swiftshader"].includes(r))) {
  console.error(`web_fps: ${site ? "unknown renderer or option" : "no build folder given"}\n${usage}`);
  process.exit(2);
}

// Each scene from its first row to the next scene's; the last one ends a
// few rows before the demo does.
const scenes = [
  ["intro", "0:0"], ["pulsing sphere", "4:0"], ["cube star", "10:0"], ["torus", "14:0"],
  ["torus + overlay", "22:0"], ["cube grid", "30:0"], [null, "38:0"],
];

async function measure(origin, renderer) {
  const chromium = await launchChromium(renderer);
  try {
    const page = await chromium.browser.newPage();
    await page.setViewport({width: 1024, height: 768});
    await page.goto(`${origin}/?at=${scenes.slice(1).map(([, at]) => at).join(",")}&fps=60&full=1`);
    // Asked every few seconds: one long wait inside the page would outlast
    // the browser connection's own timeout.
    let status;
    do {
      await new Promise((resolve) => setTimeout(resolve, 5000));
      status = await page.$eval("#status", (s) => ({...s.dataset}));
    } while (!["done", "error"].includes(status.state));
    if (status.state !== "done") throw new Error(`the page failed: ${status.error}`);
    const reached = [{ms: 0, frames: 0}, ...JSON.parse(status.reached)];
    return scenes.slice(0, -1).map(([name], i) => {
      const frames = reached[i + 1].frames - reached[i].frames;
      return {name, frames, fps: (1000 * frames) / (reached[i + 1].ms - reached[i].ms)};
    });
  } finally {
    await chromium.close();
  }
}

const server = await serveSite(site);
try {
  const results = {};
  for (const renderer of renderers) {
    const load = os.loadavg().map((l) => l.toFixed(2)).join(" ");
    results[renderer] = await measure(server.origin, renderer);
    console.log(`${renderer}: load ${load} at the start, ${os.loadavg()[0].toFixed(2)} at the end`);
  }
  console.log(`\n| scene | frames | ${renderers.map((r) => `fps, ${r}`).join(" | ")} |`);
  console.log(`|---|---|${renderers.map(() => "---").join("|")}|`);
  results[renderers[0]].forEach(({name, frames}, i) => {
    console.log(`| ${name} | ${frames} | ${renderers.map((r) => results[r][i].fps.toFixed(1)).join(" | ")} |`);
  });
} finally {
  server.close();
}
