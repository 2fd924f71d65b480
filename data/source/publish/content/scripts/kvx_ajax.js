/* Corvessa course run-time: requests to the course's server pages.
 *
 * Courses published for a web database send results and texts to their server pages
 * (include/writedata.php and the others) and read answers back. kvxRuntime.ajax.post sends a form
 * and resolves with the answer's text; a failed request or an answer other than 2xx rejects, and a
 * request that takes longer than the time-out is cancelled.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const timeout = 20000;
    // A request sent as the course page is left (the last results) outlives the page when its body is
    // small enough for the browser to keep it going.
    const keepAliveBytes = 60000;

    function request(url, options) {
        const controller = new AbortController();
        const timer = setTimeout(() => controller.abort(), timeout);
        const keepalive = options.body !== undefined && String(options.body).length <= keepAliveBytes;
        return fetch(url, Object.assign({ signal: controller.signal, credentials: "same-origin", keepalive }, options))
            .then(response => {
                if (!response.ok)
                    throw new Error(url + ": " + response.status);
                return response.text();
            })
            .finally(() => clearTimeout(timer));
    }

    R.ajax = {
        get(url) {
            return request(url, { method: "GET" });
        },
        post(url, fields) {
            const body = new URLSearchParams();
            for (const [k, v] of Object.entries(fields || {}))
                body.append(k, v === undefined || v === null ? "" : String(v));
            return request(url, { method: "POST", body });
        }
    };
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));

/* Results kept by the course's server pages (a course published for a web database that records data):
 * the screen reached, the score, the status and what the course needs to resume go to
 * include/writedata after every answer and every screen; the texts of free-form questions that ask for
 * it go to include/recordtext. A signed-in learner's earlier place and answers, which the sign-in page
 * brought from the server, are where the course resumes. A server that cannot be reached costs the
 * record, never the course.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    R.serverPage = function (name) {
        return "include/" + name + ((window.kvxObj && kvxObj.projectSuf === ".asp") ? ".asp" : ".php");
    };

    let sending = null, again = false;

    function snapshot() {
        const success = R.success ? R.success() : null;
        const score = R.score ? R.score() : null;
        return {
            location: R.current && R.isScreenId(R.current.id) ? R.current.id : "",
            score: score === null ? "" : String(score),
            status: success || (R.completed && R.completed() ? "completed" : "incomplete"),
            state: JSON.stringify({ v: [...R.visited].filter(R.isScreenId), s: R.courseState ? R.courseState() : {} })
        };
    }

    // One request at a time; what changed meanwhile goes in the next one. The promise settles when the
    // server holds the latest results (or could not be reached).
    R.sendResults = function () {
        if (sending) {
            again = true;
            return sending;
        }
        sending = R.ajax.post(R.serverPage("writedata"), snapshot())
            .catch(e => console.warn("The results could not be kept: " + e.message))
            .then(() => {
                sending = null;
                if (!again)
                    return undefined;
                again = false;
                return R.sendResults();
            });
        return sending;
    };

    function recordText(q, entry) {
        if (q.kind !== "freeForm" || !q.owner || !q.owner.rec)
            return;
        R.ajax.post(R.serverPage("recordtext"), { screen: q.screenId, question: q.owner.qnum, text: String(entry.response || "") })
            .catch(e => console.warn("The text could not be kept: " + e.message));
    }

    // The place and answers of the learner's earlier visit, from the server.
    function serverResume() {
        const learner = R.learner && R.learner.read();
        if (!learner || !R.isScreenId(learner.location) || !R.storage)
            return;
        let state = null;
        try {
            state = JSON.parse(learner.state || "null");
        } catch (e) {
            state = null;
        }
        const local = R.storage;
        R.storage = Object.assign({}, local, {
            bookmark: () => local.bookmark() || learner.location,
            restore(visited) {
                if (local.bookmark()) {
                    local.restore(visited);
                    return;
                }
                if (state && Array.isArray(state.v))
                    state.v.filter(R.isScreenId).forEach(id => visited.add(id));
                if (state && R.restoreCourseState)
                    R.restoreCourseState(state.s);
            }
        });
    }

    (R.onStart = R.onStart || []).push(function () {
        const prefs = R.prefs();
        if (!prefs.webDB || !prefs.record)
            return;
        serverResume();
        (R.onResult = R.onResult || []).push(R.sendResults);
        (R.onArrive = R.onArrive || []).push(R.sendResults);
        (R.onAnswer = R.onAnswer || []).push(recordText);
        // The course page waits for the last results before it leaves.
        (R.onFinish = R.onFinish || []).push(() => sending);
    });
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));
