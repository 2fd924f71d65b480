"use strict";
// The LMS side of the browser tests: a page that plays the LMS with the SCORM API of scorm-again (the
// API object of the version asked for, loaded with what the LMS stored before, every call of the course
// recorded) and puts the course in a frame; and what each version calls its elements.
const fs = require("fs");
const path = require("path");

const lmsPage = `<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>LMS</title>
<meta http-equiv="Content-Security-Policy" content="script-src 'self' 'unsafe-inline'">
<script src="scorm12.min.js"></script><script src="scorm2004.min.js"></script>
<script>
window.calls = [];
window.startLms = function (version, stored, sco) {
    const api = version === "1.2" ? new Scorm12API({ logLevel: 4, autocommit: false })
                                  : new Scorm2004API({ logLevel: 4, autocommit: false });
    if (stored)
        api.loadFromJSON(stored);
    for (const name of Object.getOwnPropertyNames(Object.getPrototypeOf(api)).concat(Object.keys(api)))
        if (/^(LMS)?(Initialize|Finish|Terminate|GetValue|SetValue|Commit)$/.test(name) && typeof api[name] === "function") {
            const real = api[name].bind(api);
            api[name] = (...args) => { const result = real(...args); window.calls.push([name, ...args.map(String), String(result)]); return result; };
        }
    window[version === "1.2" ? "API" : "API_1484_11"] = api;
    const frame = document.createElement("iframe");
    frame.id = "sco";
    frame.style.width = "1060px";
    frame.style.height = "760px";
    frame.src = sco;
    document.body.append(frame);
};
</script></head><body></body></html>
`;

// Writes lms.htm and the two scorm-again scripts into the folder the packages are served from.
function writeLmsPage(root) {
    // The package exports no package.json: its folder is found from its main file.
    let dir = path.dirname(require.resolve("scorm-again"));
    while (path.basename(dir) !== "scorm-again" && dir !== path.dirname(dir))
        dir = path.dirname(dir);
    const dist = path.join(dir, "dist");
    for (const file of ["scorm12.min.js", "scorm2004.min.js"])
        fs.copyFileSync(path.join(dist, file), path.join(root, file));
    fs.writeFileSync(path.join(root, "lms.htm"), lmsPage);
}

// What the course set last for each element, and the calls by name.
async function record(page) {
    const calls = await page.evaluate(() => window.calls);
    const set = {};
    for (const c of calls)
        if (c[0] === "LMSSetValue" || c[0] === "SetValue")
            set[c[1]] = c[2];
    return { calls, set, names: calls.map(c => c[0]) };
}

const versions = {
    "1.2": { status: "cmi.core.lesson_status", raw: "cmi.core.score.raw", time: "cmi.core.session_time", exit: "cmi.core.exit",
             location: "cmi.core.lesson_location", finish: "LMSFinish", init: "LMSInitialize", response: "student_response",
             timeForm: /^\d{4}:\d\d:\d\d\.\d\d$/, limit: 4096 },
    "2004": { status: "cmi.success_status", raw: "cmi.score.raw", time: "cmi.session_time", exit: "cmi.exit",
              location: "cmi.location", finish: "Terminate", init: "Initialize", response: "learner_response",
              timeForm: /^PT\d+H\d+M\d+(\.\d+)?S$/, limit: 64000 }
};

module.exports = { writeLmsPage, record, versions };
