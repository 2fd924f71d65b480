"use strict";
// Takes the assessment of a course published from the Settings window, in Debian's headless Chromium, as a
// learner does, to see the pass mark and the time limit the author set at work:
//
//   node check_assessment_course.js COURSE_FOLDER PASS_MARK SECONDS_FOR_ALL SHOTS_FOLDER
//
// The course asks two questions whose first option is the right one, and its result screens are titled
// "Well done" (passed) and "Not yet". Answering one right and one wrong scores 50 %, which must reach the
// pass mark; waiting on the first question until the time is up must end on "Not yet" with nothing scored. Exits 77 (skipped) when puppeteer-core or Chromium is missing.
const fs = require("fs");
const path = require("path");

const lib = path.join(__dirname, "..", "..", "runtime", "lib");

const start = () => require(path.join(lib, "learner")).launchOrSkip();

// The course page with the test's clock, on its first screen.
async function open(browser, server) {
    const { freshPage, onScreen, testClock } = require(path.join(lib, "browser"));
    const page = await freshPage(browser, server.base);
    await testClock(page);
    await page.goto(server.base + "content/ind.htm", { waitUntil: "load" });
    await page.waitForFunction(() => window.kvxRuntime && kvxRuntime.course && kvxRuntime.current, { timeout: 5000 });
    const first = await page.evaluate(() => kvxRuntime.course.stops[0]);
    await onScreen(page, first);
    return page;
}

async function next(page) {
    const from = await page.evaluate(() => kvxRuntime.current.id);
    await page.click("#kvxNext");
    await page.waitForFunction(old => kvxRuntime.current && kvxRuntime.current.id !== old &&
        document.getElementById("kvxScreen").getAttribute("aria-busy") === "false", { timeout: 5000 }, from);
    return page.evaluate(() => kvxRuntime.current.id);
}

const result = () => ({
    title: (document.getElementById("kvxMain") || { getAttribute: () => "" }).getAttribute("aria-label") || "",
    score: (document.querySelector(".kvxScore") || { textContent: "" }).textContent
});

async function main() {
    const [folder, passMark, seconds, shots] = process.argv.slice(2);
    if (!shots) {
        console.log("usage: node check_assessment_course.js COURSE_FOLDER PASS_MARK SECONDS_FOR_ALL SHOTS_FOLDER");
        process.exit(2);
    }
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
        let page = await open(browser, server);
        expect("the options", await page.evaluate(() => [kvxPrefs.assessment, kvxPrefs.assessPassMark,
            kvxPrefs.assessTimeLimit, kvxPrefs.assessTimeAll]), [true, Number(passMark), true, Number(seconds)]);
        // One right, one wrong, whichever question comes first.
        let answered = 0;
        for (let step = 0; step < 12 && !(await page.evaluate(result)).score; ++step) {
            const id = await next(page);
            if (!/q$/.test(id))
                continue;
            await page.click("#kvxScreen #option" + (answered++ === 0 ? 0 : 1));
            await page.click("#kvxScreen #done, #kvxScreen .kvxDone");
        }
        const passed = await page.evaluate(result);
        console.log("answered " + answered + ": " + JSON.stringify(passed));
        expect("questions answered", answered, 2);
        expect("the passed screen", passed.title.includes("Well done"), true);
        expect("the score", passed.score, "Your score is 50%. The pass mark is " + passMark + "%.");
        await page.screenshot({ path: path.join(shots, "assessment-passed.png") });
        expect("page problems", page.watcher.take(), []);
        await page.close();

        page = await open(browser, server);
        const id = await next(page);
        expect("the first question", /q$/.test(id), true);
        await page.evaluate(() => kvxRuntime.clock.advance(250));
        expect("the timer", await page.$eval("#kvxTimer", e => e.textContent), "Time left: 0:0" + seconds);
        await page.evaluate(ms => kvxRuntime.clock.advance(ms), Number(seconds) * 1000);
        await page.waitForFunction(() => !!document.querySelector(".kvxScore"), { timeout: 5000 });
        const late = await page.evaluate(result);
        console.log("out of time: " + JSON.stringify(late));
        expect("out of time", late.title.includes("Not yet") && late.score.startsWith("Your score is 0%."), true);
        await page.screenshot({ path: path.join(shots, "assessment-out-of-time.png") });
        expect("page problems", page.watcher.take(), []);
        await page.close();
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
    console.log("The pass mark and the time limit set on the Assessment page hold in the browser.");
}

main();
