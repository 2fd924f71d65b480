"use strict";
// The tour course, published by the program, in headless Chromium: start page, every screen forward and
// back, menu and outline jumps, popups, the glossary, a link of each kind, pictures, tables and shapes,
// audio and video, the end of the course, and the same course walked with the keyboard alone. No page
// load may log an error or lose a request.
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("fs");
const path = require("path");
const { serve } = require("./lib/serve");
const course = require("./lib/course");
const { launch, freshPage, onScreen, replaceScripts } = require("./lib/browser");
const { axeViolations, checked } = require("./lib/axe");

const shots = process.env.CORV_RUNTIME_OUT || path.join(course.repo, "build", "tests", "runtime");
let work, server, browser;

before(async () => {
    work = course.publish("tour", "standalone");
    server = await serve(path.join(work, "out"));
    browser = await launch();
});

after(() => {
    console.log("axe-core checked " + checked.states + " page states");
    return course.closeAll({ browser, server, root: work });
});

// A new tab with no stored bookmark; lines added to the options script when given.
async function newPage(options) {
    const page = await freshPage(browser, server.base);
    if (options) {
        const prefs = path.join(work, "out", "content", "scripts", "course_prefs.js");
        await replaceScripts(page, { "/content/scripts/course_prefs.js": () => fs.readFileSync(prefs, "utf8") + "\n" + options + "\n" });
    }
    return page;
}

async function openCourse(options) {
    const page = await newPage(options);
    await page.goto(server.base + "content/ind.htm", { waitUntil: "load" });
    await onScreen(page, "0_0m");
    return page;
}

function clean(page, what) {
    assert.deepEqual(page.watcher.take(), [], "problems while " + what);
}

async function press(page, selector, id) {
    await page.click(selector);
    if (id)
        await onScreen(page, id);
}

async function liveText(page) {
    await page.waitForFunction(() => document.querySelector("[aria-live]").textContent !== "", { timeout: 2000 });
    return page.$eval("[aria-live]", e => e.textContent);
}

async function shot(page, name) {
    fs.mkdirSync(shots, { recursive: true });
    await page.screenshot({ path: path.join(shots, name + ".png") });
}

// Answers the tour's question (Gull is right) with a click and closes the feedback.
async function answerQuestion(page) {
    await page.click("#kvxScreen #option0");
    await page.click("#kvxScreen .kvxDone");
    await page.waitForSelector(".kvxFeedbackOk");
    await page.click(".kvxFeedbackOk");
    await page.waitForFunction(() => !document.querySelector(".kvxFeedback"));
}

test("the start page leads into the course", async () => {
    const page = await newPage();
    await page.goto(server.base + "index.htm", { waitUntil: "load" });
    await Promise.all([page.waitForNavigation(), page.click("#kvxStartLink")]);
    await onScreen(page, "0_0m");
    clean(page, "starting the course");
    await page.close();
});

test("next and back visit every screen in order; topics return to the menu", async () => {
    const page = await openCourse();
    // The menu: one button per topic with its picture, the second locked until the first is done.
    const topics = await page.$$eval(".kvxTopic", bs => bs.map(b => [b.querySelector(".kvxTopicTitle").textContent, b.disabled,
                                                                   b.querySelector("img").naturalWidth]));
    assert.deepEqual(topics, [["Getting started", false, 200], ["Sound and vision", true, 200]]);
    assert.equal(await page.$eval("#kvxBack", b => b.disabled), true);
    await shot(page, "menu");
    clean(page, "showing the menu");

    await press(page, "#kvxNext", "1_2");
    await press(page, "#kvxNext", "1_3");
    await press(page, "#kvxNext", "1_4q");
    // Next waits for the question's answer.
    assert.equal(await page.$eval("#kvxNext", b => b.disabled), true);
    await answerQuestion(page);
    await press(page, "#kvxNext", "0_0m");
    assert.match(await liveText(page), /Main menu/);
    assert.equal(await page.$eval(".kvxMenu li:nth-child(2) .kvxTopic", b => b.disabled), false);
    // From the menu, Next opens the first topic not yet done.
    await press(page, "#kvxNext", "1_6");
    await press(page, "#kvxNext", "1_7");
    assert.equal(await page.$eval("#kvxBanner", e => e.textContent), "Topic 2: Sound and vision");
    await press(page, "#kvxNext", "0_0m");
    assert.deepEqual(await page.$$eval(".kvxTopic", bs => bs.map(b => b.classList.contains("kvxTopicDone"))), [true, true]);

    // Back: within a topic, then from its first screen to the menu.
    await press(page, ".kvxMenu li:nth-child(2) .kvxTopic", "1_6");
    await press(page, "#kvxNext", "1_7");
    await press(page, "#kvxBack", "1_6");
    await press(page, "#kvxBack", "0_0m");
    await press(page, ".kvxMenu li:nth-child(1) .kvxTopic", "1_2");
    await press(page, "#kvxNext", "1_3");
    await press(page, "#kvxNext", "1_4q");
    await press(page, "#kvxBack", "1_3");
    await press(page, "#kvxBack", "1_2");
    await press(page, "#kvxMenuButton", "0_0m");
    assert.equal(await page.$eval(".kvxProgress", e => e.getAttribute("aria-valuenow")), "100");
    clean(page, "walking back and through the menu");
    await page.close();
});

test("a screen's pictures, pan-and-zoom effect, table rules, shapes and print button", async () => {
    const page = await openCourse();
    await page.evaluate(() => kvx.gotoNewPage("1_3"));
    await onScreen(page, "1_3");
    // The zoom into the picture's top-left quarter ends at twice its size.
    await page.waitForFunction(() => document.getElementById("kb1img").style.width === "640px", { timeout: 4000 });
    assert.deepEqual(await page.$eval("#kb1img", e => [e.style.left, e.style.top, e.naturalWidth]), ["0px", "0px", 320]);
    const shapes = await page.$$eval("#kvxScreen svg.kvxShapes > *", es => es.map(e => e.tagName + ":" + (e.getAttribute("fill") || "")));
    assert.deepEqual(shapes, ["rect:#FFE0E0", "rect:none", "ellipse:none", "line:"]);
    const cell = await page.$eval(".table1 td", e => getComputedStyle(e).borderTopWidth + " " + getComputedStyle(e).borderTopColor);
    assert.equal(cell, "1px rgb(0, 0, 128)");
    assert.equal(await page.$eval(".table1 th", e => getComputedStyle(e).backgroundColor), "rgb(192, 192, 255)");
    assert.equal(await page.$eval("input.print", e => e.value), "Print");
    await shot(page, "pictures");
    // A linked picture goes to its screen.
    await press(page, "#kb2img", "1_2");
    clean(page, "showing pictures, tables and shapes");
    // Leaving the screen takes its table rules with it.
    assert.equal(await page.$eval("#kvxScreenRules", e => e.textContent), "");
    await page.close();
});

test("links of every kind: screen, popup, glossary, script and web page", async () => {
    const page = await openCourse();
    await press(page, "#kvxNext", "1_2");
    assert.match(await liveText(page), /Welcome "friends"\. Screen 2 of 6/);

    // Popup: a modal window with the popup screen; its table rules stay inside it.
    await page.click("a[data-kvx-click*='kvx.popup']");
    await page.waitForSelector(".kvxPopup .kvxPopupScreen table.table1");
    const popup = await page.$eval(".kvxPopup", d => [d.getAttribute("aria-label"), d.querySelector(".kvxPopupScreen").style.width,
                                                    getComputedStyle(d.querySelector(".table1 td")).borderTopStyle,
                                                    d.querySelector(".kvxPopupScreen").textContent.includes("Popup text")]);
    assert.deepEqual(popup, ["Help", "400px", "solid", true]);
    // The table keeps the size the author gave it (290 x 70) and stays above the link below it.
    const table = await page.$eval(".kvxPopup .table1", t => {
        const box = (t.closest(".kvxTableBox") || t).getBoundingClientRect();
        const link = [...t.closest(".kvxPopupScreen").querySelectorAll("a")].find(a => a.textContent.includes("On to the end"));
        return [Math.round(box.width), Math.round(box.height), box.bottom <= link.getBoundingClientRect().top];
    });
    assert.deepEqual(table, [290, 70, true]);
    assert.equal(await page.$eval("#kvxTopBg", e => e.inert), true, "the course behind a popup is out of reach");
    await page.keyboard.press("Escape");
    await page.waitForFunction(() => !document.querySelector(".kvxPopup"));
    assert.equal(await page.evaluate(() => document.activeElement.getAttribute("data-kvx-click")), "kvx.popup(\"1000_9\",400,300)",
                 "the focus returns to the link");

    // Glossary entry.
    await page.click("a.glossaryLink");
    await page.waitForSelector(".kvxGlossary .kvxGlossaryTerm");
    const entry = await page.$eval(".kvxGlossary", d => [d.querySelector(".kvxGlossaryTerm").textContent,
                                                       d.querySelector(".kvxGlossaryText").textContent.trim(),
                                                       d.querySelectorAll(".kvxGlossaryItem").length]);
    assert.deepEqual(entry, ["Fledgling", "A young bird that has just left its nest.", 2]);
    await page.click(".kvxGlossaryList li:nth-child(2) button");
    assert.deepEqual(await page.$eval(".kvxGlossary", d => [d.querySelector(".kvxGlossaryTerm").textContent,
                                                          d.querySelector(".kvxGlossaryText").textContent.trim()]),
                     ["Gull", "A sea bird with a \"loud\" call."]);
    await page.keyboard.press("Escape");

    // Script link.
    await page.click("a[data-kvx-script]");
    await page.waitForFunction(() => window.kvxScriptRan === true, { timeout: 3000 });

    // Web link: a new window that cannot reach the course.
    assert.deepEqual(await page.$eval("a[href='../index.htm']", a => [a.target, a.rel]), ["_blank", "noopener noreferrer"]);
    const opened = new Promise(resolve => browser.once("targetcreated", resolve));
    await page.click("a[href='../index.htm']");
    const tab = await (await opened).page();
    await tab.waitForSelector("#kvxStartLink");
    assert.equal(await tab.evaluate(() => window.opener), null);
    await tab.close();

    // Screen links: in the text and a link component.
    await press(page, "a[data-kvx-click*='gotoNewPage(\"1_3\")']", "1_3");
    await press(page, "#kvxBack", "1_2");
    await press(page, "a[data-kvx-click*='gotoNewPage(\"1_4q\")']", "1_4q");
    clean(page, "following links");
    await page.close();
});

test("outline, help and glossary buttons", async () => {
    const page = await openCourse();
    await page.click("#kvxOutlineButton");
    const frame = await (await page.waitForSelector("#kvxOutline iframe")).contentFrame();
    await frame.waitForSelector(".kvxTree a");
    const names = await frame.$$eval(".kvxTree a", as => as.map(a => a.textContent));
    assert.deepEqual(names, ["Main menu", "Welcome \"friends\"", "Pictures, tables and shapes", "A question",
                             "Sound and video", "The end of the topic"]);
    // Branches away from the current screen start closed.
    assert.equal(await frame.$eval("xpath/.//a[text()='Sound and video']", a => a.closest("ul").hidden), true);
    const [toggle] = await frame.$$("xpath/.//button[contains(., 'Sound and vision')]");
    await toggle.click();
    assert.equal(await frame.$eval("xpath/.//button[contains(., 'Sound and vision')]", b => b.getAttribute("aria-expanded")), "true");
    const [link] = await frame.$$("xpath/.//a[text()='Sound and video']");
    await link.click();
    await onScreen(page, "1_6");
    // The course's outline stays open after a choice until it is closed.
    await page.click("#kvxOutline .kvxDialogClose");
    assert.equal(await page.$("#kvxOutline"), null);

    await page.click("#kvxHelpButton");
    await page.waitForSelector(".kvxPopup .kvxPopupScreen table");
    await page.click(".kvxPopup a[data-kvx-click*='1_7']");
    await onScreen(page, "1_7");
    assert.equal(await page.$(".kvxPopup"), null, "a popup closes when its link leaves for another screen");

    await page.click("#kvxGlossaryButton");
    await page.waitForSelector(".kvxGlossary .kvxGlossaryTerm");
    assert.equal(await page.$eval(".kvxGlossaryTerm", e => e.textContent), "Fledgling");
    await page.click(".kvxDialogClose");
    clean(page, "using the course tools");
    await page.close();
});

test("sound, video, plug-in media and the Flash question", async () => {
    const page = await openCourse();
    await page.evaluate(() => kvx.gotoNewPage("1_6"));
    await onScreen(page, "1_6");
    const m = await page.evaluate(() => ({
        audio: document.querySelector("audio#kvxAudio0 source").getAttribute("src"),
        controls: document.querySelector("audio#kvxAudio0").controls,
        play: [document.getElementById("play0").getAttribute("role"), document.getElementById("play0").getAttribute("aria-label")],
        video: [document.querySelector("video").getAttribute("src"), document.querySelector("video").controls],
        notices: [...document.querySelectorAll(".kvxMediaNotice a")].map(a => a.getAttribute("href")),
        objects: document.querySelectorAll("object, embed").length
    }));
    assert.deepEqual(m, {
        audio: "media/tone.wav", controls: false, play: ["button", "Play audio"], video: ["media/clip.mpg", true],
        notices: ["media/intro.swf", "media/questions/quiz.swf"], objects: 0
    });
    // The Flash question counts for nothing and does not hold Next back.
    assert.equal(await page.$eval("#kvxNext", b => b.disabled), false);
    await page.focus("#play0");
    await page.keyboard.press("Enter");
    await page.waitForFunction(() => !document.getElementById("kvxAudio0").paused, { timeout: 3000 });
    await page.click("#stop0");
    assert.equal(await page.$eval("#kvxAudio0", a => a.paused && a.currentTime === 0), true);
    assert.equal(page.watcher.requested.some(r => r.endsWith(".swf")), false, "plug-in media is never requested");
    await shot(page, "media");
    clean(page, "showing media");
    await page.close();
});

test("keyboard alone: every control is reachable, named and visibly focused", async () => {
    const page = await openCourse();
    const tabTo = async (want) => {
        for (let i = 0; i < 40; ++i) {
            await page.keyboard.press("Tab");
            const here = await page.evaluate(() => document.activeElement.id || document.activeElement.textContent);
            if (here === want)
                return;
        }
        assert.fail("Tab never reached " + want);
    };
    const focusRing = () => page.evaluate(() => getComputedStyle(document.activeElement).outlineStyle);
    // The first screen has the focus, so that the next Tab starts on its content; the skip link still
    // comes first in the page's order.
    assert.equal(await page.evaluate(() => document.activeElement.id), "kvxMain");
    assert.equal(await page.evaluate(() => document.querySelector("a[href], button, input, [tabindex='0']").className),
                 "kvxSkip");
    await tabTo("Getting started");
    assert.notEqual(await focusRing(), "none");
    await page.keyboard.press("Enter");
    await onScreen(page, "1_2");
    await tabTo("kvxNext");
    assert.notEqual(await focusRing(), "none");
    for (const id of ["1_3", "1_4q"]) {
        await page.keyboard.press("Enter");
        await onScreen(page, id);
    }
    // The question's options are radio buttons in the tab order, its submit anchor a button; Space picks
    // an option, Enter submits, Enter closes the feedback.
    const options = await page.$$eval("#lowerpanel [role=radio], #lowerpanel [role=button]",
                                      es => es.map(e => e.getAttribute("role") + ":" + e.getAttribute("tabindex")));
    assert.deepEqual(options, ["radio:0", "radio:0", "button:0"]);
    await tabTo("option0");
    await page.keyboard.press("Space");
    assert.equal(await page.$eval("#option0", e => e.getAttribute("aria-checked")), "true");
    await tabTo("done");
    await page.keyboard.press("Enter");
    await page.waitForSelector(".kvxFeedbackOk");
    assert.equal(await page.evaluate(() => document.activeElement.className), "kvxButton kvxFeedbackOk");
    await page.keyboard.press("Enter");
    await page.waitForFunction(() => !document.querySelector(".kvxFeedback"));
    await tabTo("kvxNext");
    await page.keyboard.press("Enter");
    await onScreen(page, "0_0m");
    await tabTo("Sound and vision");
    await page.keyboard.press("Enter");
    await onScreen(page, "1_6");
    await tabTo("kvxNext");
    await page.keyboard.press("Enter");
    await onScreen(page, "1_7");

    // Every button and link of the page has a name.
    const unnamed = await page.evaluate(() => [...document.querySelectorAll("button, a[href], [role=button]")]
        .filter(e => !e.closest("[hidden]"))
        .filter(e => !(e.getAttribute("aria-label") || e.textContent.trim() || (e.querySelector("img") || {}).alt))
        .map(e => e.outerHTML.slice(0, 80)));
    assert.deepEqual(unnamed, []);

    // Quit asks first; Escape keeps the learner in the course, Yes ends it.
    await tabTo("kvxQuit");
    await page.keyboard.press("Enter");
    await page.waitForSelector("[role=alertdialog]");
    assert.equal(await page.$eval("[role=alertdialog] .kvxConfirmText", e => e.textContent), "Do you want to leave the course?");
    await page.keyboard.press("Escape");
    await page.waitForFunction(() => !document.querySelector("[role=alertdialog]"));
    assert.equal(await page.evaluate(() => document.activeElement.id), "kvxQuit");
    await page.keyboard.press("Enter");
    await page.waitForSelector("[role=alertdialog]");
    await Promise.all([page.waitForNavigation(), page.keyboard.press("Enter")]);
    assert.match(page.url(), /content\/done\.htm$/);
    assert.equal(await page.$eval("h1", e => e.textContent), "You have finished the course.");
    clean(page, "walking with the keyboard");
    await page.close();
});

test("a learner who quits part way is offered to resume where they left off", async () => {
    const page = await openCourse("kvxPrefs.allowResume = true;");
    await press(page, "#kvxNext", "1_2");
    await press(page, "#kvxNext", "1_3");
    await page.click("#kvxQuit");
    await page.waitForSelector("[role=alertdialog]");
    await Promise.all([page.waitForNavigation(), page.keyboard.press("Enter")]);
    assert.match(page.url(), /content\/end\.htm$/, "left, not finished");
    assert.equal(await page.$eval("h1", e => e.textContent), "The course has ended.");
    await page.goto(server.base + "content/ind.htm", { waitUntil: "load" });
    await page.waitForSelector("[role=alertdialog]");
    await page.keyboard.press("Enter");
    await onScreen(page, "1_3");
    // The screens seen before count again.
    assert.equal(await page.$eval(".kvxProgress", e => e.getAttribute("aria-valuenow")), "50");
    clean(page, "resuming");
    await page.close();
});

test("axe-core finds no violation on the tour's page states; Escape closes the outline from inside its tree", async () => {
    const page = await openCourse();
    const found = await axeViolations(page, "menu");
    for (const id of ["1_2", "1_3", "1_4q", "1_6", "1_7"]) {
        await page.evaluate(to => kvx.gotoNewPage(to), id);
        await onScreen(page, id);
        found.push(...await axeViolations(page, id));
    }
    // A popup, the glossary and a question's feedback, each while it is open.
    await page.evaluate(() => kvx.gotoNewPage("1_2"));
    await onScreen(page, "1_2");
    await page.click("a[data-kvx-click*='kvx.popup']");
    await page.waitForSelector(".kvxPopup .kvxPopupScreen table.table1");
    found.push(...await axeViolations(page, "popup"));
    await page.keyboard.press("Escape");
    await page.click("a.glossaryLink");
    await page.waitForSelector(".kvxGlossary .kvxGlossaryTerm");
    found.push(...await axeViolations(page, "glossary"));
    await page.keyboard.press("Escape");
    await page.evaluate(() => kvx.gotoNewPage("1_4q"));
    await onScreen(page, "1_4q");
    await page.click("#kvxScreen #option1");
    await page.click("#kvxScreen .kvxDone");
    await page.waitForSelector(".kvxFeedbackOk");
    found.push(...await axeViolations(page, "feedback"));
    await page.click(".kvxFeedbackOk");
    // The outline, with the focus in its tree: Escape closes it and the focus returns to its button.
    await page.click("#kvxOutlineButton");
    const frame = await (await page.waitForSelector("#kvxOutline iframe")).contentFrame();
    await frame.waitForSelector(".kvxTree a");
    found.push(...await axeViolations(page, "outline"));
    await frame.focus(".kvxTree a");
    await page.keyboard.press("Escape");
    await page.waitForFunction(() => !document.getElementById("kvxOutline"), { timeout: 2000 });
    assert.equal(await page.evaluate(() => document.activeElement.id), "kvxOutlineButton");
    assert.deepEqual(found, [], "accessibility");
    clean(page, "checking the page states");
    await page.close();
});

test("after Start the first screen has the focus", async () => {
    const page = await newPage();
    await page.goto(server.base + "index.htm", { waitUntil: "load" });
    await Promise.all([page.waitForNavigation(), page.click("#kvxStartLink")]);
    await onScreen(page, "0_0m");
    assert.equal(await page.evaluate(() => document.activeElement.id), "kvxMain");
    await page.close();
});
