"use strict";
// The scripts of the run-time, of the fixture courses and of the courses the program publishes are valid
// JavaScript, and the run-time reads back what the program's scrambler writes.
const { test } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("fs");
const path = require("path");
const vm = require("vm");
const { spawnSync } = require("child_process");
const course = require("./lib/course");

function files(folder, pattern) {
    const out = [];
    if (!fs.existsSync(folder))
        return out;
    for (const entry of fs.readdirSync(folder, { withFileTypes: true })) {
        const full = path.join(folder, entry.name);
        if (entry.isDirectory())
            out.push(...files(full, pattern));
        else if (pattern.test(entry.name))
            out.push(full);
    }
    return out;
}

// What "node --check" does, in this process: the file is compiled as a classic script and not run.
function check(file, prefix) {
    const source = (prefix || "") + fs.readFileSync(file, "utf8");
    try {
        new vm.Script(source, { filename: file });
        return null;
    } catch (e) {
        return file + ": " + e.message;
    }
}

test("every script the run-time ships is valid JavaScript", () => {
    const program = course.programFolder();
    const shipped = [...files(path.join(program, "source", "publish"), /\.js$/),
                     ...files(path.join(program, "source", "PublishLMS"), /\.js$/)];
    assert.ok(shipped.some(f => f.endsWith("kvx.js")), "the run-time is installed in " + program);
    assert.deepEqual(shipped.map(f => check(f)).filter(Boolean), []);
});

// Screen files are checked after a stand-in for the run-time's one call.
const checkGenerated = generated => generated.map(f => check(f, /_\d+_\d+[mqf]?\.js$/.test(f) ? "var kvx={updatePage(){}};" : ""));

test("every generated script of the fixture courses is valid JavaScript", () => {
    const generated = files(path.join(__dirname, "fixtures"), /\.js$/);
    assert.ok(generated.length > 0);
    assert.deepEqual(checkGenerated(generated).filter(Boolean), []);
});

test("every script of the courses the program publishes is valid JavaScript", { skip: !process.env.CORV_PUBLISH_COURSE && "no publisher" }, () => {
    for (const [kind, target] of [["tour", "standalone"], ["quiz", "web"], ["quiz", "scorm2004"]]) {
        const work = course.publish(kind, target);
        try {
            const generated = files(path.join(work, "out", "content"), /\.js$/);
            assert.ok(generated.some(f => /course_0_\d+q\.js$/.test(f) || /course_1_4q\.js$/.test(f)), kind + ": screen files");
            assert.deepEqual(checkGenerated(generated).filter(Boolean), [], kind + " for " + target);
        } finally {
            course.remove(work);
        }
    }
});

// The run-time's core in a sandbox without a page: its de-scrambler.
function runtime() {
    const sandbox = { console, setTimeout, document: { readyState: "loading", addEventListener() {} } };
    sandbox.window = sandbox;
    vm.createContext(sandbox);
    const kvx = path.join(course.runtimeScripts(), "kvx.js");
    vm.runInContext(fs.readFileSync(kvx, "utf8"), sandbox, { filename: kvx });
    return sandbox.kvxRuntime;
}

test("the de-scrambler reverses the program's scrambler", { skip: !process.env.CORV_SCRAMBLE_TOOL && "CORV_SCRAMBLE_TOOL names no scrambler" }, () => {
    const R = runtime();
    const cases = [
        ["1_4q", "00,01"], ["3_2q", "red"], ["demo", "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=kvx.mdb;"],
        ["1_1q", ""], ["k", "Grüße, ¿qué tal? 日本語"], ["12_7q", "emoji 😀 and 𝄞 beyond the plane"],
        ["x", "\uFFFF\u0000"], ["longer key than text", "ab"]
    ];
    const input = cases.map(([key, text]) => JSON.stringify([key, text])).join("\n") + "\n";
    const run = spawnSync(process.env.CORV_SCRAMBLE_TOOL, [], { input, encoding: "utf8" });
    assert.equal(run.status, 0, run.stderr);
    const scrambled = run.stdout.split("\n").filter(Boolean).map(l => JSON.parse(l));
    assert.equal(scrambled.length, cases.length);
    cases.forEach(([key, text], i) => {
        assert.equal(R.descramble(scrambled[i], key), text, "key " + key);
    });
    // Non-BMP text is two numbers per character, as the program writes it.
    assert.equal(scrambled[5].split("-").length - 1, "emoji 😀 and 𝄞 beyond the plane".length);
});

test("scrambled text that is damaged or read with the wrong key does not pass for an answer", () => {
    const R = runtime();
    const table = [
        ["97-143-96-161-98-", "1_4q", "00,01"],
        ["97-143-96-161-98", "1_4q", null],       // the last "-" is missing
        ["97-x-96-", "1_4q", null],
        ["97-143-96-161-98-", "", null],          // no key
        ["", "", ""],
        ["5-", "1_4q", null],                     // below the key: no character of it
        ["165536-", "a", null]                    // beyond 16 bits
    ];
    for (const [text, key, want] of table)
        assert.equal(R.descramble(text, key), want, JSON.stringify([text, key]));
    assert.equal(R.isScreenId("1_4q"), true);
    for (const bad of ["../x", "1_4q.js", "", "1_", "_1", "1_2z", "javascript:1"])
        assert.equal(R.isScreenId(bad), false, bad);
});

test("screen titles come back as plain text from the character references the publisher wrote", () => {
    const R = runtime();
    const table = [
        ["Don&#8217;t panic &#8211; 5&#8364;", "Don\u2019t panic \u2013 5\u20ac"],
        ["A & B <i>", "A & B <i>"],             // what is not a reference stays as typed
        ["&#0; &#55296; &#99999999;", "&#0; &#55296; &#99999999;"],
        [undefined, ""]
    ];
    for (const [title, want] of table)
        assert.equal(R.plainTitle(title), want, JSON.stringify(title));
});

// The calls of published files in a sandbox: a window with the functions the tables name, recording calls.
function calls() {
    const log = [];
    const sandbox = { console: { error: m => log.push("refused: " + m) } };
    sandbox.window = sandbox;
    const record = name => (...args) => { log.push([name, ...args]); return name + " result"; };
    Object.assign(sandbox, {
        kvx: { createMenu: record("createMenu"), addTableRule: record("addTableRule"), drawShapes: record("drawShapes"), KB: record("KB") },
        mcObj: { question: record("mc") }, piObj: { question: record("pi") },
        kvxObj: {}, kvxPrefs: { table2: "" }, pg: ["1_2", "1_3"],
        document: { getElementById: record("getElementById") },
        fPage: record("fPage"), fMenu: record("fMenu"), alert: record("alert"),
        srObj: function (...args) { this.args = args; },
        ftObj: function (...args) { this.args = args; }
    });
    vm.createContext(sandbox);
    const file = path.join(course.runtimeScripts(), "kvx_calls.js");
    vm.runInContext(fs.readFileSync(file, "utf8") + "\nwindow.kvxCalls = kvxCalls;", sandbox, { filename: file });
    return { K: sandbox.kvxCalls, log, sandbox };
}

// Guards the start-up statements and outline links the publisher writes: each form is carried out with its
// literal arguments (escapes, negative and exponent numbers, arrays and objects), without eval.
test("the statements and links published files hold are carried out from the tables", () => {
    const { K, log, sandbox } = calls();
    const o = { argues: { num: 3, eml: true, start: -1.5, labels: ["a", "b"] } };
    const table = [
        ["kvx.createMenu()", ["createMenu"]],
        ["mcObj.question(true, true)", ["mc", true, true]],
        ["piObj.question(3, '#FF00AA')", ["pi", 3, "#FF00AA"]],
        ["kvx.addTableRule('.table1 td', 'border:1px solid #000000; padding:2px;', 2)",
         ["addTableRule", ".table1 td", "border:1px solid #000000; padding:2px;", 2]],
        ["kvx.drawShapes([['filled rect','#FF0000',1,10,20,30,40], ['line','#000000',2,-5,0,1e3,0]])",
         ["drawShapes", [["filled rect", "#FF0000", 1, 10, 20, 30, 40], ["line", "#000000", 2, -5, 0, 1000, 0]]]],
        ["kvx.KB('size', {'container':'kb1','src':'kb1img', 'type':'zoom in','w':640,'cx':0.5, 'oe':null, 'click':false});",
         ["KB", "size", { container: "kb1", src: "kb1img", type: "zoom in", w: 640, cx: 0.5, oe: null, click: false }]],
        ["kvx.addTableRule(\"q\\\"uote \\\\ \\u00e9\\x41\\n\", '\\'', 0)", ["addTableRule", "q\"uote \\ \u00e9A\n", "'", 0]],
        ["o.argues.obj = document.getElementById('optionFT')", ["getElementById", "optionFT"]],
        ["fPage(pg[1]);", ["fPage", "1_3"]],
        ["fMenu();", ["fMenu"]]
    ];
    for (const [statement, want] of table) {
        log.length = 0;
        const outline = /^f(Page|Menu)/.test(statement);
        assert.equal(K.run(statement, outline ? K.outlineTable : K.screenTable, { o }), true, statement);
        assert.deepEqual(JSON.parse(JSON.stringify(log)), [want], statement);
    }
    assert.equal(o.argues.obj, "getElementById result");
    K.run("kvxObj.sliderQ = new srObj(true,false,true,false,false,2)", K.screenTable, { o });
    K.run("kvxObj.sliderQ.start = o.argues.start", K.screenTable, { o });
    K.run("kvxObj.sliderQ.labels = o.argues.labels", K.screenTable, { o });
    K.run("kvxObj.ftQ = new ftObj(o.argues.obj,o.argues.num);", K.screenTable, { o });
    K.run("kvxObj.ftQ.tableName = kvxPrefs.table2 || 'Table2'", K.screenTable, { o });
    K.run("kvxObj.ftQ.email = o.argues.eml || false", K.screenTable, { o });
    const { sliderQ, ftQ } = sandbox.kvxObj;
    assert.deepEqual([sliderQ.args, sliderQ.start, sliderQ.labels], [[true, false, true, false, false, 2], -1.5, ["a", "b"]]);
    assert.deepEqual([ftQ.args, ftQ.tableName, ftQ.email], [["getElementById result", 3], "Table2", true]);
});

// Guards against a published text becoming code: whatever is not a call of the tables, or not of the
// published forms, is refused whole and logged, and nothing of it runs.
test("statements outside the tables or the published forms are refused", () => {
    const { K, log, sandbox } = calls();
    const refused = [
        "alert('x')", "window.alert(1)", "kvx.createMenu(); alert(1)", "kvx.createMenu(alert(1))",
        "kvx.createMenu.constructor('alert(1)')()", "kvx['createMenu']()", "kvx.createMenu()()",
        "document.title = 'x'", "kvxObj.swfQ = window", "kvxObj.__proto__.x = 1", "o.argues.obj = o",
        "kvx.addTableRule(`a`)", "kvx.addTableRule('a' + 'b')", "kvx.addTableRule('unterminated)",
        "kvx.drawShapes([alert])", "kvx.KB({a: fMenu()})", "fPage(pg[1])", "new alert()", "kvx.createMenu",
        "kvx.createMenu() kvx.createMenu()", "kvx.addTableRule('\\u{110000}')"
    ];
    for (const statement of refused) {
        log.length = 0;
        assert.equal(K.run(statement, K.screenTable, { o: { argues: {} } }), false, statement);
        assert.equal(log.length, 1, statement + " is logged and nothing runs: " + JSON.stringify(log));
        assert.match(log[0], /^refused: /, statement);
    }
    assert.equal(K.run("alert(1)", K.outlineTable), false);
    assert.equal(K.run("kvx.createMenu()", K.outlineTable), false);
    assert.equal(Object.keys(sandbox.kvxObj).length, 0);
    const key = K.parse("kvx.KB({'__proto__': 1})")[0].run.args[0].lit;
    assert.deepEqual(Object.keys(key), ["__proto__"], "a key named __proto__ is a plain key");
});

// Guards the content security policy: no file of the run-time runs text as code, and every page the
// program ships keeps its policy without eval and without inline script, and holds no inline script or
// handler of its own (with 'unsafe-inline' any escaping slip would be live script).
test("the run-time evaluates no text and the shipped pages forbid eval and inline script", () => {
    const scripts = files(course.runtimeScripts(), /^kvx.*\.js$/);
    assert.ok(scripts.length > 10);
    for (const file of scripts)
        assert.doesNotMatch(fs.readFileSync(file, "utf8"), /new Function\b|\beval\s*\(|setTimeout\(\s*["'`]/, file);
    const source = path.join(course.programFolder(), "source");
    const pages = [...files(source, /\.(htm|hta)$/), path.join(source, "PlaceHolderText", "outline.htm.txt"),
                   path.join(source, "PlaceHolderText", "preview.txt")];
    assert.ok(pages.length >= 8);
    for (const page of pages) {
        const text = fs.readFileSync(page, "utf8");
        const policy = /<meta http-equiv="Content-Security-Policy" content="([^"]*)">/.exec(text);
        assert.ok(policy, page + " carries a content security policy");
        assert.match(policy[1], /script-src 'self'/, page);
        assert.doesNotMatch(policy[1], /unsafe-eval|unsafe-inline/, page);
        assert.doesNotMatch(text, /<script(?![^>]*\bsrc=)[^>]*>|\son[a-z]+\s*=|javascript:/i, page);
    }
    // Every run-time script the course page loads is one the program ships.
    const course_page = fs.readFileSync(path.join(source, "publish", "content", "ind.htm"), "utf8");
    for (const [, name] of course_page.matchAll(/src="scripts\/(kvx[^"]*\.js)"/g))
        assert.ok(fs.existsSync(path.join(course.runtimeScripts(), name)), name);
});
