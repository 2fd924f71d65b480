"use strict";
// A Word document imported by the program (headings, runs, lists, a hyperlink, a second language and a
// glossary term), published standalone and walked in headless Chromium: every screen shows its text with
// no error logged, the document's hyperlink opens outside the course and the glossary link shows the
// imported term.
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("fs");
const path = require("path");
const { serve } = require("./lib/serve");
const course = require("./lib/course");
const { launch, freshPage } = require("./lib/browser");

const shots = process.env.CORV_RUNTIME_OUT || path.join(course.repo, "build", "tests", "runtime");
let work, server, browser;

before(async () => {
    work = course.publish("word", "standalone");
    server = await serve(path.join(work, "out"));
    browser = await launch();
});

after(() => course.closeAll({ browser, server, root: work }));

// Waits for a screen other than `previous` to be shown with its markup in place; its id.
async function nextScreen(page, previous) {
    await page.waitForFunction(prev => window.kvxRuntime && kvxRuntime.current && kvxRuntime.current.id !== prev &&
        document.getElementById("kvxScreen").getAttribute("aria-busy") === "false", { timeout: 5000 }, previous);
    return page.evaluate(() => kvxRuntime.current.id);
}

test("the imported document reads screen by screen with its links", async () => {
    const page = await freshPage(browser, server.base);
    await page.goto(server.base + "content/ind.htm", { waitUntil: "load" });
    let id = await nextScreen(page, null);
    const seen = [id];
    let text = "", webLink = null, glossaryScreen = null;
    for (let step = 0; step < 12 && !(webLink && glossaryScreen); ++step) {
        text += await page.$eval("#kvxScreen", e => e.textContent) + "\n";
        if (!webLink)
            webLink = await page.$$eval("#kvxScreen a[href='https://example.org/safety']",
                                       a => a.length ? [a[0].textContent, a[0].target, a[0].rel] : null);
        if (!glossaryScreen && await page.$("#kvxScreen a.glossaryLink"))
            glossaryScreen = id;
        if (webLink && glossaryScreen)
            break;
        await page.click("#kvxNext");
        id = await nextScreen(page, id);
        seen.push(id);
    }
    assert.deepEqual(page.watcher.take(), [], "problems while reading the course: " + seen.join(" "));
    for (const words of ["Every worker checks the equipment.", "Bold rule", "Gloves", "Check the straps",
                         "Sécurité avant tout. Seguridad primero."])
        assert.ok(text.includes(words), words + " is on a screen");
    assert.deepEqual(webLink, ["safety rules (opens in a new window)", "_blank", "noopener noreferrer"]);
    assert.ok(glossaryScreen, "a screen links to the glossary");

    // Back on the screen with the glossary link: the term and its description come up.
    fs.mkdirSync(shots, { recursive: true });
    for (let step = 0; step < 12 && id !== glossaryScreen; ++step) {
        await page.click("#kvxBack");
        id = await nextScreen(page, id);
    }
    await page.screenshot({ path: path.join(shots, "word-course.png") });
    await page.click("#kvxScreen a.glossaryLink");
    await page.waitForSelector(".kvxGlossary .kvxGlossaryTerm");
    const entry = await page.$eval(".kvxGlossary", d => [d.querySelector(".kvxGlossaryTerm").textContent.trim(),
                                                       d.querySelector(".kvxGlossaryText").textContent.trim()]);
    assert.deepEqual(entry, ["Helmet", "A hard hat worn on site."]);
    await page.screenshot({ path: path.join(shots, "word-glossary.png") });
    await page.keyboard.press("Escape");
    assert.deepEqual(page.watcher.take(), [], "problems while opening the glossary");
    await page.close();
});
