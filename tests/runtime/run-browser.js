"use strict";
// Runs the browser tests when Debian's Chromium can be driven here; otherwise says why and reports the
// test as skipped (exit 77), never as passed.
const { spawnSync } = require("child_process");
const path = require("path");

async function main() {
    let puppeteer;
    try {
        puppeteer = require.resolve("puppeteer-core");
    } catch (e) {
        console.log("SKIPPED: puppeteer-core is not installed (the runtime_npm_install test installs it): " + e.message);
        process.exit(77);
    }
    const { launch, chromiumPath } = require("./lib/browser");
    try {
        const browser = await launch();
        await browser.close();
    } catch (e) {
        console.log("SKIPPED: Chromium (" + chromiumPath() + ") could not start: " + e.message);
        process.exit(77);
    }
    const files = process.argv.slice(2).map(f => path.resolve(__dirname, f));
    const run = spawnSync(process.execPath, ["--test", "--test-concurrency=1", ...files], { stdio: "inherit", env: process.env });
    process.exit(run.status === null ? 1 : run.status);
    void puppeteer;
}

main();
