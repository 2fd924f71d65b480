"use strict";
// The quiz, published by the program as an LMS package for SCORM 1.2 and for 2004, runs in headless
// Chromium inside a page that plays the LMS with the SCORM API of scorm-again and launches the package's
// SCO as its manifest names it: all answers right pass with 100, all wrong fail with 0; the calls the
// course made are checked (status, score, session time, suspend data, interactions, exit, the closing
// call); a course closed and opened again with the stored data resumes at its last screen.
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { serve } = require("./lib/serve");
const course = require("./lib/course");
const quiz = require("./lib/quiz");
const { answer, nextTo } = require("./lib/answer");
const { launch, freshPage, onScreen, replaceScripts } = require("./lib/browser");
const { writeLmsPage, record, versions } = require("./lib/lms");

let root, server, browser;
const works = [];

// The package of each version under its own folder, beside the LMS page.
before(async () => {
    root = fs.mkdtempSync(path.join(os.tmpdir(), "corv-lms-"));
    for (const version of ["12", "2004"]) {
        const work = course.publish("quiz", "scorm" + version);
        works.push(work);
        fs.cpSync(path.join(work, "out"), path.join(root, "scorm" + version), { recursive: true });
    }
    writeLmsPage(root);
    server = await serve(root);
    browser = await launch();
});

after(async () => {
    await course.closeAll({ browser, server, root });
    works.forEach(course.remove);
});

const folder = version => (version === "1.2" ? "scorm12" : "scorm2004");

// The SCO the package's manifest names, as the LMS launches it.
function sco(version) {
    const manifest = fs.readFileSync(path.join(root, folder(version), "imsmanifest.xml"), "utf8");
    const m = /<resource\b[^>]*adlcp:scorm[Tt]ype="sco"[^>]*\bhref="([^"]+)"/.exec(manifest);
    assert.ok(m, "the manifest names a SCO");
    return folder(version) + "/" + m[1];
}

// The LMS page; lines added to the options script of the version's course when given.
async function lmsTab(version, options) {
    const page = await freshPage(browser, server.base);
    if (options) {
        const prefs = "/" + folder(version) + "/content/scripts/course_prefs.js";
        await replaceScripts(page, { [prefs]: () => fs.readFileSync(path.join(root, prefs), "utf8") + "\n" + options + "\n" });
    }
    await page.goto(server.base + "lms.htm", { waitUntil: "load" });
    return page;
}

// The learner starts the course from the package's start page, inside the LMS's frame. The launched page
// has opened the session before any click.
async function startCourse(page, version) {
    const frame = await (await page.waitForSelector("#sco")).contentFrame();
    await frame.waitForSelector("#kvxStartLink");
    if (version) {
        await page.waitForFunction(() => window.calls.length > 0);
        assert.deepEqual((await page.evaluate(() => window.calls)).map(c => c[0]), [versions[version].init],
                         "the launched page initialises on load");
    }
    await Promise.all([frame.waitForNavigation(), frame.click("#kvxStartLink")]);
    await frame.waitForFunction(() => window.kvxRuntime && kvxRuntime.current);
    return frame;
}

async function openLms(version, stored, options) {
    const page = await lmsTab(version, options);
    await page.evaluate((v, s, href) => window.startLms(v, s, href), version, stored || null, sco(version));
    return { page, frame: await startCourse(page, version) };
}


// Answers every question right or wrong, walking the course with Next (and through the remediation that a
// wrong walk opens), up to the end of the course.
async function takeCourse(frame, right) {
    await onScreen(frame, quiz.welcome);
    for (const [id, q] of Object.entries(quiz.questions)) {
        await nextTo(frame, id, quiz.remediation);
        await answer(frame, right ? q.right : q.wrong);
    }
    await nextTo(frame, quiz.end, quiz.remediation);
}

async function quit(frame) {
    await frame.click("#kvxQuit");
    await frame.waitForSelector(".kvxConfirm");
    await frame.click(".kvxConfirm .kvxButton");
    await frame.waitForSelector(".kvxFinished");
}

for (const [version, v] of Object.entries(versions)) {
    test("SCORM " + version + ": all answers right pass with 100; the course reports, records and closes", async () => {
        const { page, frame } = await openLms(version);
        await takeCourse(frame, true);
        await quit(frame);
        const { set, names, calls } = await record(page);
        assert.equal(names[0], v.init);
        assert.equal(names.filter(n => n === v.init).length, 1, "one session from the launch page to the end");
        assert.equal(names[names.length - 1], v.finish);
        assert.equal(names.filter(n => n === v.finish).length, 1, "closed once");
        assert.equal(set[v.status], "passed");
        assert.equal(set[v.raw], "100");
        if (version === "2004") {
            assert.equal(set["cmi.score.scaled"], "1");
            assert.equal(set["cmi.completion_status"], "completed");
        }
        assert.match(set[v.time], v.timeForm);
        assert.equal(set[v.exit], "suspend");
        assert.equal(set[v.location], quiz.end);
        assert.ok(set["cmi.suspend_data"].length > 0 && set["cmi.suspend_data"].length <= v.limit);
        // One interaction per question, each marked right, the choices as their letters.
        const results = Object.entries(set).filter(([k]) => /^cmi\.interactions\.\d+\.result$/.test(k)).map(([, r]) => r);
        assert.deepEqual(results, Array(Object.keys(quiz.questions).length).fill("correct"));
        const ids = Object.entries(set).filter(([k]) => /^cmi\.interactions\.\d+\.id$/.test(k)).map(([, r]) => r);
        const several = ids.indexOf("q0_2q");
        assert.equal(set["cmi.interactions." + several + "." + v.response], version === "1.2" ? "a,c" : "a[,]c");
        assert.deepEqual(await frame.evaluate(() => kvxRuntime.lms.errors), []);
        // Suspend data that would pass the version's limit loses its least needed parts and stays whole.
        const big = await frame.evaluate(limit => {
            const results = {};
            for (let i = 0; i < 4000; ++i)
                results[i + "_" + i + "q"] = [1, 1, 1, 1, "multipleChoice"];
            const text = kvxRuntime.lms.encodeState(new Set(kvxRuntime.course.stops), { r: results, o: ["0_1q"] });
            return [text.length <= limit, JSON.parse(text).s.r !== undefined];
        }, v.limit);
        assert.deepEqual(big, [true, true]);
        assert.deepEqual(page.watcher.take(), [], "problems while taking the course");
        void calls;
        await page.close();
    });

    test("SCORM " + version + ": all answers wrong fail with 0", async () => {
        const { page, frame } = await openLms(version);
        await takeCourse(frame, false);
        await quit(frame);
        const { set } = await record(page);
        assert.equal(set[v.status], "failed");
        assert.equal(set[v.raw], "0");
        const results = Object.entries(set).filter(([k]) => /^cmi\.interactions\.\d+\.result$/.test(k)).map(([, r]) => r);
        assert.deepEqual([...new Set(results)], [version === "1.2" ? "wrong" : "incorrect"]);
        assert.deepEqual(page.watcher.take(), [], "problems while taking the course");
        await page.close();
    });
}

test("closed half way and opened again with the stored data, the course resumes at its last screen with its answers", async () => {
    for (const [version, v] of Object.entries(versions)) {
        const first = await openLms(version);
        await onScreen(first.frame, quiz.welcome);
        for (const id of ["0_1q", "0_2q"]) {
            await first.frame.click("#kvxNext");
            await onScreen(first.frame, id);
            await answer(first.frame, quiz.questions[id].right);
        }
        await first.frame.click("#kvxNext");
        await onScreen(first.frame, "0_6q");
        // The learner quits part way (1.2) or closes the window (2004): either way the session is closed
        // with the course not complete.
        if (version === "1.2")
            await quit(first.frame);
        else
            await first.page.evaluate(() => document.getElementById("sco").remove());
        const { set, names } = await record(first.page);
        assert.equal(names[names.length - 1], v.finish, version + ": closed when the page went away");
        assert.equal(set[version === "1.2" ? v.status : "cmi.completion_status"], "incomplete", version);
        assert.equal(set[v.exit], "suspend");
        await first.page.close();

        const stored = version === "1.2"
            ? { core: { entry: "resume", lesson_location: set[v.location], lesson_status: set[v.status] }, suspend_data: set["cmi.suspend_data"] }
            : { entry: "resume", location: set[v.location], suspend_data: set["cmi.suspend_data"] };
        const again = await openLms(version, stored);
        await onScreen(again.frame, "0_6q");
        assert.deepEqual(await again.frame.evaluate(() => [kvxRuntime.results["0_1q"].right, kvxRuntime.results["0_2q"].right,
                                                         kvxRuntime.visited.has("0_1q")]), [true, true, true], version);
        assert.deepEqual(again.page.watcher.take(), [], "problems while resuming " + version);
        await again.page.close();
    }
});

test("with sign-in set, the package's start page leads into the course: the LMS has signed the learner in", async () => {
    const { page, frame } = await openLms("2004", null, "kvxPrefs.signin = true;");
    assert.ok(!/signin\.htm$/.test(new URL(frame.url()).pathname));
    await onScreen(frame, quiz.welcome);
    assert.deepEqual(page.watcher.take(), []);
    await page.close();
});

test("SCORM 1.2: a lesson the LMS holds as passed keeps its status and score when protected", async () => {
    const stored = { core: { entry: "ab-initio", lesson_status: "passed", score: { raw: "90" } } };
    const { page, frame } = await openLms("1.2", stored, "kvxPrefs.LMSProtectPassedStatus = true;");
    await frame.click("#kvxNext");
    await onScreen(frame, "0_1q");
    await answer(frame, quiz.questions["0_1q"].wrong);
    await quit(frame);
    const { set } = await record(page);
    assert.equal(set["cmi.core.lesson_status"], undefined);
    assert.equal(set["cmi.core.score.raw"], undefined);
    assert.equal(set["cmi.core.exit"], "suspend");
    await page.close();
});

test("an LMS that refuses calls does not stop the course", async () => {
    const page = await lmsTab("1.2");
    // An API whose every call fails or throws.
    await page.evaluate(href => {
        window.API = {
            LMSInitialize: () => "true", LMSGetValue: () => "", LMSSetValue: () => "false",
            LMSCommit: () => { throw new Error("connection lost"); }, LMSFinish: () => "false",
            LMSGetLastError: () => "101", LMSGetErrorString: () => "General exception", LMSGetDiagnostic: () => ""
        };
        const frame = document.createElement("iframe");
        frame.id = "sco";
        frame.src = href;
        frame.style.width = "1060px";
        frame.style.height = "760px";
        document.body.append(frame);
    }, sco("1.2"));
    const frame = await startCourse(page);
    await onScreen(frame, quiz.welcome);
    await frame.click("#kvxNext");
    await onScreen(frame, "0_1q");
    await answer(frame, quiz.questions["0_1q"].right);
    await frame.click("#kvxNext");
    await onScreen(frame, "0_2q");
    assert.ok((await frame.evaluate(() => kvxRuntime.lms.errors.length)) > 0);
    // The refusals are warnings of the course, not errors of the page.
    assert.deepEqual(page.watcher.take(), []);
    await page.close();
});

// A learner who opens the course and leaves it at its start page has had a session: the launched page
// opened it on load and closes it when it goes, once, with the time spent and without any result.
test("opened and left at the start page, the course still opens and closes its session", async () => {
    for (const [version, v] of Object.entries(versions)) {
        const page = await lmsTab(version);
        await page.evaluate((ver, href) => window.startLms(ver, null, href), version, sco(version));
        const frame = await (await page.waitForSelector("#sco")).contentFrame();
        await frame.waitForSelector("#kvxStartLink");
        await page.waitForFunction(() => window.calls.length > 0);
        await page.evaluate(() => document.getElementById("sco").remove());
        const { set, names } = await record(page);
        assert.equal(names[0], v.init, version);
        assert.deepEqual(names.filter(n => n === v.init || n === v.finish), [v.init, v.finish], version);
        assert.match(set[v.time], v.timeForm, version);
        assert.equal(set[v.status], undefined, version + ": no result for a course not begun");
        assert.deepEqual(page.watcher.take(), [], "problems at the start page " + version);
        await page.close();
    }
});
