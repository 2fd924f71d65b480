"use strict";
// What the options script asks of the run-time, case by case: each case serves a fixture course with a
// few lines added to its options script and checks what the learner gets.
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("fs");
const path = require("path");
const { serve } = require("./lib/serve");
const course = require("./lib/course");
const { launch, freshPage, onScreen, replaceScripts, holdBack, testClock } = require("./lib/browser");

const fixtures = { "menu-course": "demo", "linear-course": "lin" };
const servers = {};
const roots = [];
let browser;

before(async () => {
    for (const name of Object.keys(fixtures)) {
        const root = course.assemble(name);
        roots.push(root);
        if (name === "menu-course") {
            // A screen file cut short, as a full disk leaves it.
            const whole = fs.readFileSync(path.join(root, "content", "demo_1_2.js"));
            fs.writeFileSync(path.join(root, "content", "demo_5_8.js"), whole.subarray(0, 200));
            // A page that includes one screen file itself, as the screen preview does.
            const page = fs.readFileSync(path.join(root, "content", "ind.htm"), "utf8");
            fs.writeFileSync(path.join(root, "content", "preview.htm"),
                             page.replace("</head>", "<script type=\"text/javascript\" src=\"demo_1_3.js\"></script>\n</head>"));
        }
        servers[name] = await serve(root);
    }
    browser = await launch();
});

after(async () => {
    if (browser)
        await browser.close();
    for (const s of Object.values(servers))
        await s.close();
    roots.forEach(course.remove);
});

// Opens a page of a fixture whose options script ends with the given lines.
async function open(fixture, options, page = "content/ind.htm", clock = false) {
    const tab = await freshPage(browser, servers[fixture].base);
    if (clock)
        await testClock(tab);
    const prefsName = "/content/scripts/" + fixtures[fixture] + "_prefs.js";
    const root = roots[Object.keys(fixtures).indexOf(fixture)];
    await replaceScripts(tab, { [prefsName]: () => fs.readFileSync(path.join(root, prefsName), "utf8") + "\n" + (options || "") + "\n" });
    await tab.goto(servers[fixture].base + page, { waitUntil: "load" });
    return tab;
}

async function state(page, selector) {
    return page.$eval(selector, e => ({ hidden: e.hidden || e.closest("[hidden]") !== null, disabled: !!e.disabled,
                                        visibility: getComputedStyle(e).visibility }));
}

const cases = [
    {
        name: "a course without menus goes through its screens in order, whatever order the page loads the scripts in",
        fixture: "linear-course", options: "",
        async check(page) {
            await onScreen(page, "0_0");
            assert.equal((await state(page, "#kvxBack")).disabled, true);
            for (const id of ["0_1", "0_2", "0_3q"]) {
                await page.click("#kvxNext");
                await onScreen(page, id);
            }
            assert.equal((await state(page, "#kvxNext")).disabled, true, "no screen after the last");
            await page.click("#kvxBack");
            await onScreen(page, "0_2");
            // The free-form question's settings reached its object through o.argues.
            assert.deepEqual(await page.evaluate(() => [kvxObj.ftQ.field.id, kvxObj.ftQ.lim, kvxObj.ftQ.qnum, kvxObj.ftQ.tableName]),
                             ["optionFT", 200, "AA", "Table2"]);
            await page.click("#kvxMenuButton");
            await onScreen(page, "0_0");
            await page.evaluate(() => kvx.gotoNewPage("0_3q"));
            await onScreen(page, "0_3q");
            assert.deepEqual(await page.evaluate(() => [kvxObj.sliderQ.words.length, kvxObj.sliderQ.labels[1], !!kvxObj.sliderQ.question]),
                             [3, "Very", true]);
        }
    },
    {
        name: "a free-form question offers printing, and e-mail only to an address the options give",
        fixture: "linear-course", options: "kvxPrefs.email = \"Enter email address here\";",
        async check(page) {
            await onScreen(page, "0_0");
            await page.evaluate(() => kvx.gotoNewPage("0_2"));
            await onScreen(page, "0_2");
            const buttons = () => page.$$eval(".kvxFreeFormButtons button", bs => bs.map(b => b.textContent));
            assert.deepEqual(await buttons(), ["Check the answer", "Print the answer"]);
            await page.evaluate(() => { kvxPrefs.email = "tutor@example.org"; kvx.gotoNewPage("0_2"); });
            await page.waitForFunction(() => document.querySelectorAll(".kvxFreeFormButtons button").length === 3);
            assert.deepEqual(await buttons(), ["Check the answer", "Print the answer", "E-mail the answer"]);
        }
    },
    {
        name: "without a Next button the screens follow each other after the set time",
        fixture: "linear-course", options: "kvxPrefs.nextVisible = false; kvxPrefs.nextTime = 1;", clock: true,
        async check(page) {
            await onScreen(page, "0_0");
            assert.equal((await state(page, "#kvxNext")).hidden, true);
            await page.evaluate(() => kvxRuntime.clock.advance(999));
            assert.equal(await page.evaluate(() => kvxRuntime.current.id), "0_0", "not before its time");
            await page.evaluate(() => kvxRuntime.clock.advance(1));
            await onScreen(page, "0_1");
        }
    },
    {
        name: "the Next button appears only after its delay",
        fixture: "linear-course", options: "kvxPrefs.nextBtnDelay = 1;", clock: true,
        async check(page) {
            await onScreen(page, "0_0");
            assert.equal((await state(page, "#kvxNext")).visibility, "hidden");
            await page.evaluate(() => kvxRuntime.clock.advance(999));
            assert.equal((await state(page, "#kvxNext")).visibility, "hidden", "not before its delay");
            await page.evaluate(() => kvxRuntime.clock.advance(1));
            assert.equal((await state(page, "#kvxNext")).visibility, "visible");
        }
    },
    {
        name: "hidden and collapsed bars; the course tools move to the navigation bar",
        fixture: "menu-course",
        options: "kvxPrefs.hideTopBar = true; kvxPrefs.collapseTopBar = true; kvxPrefs.hideNavBar = false;",
        async check(page) {
            await onScreen(page, "0_0m");
            assert.equal(await page.$eval("#kvxTopBg", e => e.hidden), true);
            assert.equal(await page.$eval("#kvxOutlineButton", e => e.closest("#kvxNav") !== null), true);
        }
    },
    {
        name: "a hidden navigation bar keeps its space; swapped bars put it on top",
        fixture: "menu-course", options: "kvxPrefs.hideNavBar = true; kvxPrefs.swapTopNavBars = true;",
        async check(page) {
            await onScreen(page, "0_0m");
            const bars = await page.$$eval("#kvxFrame > *", es => es.map(e => e.id));
            assert.deepEqual(bars.slice(0, 3), ["kvxNavBg", "kvxTopBg", "kvxMain"]);
            assert.deepEqual(await state(page, "#kvxNavBg"), { hidden: false, disabled: false, visibility: "hidden" });
        }
    },
    {
        name: "an expired course shows its message and does not start",
        fixture: "menu-course",
        options: "kvxPrefs.expiry.isSet = true; kvxPrefs.expiry.day = 1; kvxPrefs.expiry.month = 1; kvxPrefs.expiry.year = 2001;",
        async check(page) {
            await page.waitForSelector(".kvxExpired");
            assert.equal(await page.$eval(".kvxExpired", e => e.textContent), "This course has now expired");
            assert.equal(await page.evaluate(() => document.querySelector("script[data-kvx-request]")), null);
            assert.equal((await state(page, "#kvxNext")).disabled, true);
        }
    },
    {
        name: "an expiry date still to come changes nothing",
        fixture: "menu-course",
        options: "kvxPrefs.expiry.isSet = true; kvxPrefs.expiry.day = 31; kvxPrefs.expiry.month = 12; kvxPrefs.expiry.year = 2999;",
        async check(page) {
            await onScreen(page, "0_0m");
        }
    },
    {
        name: "a right-to-left course",
        fixture: "menu-course", options: "kvxPrefs.rtl = true;",
        async check(page) {
            await onScreen(page, "0_0m");
            assert.equal(await page.$eval("#kvxFrame", e => e.getAttribute("dir")), "rtl");
        }
    },
    {
        name: "a main menu that is a plain list, and one without pictures",
        fixture: "menu-course", options: "kvxPrefs.mainMenuOnlyListMenu = true;",
        async check(page) {
            await onScreen(page, "0_0m");
            assert.equal(await page.$$eval(".kvxMenuList .kvxTopic", es => es.length), 2);
            assert.equal(await page.$(".kvxMenu img"), null);
        }
    },
    {
        name: "a menu without pictures",
        fixture: "menu-course", options: "kvxPrefs.mainMenuDontAllowImages = true;",
        async check(page) {
            await onScreen(page, "0_0m");
            assert.equal(await page.$$eval(".kvxMenuCards .kvxTopic", es => es.length), 2);
            assert.equal(await page.$(".kvxMenu img"), null);
        }
    },
    {
        name: "topics in any order",
        fixture: "menu-course", options: "kvxPrefs.completeTopicsInOrder = false;",
        async check(page) {
            await onScreen(page, "0_0m");
            assert.deepEqual(await page.$$eval(".kvxTopic", es => es.map(e => e.disabled)), [false, false]);
        }
    },
    {
        name: "no Next at the end of a topic",
        fixture: "menu-course", options: "kvxPrefs.noNextAtTopicEnd = true;",
        async check(page) {
            await onScreen(page, "0_0m");
            await page.evaluate(() => kvx.gotoNewPage("1_7"));
            await onScreen(page, "1_7");
            assert.equal((await state(page, "#kvxNext")).disabled, true);
            await page.click("#kvxBack");
            await onScreen(page, "1_6");
            assert.equal((await state(page, "#kvxNext")).disabled, false);
        }
    },
    {
        name: "buttons the options hide",
        fixture: "menu-course",
        options: "kvxPrefs.backVisible = false; kvxPrefs.menuVisible = false; kvxPrefs.quitVisible = false; kvxPrefs.progressVisible = false;",
        async check(page) {
            await onScreen(page, "0_0m");
            const hidden = await page.$$eval("#kvxBack, #kvxMenuButton, #kvxQuit, .kvxProgress", es => es.map(e => e.hidden));
            assert.deepEqual(hidden, [true, true, true, true]);
        }
    },
    {
        name: "text-size buttons",
        fixture: "menu-course", options: "kvxPrefs.fontSizeBtnsVisible = true; kvxPrefs.mainFontSize = 100;",
        async check(page) {
            await onScreen(page, "0_0m");
            await page.click("#kvxFontLarger");
            assert.equal(await page.$eval("#kvxScreen", e => e.style.fontSize), "110%");
            assert.equal(await page.$eval("#kvxFontSmaller", e => e.getAttribute("aria-label")), "Smaller text");
        }
    },
    {
        name: "the outline, glossary and help buttons can be hidden during the assessment",
        fixture: "menu-course",
        options: "kvxPrefs.assessment = true; kvxPrefs.assessGlossaryVisible = false; kvxPrefs.assessHelpVisible = false; " +
                 "kvxPrefs.outline.assessVisible = false; kvxPrefs.completeTopicsInOrder = false;",
        async check(page) {
            await onScreen(page, "0_0m");
            await page.evaluate(() => kvx.gotoNewPage("1_6"));
            await onScreen(page, "1_6");
            const hidden = await page.$$eval("#kvxOutlineButton, #kvxGlossaryButton, #kvxHelpButton", es => es.map(e => e.hidden));
            assert.deepEqual(hidden, [true, true, true]);
            await page.evaluate(() => kvx.gotoNewPage("1_2"));
            await onScreen(page, "1_2");
            assert.deepEqual(await page.$$eval("#kvxOutlineButton, #kvxGlossaryButton, #kvxHelpButton", es => es.map(e => e.hidden)),
                             [false, false, false]);
        }
    },
    {
        name: "every pan-and-zoom effect ends where its entry says; dragged and scrolled pictures follow the learner",
        fixture: "menu-course", options: "",
        async check(page) {
            await onScreen(page, "0_0m");
            await page.evaluate(() => kvx.gotoNewPage("1_8"));
            await onScreen(page, "1_8");
            const box = id => page.$eval(id, e => [e.style.left, e.style.top, e.style.width, e.style.height].join(" "));
            // Every effect is waited for until it has ended where its entry says; the checks below say which
            // one did not.
            const ends = { kb1img: "0px 0px 200px 150px", kb2img: "50px 40px 100px 75px", kb3img: "0px 0px 200px 150px",
                           kb4img: "-200px -150px 400px 300px", kb5img: "-50px -40px 400px 300px" };
            await page.waitForFunction(want => Object.entries(want).every(([id, end]) => {
                const s = document.getElementById(id).style;
                return [s.left, s.top, s.width, s.height].join(" ") === end;
            }), { timeout: 5000 }, ends).catch(() => {});
            assert.equal(await box("#kb1img"), "0px 0px 200px 150px", "zoom out");
            assert.equal(await box("#kb2img"), "50px 40px 100px 75px", "shrink");
            assert.equal(await box("#kb3img"), "0px 0px 200px 150px", "grow");
            assert.equal(await box("#kb4img"), "-200px -150px 400px 300px", "pan, held inside the picture");
            assert.equal(await box("#kb5img"), "-50px -40px 400px 300px", "drag start");
            await page.focus("#kb5");
            await page.keyboard.press("ArrowRight");
            await page.keyboard.press("ArrowDown");
            assert.equal(await box("#kb5img"), "-70px -60px 400px 300px", "arrow keys pan the picture");
            for (let i = 0; i < 20; ++i)
                await page.keyboard.press("ArrowRight");
            assert.equal(await page.$eval("#kb5img", e => e.style.left), "-200px", "never past the picture's edge");
            assert.deepEqual(await page.$eval("#kb6", e => [e.scrollLeft, e.scrollTop]), [60, 30]);
            // A click starts the fade.
            assert.equal(await page.$eval("#kb7img", e => getComputedStyle(e).opacity), "1");
            await page.click("#kb7");
            await page.waitForFunction(() => getComputedStyle(document.getElementById("kb7img")).opacity === "0", { timeout: 3000 });
        }
    },
    {
        name: "a screen whose file is missing says so and the course goes on",
        fixture: "menu-course", options: "", expect: [/HTTP 404: .*demo_5_5\.js/, /console: Failed to load resource.*demo_5_5\.js/],
        async check(page) {
            await onScreen(page, "0_0m");
            await page.evaluate(() => kvx.gotoNewPage("5_5"));
            await page.waitForSelector(".kvxLoadError[role=alert]");
            await page.click("#kvxMenuButton");
            await onScreen(page, "0_0m");
        }
    },
    {
        // Entries outside the table of calls (an unknown function, alert, a second statement tacked on, a
        // value put where entries never put one) are refused whole and reported; none of them runs.
        name: "a start-up entry that is not a published call is refused and the screen's other entries still run",
        fixture: "menu-course", options: "",
        expect: [/refused \(kvxNoSuchCall is not a call/, /refused \(alert is not a call.*alert\('injected'\)/,
                 /refused \(alert is not a call.*addTableRule/, /refused \(reading window is not allowed/,
                 /refused \(setting document.title is not allowed/],
        async check(page) {
            await page.evaluateOnNewDocument(() => { window.alert = text => { window.alerted = text; }; });
            await page.reload({ waitUntil: "load" });
            await onScreen(page, "0_0m");
            await page.evaluate(() => kvx.gotoNewPage("5_7"));
            await onScreen(page, "5_7");
            assert.equal(await page.$$eval("svg.kvxShapes rect", es => es.length), 1);
            assert.deepEqual(await page.evaluate(() => [window.alerted || "no alert", document.title, kvxObj.swfQ === window,
                                                        document.getElementById("kvxScreenRules").textContent]),
                             ["no alert", "Demo \"course\"", false, ""]);
        }
    },
    {
        name: "a screen file that cannot run says so and the course goes on",
        fixture: "menu-course", options: "", expect: [/exception: (Invalid or unexpected token|Unexpected)/],
        async check(page) {
            await onScreen(page, "0_0m");
            await page.evaluate(() => kvx.gotoNewPage("5_8"));
            await page.waitForSelector(".kvxLoadError[role=alert]");
            await page.click("#kvxMenuButton");
            await onScreen(page, "0_0m");
        }
    },
    {
        name: "a link to something that is no screen loads nothing",
        fixture: "menu-course", options: "",
        async check(page) {
            await onScreen(page, "0_0m");
            const before = page.watcher.requested.length;
            await page.evaluate(() => kvx.gotoNewPage("../../index"));
            await page.waitForSelector(".kvxLoadError[role=alert]");
            const asked = page.watcher.requested.slice(before);
            assert.deepEqual(asked.filter(r => r.endsWith(".js")), []);
        }
    },
    {
        name: "a page that includes a screen file itself opens on that screen",
        fixture: "menu-course", options: "", page: "content/preview.htm",
        async check(page) {
            await onScreen(page, "1_3");
            assert.equal(page.watcher.requested.includes("/content/demo_0_0m.js"), false);
            await page.waitForFunction(() => document.getElementById("kb1img").style.width === "640px", { timeout: 4000 });
        }
    },
    {
        name: "a screen that was asked for but overtaken by another is not shown",
        fixture: "menu-course", options: "",
        async check(page) {
            await onScreen(page, "0_0m");
            // The first screen's file is held back until the second screen is shown, then let through: it
            // arrives late, whatever the machine's speed.
            const release = await holdBack(page, pathname => pathname.endsWith("/demo_1_2.js"));
            await page.evaluate(() => { kvx.gotoNewPage("1_2"); kvx.gotoNewPage("1_3"); });
            await onScreen(page, "1_3");
            release();
            // The late file has run once its script element is gone.
            await page.waitForFunction(() => !document.querySelector("script[data-kvx-screen='1_2']"), { timeout: 5000 });
            assert.equal(await page.evaluate(() => kvxRuntime.current.id), "1_3");
            assert.equal(page.watcher.requested.includes("/content/demo_1_2.js"), true, "the first screen was asked for");
        }
    }
];

for (const c of cases) {
    test(c.name, async () => {
        const page = await open(c.fixture, c.options, c.page, c.clock);
        try {
            await c.check(page);
            const problems = page.watcher.take();
            const expected = c.expect || [];
            assert.deepEqual(problems.filter(p => !expected.some(re => re.test(p))), []);
            for (const re of expected)
                assert.ok(problems.some(p => re.test(p)), "expected " + re);
        } finally {
            await page.close();
        }
    });
}
