// Loads a published course's options and pages scripts into one global scope, in the order the course
// page loads them, and prints as JSON what the run-time reads from them, every scrambled value read back.
//
//   node scripts_check.js <script>...     the globals, read back
//   node scripts_check.js --descramble    [[scrambled, key], ...] on standard input: the texts (null for a
//                                         text that is not of the scrambled form)
"use strict";
const fs = require("fs");
const vm = require("vm");

// The scrambled form: each UTF-16 unit as the decimal sum of its value and one unit of the key (repeated),
// followed by "-".
function descramble(text, key) {
    if (typeof text !== "string" || typeof key !== "string")
        return null;
    if (text === "")
        return "";
    if (key === "" || !/^(\d+-)+$/.test(text))
        return null;
    const numbers = text.slice(0, -1).split("-");
    let out = "";
    for (let i = 0; i < numbers.length; ++i) {
        const unit = Number(numbers[i]) - key.charCodeAt(i % key.length);
        if (!(unit >= 0 && unit <= 0xFFFF))
            return null;
        out += String.fromCharCode(unit);
    }
    return out;
}

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
