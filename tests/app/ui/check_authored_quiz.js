"use strict";
// Answers the questions of a course an author made in the Edit window, in Debian's headless Chromium, once
// right and once wrong, and checks the feedback the learner is given each time:
//
//   node check_authored_quiz.js COURSE_FOLDER QUESTIONS_JSON SHOTS_FOLDER
//
// QUESTIONS_JSON is a list of { "find": text shown on the question's screen, "right": answer, "wrong": answer,
// "correct": feedback for a right answer, "incorrect": feedback for a wrong one }, with the answers as
// tests/runtime/lib/answer.js gives them. Every question screen of the course must be one of the list.
// Exits 77 (skipped) when puppeteer-core or Chromium is missing.
const fs = require("fs");
const path = require("path");

const lib = path.join(__dirname, "..", "..", "runtime", "lib");

const start = () => require(path.join(lib, "learner")).launchOrSkip();

const open = (browser, server) => require(path.join(lib, "learner")).openCourse(browser, server.base);

async function main() {
    const [folder, listed, shots] = process.argv.slice(2);
    if (!shots) {
        console.log("usage: node check_authored_quiz.js COURSE_FOLDER QUESTIONS_JSON SHOTS_FOLDER");
        process.exit(2);
    }
    const questions = JSON.parse(listed);
    fs.mkdirSync(shots, { recursive: true });
    const browser = await start();
    const { serve } = require(path.join(lib, "serve"));
    const { answer, go } = require(path.join(lib, "answer"));
    const server = await serve(folder);
    const failures = [];
    const expect = (what, got, want) => {
        if (JSON.stringify(got) !== JSON.stringify(want))
            failures.push(what + ": " + JSON.stringify(got) + ", expected " + JSON.stringify(want));
    };
    try {
        let page = await open(browser, server);
        const ids = (await page.evaluate(() => kvxRuntime.course.stops)).filter(id => /q$/.test(id));
        await page.close();
        expect("question screens", ids.length, questions.length);
        const seen = new Set();
        for (const id of ids) {
            for (const right of [true, false]) {
                page = await open(browser, server);
                await go(page, id);
                const shown = await page.$eval("#kvxScreen", e => e.textContent);
                const q = questions.find(q => shown.includes(q.find));
                if (!q) {
                    failures.push("screen " + id + " shows no listed question: " + JSON.stringify(shown));
                    await page.close();
                    break;
                }
                seen.add(q.find);
                const feedback = await answer(page, right ? q.right : q.wrong);
                console.log(id + " " + (right ? "right" : "wrong") + ": " + JSON.stringify(feedback));
                expect(q.find + (right ? " answered right" : " answered wrong"), feedback,
                       right ? q.correct : q.incorrect);
                await page.screenshot({ path: path.join(shots, id + (right ? "-right" : "-wrong") + ".png") });
                expect("page problems on " + id, page.watcher.take(), []);
                await page.close();
            }
        }
        expect("questions found", seen.size, questions.length);
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
    console.log("Every question answers as its author set it, right and wrong.");
}

main();
