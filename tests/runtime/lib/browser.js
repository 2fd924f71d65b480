"use strict";
// Debian's Chromium, headless, driven by puppeteer-core.
const fs = require("fs");
const os = require("os");
const path = require("path");

function chromiumPath() {
    return process.env.CORV_CHROMIUM || "/usr/bin/chromium";
}

async function launch() {
    const puppeteer = require("puppeteer-core");
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "corv-chromium-"));
    const browser = await puppeteer.launch({
        executablePath: chromiumPath(),
        headless: true,
        userDataDir: profile,
        args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
               "--disable-background-networking", "--disable-component-update", "--disable-sync",
               "--autoplay-policy=no-user-gesture-required", "--window-size=1100,800"],
        timeout: 20000
    });
    const close = browser.close.bind(browser);
    browser.close = async () => {
        await close();
        fs.rmSync(profile, { recursive: true, force: true });
    };
    return browser;
}

// Everything that went wrong while a page was loaded and used: console errors, uncaught exceptions,
// requests that failed or were answered with an error status.
function watch(page) {
    const problems = [];
    const requested = [];
    page.on("request", r => requested.push(new URL(r.url()).pathname));
    page.on("console", m => {
        if (m.type() === "error")
            problems.push("console: " + m.text() + " " + JSON.stringify(m.location()));
    });
    page.on("pageerror", e => problems.push("exception: " + e.message));
    page.on("requestfailed", r => {
        const why = r.failure() ? r.failure().errorText : "";
        // A request that the browser abandons itself (a media element that has read enough, a page
        // left behind) is no failure of the course.
        if (why !== "net::ERR_ABORTED")
            problems.push("request failed: " + r.url() + " " + why);
    });
    page.on("response", r => {
        if (r.status() >= 400)
            problems.push("HTTP " + r.status() + ": " + r.url());
    });
    return {
        problems,
        requested,
        take() {
            return problems.splice(0);
        }
    };
}

// Runs in every document of a test page before its own scripts: a page of the course without its
// content security policy, or whose policy allows eval or inline script, and every report of a violation of
// the policy, is a console error and so a problem of the watch: a handler or statement of a screen run as
// script would be reported here.
function policyWatch() {
    document.addEventListener("securitypolicyviolation", e => {
        console.error("content security policy violation: " + e.violatedDirective + " blocked " + e.blockedURI +
                      " in " + location.pathname + (e.sample ? " (" + e.sample + ")" : ""));
    }, true);
    document.addEventListener("DOMContentLoaded", () => {
        const policy = document.querySelector("meta[http-equiv='Content-Security-Policy' i]");
        const script = /(^|;)\s*script-src\s[^;]*/.exec(policy ? policy.content : "");
        if (!/^https?:|^file:/.test(location.protocol))
            return;
        if (!script)
            console.error("no content security policy for scripts in " + location.pathname);
        else if (/unsafe-eval/.test(script[0]))
            console.error("the content security policy of " + location.pathname + " allows eval");
        // A page of the course runs no inline script; only the test's own LMS page does.
        else if (/unsafe-inline/.test(script[0]) && !/\/lms\.htm$/.test(location.pathname))
            console.error("the content security policy of " + location.pathname + " allows inline script");
    });
}

// A new tab of the browser's one profile, with nothing stored for the origin yet: the tests share one
// profile because a new profile per test costs a second each.
async function freshPage(browser, origin) {
    const page = await browser.newPage();
    const cdp = await page.createCDPSession();
    await cdp.send("Storage.clearDataForOrigin", { origin: origin.replace(/\/$/, ""), storageTypes: "all" });
    await cdp.detach();
    await page.setViewport({ width: 1100, height: 760 });
    await page.evaluateOnNewDocument(policyWatch);
    page.watcher = watch(page);
    return page;
}

// Waits until the course shows the screen and its markup is in place.
async function onScreen(page, id, timeout = 5000) {
    await page.waitForFunction(want => window.kvxRuntime && kvxRuntime.current && kvxRuntime.current.id === want &&
        document.getElementById("kvxScreen").getAttribute("aria-busy") === "false", { timeout }, id);
}

// The one request handler of a page that the test steers: scripts it serves itself, and requests it holds
// back until it lets them through.
async function intercept(page) {
    if (page.steered)
        return page.steered;
    const steered = page.steered = { replacements: {}, holds: [] };
    await page.setRequestInterception(true);
    page.on("request", r => {
        const pathname = new URL(r.url()).pathname;
        const make = steered.replacements[pathname];
        const hold = steered.holds.find(h => h.test(pathname));
        if (make)
            r.respond({ status: 200, contentType: "text/javascript; charset=utf-8", body: make() });
        else if (hold)
            hold.released.then(() => r.continue());
        else
            r.continue();
    });
    return steered;
}

// Serves some of the course's scripts from the test: pathname -> function giving the text.
async function replaceScripts(page, replacements) {
    Object.assign((await intercept(page)).replacements, replacements);
}

// Holds back the requests whose pathname passes the test until the returned function is called: a slow
// server or a late answer, as long as the test wants it, whatever the machine's speed.
async function holdBack(page, test) {
    let release;
    const released = new Promise(resolve => { release = resolve; });
    (await intercept(page)).holds.push({ test, released });
    return release;
}

// Gives the run-time of every page the tab opens from now on a clock that the test moves with
// kvxRuntime.clock.advance(ms): timers that wait fire only then, in the order of their times, so a test of
// a time limit or a delay asserts what happens before and after without waiting for the machine. Timers of
// no delay still run on the next turn of the page, as they do in a browser.
async function testClock(page, start = Date.UTC(2026, 0, 15, 9, 0, 0)) {
    await page.evaluateOnNewDocument(startAt => {
        let now = startAt, next = 1;
        const timers = new Map();
        const add = (fn, ms, every) => {
            const id = next++;
            const wait = Math.max(0, Number(ms) || 0);
            if (wait === 0 && !every)
                timers.set(id, { real: window.setTimeout(() => { timers.delete(id); fn(); }, 0) });
            else
                timers.set(id, { fn, at: now + wait, every: every ? Math.max(1, wait) : 0 });
            return id;
        };
        const clear = id => {
            const t = timers.get(id);
            if (t && t.real !== undefined)
                window.clearTimeout(t.real);
            timers.delete(id);
        };
        const clock = {
            now: () => now,
            setTimeout: (fn, ms) => add(fn, ms, false),
            clearTimeout: clear,
            setInterval: (fn, ms) => add(fn, ms, true),
            clearInterval: clear,
            advance(ms) {
                const end = now + ms;
                for (;;) {
                    let due = null;
                    for (const [id, t] of timers)
                        if (t.at !== undefined && t.at <= end && (!due || t.at < due.t.at))
                            due = { id, t };
                    if (!due)
                        break;
                    now = due.t.at;
                    if (due.t.every)
                        due.t.at += due.t.every;
                    else
                        timers.delete(due.id);
                    try {
                        due.t.fn();
                    } catch (e) {
                        console.error(e);
                    }
                }
                now = end;
            }
        };
        window.kvxRuntime = window.kvxRuntime || {};
        window.kvxRuntime.clock = clock;
    }, start);
}

module.exports = { launch, watch, freshPage, onScreen, chromiumPath, replaceScripts, holdBack, testClock };
