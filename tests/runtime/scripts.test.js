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
