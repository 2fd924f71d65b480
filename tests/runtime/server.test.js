"use strict";
// The quiz, published by the program for the web database with its PHP server pages, on PHP's own server
// (php -S on the loopback address) with the embedded SQLite database: a learner registers, signs in, answers, and the
// results are in the database; a hostile sign-in changes nothing and signs no one in; a learner who comes
// back resumes from the server's record.
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { spawnSync } = require("child_process");
const course = require("./lib/course");
const quiz = require("./lib/quiz");
const { answer, go } = require("./lib/answer");
const { launch, freshPage, onScreen, holdBack } = require("./lib/browser");
const { phpSkipReason, startPhp } = require("./lib/php");

const skip = phpSkipReason() || (!process.env.CORV_PUBLISH_COURSE ? "no publisher" : false);

let work, out, server, base, browser;

// The rows of the course's SQLite database, read by PHP itself.
function rows(table) {
    // By default the database lives beside the web folder (php -S serves "out"), never inside it.
    const file = path.join(work, "corvessa-data", "corvessa.sqlite");
    if (!fs.existsSync(file))
        return [];
    const code = "$db = new PDO('sqlite:' . $argv[1]); echo json_encode($db->query('SELECT * FROM \"' . $argv[2] . '\" ORDER BY id')->fetchAll(PDO::FETCH_ASSOC));";
    const run = spawnSync("php", ["-r", code, file, table], { encoding: "utf8" });
    assert.equal(run.status, 0, run.stderr);
    return JSON.parse(run.stdout);
}

before(async () => {
    if (skip)
        return;
    work = course.publish("quiz", "web");
    out = path.join(work, "out");
    server = await startPhp(out);
    base = server.url;
    browser = await launch();
});

after(async () => {
    if (browser)
        await browser.close();
    if (server)
        server.child.kill();
    if (work)
        fs.rmSync(work, { recursive: true, force: true });
});

async function until(check, timeout = 4000) {
    const end = Date.now() + timeout;
    while (!check()) {
        if (Date.now() > end)
            throw new Error("the database did not get there in time: " + JSON.stringify(rows("Table1")));
        await new Promise(r => setTimeout(r, 100));
    }
}

async function fill(page, fields) {
    for (const [selector, value] of Object.entries(fields)) {
        await page.$eval(selector, e => { e.value = ""; });
        await page.type(selector, value);
    }
}

test("a learner registers, answers, and the results and texts are in the database", { skip }, async () => {
    const page = await freshPage(browser, base);
    // The course page sends a learner who has not signed in to the sign-in page.
    await page.goto(base + "content/ind.htm", { waitUntil: "load" });
    await page.waitForFunction(() => location.pathname.endsWith("/signin.htm"));
    await page.waitForSelector("#kvxRegisterRow:not([hidden])");
    assert.deepEqual(await page.$$eval("#kvxSignInForm p[id$=Row]", ps => ps.map(p => p.id + ":" + p.hidden)),
                     ["kvxNameRow:false", "kvxIdRow:true", "kvxPwdRow:false"]);
    await Promise.all([page.waitForNavigation(), page.click("#kvxRegisterRow a")]);
    // A name longer than the server keeps (the page's field takes no more) is refused as too long.
    const refused = await page.evaluate(async () => {
        const r = await fetch("include/checkregister.php", { method: "POST", body: new URLSearchParams({ name: "N".repeat(101), pwd: "x", pwd2: "x" }) });
        return [r.status, await r.json()];
    });
    assert.deepEqual(refused, [400, { ok: false, reason: "toolong", message: "The name is too long: at most 100 characters." }]);
    page.watcher.take();   // the refusal asked for, not a problem of the course
    await fill(page, { "#kvxName": "Ada O'Neil", "#kvxPwd": "gulls and terns", "#kvxPwd2": "gulls and tern" });
    await page.click("#kvxRegisterButton");
    await page.waitForFunction(() => document.getElementById("kvxRegisterMessage").textContent !== "" &&
                                     !document.getElementById("kvxRegisterMessage").textContent.endsWith("..."));
    assert.equal(await page.$eval("#kvxRegisterMessage", e => e.textContent), "The two passwords are not the same.");
    await fill(page, { "#kvxPwd2": "gulls and terns" });
    await Promise.all([page.waitForNavigation(), page.click("#kvxRegisterButton")]);
    await onScreen(page, "0_0");
    assert.equal(await page.$eval("#kvxUser", e => e.textContent), "Ada O'Neil");

    await page.click("#kvxNext");
    await onScreen(page, "0_1q");
    await answer(page, quiz.questions["0_1q"].right);
    await page.evaluate(() => kvx.gotoNewPage("0_12q"));
    await onScreen(page, "0_12q");
    await answer(page, quiz.questions["0_12q"].right);
    // The server keeps up with the course.
    await until(() => rows("Table2").length === 1 && rows("Table1")[0].location === "0_12q" && rows("Table1")[0].score === 22);
    const learners = rows("Table1");
    assert.equal(learners.length, 1);
    const ada = learners[0];
    assert.deepEqual([ada.course, ada.name, ada.learner_id, ada.location, ada.status], ["SB-1", "Ada O'Neil", "", "0_12q", "incomplete"]);
    assert.match(ada.password, /^\$2y\$|^\$argon2/, "a password hash, never the password");
    assert.equal(ada.score, 22, "two of nine question screens right");
    assert.deepEqual(Object.keys(JSON.parse(ada.state).s.r).sort(), ["0_12q", "0_1q"]);
    const texts = rows("Table2");
    assert.deepEqual(texts.map(t => [t.learner, t.screen, t.question, t.response]),
                     [[ada.id, "0_12q", "AA", quiz.questions["0_12q"].right.write]]);
    assert.deepEqual(page.watcher.take().filter(p => !p.includes("/favicon.ico")), [], "problems while taking the course");
    await page.close();
});

test("a hostile sign-in changes nothing and signs no one in; the learner signs in and resumes", { skip }, async () => {
    const before = rows("Table1");
    assert.equal(before.length, 1, "the registered learner of the first test");
    const page = await freshPage(browser, base);
    await page.goto(base + "content/signin.htm", { waitUntil: "load" });
    const hostile = [
        ["Ada O'Neil", "' OR '1'='1"],
        ["' OR 1=1 --", "x"],
        ["Ada O'Neil'; DROP TABLE Table1; --", "x"],
        ["\" OR \"\"=\"", "\" OR \"\"=\""]
    ];
    for (const [name, pwd] of hostile) {
        await fill(page, { "#kvxName": name, "#kvxPwd": pwd });
        await page.click("#kvxSignInButton");
        // The course's own message, from its international profile.
        await page.waitForFunction(() => /not recognised/.test(document.getElementById("kvxSignInMessage").textContent), { timeout: 3000 });
        await page.$eval("#kvxSignInMessage", e => { e.textContent = ""; });
    }
    // Requests the page would never send: a control character, a name far too long, a GET.
    const direct = await page.evaluate(async () => {
        const post = fields => fetch("include/checksignin.php", { method: "POST", body: new URLSearchParams(fields) })
            .then(r => r.status);
        return [await post({ name: "Ada\u0000", pwd: "x" }), await post({ name: "A".repeat(5000), pwd: "x" }),
                await post({ "name[]": "Ada", pwd: "x" }), await fetch("include/checksignin.php").then(r => r.status),
                await fetch("include/writedata.php", { method: "POST", body: new URLSearchParams({ location: "0_1q", score: "100",
                                                                                            status: "passed", state: "" }) }).then(r => r.status)];
    });
    assert.deepEqual(direct, [400, 400, 400, 405, 401], "refused, and nothing is written without a signed-in learner");
    assert.deepEqual(rows("Table1"), before, "the database is as it was");
    assert.equal(await page.evaluate(() => sessionStorage.length), 0, "no one is signed in");

    await fill(page, { "#kvxName": "Ada O'Neil", "#kvxPwd": "gulls and terns" });
    await Promise.all([page.waitForNavigation(), page.click("#kvxSignInButton")]);
    await page.waitForSelector(".kvxConfirm");
    await page.click(".kvxConfirm .kvxButton");
    await onScreen(page, "0_12q");
    assert.deepEqual(await page.evaluate(() => [kvxRuntime.results["0_1q"].right, kvxRuntime.score()]), [true, 22]);
    assert.deepEqual(page.watcher.take().filter(p => !p.includes("/favicon.ico") && !/HTTP 40[0135]|status of 40[0135]/.test(p)), []);

    // Every screen seen, the learner answers one more question and quits at once while the server is slow:
    // the course is finished, and the server has the last answer before the closing page comes. The
    // server's answers to the last records are held back until the learner has confirmed, so a course
    // that left without waiting would lose them whatever the machine's speed.
    for (const id of await page.evaluate(() => kvxRuntime.course.stops.filter(s => !kvxRuntime.visited.has(s) && s !== "0_2q")))
        await go(page, id);
    await go(page, "0_2q");
    const release = await holdBack(page, pathname => pathname.includes("writedata"));
    await answer(page, quiz.questions["0_2q"].right);
    await page.click("#kvxQuit");
    await page.waitForSelector(".kvxConfirm");
    const leaving = page.waitForNavigation();
    await page.click(".kvxConfirm .kvxButton");
    release();
    await leaving;
    assert.match(page.url(), /content\/done\.htm$/);
    const last = rows("Table1")[0];
    assert.deepEqual([last.status, last.location, last.score], ["completed", "0_2q", 33]);
    assert.deepEqual(page.watcher.take().filter(p => !p.includes("/favicon.ico")), []);
    await page.close();
});

test("a damaged or unsafe configuration gives the course's message, never a PHP error or a statement", { skip }, async () => {
    const config = path.join(out, "content", "include", "kqconfig.php");
    const good = fs.readFileSync(config, "utf8");
    const post = () => fetch(base + "content/include/checksignin.php", {
        method: "POST", body: new URLSearchParams({ name: "Ada O'Neil", pwd: "gulls and terns" })
    }).then(async r => [r.status, r.headers.get("content-type"), await r.json()]);
    try {
        const cases = [
            ["a file cut short", good.slice(0, good.indexOf("$kqTable1") + 14)],
            ["a table name that is SQL", good.replace(/\$kqTable1 = '[^']*';/, "$kqTable1 = 'Table1; DROP TABLE Table2';")],
            ["a database type without a driver", good.replace(/\$kqDbType = '[^']*';/, "$kqDbType = 'ado_access';")]
        ];
        for (const [what, text] of cases) {
            fs.writeFileSync(config, text);
            const [status, type, body] = await post();
            assert.equal(status, 500, what);
            assert.match(type, /^application\/json/, what);
            assert.deepEqual([body.ok, body.reason], [false, "server"], what);
            assert.match(body.message, /not recognised/, what);
        }
    } finally {
        fs.writeFileSync(config, good);
    }
    assert.equal(rows("Table2").length, 1, "the texts' table is still there");
    assert.match(server.log(), /not a plain name/, "the administrator learns why from the server's log");
});

// The learners' database is no file of the web folder: every file the course publishes under content/,
// asked for over HTTP, answers without the database's or the configuration's content, and the database
// lies outside the folder the server serves.
test("no answer of the web server holds the database or the configuration", { skip }, async () => {
    assert.ok(rows("Table1").length > 0, "the database of the first tests is there");
    const files = [];
    const walk = dir => {
        for (const entry of fs.readdirSync(dir, { withFileTypes: true })) {
            const full = path.join(dir, entry.name);
            if (entry.isDirectory())
                walk(full);
            else
                files.push(path.relative(out, full).split(path.sep).join("/"));
        }
    };
    walk(path.join(out, "content"));
    assert.deepEqual(files.filter(f => /\.(sqlite3?|db)$|htaccess/i.test(f)), [], "no database file in the web folder");
    const secrets = ["SQLite format 3", "$2y$", "$argon2", "kqDbPassword", "Ada O'Neil"];
    for (const file of files.concat(["content/include/data/corvessa.sqlite", "content/include/data/.htaccess",
                                     "corvessa-data/corvessa.sqlite", "../corvessa-data/corvessa.sqlite"])) {
        const body = await fetch(base + file.split("/").map(encodeURIComponent).join("/")).then(r => r.text());
        for (const secret of secrets)
            assert.ok(!body.includes(secret), file + " answers with " + JSON.stringify(secret));
    }
});

// A database folder configured inside the web folder is refused before anything is read or written: the
// learner gets the course's message and the administrator the reason in the log.
test("a database folder inside the web folder is refused", { skip }, async () => {
    const config = path.join(out, "content", "include", "kqconfig.php");
    const good = fs.readFileSync(config, "utf8");
    const inside = path.join(out, "content", "include", "data");
    try {
        for (const setting of ["$kqDataFolder = '" + inside + "';", "$kqDataFolder = '" + out + "/../" + path.basename(out) + "/x';"]) {
            fs.writeFileSync(config, good.replace("$kqDataFolder = '';", setting));
            const r = await fetch(base + "content/include/checksignin.php", {
                method: "POST", body: new URLSearchParams({ name: "Ada O'Neil", pwd: "gulls and terns" })
            });
            const body = await r.json();
            assert.deepEqual([r.status, body.reason], [500, "server"], setting);
        }
    } finally {
        fs.writeFileSync(config, good);
    }
    assert.ok(!fs.existsSync(inside), "no folder is made inside the web folder");
    assert.match(server.log(), /lies inside the web folder/);
});

// Guesses at a learner's password are slowed: after five failures in a row even the right password is
// refused for a while with a clear message, the failures are recorded, and another learner is not held up.
test("repeated failed sign-ins make the next attempt wait, even with the right password", { skip }, async () => {
    const post = fields => fetch(base + "content/include/checksignin.php", { method: "POST", body: new URLSearchParams(fields) })
        .then(async r => [r.status, (await r.json()).reason]);
    const statuses = [];
    for (let i = 0; i < 5; ++i)
        statuses.push(await post({ name: "Ada O'Neil", pwd: "guess " + i }));
    assert.deepEqual(statuses, Array(5).fill([403, "refused"]));
    const r = await fetch(base + "content/include/checksignin.php", {
        method: "POST", body: new URLSearchParams({ name: "ada o'neil", pwd: "gulls and terns" })
    });
    const body = await r.json();
    assert.deepEqual([r.status, body.reason], [429, "throttled"]);
    assert.match(body.message, /too many failed attempts/);
    const recorded = rows("kvx_signin_failures");
    assert.deepEqual(recorded.filter(row => row.who === "learner:ada o'neil\n").map(row => Number(row.failures)), [5]);
    assert.ok(recorded.some(row => row.who === "address:127.0.0.1" && Number(row.failures) >= 5));
    // Another learner from the same address still gets the plain answer.
    assert.deepEqual(await post({ name: "Grace", pwd: "x" }), [403, "refused"]);
});
