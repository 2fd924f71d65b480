"use strict";
// Takes the courses an author published in one session as learners and an LMS meet them, in Debian's
// headless Chromium:
//
//   node check_author_session.js STANDALONE WEB SCORM12 SCORM2004 PASS_MARK ANSWERS SHOTS
//
// STANDALONE: every screen of the course is shown in turn, with no console error and no missing file.
// SCORM12, SCORM2004: each package runs in a page that plays the LMS with scorm-again and launches the SCO
// its manifest names: all answers right pass (score 100, at least PASS_MARK), all wrong fail with 0.
// WEB: the course's PHP pages on php -S with the SQLite database: a learner registers, answers, and the
// database holds the learner with the result.
// ANSWERS is a JSON object: for a text found in a question screen, the right and the wrong answer as
// tests/runtime/lib/answer.js gives them. Pictures go to SHOTS. Exits 77 (skipped) without puppeteer-core or
// Chromium.
const fs = require("fs");
const os = require("os");
const path = require("path");
const { spawnSync } = require("child_process");

const lib = path.join(__dirname, "..", "..", "runtime", "lib");

const start = () => require(path.join(lib, "learner")).launchOrSkip(["puppeteer-core", "scorm-again"]);

const { freshPage, onScreen } = require(path.join(lib, "browser"));
const { give, go } = require(path.join(lib, "answer"));
const { serve } = require(path.join(lib, "serve"));

// The screens of the course in their order, and which of them ask a question.
const stops = page => page.evaluate(() => kvxRuntime.course.stops.slice());

// The answer set for the question on the screen shown, found by a text of the question.
async function answerFor(page, answers) {
    const text = await page.$eval("#kvxScreen", e => e.textContent);
    for (const [key, how] of Object.entries(answers))
        if (text.includes(key))
            return how;
    return null;
}

// Gives the answer, submits it and closes the feedback when there is one.
async function submit(page, how) {
    await give(page, how);
    await page.click("#kvxScreen #done, #kvxScreen .kvxDone");
    try {
        await page.waitForSelector(".kvxFeedbackOk", { timeout: 1500 });
        await page.click(".kvxFeedbackOk");
        await page.waitForFunction(() => !document.querySelector(".kvxFeedback"), { timeout: 2000 });
    } catch (e) {
        // No feedback window: the assessment keeps its answers to itself.
    }
}

// Answers every question screen of the course right or wrong; fails on a question it has no answer for.
async function answerAll(page, answers, right, failures, where) {
    let asked = 0;
    for (const id of await stops(page)) {
        if (!/q$/.test(id))
            continue;
        await go(page, id);
        const how = await answerFor(page, answers);
        if (!how) {
            failures.push(where + ": no answer known for the question of " + id);
            continue;
        }
        await submit(page, right ? how.right : how.wrong);
        ++asked;
    }
    if (asked !== Object.keys(answers).length)
        failures.push(where + ": " + asked + " questions answered, expected " + Object.keys(answers).length);
}

async function standalone(browser, folder, shots, failures) {
    const server = await serve(folder);
    try {
        const page = await freshPage(browser, server.base);
        await page.goto(server.base + "index.htm", { waitUntil: "load" });
        await page.waitForSelector("#kvxStartLink");
        await Promise.all([page.waitForNavigation(), page.click("#kvxStartLink")]);
        // Without server pages the sign-in page takes the learner's name as given.
        if (/signin\.htm$/.test(new URL(page.url()).pathname)) {
            await page.waitForSelector("#kvxNameRow:not([hidden])");
            await page.type("#kvxName", "Sam Learner");
            if (await page.$("#kvxPwdRow:not([hidden])"))
                await page.type("#kvxPwd", "fire drill 2026");
            await Promise.all([page.waitForNavigation(), page.click("#kvxSignInButton")]);
        }
        try {
            await page.waitForFunction(() => window.kvxRuntime && kvxRuntime.course && kvxRuntime.current, { timeout: 5000 });
        } catch (e) {
            throw new Error("the standalone course did not open: at " + page.url() + ": " +
                            (await page.evaluate(() => document.body.innerText)).slice(0, 400));
        }
        const ids = await stops(page);
        const titles = [];
        for (const id of ids) {
            await go(page, id);
            titles.push(await page.evaluate(() => document.getElementById("kvxMain").getAttribute("aria-label")));
        }
        console.log("standalone: " + ids.length + " screens: " + titles.join(" | "));
        for (const want of ["Before a fire starts", "Extinguishers", "Slide 1", "Slide 3", "Multiple Choice", "Fill in Blanks"])
            if (!titles.some(t => t && t.includes(want)))
                failures.push("standalone: no screen titled " + want);
        // The glossary link opens the glossary's entry.
        const extinguishers = ids[titles.findIndex(t => t && t.includes("Extinguishers"))];
        await go(page, extinguishers);
        await page.screenshot({ path: path.join(shots, "learner-standalone-extinguishers.png") });
        const link = await page.$("#kvxScreen a.kvxLink, #kvxScreen a[data-glossary], #kvxScreen a");
        if (!link)
            failures.push("standalone: the glossary link is missing");
        problems(page, "standalone", failures);
        await page.close();
    } finally {
        await server.close();
    }
}

function problems(page, where, failures) {
    for (const p of page.watcher.take().filter(p => !p.includes("/favicon.ico")))
        failures.push(where + ": " + p);
}

async function lms(browser, packages, passMark, answers, shots, failures) {
    const { writeLmsPage, record, versions } = require(path.join(lib, "lms"));
    const root = fs.mkdtempSync(path.join(os.tmpdir(), "corv-session-lms-"));
    const server = await (async () => {
        for (const [version, folder] of Object.entries(packages))
            fs.cpSync(folder, path.join(root, version), { recursive: true });
        writeLmsPage(root);
        return serve(root);
    })();
    try {
        for (const [version, v] of Object.entries(versions)) {
            const manifest = fs.readFileSync(path.join(root, version, "imsmanifest.xml"), "utf8");
            const m = /<resource\b[^>]*adlcp:scorm[Tt]ype="sco"[^>]*\bhref="([^"]+)"/.exec(manifest);
            if (!m) {
                failures.push(version + ": the manifest names no SCO");
                continue;
            }
            for (const right of [true, false]) {
                const where = "SCORM " + version + (right ? " right" : " wrong");
                const page = await freshPage(browser, server.base);
                await page.goto(server.base + "lms.htm", { waitUntil: "load" });
                await page.evaluate((ver, href) => window.startLms(ver, null, href), version, version + "/" + m[1]);
                const frame = await (await page.waitForSelector("#sco")).contentFrame();
                await frame.waitForSelector("#kvxStartLink");
                await Promise.all([frame.waitForNavigation(), frame.click("#kvxStartLink")]);
                await frame.waitForFunction(() => window.kvxRuntime && kvxRuntime.current, { timeout: 5000 });
                frame.watcher = page.watcher;
                await answerAll(frame, answers, right, failures, where);
                await page.screenshot({ path: path.join(shots, "learner-scorm" + version.replace(".", "") + (right ? "-right" : "-wrong") + ".png") });
                await frame.click("#kvxQuit");
                await frame.waitForSelector(".kvxConfirm");
                await frame.click(".kvxConfirm .kvxButton");
                await frame.waitForSelector(".kvxFinished");
                const { set, names } = await record(page);
                console.log(where + ": " + v.status + "=" + set[v.status] + " " + v.raw + "=" + set[v.raw]);
                const want = right ? ["passed", "100"] : ["failed", "0"];
                if (set[v.status] !== want[0] || set[v.raw] !== want[1])
                    failures.push(where + ": " + set[v.status] + " with " + set[v.raw] + ", expected " + want.join(" with "));
                if (right && Number(set[v.raw]) < Number(passMark))
                    failures.push(where + ": the score is under the pass mark");
                if (names[0] !== v.init || names[names.length - 1] !== v.finish)
                    failures.push(where + ": the session is not opened and closed: " + names.join(","));
                problems(page, where, failures);
                await page.close();
            }
        }
    } finally {
        await server.close();
        fs.rmSync(root, { recursive: true, force: true });
    }
}

async function web(browser, folder, answers, shots, failures) {
    const { phpSkipReason, startPhp } = require(path.join(lib, "php"));
    const skip = phpSkipReason();
    if (skip) {
        console.log("web: skipped, " + skip);
        return;
    }
    // The database lives beside the web folder by default.
    const database = path.join(path.dirname(folder), "corvessa-data", "corvessa.sqlite");
    fs.rmSync(database, { force: true });
    const server = await startPhp(folder);
    try {
        const page = await freshPage(browser, server.url);
        await page.goto(server.url + "content/ind.htm", { waitUntil: "load" });
        await page.waitForFunction(() => location.pathname.endsWith("/signin.htm"), { timeout: 5000 });
        await page.waitForSelector("#kvxRegisterRow:not([hidden])");
        await Promise.all([page.waitForNavigation(), page.click("#kvxRegisterRow a")]);
        await page.type("#kvxName", "Sam Learner");
        await page.type("#kvxPwd", "fire drill 2026");
        await page.type("#kvxPwd2", "fire drill 2026");
        await Promise.all([page.waitForNavigation(), page.click("#kvxRegisterButton")]);
        try {
            await page.waitForFunction(() => window.kvxRuntime && kvxRuntime.current, { timeout: 5000 });
        } catch (e) {
            throw new Error("the course did not open after registering: at " + page.url() + ": " +
                            (await page.evaluate(() => document.body.innerText)).slice(0, 400) + "\n" + server.log());
        }
        await answerAll(page, answers, true, failures, "web");
        await page.screenshot({ path: path.join(shots, "learner-web.png") });
        // The server keeps up with the course.
        const code = "$db = new PDO('sqlite:' . $argv[1]); echo json_encode($db->query('SELECT * FROM \"Table1\"')->fetchAll(PDO::FETCH_ASSOC));";
        let learners = [];
        for (let i = 0; i < 50; ++i) {
            if (fs.existsSync(database)) {
                const run = spawnSync("php", ["-r", code, database], { encoding: "utf8" });
                learners = run.status === 0 ? JSON.parse(run.stdout) : [];
                if (learners.length === 1 && learners[0].score > 0)
                    break;
            }
            await new Promise(r => setTimeout(r, 100));
        }
        console.log("web: learners " + JSON.stringify(learners.map(l => [l.name, l.score, l.status])));
        if (learners.length !== 1 || learners[0].name !== "Sam Learner" || !(learners[0].score > 0))
            failures.push("web: the database does not hold the learner's result: " + JSON.stringify(learners));
        problems(page, "web", failures);
        await page.close();
    } finally {
        server.child.kill();
    }
}

async function main() {
    const [standaloneFolder, webFolder, scorm12, scorm2004, passMark, answersJson, shots] = process.argv.slice(2);
    if (!shots) {
        console.log("usage: node check_author_session.js STANDALONE WEB SCORM12 SCORM2004 PASS_MARK ANSWERS SHOTS");
        process.exit(2);
    }
    const answers = JSON.parse(answersJson);
    fs.mkdirSync(shots, { recursive: true });
    const browser = await start();
    const failures = [];
    try {
        await standalone(browser, standaloneFolder, shots, failures);
        await lms(browser, { "1.2": scorm12, "2004": scorm2004 }, passMark, answers, shots, failures);
        await web(browser, webFolder, answers, shots, failures);
    } catch (e) {
        failures.push("the courses could not be taken: " + (e && e.stack ? e.stack : e));
    } finally {
        await browser.close();
    }
    if (failures.length) {
        console.log(failures.map(f => "FAIL: " + f).join("\n"));
        process.exit(1);
    }
    console.log("The published courses work as the learner and the LMS take them.");
}

main();
