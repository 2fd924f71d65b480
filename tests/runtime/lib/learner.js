"use strict";
// What the checks of published courses share: Debian's headless Chromium started, or the check skipped
// (exit 77) when puppeteer-core, another package it needs, or Chromium is missing; and a course page opened
// on its first screen.
const path = require("path");

const SKIPPED = 77;

async function launchOrSkip(packages = ["puppeteer-core"]) {
    for (const name of packages) {
        try {
            require.resolve(name);
        } catch (e) {
            console.log("SKIPPED: " + name + " is not installed (the runtime_npm_install test installs it)");
            process.exit(SKIPPED);
        }
    }
    const { launch } = require(path.join(__dirname, "browser"));
    try {
        return await launch();
    } catch (e) {
        console.log("SKIPPED: Chromium could not start: " + e.message);
        process.exit(SKIPPED);
    }
}

// The course page of the served course, on its first screen.
async function openCourse(browser, base) {
    const { freshPage, onScreen } = require(path.join(__dirname, "browser"));
    const page = await freshPage(browser, base);
    await page.goto(base + "content/ind.htm", { waitUntil: "load" });
    await page.waitForFunction(() => window.kvxRuntime && kvxRuntime.course && kvxRuntime.current, { timeout: 5000 });
    await onScreen(page, await page.evaluate(() => kvxRuntime.course.stops[0]));
    return page;
}

module.exports = { launchOrSkip, openCourse, SKIPPED };
