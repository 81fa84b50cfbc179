// What the page's tests and tools/benchmark/web_fps.mjs share: a local web
// server for the built page (build-web/) and Debian's headless Chromium.
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";

const types = {".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm"};

// Serves the page as any static server would; `dataFolder()` says where
// data/ is taken from at each request, so a test can swap in fixture data.
// Resolves to {origin, close()} once the server listens on a free port.
export async function serveSite(site, dataFolder = () => path.join(site, "data")) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, "http://page").pathname);
    const file = name.startsWith("/data/") ? path.join(dataFolder(), name.slice(6))
                                            : path.join(site, name === "/" ? "index.html" : name);
    fs.readFile(file, (error, bytes) => {
      if (error) {
        response.writeHead(404);
        response.end();
        return;
      }
      response.writeHead(200, {"Content-Type": types[path.extname(file)] || "application/octet-stream"});
      response.end(bytes);
    });
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return {origin: `http://127.0.0.1:${server.address().port}`, close: () => server.close()};
}

// Debian's chromium, headless, in a profile of its own. WebGL goes through
// ANGLE on Mesa's llvmpipe (`angle` "llvmpipe"), the rasteriser
// velmora-capture draws with, or through Chromium's own SwiftShader.
// Resolves to {browser, close()}.
export async function launchChromium(angle = "llvmpipe") {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "velmora-chromium-"));
  const gl = angle === "swiftshader" ? ["--use-angle=swiftshader", "--enable-unsafe-swiftshader"]
                                     : ["--use-gl=angle", "--use-angle=gl-egl", "--ignore-gpu-blocklist"];
  const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: false,  // the flag is given below, as a person would run it
    protocolTimeout: 900000,
    args: ["--headless", "--no-sandbox", ...gl, "--disable-background-networking",
           "--disable-component-update", "--disable-sync", "--no-first-run", `--user-data-dir=${profile}`],
  });
  return {
    browser,
    close: async () => {
      await browser.close();
      fs.rmSync(profile, {recursive: true, force: true});
    },
  };
}
