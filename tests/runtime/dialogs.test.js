"use strict";
// The quiz whose questions were made through the question dialogs' values (publish_runtime_course
// "dialogs"): saved, opened again and published, then answered right and wrong by a learner in headless
// Chromium, with the feedback the dialogs set and the score.
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const path = require("path");
const { serve } = require("./lib/serve");
const course = require("./lib/course");
const { answer, go } = require("./lib/answer");
const { launch, freshPage, onScreen } = require("./lib/browser");

const questions = {
    "0_1q": { kind: "multiple choice", right: { choose: [0, 2] }, wrong: { choose: [1] } },
    "0_2q": { kind: "fill in the blanks", right: { type: ["fledgling", "eats"] }, wrong: { type: ["robin", "eats"] } },
    "0_3q": { kind: "match pairs", right: { pairs: [0, 1, 2] }, wrong: { pairs: [1, 0, 2] } },
    "0_4q": { kind: "slider", right: { keys: ["Home", "ArrowRight", "ArrowRight", "ArrowRight"] }, wrong: { keys: ["End"] } }
};
let work, server, browser;

before(async () => {
    work = course.publish("dialogs", "standalone");
    server = await serve(path.join(work, "out"));
    browser = await launch();
});

after(() => course.closeAll({ browser, server, root: work }));

async function open() {
    const page = await freshPage(browser, server.base);
    await page.goto(server.base + "content/ind.htm", { waitUntil: "load" });
    await onScreen(page, "0_0");
    return page;
}

for (const right of [true, false])
    test("the dialogs' questions answered " + (right ? "right score 100" : "wrong score 0"), async () => {
        const page = await open();
        for (const [id, q] of Object.entries(questions)) {
            await go(page, id);
            if (id === "0_3q")
                assert.equal(await page.$$eval("#kvxScreen img[src*='images/questions/']", e => e.length), 1,
                             "the owl's picture beside its text");
            assert.equal(await answer(page, right ? q.right : q.wrong), right ? "Right." : "Wrong.", q.kind);
            assert.deepEqual(page.watcher.take(), [], "problems while answering " + q.kind);
        }
        assert.deepEqual(await page.evaluate(() => [kvxRuntime.score(), kvxRuntime.success()]),
                         right ? [100, "passed"] : [0, "failed"]);
        await page.close();
    });
