"use strict";
// Published courses that once could not be used or ran what the author typed: a course whose outline
// begins with a container, walked in headless Chromium screen by screen with no request failing; and a
// course in which every author text of every component kind holds markup that would run a handler, quotes
// and backslashes: no handler runs, no element of theirs appears and each text shows as typed.
const { test, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("fs");
const path = require("path");
const { serve } = require("./lib/serve");
const course = require("./lib/course");
const { pathToFileURL } = require("url");
const { launch, freshPage, onScreen } = require("./lib/browser");
const { axeViolations, checked } = require("./lib/axe");

const opened = [];
let browser;

after(async () => {
    console.log("axe-core checked " + checked.states + " page states");
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
    server.work = work;
    return server;
}

// Everything of the screen a learner meets as text: what it reads, and the names and values of its
// elements, with white space as the browser shows it.
function shownTexts() {
    const main = document.getElementById("kvxMain");
    const out = [main.textContent, main.getAttribute("aria-label") || "", document.getElementById("kvxTop").textContent];
    for (const e of main.querySelectorAll("*"))
        for (const name of ["alt", "title", "value", "aria-label", "summary", "placeholder"])
            if (e.hasAttribute(name))
                out.push(e.getAttribute(name));
    for (const input of main.querySelectorAll("input, textarea"))
        out.push(input.value);
    return out.map(t => t.replace(/\u00a0/g, " ").replace(/\s+/g, " "));
}

// Whether anything of the author's markup came alive: the handler's mark, or an element it brought.
function hacked() {
    return window.kvxHacked !== undefined || document.querySelectorAll("img[src='x'], #kvxMain p p").length > 0;
}

test("a course without menus that begins with a container shows its screens in the outline's order", async () => {
    const server = await published("container");
    const page = await freshPage(browser, server.base);
    await page.goto(server.base + "content/ind.htm", { waitUntil: "load" });
    await onScreen(page, "0_1");
    const walked = [await page.$eval("#kvxScreen", e => e.textContent.trim())];
    const violations = await axeViolations(page, "0_1");
    for (const id of ["0_2", "0_4", "0_5"]) {
        await page.click("#kvxNext");
        await onScreen(page, id);
        walked.push(await page.$eval("#kvxScreen", e => e.textContent.trim()));
        violations.push(...await axeViolations(page, id));
    }
    assert.deepEqual(violations, [], "accessibility");
    assert.deepEqual(walked, ["This is screen 1_1.", "This is screen 1_2.", "This is screen 3.", "This is screen 3_1."]);
    assert.deepEqual(page.watcher.take(), [], "problems while walking the course");
    await page.close();
});

test("hostile author texts of every component kind show as typed and run nothing", async () => {
    const server = await published("hostile");
    const { texts, screens } = JSON.parse(fs.readFileSync(path.join(server.work, "hostile.json"), "utf8"));
    const page = await freshPage(browser, server.base);
    await page.goto(server.base + "content/ind.htm", { waitUntil: "load" });
    const ids = Object.keys(screens);
    assert.equal(ids.length, 8);
    const violations = [];
    for (const id of ids) {
        await page.evaluate(to => kvx.gotoNewPage(to), id);
        await onScreen(page, id);
        const shown = await page.evaluate(shownTexts);
        for (const label of screens[id])
            assert.ok(shown.some(t => t.includes(texts[label])), "screen " + id + " shows " + label + " as typed: " +
                      JSON.stringify(shown));
        assert.ok(shown.some(t => t.includes(texts.course)), "the course name shows as typed");
        assert.equal(await page.evaluate(hacked), false, "markup of the texts on " + id + " came alive");
        violations.push(...await axeViolations(page, "hostile " + id));
    }
    assert.deepEqual(violations, [], "accessibility");
    // The glossary term linked from the first screen, and a question's feedback.
    await page.evaluate(() => kvx.gotoNewPage("0_0"));
    await onScreen(page, "0_0");
    await page.click("#kvxScreen a.glossaryLink");
    await page.waitForSelector(".kvxGlossary .kvxGlossaryTerm");
    assert.deepEqual(await page.$eval(".kvxGlossary", d => [d.querySelector(".kvxGlossaryTerm").textContent,
                                                          d.querySelector(".kvxGlossaryText").textContent.trim()]),
                     [texts.term, texts.termtext]);
    await page.keyboard.press("Escape");
    await page.evaluate(() => kvx.gotoNewPage("0_1q"));
    await onScreen(page, "0_1q");
    await page.click("#kvxScreen #option1");
    await page.click("#kvxScreen .kvxDone");
    await page.waitForSelector(".kvxFeedback");
    assert.ok((await page.$eval(".kvxFeedback", e => e.textContent)).includes(texts.wrong), "the feedback shows as typed");
    assert.equal(await page.evaluate(hacked), false);
    assert.deepEqual(page.watcher.take(), [], "problems while showing the hostile texts");
    await page.close();
});

// Guards the pages the program writes for a course: each carries a policy without inline script and holds
// no inline script or handler of its own; and the course still works opened from the disk, where its
// pages and script files are all file:// addresses.
test("the generated pages allow no inline script, and a course opened from the disk still runs", async () => {
    const server = await published("container");
    const out = path.join(server.work, "out");
    const pages = ["index.htm", "content/ind.htm", "content/outline.htm", "content/done.htm", "content/end.htm", "content/nav.htm"];
    for (const page of pages) {
        const text = fs.readFileSync(path.join(out, page), "utf8");
        const policy = /<meta http-equiv="Content-Security-Policy" content="([^"]*)">/.exec(text);
        assert.ok(policy && /script-src 'self'/.test(policy[1]) && !/unsafe-inline|unsafe-eval/.test(policy[1]), page);
        assert.doesNotMatch(text, /<script(?![^>]*\bsrc=)[^>]*>|\son[a-z]+\s*=|javascript:/i, page);
    }
    const page = await freshPage(browser, "file://");
    await page.goto(pathToFileURL(path.join(out, "index.htm")).href, { waitUntil: "load" });
    await Promise.all([page.waitForNavigation(), page.click("#kvxStartLink")]);
    await onScreen(page, "0_1");
    await page.click("#kvxNext");
    await onScreen(page, "0_2");
    await page.click("#kvxOutlineButton");
    const frame = await (await page.waitForSelector("#kvxOutline iframe")).contentFrame();
    await frame.waitForSelector(".kvxTree a");
    await frame.focus(".kvxTree a");
    await page.keyboard.press("Escape");
    await page.waitForFunction(() => !document.getElementById("kvxOutline"), { timeout: 2000 });
    assert.deepEqual(page.watcher.take(), [], "problems in the course opened from the disk");
    await page.close();
});
