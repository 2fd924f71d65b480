"use strict";
// The quiz, published by the program, in headless Chromium: every question kind answered right and wrong
// by a learner, with the feedback the options ask for read from the page; the score and the final screens
// of the assessment; retries; remediation; the answers of a course that is left and resumed.
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("fs");
const path = require("path");
const { serve } = require("./lib/serve");
const course = require("./lib/course");
const quiz = require("./lib/quiz");
const { answer, give, go, nextTo } = require("./lib/answer");
const { launch, freshPage, onScreen, replaceScripts, testClock } = require("./lib/browser");

const shots = process.env.CORV_RUNTIME_OUT || path.join(course.repo, "build", "tests", "runtime");
let work, server, browser;

before(async () => {
    work = course.publish("quiz", "standalone");
    server = await serve(path.join(work, "out"));
    browser = await launch();
});

after(() => course.closeAll({ browser, server, root: work }));

// The course page with lines added to its options script.
async function open(options, clock = false) {
    const page = await freshPage(browser, server.base);
    if (clock)
        await testClock(page);
    const prefs = path.join(work, "out", "content", "scripts", "course_prefs.js");
    await replaceScripts(page, { "/content/scripts/course_prefs.js": () => fs.readFileSync(prefs, "utf8") + "\n" + (options || "") + "\n" });
    await page.goto(server.base + "content/ind.htm", { waitUntil: "load" });
    await onScreen(page, quiz.welcome);
    return page;
}

function clean(page, what) {
    assert.deepEqual(page.watcher.take(), [], "problems while " + what);
}

const panel = "#kvxScreen #panellower, #kvxScreen .kvxFreeForm";

test("every question kind answered right: the feedback says so and the score is 100", async () => {
    const page = await open();
    for (const [id, q] of Object.entries(quiz.questions)) {
        await go(page, id);
        // Next waits for the answer when the options disable it.
        assert.equal(await page.$eval("#kvxNext", b => b.disabled), true, q.kind + ": Next before the answer");
        assert.equal(await answer(page, q.right), quiz.feedback(id, true), q.kind);
        assert.equal(await page.$eval(panel, e => e.classList.contains("kvxRight")), true, q.kind);
        assert.equal(await page.$eval("#kvxNext", b => b.disabled), false, q.kind + ": Next after the answer");
        if (id === "0_9q")
            await shotOf(page, "pairs");
        clean(page, "answering " + q.kind);
    }
    assert.deepEqual(await page.evaluate(() => [kvxRuntime.score(), kvxRuntime.success()]), [100, "passed"]);
    await page.close();
});

test("every question kind answered wrong: the feedback says so, the correct answer is shown and the score is 0", async () => {
    const page = await open();
    for (const [id, q] of Object.entries(quiz.questions)) {
        await go(page, id);
        assert.equal(await answer(page, q.wrong), quiz.feedback(id, false), q.kind);
        const state = await page.$eval(panel, e => [e.classList.contains("kvxWrong"), e.classList.contains("kvxLocked")]);
        assert.deepEqual(state, [true, true], q.kind + ": marked wrong and closed");
        if (q.kind === "parts")
            assert.equal(await page.$$eval("#kvxScreen .kvxPartShown", e => e.length), 2, "the parts are shown");
        else
            assert.ok(await page.$("#kvxScreen .kvxShowCorrect"), q.kind + ": the correct answer is shown");
        if (q.kind === "blanks")
            assert.equal(await page.$eval("#kvxScreen .kvxShowCorrect", e => e.textContent), "Correct answer:  fledgling / chick");
        clean(page, "answering " + q.kind);
    }
    assert.match(await page.$eval("#kvxScreen .kvxShowCorrect", e => e.textContent), /beak.*regurgitates \/ brings up/);
    assert.deepEqual(await page.evaluate(() => [kvxRuntime.score(), kvxRuntime.success()]), [0, "failed"]);
    await page.close();
});

test("answers that need no exact form: case, spaces, another accepted word, repeated words, a word inside another word", async () => {
    const page = await open();
    await go(page, "0_7q");
    // Case and surrounding blanks do not matter in blanks, and a blank may take either of its words.
    assert.equal(await answer(page, { type: ["  CHICK", " Fly "] }), "Well typed!");
    await go(page, "0_12q");
    // Whole words only: "beaks" is no "beak".
    assert.equal(await answer(page, { write: "It regurgitates food into the beaks." }), quiz.feedback("0_12q", false));
    await page.close();
});

test("multiple attempts: a wrong answer may be tried again and the first attempt counts", async () => {
    const page = await open("kvxPrefs.showCorrect = false;\nkvxPrefs.multiAttempt = true;");
    const q = quiz.questions["0_1q"];
    await go(page, "0_1q");
    assert.equal(await answer(page, q.wrong), quiz.feedback("0_1q", false));
    assert.equal(await page.$("#kvxScreen .kvxShowCorrect"), null, "no answer given away");
    assert.equal(await page.$eval("#kvxScreen #panellower", e => e.classList.contains("kvxLocked")), false);
    assert.equal(await answer(page, q.right), quiz.feedback("0_1q", true));
    assert.equal(await page.$eval("#kvxScreen #panellower", e => e.classList.contains("kvxLocked")), true);
    assert.deepEqual(await page.evaluate(() => [kvxRuntime.results["0_1q"].attempts, kvxRuntime.results["0_1q"].firstRight]), [2, false]);
    // Submitting nothing is no attempt.
    await go(page, "0_2q");
    await page.click("#kvxScreen #done");
    assert.equal(await page.$eval("#kvxScreen .kvxQuestionMessage", e => e.textContent), "Answer the question first.");
    assert.equal(await page.evaluate(() => kvxRuntime.results["0_2q"]), undefined);
    await page.close();
});

test("without feedback, automatic progress after the submit button; without the button, the answer counts on leaving", async () => {
    let page = await open("kvxPrefs.showFeedback = false;\nkvxPrefs.autoProgressOnDone = true;");
    await go(page, "0_6q");
    await answer(page, quiz.questions["0_6q"].right, false);
    await onScreen(page, "0_7q");
    await page.close();

    page = await open("kvxPrefs.doneVisible = false;");
    await go(page, "0_6q");
    assert.equal(await page.$eval("#kvxScreen #done", e => e.hidden), true);
    assert.equal(await page.$eval("#kvxNext", b => b.disabled), true, "Next waits for an answer");
    await give(page, quiz.questions["0_6q"].right);
    assert.equal(await page.$eval("#kvxNext", b => b.disabled), false);
    await page.click("#kvxNext");
    await onScreen(page, "0_7q");
    assert.equal(await page.evaluate(() => kvxRuntime.results["0_6q"].right), true);
    clean(page, "answering without the submit button");
    await page.close();
});

test("the remediation group opens after its trigger while its questions stay below the pass mark, then leads on", async () => {
    const page = await open();
    const [first, second] = quiz.remediation;
    await go(page, "0_1q");
    await answer(page, quiz.questions["0_1q"].wrong);
    await page.click("#kvxNext");
    await onScreen(page, "0_2q");
    await answer(page, quiz.questions["0_2q"].right);
    await page.click("#kvxNext");
    await onScreen(page, first);
    await page.click("#kvxNext");
    await onScreen(page, second);
    await page.click("#kvxBack");
    await onScreen(page, first);
    // Leaving it early goes back to the screen before it.
    await page.click("#kvxBack");
    await onScreen(page, "0_2q");
    await page.click("#kvxNext");
    await onScreen(page, first);
    await page.click("#kvxNext");
    await onScreen(page, second);
    // Completed: on from the trigger as if there had been none.
    await page.click("#kvxNext");
    await onScreen(page, "0_6q");
    // The remediation screens are not in the course's order of screens.
    const stops = await page.evaluate(() => kvxRuntime.course.stops);
    assert.equal(stops.includes(first), false);
    clean(page, "going through the remediation");
    await page.close();
});

test("assessment: random order, a pool, no way back, the final screen for the result", async () => {
    const options = "kvxPrefs.assessment = true;\nkvxPrefs.assessRandom = true;\nkvxPrefs.assessNumQuestions = 3;\n" +
                    "kvxPrefs.assessFeedback = true;\nkvxPrefs.assessBackEnabled = false;\nkvxPrefs.assessPassMark = 60;";
    const page = await open(options);
    const stops = await page.evaluate(() => kvxRuntime.course.stops);
    const questions = stops.filter(id => /q$/.test(id));
    assert.equal(questions.length, 3, stops.join(" "));
    assert.deepEqual(stops.filter(id => !/q$/.test(id)), [quiz.welcome, quiz.end]);
    let n = 0;
    for (const id of questions) {
        // The remediation group follows its trigger when that is drawn.
        await nextTo(page, id, quiz.remediation);
        assert.equal(await page.$eval("#kvxBack", b => b.disabled), true, "no Back in the assessment");
        const ok = n++ > 0;
        const expected = id === "0_7q" ? quiz.feedback(id, ok) : (ok ? "Correct." : "Incorrect.");
        assert.equal(await answer(page, ok ? quiz.questions[id].right : quiz.questions[id].wrong), expected, id);
    }
    await nextTo(page, quiz.end, quiz.remediation);
    await page.click("#kvxNext");
    await onScreen(page, quiz.passed);
    assert.equal(await page.$eval(".kvxScore", e => e.textContent), "Your score is 67%. The pass mark is 60%.");
    assert.equal(await page.$eval("#kvxBack", b => b.disabled), true);
    await shotOf(page, "assessment");
    clean(page, "taking the assessment");
    await page.close();
});

test("assessment time for all questions: when it runs out the rest count as wrong and the result screen follows", async () => {
    const page = await open("kvxPrefs.assessment = true;\nkvxPrefs.assessRandom = false;\nkvxPrefs.assessTimeLimit = true;\n" +
                            "kvxPrefs.assessTimeAll = 2;", true);
    await page.click("#kvxNext");
    await onScreen(page, "0_1q");
    await page.evaluate(() => kvxRuntime.clock.advance(250));
    assert.equal(await page.$eval("#kvxTimer", e => e.textContent), "Time left: 0:02");
    await page.evaluate(() => kvxRuntime.clock.advance(1000));
    assert.equal(await page.$eval("#kvxTimer", e => e.textContent), "Time left: 0:01");
    assert.equal(await page.evaluate(() => kvxRuntime.current.id), "0_1q", "not before the time is up");
    await page.evaluate(() => kvxRuntime.clock.advance(1000));
    await onScreen(page, quiz.failed);
    assert.match(await page.$eval(".kvxScore", e => e.textContent), /^Your score is 0%\./);
    await page.close();
});

test("assessment time for each question: when it runs out the answer counts as it stands and the next question follows", async () => {
    const page = await open("kvxPrefs.assessment = true;\nkvxPrefs.assessRandom = false;\nkvxPrefs.assessTimeLimit = true;\n" +
                            "kvxPrefs.assessTimeEach = 1;", true);
    await page.click("#kvxNext");
    await onScreen(page, "0_1q");
    await give(page, quiz.questions["0_1q"].right);
    await page.evaluate(() => kvxRuntime.clock.advance(1000));
    await onScreen(page, "0_2q");
    // The answer given counts as it stood when the time ran out.
    assert.deepEqual(await page.evaluate(() => [kvxRuntime.results["0_1q"].right, document.getElementById("kvxTimer").hidden]),
                     [true, false]);
    // No answer at all is a wrong one (and the remediation group after the second question follows).
    await page.evaluate(() => kvxRuntime.clock.advance(1000));
    await onScreen(page, quiz.remediation[0]);
    assert.equal(await page.evaluate(() => kvxRuntime.results["0_2q"].right), false);
    clean(page, "running out of time");
    await page.close();
});

test("a learner who leaves and comes back keeps the answers and the score", async () => {
    const page = await open();
    await go(page, "0_1q");
    await answer(page, quiz.questions["0_1q"].right);
    await go(page, "0_2q");
    await answer(page, quiz.questions["0_2q"].wrong);
    await page.goto(server.base + "content/ind.htm", { waitUntil: "load" });
    await page.waitForSelector(".kvxConfirm");
    await page.click(".kvxConfirm .kvxButton");
    await onScreen(page, "0_2q");
    assert.deepEqual(await page.evaluate(() => [kvxRuntime.results["0_1q"].right, kvxRuntime.results["0_2q"].right]), [true, false]);
    assert.equal(await page.$eval("#kvxScreen #panellower", e => e.classList.contains("kvxWrong") && e.classList.contains("kvxLocked")), true);
    await page.close();
});

async function shotOf(page, name) {
    fs.mkdirSync(shots, { recursive: true });
    await page.screenshot({ path: path.join(shots, name + ".png") });
}
