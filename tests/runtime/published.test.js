"use strict";
// Published courses that once could not be used or ran what the author typed: a course whose outline
// begins with a container, walked in headless Chromium screen by screen with no request failing.
const { test, after } = require("node:test");
const assert = require("node:assert/strict");
const path = require("path");
const { serve } = require("./lib/serve");
const course = require("./lib/course");
const { launch, freshPage, onScreen } = require("./lib/browser");

const opened = [];
let browser;

after(async () => {
    for (const o of opened)
        await course.closeAll(o);
    await course.closeAll({ browser });
});

// Publishes a course of the kind and serves it.
async function published(kind, target = "standalone") {
    const work = course.publish(kind, target);
    const server = await serve(path.join(work, "out"));
    opened.push({ server, root: work });
    browser = browser || await launch();
    return server;
}

test("a course without menus that begins with a container shows its screens in the outline's order", async () => {
    const server = await published("container");
    const page = await freshPage(browser, server.base);
    await page.goto(server.base + "content/ind.htm", { waitUntil: "load" });
    await onScreen(page, "0_1");
    const walked = [await page.$eval("#kvxScreen", e => e.textContent.trim())];
    for (const id of ["0_2", "0_4", "0_5"]) {
        await page.click("#kvxNext");
        await onScreen(page, id);
        walked.push(await page.$eval("#kvxScreen", e => e.textContent.trim()));
    }
    assert.deepEqual(walked, ["This is screen 1_1.", "This is screen 1_2.", "This is screen 3.", "This is screen 3_1."]);
    assert.deepEqual(page.watcher.take(), [], "problems while walking the course");
    await page.close();
});
