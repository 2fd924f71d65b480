"use strict";
// Takes a published quiz twice in Debian's headless Chromium, as a learner does: once answering every
// question right, once every question wrong, and checks the score the result screen shows each time:
//
//   node check_question_course.js COURSE_FOLDER ANSWERS_JSON SHOTS_FOLDER
//
// ANSWERS_JSON maps the kind of each question to how it is answered right and wrong, in lib/answer.js's
// terms: {"pairs": {"right": {...}, "wrong": {...}}, "parts": ..., "words": ..., "slider": ...}. A question
// screen of another kind (the Flash question) is passed without an answer. The course's result screens
// are titled "Well done" and "Not yet" and its pass mark is 50 %. Exits 77 (skipped) when puppeteer-core
// or Chromium is missing.
const fs = require("fs");
const path = require("path");

const lib = path.join(__dirname, "..", "..", "runtime", "lib");

const start = () => require(path.join(lib, "learner")).launchOrSkip();

const open = (browser, server) => require(path.join(lib, "learner")).openCourse(browser, server.base);

async function next(page) {
    const from = await page.evaluate(() => kvxRuntime.current.id);
    await page.click("#kvxNext");
    await page.waitForFunction(old => kvxRuntime.current && kvxRuntime.current.id !== old &&
        document.getElementById("kvxScreen").getAttribute("aria-busy") === "false", { timeout: 5000 }, from);
    return page.evaluate(() => kvxRuntime.current.id);
}

// The kind of question on the screen, from what the learner is given to answer with.
const kindShown = () => {
    const has = s => !!document.querySelector("#kvxScreen " + s);
    if (has("#SRdrag"))
        return "slider";
    if (has("#optionFT"))
        return "words";
    if (has("#container"))
        return "parts";
    if (has("#target0") && has("#option0"))
        return "pairs";
    return "";
};

const result = () => ({
    title: (document.getElementById("kvxMain") || { getAttribute: () => "" }).getAttribute("aria-label") || "",
    score: (document.querySelector(".kvxScore") || { textContent: "" }).textContent
});

// Goes through the course answering each question the given way; the kinds answered and the result.
async function take(browser, server, answers, way, shots) {
    const { give } = require(path.join(lib, "answer"));
    const page = await open(browser, server);
    const kinds = [];
    for (let step = 0; step < 16 && !(await page.evaluate(result)).score; ++step) {
        await next(page);
        const kind = await page.evaluate(kindShown);
        if (!kind || !answers[kind])
            continue;
        kinds.push(kind);
        await give(page, answers[kind][way]);
        await page.screenshot({ path: path.join(shots, "question-course-" + kind + "-" + way + ".png") });
        await page.click("#kvxScreen #done, #kvxScreen .kvxDone");
        // With feedback on, its window is closed as the learner closes it.
        const ok = await page.$(".kvxFeedbackOk");
        if (ok) {
            await ok.click();
            await page.waitForFunction(() => !document.querySelector(".kvxFeedback"), { timeout: 2000 });
        }
    }
    const shown = await page.evaluate(result);
    await page.screenshot({ path: path.join(shots, "question-course-result-" + way + ".png") });
    const problems = page.watcher.take();
    await page.close();
    return { kinds, shown, problems };
}

async function main() {
    const [folder, answersJson, shots] = process.argv.slice(2);
    if (!shots) {
        console.log("usage: node check_question_course.js COURSE_FOLDER ANSWERS_JSON SHOTS_FOLDER");
        process.exit(2);
    }
    const answers = JSON.parse(answersJson);
    fs.mkdirSync(shots, { recursive: true });
    const browser = await start();
    const { serve } = require(path.join(lib, "serve"));
    const server = await serve(folder);
    const failures = [];
    const expect = (what, got, want) => {
        if (JSON.stringify(got) !== JSON.stringify(want))
            failures.push(what + ": " + JSON.stringify(got) + ", expected " + JSON.stringify(want));
    };
    try {
        const all = Object.keys(answers).sort();
        const right = await take(browser, server, answers, "right", shots);
        console.log("right: " + JSON.stringify(right));
        expect("questions answered right", right.kinds.slice().sort(), all);
        expect("the passed screen", right.shown.title.includes("Well done"), true);
        expect("the score when right", right.shown.score, "Your score is 100%. The pass mark is 50%.");
        expect("page problems", right.problems, []);

        const wrong = await take(browser, server, answers, "wrong", shots);
        console.log("wrong: " + JSON.stringify(wrong));
        expect("questions answered wrong", wrong.kinds.slice().sort(), all);
        expect("the failed screen", wrong.shown.title.includes("Not yet"), true);
        expect("the score when wrong", wrong.shown.score, "Your score is 0%. The pass mark is 50%.");
        expect("page problems", wrong.problems, []);
    } catch (e) {
        failures.push("the course could not be taken: " + (e && e.stack ? e.stack : e));
    } finally {
        await browser.close();
        await server.close();
    }
    if (failures.length) {
        console.log(failures.map(f => "FAIL: " + f).join("\n"));
        process.exit(1);
    }
    console.log("Every question scored as answered, right and wrong.");
}

main();
