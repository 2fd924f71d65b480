"use strict";
// axe-core (WCAG 2.1 A and AA) on the page states the browser tests reach: every violation it finds in the
// page and in its frames is a problem. The checker is put into the page by the browser's debugging
// protocol, which the page's content policy does not govern, so the policy stays on while it runs.
const fs = require("fs");

let source = null;
const checked = { states: 0 };

async function axeViolations(page, what) {
    source = source || fs.readFileSync(require.resolve("axe-core/axe.min.js"), "utf8");
    const found = [];
    for (const frame of page.frames()) {
        if (!/^(https?|file):/.test(frame.url()))
            continue;
        await frame.evaluate(source);
        const result = await frame.evaluate(() => axe.run(document, {
            runOnly: { type: "tag", values: ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa"] },
            resultTypes: ["violations"]
        }));
        for (const v of result.violations)
            found.push(what + ": " + v.id + " (" + v.impact + ") " + v.nodes.map(n => n.target.join(" ")).slice(0, 3).join(", "));
    }
    ++checked.states;
    return found;
}

module.exports = { axeViolations, checked };
