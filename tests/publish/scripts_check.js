// Loads a published course's options and pages scripts into one global scope, in the order the course
// page loads them, and prints as JSON what the run-time reads from them, every scrambled value read back
// with the run-time's own de-scrambler.
//
//   node scripts_check.js <script>...     the globals, read back
//   node scripts_check.js --descramble    [[scrambled, key], ...] on standard input: the texts (null for a
//                                         text that is not of the scrambled form)
"use strict";
const fs = require("fs");
const path = require("path");
const vm = require("vm");

// The course run-time's own de-scrambler, from its core loaded without a page.
function runtimeDescrambler() {
    const sandbox = { console, setTimeout, document: { readyState: "loading", addEventListener() {} } };
    sandbox.window = sandbox;
    vm.createContext(sandbox);
    const core = path.join(__dirname, "..", "..", "data", "source", "publish", "content", "scripts", "kvx.js");
    vm.runInContext(fs.readFileSync(core, "utf8"), sandbox, { filename: core });
    return sandbox.kvxRuntime.descramble;
}
const descramble = runtimeDescrambler();

// A free-form question's answers are lists of keywords, a keyword with alternatives a list of its own.
function readBack(value, key) {
    return Array.isArray(value) ? value.map(v => readBack(v, key)) : descramble(value, key);
}

if (process.argv[2] === "--descramble") {
    const pairs = JSON.parse(fs.readFileSync(0, "utf8"));
    process.stdout.write(JSON.stringify(pairs.map(([text, key]) => descramble(text, key))));
    process.exit(0);
}

const scope = vm.createContext({});
for (const file of process.argv.slice(2))
    vm.runInContext(fs.readFileSync(file, "utf8"), scope, { filename: file });

const result = {};
for (const name of ["kvxPrefs", "kvxObj", "kvxFdbck", "p", "quest", "kvxRemediation"])
    if (scope[name] !== undefined)
        result[name] = scope[name];
if (scope.quest) {
    result.answers = {};
    for (const [id, value] of Object.entries(scope.quest))
        result.answers[id] = readBack(value, id);
}
if (scope.kvxObj && typeof scope.kvxObj.background === "string")
    result.connection = descramble(scope.kvxObj.background, scope.kvxObj.projectPrefix);
if (Array.isArray(scope.kvxRemediation)) {
    result.remediationAt = scope.kvxRemediation.map(r => {
        const at = /^\[(\d+)\]\[(\d+)\]$/.exec(r.at);
        return at !== null && r.group === scope.p[Number(at[1])][Number(at[2])]
            && scope.kvxRemediation.byGroup[at[1] + ":" + at[2]] === r;
    });
}
process.stdout.write(JSON.stringify(result));
