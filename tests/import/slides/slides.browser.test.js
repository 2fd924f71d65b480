"use strict";
// A presentation imported by the program and published as a standalone course, in headless Chromium: the
// course opens on the first slide, Next walks every imported screen in order with the slide's text on it,
// the pictures load, and no page load logs an error or loses a request.
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { spawnSync } = require("child_process");
const runtime = path.join(__dirname, "..", "..", "runtime", "lib");
const { serve } = require(path.join(runtime, "serve"));
const course = require(path.join(runtime, "course"));
const { launch, freshPage, onScreen } = require(path.join(runtime, "browser"));

const shots = process.env.CORV_RUNTIME_OUT || path.join(course.repo, "build", "tests", "import");
const deck = path.join(process.env.CORV_FIXTURES || path.join(course.repo, "tests", "fixtures"), "pptx", "ten slides.pptx");
let work, server, browser;

before(async () => {
    work = fs.mkdtempSync(path.join(os.tmpdir(), "corv-slides-"));
    const run = spawnSync(process.env.CORV_PUBLISH_SLIDES, [course.programFolder(), work, deck], { encoding: "utf8" });
    assert.equal(run.status, 0, run.stdout + run.stderr);
    server = await serve(path.join(work, "out"));
    browser = await launch();
});

after(() => course.closeAll({ browser, server, root: work }));

// The first words of each screen made: the ten slides and the four notes pages between them.
const expected = ["Safety at work", "Welcome the learners.", "Three rules", "A picture", "Two columns",
                  "Compare both sides.", "Formats", "Shapes", "Two pictures", "Café – it’s open",
                  "Say “welcome” ]]> twice.", "Numbered", "The end", "Thank everyone."];

test("every imported slide is a screen of the published course", async () => {
    const page = await freshPage(browser, server.base);
    await page.goto(server.base + "content/ind.htm", { waitUntil: "load" });
    await page.waitForFunction(() => window.kvxRuntime && kvxRuntime.current &&
        document.getElementById("kvxScreen").getAttribute("aria-busy") === "false", { timeout: 5000 });
    let id = await page.evaluate(() => kvxRuntime.current.id);
    // The course may open on its folder screen; the slides follow it.
    if (!(await page.$eval("#kvxScreen", e => e.textContent)).includes(expected[0])) {
        await page.click("#kvxNext");
        await page.waitForFunction(was => kvxRuntime.current.id !== was, { timeout: 5000 }, id);
        id = await page.evaluate(() => kvxRuntime.current.id);
        await onScreen(page, id);
    }
    fs.mkdirSync(shots, { recursive: true });
    for (let i = 0; i < expected.length; ++i) {
        const text = await page.$eval("#kvxScreen", e => e.textContent);
        assert.ok(text.replace(/\s+/g, " ").includes(expected[i]), "screen " + (i + 1) + " shows " + JSON.stringify(text));
        if (i === 3) {
            const pictures = await page.$$eval("#kvxScreen img", imgs => imgs.map(img => img.complete && img.naturalWidth > 0));
            assert.ok(pictures.length >= 1 && pictures.every(Boolean), "the slide's picture loads");
            await page.screenshot({ path: path.join(shots, "imported-slide-picture.png") });
        }
        if (i + 1 < expected.length) {
            await page.click("#kvxNext");
            await page.waitForFunction(was => kvxRuntime.current.id !== was, { timeout: 5000 }, id);
            id = await page.evaluate(() => kvxRuntime.current.id);
            await onScreen(page, id);
        }
    }
    assert.deepEqual(page.watcher.take(), [], "problems while walking the imported slides");
    await page.close();
});
