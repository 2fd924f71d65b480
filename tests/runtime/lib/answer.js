"use strict";
// Answers the questions of lib/quiz.js in a course page the way a learner does: clicks, typing, drags
// by clicking a word and then its gap, marks on the picture, keys on the slider.
const { onScreen } = require("./browser");

async function give(page, how) {
    // A frame has no keyboard or mouse of its own: its page's serve.
    const input = page.keyboard ? page : page.page();
    if (how.choose)
        for (const k of how.choose)
            await page.click("#kvxScreen #option" + k);
    if (how.type)
        for (const [k, value] of how.type.entries())
            await page.type("#kvxScreen #option" + k, value);
    if (how.gaps)
        for (const [k, word] of how.gaps.entries()) {
            const tiles = await page.$$("#kvxScreen .kvxWordPool .drag");
            for (const tile of tiles)
                if ((await tile.evaluate(e => e.textContent)) === word) {
                    await tile.click();
                    break;
                }
            await page.click("#kvxScreen #target" + k);
        }
    if (how.pairs)
        for (const [k, to] of how.pairs.entries()) {
            await page.click("#kvxScreen #option" + k);
            await page.click("#kvxScreen #target" + to);
        }
    if (how.marks) {
        const box = await (await page.$("#kvxScreen #container")).boundingBox();
        for (const [x, y] of how.marks)
            await input.mouse.click(box.x + x, box.y + y);
    }
    if (how.keys) {
        await page.focus("#kvxScreen #SRdrag");
        for (const key of how.keys)
            await input.keyboard.press(key);
    }
    if (how.write)
        await page.type("#kvxScreen #optionFT", how.write);
}

// Answers the question on the screen, submits it and returns the feedback text (closing its window),
// or null when no feedback came.
async function answer(page, how, feedback = true) {
    await give(page, how);
    await page.click("#kvxScreen #done, #kvxScreen .kvxDone");
    if (!feedback)
        return null;
    await page.waitForSelector(".kvxFeedbackText", { timeout: 3000 });
    const text = await page.$eval(".kvxFeedbackText", e => e.textContent);
    await page.click(".kvxFeedbackOk");
    await page.waitForFunction(() => !document.querySelector(".kvxFeedback"), { timeout: 2000 });
    return text;
}

async function go(page, id) {
    await page.evaluate(want => kvx.gotoNewPage(want), id);
    await onScreen(page, id);
}

// Next, and Next again through the screens of a remediation group that opens on the way, up to the screen.
async function nextTo(page, id, through) {
    for (;;) {
        const from = await page.evaluate(() => kvxRuntime.current.id);
        await page.click("#kvxNext");
        await page.waitForFunction(old => kvxRuntime.current && kvxRuntime.current.id !== old &&
            document.getElementById("kvxScreen").getAttribute("aria-busy") === "false", { timeout: 5000 }, from);
        const here = await page.evaluate(() => kvxRuntime.current.id);
        if (here === id)
            return;
        if (!through.includes(here))
            throw new Error("Next led to " + here + " on the way to " + id);
    }
}

module.exports = { give, answer, go, nextTo };
