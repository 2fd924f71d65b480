"use strict";
// A Word document imported by the program (headings, runs, lists, a hyperlink, a second language and a
// glossary term), published standalone and walked in headless Chromium: every screen shows its text with
// no error logged, the document's hyperlink opens outside the course and the glossary link shows the
// imported term. A second document, with pictures, a table and questions, is imported and published too.
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("fs");
const path = require("path");
const { serve } = require("./lib/serve");
const course = require("./lib/course");
const { launch, freshPage } = require("./lib/browser");
const { answer } = require("./lib/answer");

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
    // The menu's card is named after the imported topic, not counted as a screen.
    assert.deepEqual(await page.$$eval(".kvxTopicTitle", ts => ts.map(t => t.textContent)), ["Workplace safety"]);
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

// What a screen of the course shows: its pictures (loaded or broken), its tables' cells with their type,
// and the question on it.
function screenContents() {
    const screen = document.getElementById("kvxScreen");
    const pictures = [...screen.querySelectorAll("img")].map(i => ({ src: i.getAttribute("src"), loaded: i.complete && i.naturalWidth > 0 }));
    const tables = [...screen.querySelectorAll("table")].map(t => [...t.rows].map(r => [...r.cells].map(c => {
        const run = c.querySelector("span, b, i, strong, em, font") || c;
        const style = getComputedStyle(run);
        return { text: c.textContent.trim(), bold: Number(style.fontWeight) >= 700, italic: style.fontStyle === "italic",
                 colour: style.color };
    })));
    return { pictures, tables, pool: !!screen.querySelector(".kvxWordPool"), choice: !!screen.querySelector("#option0") };
}

// A Word document written by the test with a PNG, a JPEG and a metafile picture, a 3 x 4 table of formatted
// cells, the question styles and a generated complete-the-paragraph question, imported and published: the
// pictures load, the table shows its cells' formats and both questions score when answered right.
test("the imported pictures, table and generated questions work in the course", async () => {
    const media = course.publish("wordmedia", "standalone");
    const mediaServer = await serve(path.join(media, "out"));
    try {
        const { paragraph } = JSON.parse(fs.readFileSync(path.join(media, "answers.json"), "utf8"));
        const page = await freshPage(browser, mediaServer.base);
        await page.goto(mediaServer.base + "content/ind.htm", { waitUntil: "load" });
        let id = await nextScreen(page, null);
        const pictures = [], tables = [], feedback = {}, walked = [];
        for (let step = 0; step < 16 && !walked.includes(id); ++step) {
            walked.push(id);
            // A picture is judged once the browser is done with it (loaded or broken), not while it loads.
            await page.evaluate(() => Promise.all([...document.querySelectorAll("#kvxScreen img")].map(i => i.complete
                ? null : new Promise(done => { i.addEventListener("load", done); i.addEventListener("error", done); }))));
            const shown = await page.evaluate(screenContents);
            pictures.push(...shown.pictures);
            tables.push(...shown.tables);
            if (shown.choice && !shown.pool && !feedback.choice) {
                feedback.choice = await answer(page, { choose: [1] });
                feedback.choiceRight = await page.$eval("#kvxScreen #panellower", e => e.classList.contains("kvxRight"));
                await page.screenshot({ path: path.join(shots, "word-media-choice.png") });
            }
            if (shown.pool && !feedback.paragraph) {
                feedback.paragraph = await answer(page, { gaps: paragraph });
                feedback.paragraphRight = await page.$eval("#kvxScreen #panellower", e => e.classList.contains("kvxRight"));
                await page.screenshot({ path: path.join(shots, "word-media-paragraph.png") });
            }
            if (shown.tables.some(t => t.length && t[0].length && t[0][0].text.startsWith("R0C0")))
                await page.screenshot({ path: path.join(shots, "word-media-table.png") });
            if (await page.$eval("#kvxNext", b => b.disabled || b.hidden || getComputedStyle(b).display === "none"))
                break;
            await page.click("#kvxNext");
            try {
                id = await nextScreen(page, id);
            } catch {
                break;
            }
        }
        assert.deepEqual(page.watcher.take(), [], "problems while reading the imported course: " + walked.join(" "));
        const own = pictures.filter(p => /_src_\d+\.jpg$/.test(p.src));
        assert.equal(new Set(own.map(p => p.src)).size, 3, "the document's three pictures: " + JSON.stringify(pictures));
        assert.ok(own.every(p => p.loaded), "every picture loads: " + JSON.stringify(own));
        // The document's table, wherever the page lays its own parts out in tables too.
        const ours = tables.filter(t => t.length && t[0].length && t[0][0].text.startsWith("R0C0"));
        assert.equal(ours.length, 1, "the document's table once on " + walked.join(" "));
        const [table] = ours;
        assert.deepEqual(table.map(r => r.map(c => c.text)),
                         [0, 1, 2].map(r => [0, 1, 2, 3].map(c => "R" + r + "C" + c + " plain")));
        assert.deepEqual(table[0].map(c => [c.bold, c.italic]), [[true, false], [false, true], [false, false], [false, false]]);
        assert.equal(table[0][2].colour, "rgb(255, 0, 0)");
        assert.ok(feedback.choice && feedback.choiceRight, "the multiple-choice question scored: " + JSON.stringify(feedback));
        assert.ok(feedback.paragraph && feedback.paragraphRight, "the paragraph question scored: " + JSON.stringify(feedback));
        await page.close();
    } finally {
        await course.closeAll({ server: mediaServer, root: media });
    }
});
