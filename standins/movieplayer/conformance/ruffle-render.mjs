// Renders movies with the Ruffle web player in headless Chromium, for the conformance test.
//   node ruffle-render.mjs FOLDER
// FOLDER holds manifest.txt ("NAME WIDTH HEIGHT" lines, then "click NAME X Y" lines) and the
// movies NAME.swf. For each movie it writes NAME.ruffle.png (the player's picture after the
// clicks) and NAME.ruffle.txt (one "command<TAB>args" line per FSCommand).
// Everything is served from a loopback HTTP server; nothing leaves the machine.
import { createServer } from "node:http";
import { readFileSync, writeFileSync, existsSync } from "node:fs";
import { join, extname, dirname } from "node:path";
import { fileURLToPath } from "node:url";
import puppeteer from "puppeteer-core";

const here = dirname(fileURLToPath(import.meta.url));
const folder = process.argv[2];
const ruffleDir = join(here, "node_modules", "@ruffle-rs", "ruffle");
const types = { ".js": "text/javascript", ".wasm": "application/wasm", ".swf": "application/x-shockwave-flash",
                ".html": "text/html", ".map": "application/json" };

const movies = [];
const clicks = {};
for (const line of readFileSync(join(folder, "manifest.txt"), "utf8").split("\n")) {
    const w = line.trim().split(/\s+/);
    if (w[0] === "click") (clicks[w[1]] ??= []).push([Number(w[2]), Number(w[3])]);
    else if (w.length === 3) movies.push({ name: w[0], width: Number(w[1]), height: Number(w[2]) });
}

const page = `<!doctype html><html><head><style>body{margin:0;background:#808080}</style>
<script src="/ruffle/ruffle.js"></script></head><body></body></html>`;

const server = createServer((req, res) => {
    const url = decodeURIComponent(req.url.split("?")[0]);
    let file = null;
    if (url === "/" || url === "/index.html") {
        res.writeHead(200, { "content-type": "text/html" });
        res.end(page);
        return;
    }
    if (url.startsWith("/ruffle/")) file = join(ruffleDir, url.slice(8));
    else if (url.startsWith("/movies/")) file = join(folder, url.slice(8));
    if (!file || file.includes("..") || !existsSync(file)) {
        res.writeHead(404);
        res.end();
        return;
    }
    res.writeHead(200, { "content-type": types[extname(file)] ?? "application/octet-stream" });
    res.end(readFileSync(file));
});
await new Promise((ok) => server.listen(0, "127.0.0.1", ok));
const base = `http://127.0.0.1:${server.address().port}`;

const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--force-device-scale-factor=1", "--disable-dev-shm-usage"],
});
try {
    for (const movie of movies) {
        const tab = await browser.newPage();
        await tab.setViewport({ width: movie.width + 40, height: movie.height + 40, deviceScaleFactor: 1 });
        await tab.goto(`${base}/index.html`);
        await tab.evaluate(async (m) => {
            window.commands = [];
            const player = window.RufflePlayer.newest().createPlayer();
            player.id = "player";
            player.style.cssText = `position:absolute;left:0;top:0;width:${m.width}px;height:${m.height}px`;
            document.body.appendChild(player);
            const api = player.ruffle();
            api.addFSCommandHandler((command, args) => { window.commands.push([command, args]); return true; });
            await api.load({
                url: `/movies/${m.name}.swf`, allowScriptAccess: true, autoplay: "on", unmuteOverlay: "hidden",
                splashScreen: false, letterbox: "off", wmode: "opaque", contextMenu: "off",
                preferredRenderer: "canvas", warnOnUnsupportedContent: false, quality: "high", scale: "showAll",
            });
        }, movie);
        await new Promise((ok) => setTimeout(ok, 1500));
        // The first click on a player only activates it; it goes to a corner no movie uses.
        await tab.mouse.click(1, 1);
        await new Promise((ok) => setTimeout(ok, 200));
        for (const [x, y] of clicks[movie.name] ?? []) {
            await tab.mouse.move(x, y);
            await new Promise((ok) => setTimeout(ok, 150));
            await tab.mouse.down();
            await new Promise((ok) => setTimeout(ok, 150));
            await tab.mouse.up();
            await new Promise((ok) => setTimeout(ok, 300));
        }
        await new Promise((ok) => setTimeout(ok, 500));
        const player = await tab.$("#player");
        await player.screenshot({ path: join(folder, `${movie.name}.ruffle.png`),
                                  clip: { x: 0, y: 0, width: movie.width, height: movie.height } });
        const commands = await tab.evaluate(() => window.commands);
        writeFileSync(join(folder, `${movie.name}.ruffle.txt`), commands.map((c) => `${c[0]}\t${c[1]}\n`).join(""));
        await tab.close();
    }
} finally {
    await browser.close();
    server.close();
}
