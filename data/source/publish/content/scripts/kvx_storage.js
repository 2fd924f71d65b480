/* Corvessa course run-time: what the course keeps between visits.
 *
 * The screen the learner last reached and the screens already seen are kept in the browser's local
 * storage under a key of this course (its project prefix and its folder), so that a learner can resume
 * where they left off when the options allow it. Where the browser keeps nothing (storage switched
 * off, a private window) the course runs the same and simply starts at its first screen next time.
 * The answers given so far (kvxRuntime.courseState) are kept with the place, so that a resumed course
 * keeps its score.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    function store() {
        try {
            const s = window.localStorage;
            const probe = "corvessa:probe";
            s.setItem(probe, "1");
            s.removeItem(probe);
            return s;
        } catch (e) {
            return null;
        }
    }

    function key() {
        const folder = window.location.pathname.replace(/[^/]*$/, "");
        return "corvessa:" + ((window.kvxObj && kvxObj.projectPrefix) || "") + ":" + folder;
    }

    function read() {
        const s = store();
        if (!s)
            return {};
        try {
            const value = JSON.parse(s.getItem(key()) || "{}");
            return value && typeof value === "object" ? value : {};
        } catch (e) {
            return {};
        }
    }

    function write(value) {
        const s = store();
        if (!s)
            return;
        try {
            s.setItem(key(), JSON.stringify(value));
        } catch (e) {
            /* storage full or refused: the course goes on without it */
        }
    }

    R.storage = {
        remember(id, visited) {
            write({ bookmark: id, visited: [...visited].filter(R.isScreenId),
                    state: R.courseState ? R.courseState() : undefined });
        },
        bookmark() {
            const b = read().bookmark;
            return typeof b === "string" ? b : null;
        },
        restore(visited) {
            const stored = read();
            const list = stored.visited;
            if (Array.isArray(list))
                for (const id of list)
                    if (R.isScreenId(id))
                        visited.add(id);
            if (R.restoreCourseState)
                R.restoreCourseState(stored.state);
        },
        clear() {
            const s = store();
            if (s)
                s.removeItem(key());
        }
    };

    // A course that has been finished starts again from its beginning; one left part way resumes.
    (R.onFinish = R.onFinish || []).push(finished => {
        if (finished)
            R.storage.clear();
    });
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));
