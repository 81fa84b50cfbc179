// web_fps: frames per second of each scene of the web build in Debian's
// headless Chromium. The page's fixed-clock mode runs the demo at 60 frames
// per second of music, as fast as it can, drawing in full only the five
// seconds before a still in the middle of each scene (the frames before are
// state-only, as velmora-capture skips ahead); the frames drawn in full over
// the time they took are the scene's rate (each shown frame's copy for the
// stills included; only the stills are read back). Beside the page:
// docs/performance.md's native figures (the same scenes on llvmpipe).
// Usage: node tools/benchmark/web_fps.mjs BUILD_WEB [llvmpipe|swiftshader]...
import os from "node:os";

import {launchChromium, serveSite} from "../../tests/web/harness.mjs";

const usage = `Usage: node tools/benchmark/web_fps.mjs BUILD_WEB [llvmpipe|swiftshader]...
Frames per second of each scene of the web build (scripts/web) in headless
Chromium, drawing five seconds in the middle of each scene at a fixed 60
frames per second of music, with WebGL through ANGLE on Mesa's llvmpipe
and/or Chromium's SwiftShader (both by default). Takes a few minutes per
renderer.`;
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

// Each scene's still, about halfway through it; the five seconds before it
// are drawn in full.
const scenes = [
  ["intro", "2:32"], ["pulsing sphere", "7:32"], ["cube star", "12:32"], ["torus", "18:32"],
  ["torus + overlay", "26:32"], ["cube grid", "34:32"],
];
const fullSeconds = 5;

async function measure(origin, renderer) {
  const chromium = await launchChromium(renderer);
  try {
    const page = await chromium.browser.newPage();
    await page.setViewport({width: 1024, height: 768});
    await page.goto(`${origin}/?at=${scenes.map(([, at]) => at).join(",")}&fps=60&fullFor=${fullSeconds}`);
    // Asked every few seconds: one long wait inside the page would outlast
    // the browser connection's own timeout.
    let status;
    do {
      await new Promise((resolve) => setTimeout(resolve, 5000));
      status = await page.$eval("#status", (s) => ({...s.dataset}));
    } while (!["done", "error"].includes(status.state));
    if (status.state !== "done") throw new Error(`the page failed: ${status.error}`);
    const reached = [{frames: 0, stateOnly: 0, fullMs: 0}, ...JSON.parse(status.reached)];
    return scenes.map(([name], i) => {
      const full = ({frames, stateOnly}) => frames - stateOnly;
      const frames = full(reached[i + 1]) - full(reached[i]);
      return {name, frames, fps: (1000 * frames) / (reached[i + 1].fullMs - reached[i].fullMs)};
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
