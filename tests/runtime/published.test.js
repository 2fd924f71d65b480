"use strict";
// A course published by the program (publish_runtime_course) walked in headless Chromium: the program's
// own start and course pages, theme, screen files and copy of the run-time.
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { spawnSync } = require("child_process");
const { serve } = require("./lib/serve");
const course = require("./lib/course");
const { launch, freshPage, onScreen } = require("./lib/browser");

const shots = process.env.CORV_RUNTIME_OUT || path.join(course.repo, "build", "tests", "runtime");
let work, server, browser;

before(async () => {
    work = fs.mkdtempSync(path.join(os.tmpdir(), "corv-published-"));
    const run = spawnSync(process.env.CORV_PUBLISH_COURSE, [course.programFolder(), work], { encoding: "utf8" });
    process.stdout.write(run.stdout || "");
    assert.equal(run.status, 0, "the publish failed:\n" + run.stdout + run.stderr);
    server = await serve(path.join(work, "out"));
    browser = await launch();
});

after(async () => {
    if (browser)
        await browser.close();
    if (server)
        await server.close();
    if (work)
        fs.rmSync(work, { recursive: true, force: true });
});

test("the published course runs from its start page to its end", { skip: !process.env.CORV_PUBLISH_COURSE && "no publisher" }, async () => {
    const page = await freshPage(browser, server.base);
    await page.goto(server.base + "index.htm", { waitUntil: "load" });
    await Promise.all([page.waitForNavigation(), page.click("#kvxStartLink")]);
    await onScreen(page, "0_0");
    assert.deepEqual(page.watcher.take(), [], "opening the course");

    await page.click("#kvxNext");
    await onScreen(page, "0_1");
    // Links of each kind in the program's text box markup.
    await page.click("a[onclick*='kvx.popup']");
    await page.waitForSelector(".kvxPopup .kvxPopupScreen");
    assert.match(await page.$eval(".kvxPopupScreen", e => e.textContent), /Popup text/);
    await page.keyboard.press("Escape");
    await page.click("a.glossaryLink");
    await page.waitForSelector(".kvxGlossaryTerm");
    assert.deepEqual(await page.$eval(".kvxGlossary", d => [d.querySelector(".kvxGlossaryTerm").textContent,
                                                          d.querySelector(".kvxGlossaryText").textContent]),
                     ["Fledgling", "A young bird that has just left its nest."]);
    await page.keyboard.press("Escape");
    await page.click("a[onclick*='kvxScriptRan']");
    assert.equal(await page.evaluate(() => window.kvxScriptRan), true);
    assert.deepEqual(await page.$eval("a[href='../index.htm']", a => [a.target, a.rel]), ["_blank", "noopener noreferrer"]);
    await page.click("a[onclick*='kvx.gotoNewPage']");
    await onScreen(page, "0_2");

    // Table rules, shapes, the sound's buttons and the print button.
    assert.equal(await page.$eval(".table1 th", e => getComputedStyle(e).backgroundColor), "rgb(192, 192, 255)");
    assert.equal(await page.$$eval("svg.kvxShapes > *", es => es.length), 4);
    await page.click("#play0");
    await page.waitForFunction(() => !document.querySelector("audio.kvxAudio").paused, { timeout: 3000 });
    await page.click("#stop0");
    assert.notEqual(await page.$eval("input.print", e => e.value), "{print}");
    await page.screenshot({ path: path.join(shots, "published.png") });
    await page.click("#kvxNext");
    await onScreen(page, "0_3");
    assert.equal(await page.$eval("#kvxNext", b => b.disabled), true);
    await page.click("#kvxBack");
    await onScreen(page, "0_2");
    await page.click("a[onclick*='gotoNewPage(\"0_0\")']");
    await onScreen(page, "0_0");

    await page.click("#kvxHelpButton");
    await page.waitForSelector(".kvxPopup .kvxPopupScreen");
    await page.keyboard.press("Escape");
    await page.click("#kvxQuit");
    await page.waitForSelector("[role=alertdialog]");
    await Promise.all([page.waitForNavigation(), page.keyboard.press("Enter")]);
    assert.match(page.url(), /content\/done\.htm$/);
    assert.deepEqual(page.watcher.take(), [], "walking the course");
    await page.close();
});
