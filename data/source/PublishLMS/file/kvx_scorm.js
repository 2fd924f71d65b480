/* Corvessa course run-time: the learning management system's SCORM interface.
 *
 * A course in an LMS package talks to the LMS through the object the LMS puts in one of the windows
 * around the course: API for SCORM 1.2, API_1484_11 for SCORM 2004 (kvxPrefs.LMSversion says which).
 * It is looked for in the course window's parents and then in the window that opened it and that
 * window's parents.
 *
 * The course tells the LMS its status (lesson status in 1.2; completion and success status in 2004),
 * its score (raw, minimum, maximum and, in 2004, scaled), the time of the session, the screen reached
 * (location) and what it needs to resume (suspend data, within 4,096 characters in 1.2 and 64,000 in
 * 2004), the answers as interactions when the course records data, and the exit value of the LMS
 * settings. Every call is checked; an LMS that refuses a call is noted in the console and the course
 * goes on.
 */
(function (R) {
    "use strict";

    const maxDepth = 10;

    function search(win, name) {
        for (let depth = 0; win && depth <= maxDepth; ++depth) {
            try {
                if (win[name])
                    return win[name];
            } catch (e) {
                return null;   // a window of another origin hides its interface
            }
            if (win.parent === win)
                break;
            win = win.parent;
        }
        return null;
    }

    // The names of the data model in each version.
    const models = {
        "1.2": {
            init: "LMSInitialize", finish: "LMSFinish", get: "LMSGetValue", set: "LMSSetValue", commit: "LMSCommit",
            error: "LMSGetLastError", errorText: "LMSGetErrorString",
            entry: "cmi.core.entry", location: "cmi.core.lesson_location", suspend: "cmi.suspend_data",
            status: "cmi.core.lesson_status", raw: "cmi.core.score.raw", min: "cmi.core.score.min",
            max: "cmi.core.score.max", sessionTime: "cmi.core.session_time", exit: "cmi.core.exit",
            name: "cmi.core.student_name", interactions: "cmi.interactions", suspendLimit: 4096
        },
        "2004": {
            init: "Initialize", finish: "Terminate", get: "GetValue", set: "SetValue", commit: "Commit",
            error: "GetLastError", errorText: "GetErrorString",
            entry: "cmi.entry", location: "cmi.location", suspend: "cmi.suspend_data",
            completion: "cmi.completion_status", success: "cmi.success_status", raw: "cmi.score.raw",
            min: "cmi.score.min", max: "cmi.score.max", scaled: "cmi.score.scaled", sessionTime: "cmi.session_time",
            exit: "cmi.exit", name: "cmi.learner_name", interactions: "cmi.interactions", suspendLimit: 64000
        }
    };

    const lms = R.lms = {
        api: null,
        model: null,
        errors: [],
        started: 0,
        finished: false,
        protectedPass: false,

        version() {
            return (window.kvxPrefs && Number(kvxPrefs.LMSversion) === 12) ? "1.2" : "2004";
        },

        // The LMS's interface object, or null when the course does not run inside an LMS.
        findApi() {
            const name = lms.version() === "1.2" ? "API" : "API_1484_11";
            let api = search(window, name);
            if (!api && window.opener) {
                try {
                    api = search(window.opener, name);
                } catch (e) {
                    api = null;
                }
            }
            return api || null;
        },

        // One call of the interface, checked. Returns the call's result, or null when it failed.
        call(name, ...args) {
            const api = lms.api;
            if (!api || typeof api[name] !== "function")
                return null;
            let result;
            try {
                result = api[name](...args);
            } catch (e) {
                lms.fail(name, args, "", String(e && e.message || e));
                return null;
            }
            let code = "0";
            try {
                code = String(api[lms.model.error]());
            } catch (e) {
                code = "0";
            }
            const failed = result === "false" || result === false || (code !== "0" && code !== "");
            // A value the LMS has not stored yet is no failure for a get (403 in 2004, 0 with "" in 1.2).
            if (failed && !(name === lms.model.get && (code === "403" || code === "0"))) {
                let message = "";
                try {
                    message = String(api[lms.model.errorText](code));
                } catch (e) {
                    message = "";
                }
                lms.fail(name, args, code, message);
                return name === lms.model.get ? "" : null;
            }
            return result === undefined || result === null ? "" : String(result);
        },

        fail(name, args, code, message) {
            const entry = { call: name, args: args.map(String), code, message };
            lms.errors.push(entry);
            console.warn("LMS: " + name + "(" + entry.args.join(", ") + ") failed: " + code + " " + message);
        },

        get(element) {
            return lms.call(lms.model.get, element) || "";
        },

        set(element, value) {
            return lms.call(lms.model.set, element, String(value)) !== null;
        },

        commit() {
            return lms.call(lms.model.commit, "") !== null;
        }
    };

    // ---------------------------------------------------------------------------------------------
    // Times: 1.2 as HHHH:MM:SS.SS, 2004 as an ISO 8601 duration.
    lms.sessionTime = function (ms) {
        const cs = Math.max(0, Math.round(ms / 10));
        const h = Math.floor(cs / 360000), m = Math.floor(cs / 6000) % 60, s = (cs % 6000) / 100;
        if (lms.version() === "1.2")
            return String(Math.min(h, 9999)).padStart(4, "0") + ":" + String(m).padStart(2, "0") + ":" +
                s.toFixed(2).padStart(5, "0");
        return "PT" + h + "H" + m + "M" + s.toFixed(2).replace(/\.?0+$/, "") + "S";
    };

    lms.timestamp = function (date) {
        const d = date || new Date();
        const p = (n, w = 2) => String(n).padStart(w, "0");
        if (lms.version() === "1.2")
            return p(d.getHours()) + ":" + p(d.getMinutes()) + ":" + p(d.getSeconds());
        return d.getFullYear() + "-" + p(d.getMonth() + 1) + "-" + p(d.getDate()) + "T" + p(d.getHours()) + ":" +
            p(d.getMinutes()) + ":" + p(d.getSeconds());
    };

    // ---------------------------------------------------------------------------------------------
    // Suspend data: the screens seen and the answers, as compact JSON. When it would pass the LMS's
    // limit the least needed parts go first: the assessment order, then the screens seen.
    lms.encodeState = function (visited, state) {
        const limit = lms.model.suspendLimit;
        const stops = R.course ? R.course.stops : [];
        const seen = [...visited].map(id => stops.indexOf(id)).filter(i => i >= 0).sort((a, b) => a - b);
        const parts = { v: seen.map(i => i.toString(36)).join("."), s: state || {} };
        const tries = [
            () => parts,
            () => ({ v: parts.v, s: Object.assign({}, parts.s, { o: undefined }) }),
            () => ({ s: Object.assign({}, parts.s, { o: undefined }) }),
            () => ({ s: { r: parts.s.r, e: parts.s.e } })
        ];
        for (const make of tries) {
            const text = JSON.stringify(make());
            if (text.length <= limit)
                return text;
        }
        // The answers alone are too long: as many of the newest as fit are kept, found by halving.
        const r = Object.entries((parts.s && parts.s.r) || {});
        const keep = n => JSON.stringify({ s: { r: Object.fromEntries(r.slice(r.length - n)), e: parts.s.e } });
        let fits = 0, over = r.length;
        while (over - fits > 1) {
            const n = Math.floor((fits + over) / 2);
            if (keep(n).length <= limit)
                fits = n;
            else
                over = n;
        }
        const text = keep(fits);
        return text.length <= limit ? text : "";
    };

    lms.decodeState = function (text) {
        try {
            const value = JSON.parse(text);
            return value && typeof value === "object" ? value : null;
        } catch (e) {
            return null;
        }
    };

    // ---------------------------------------------------------------------------------------------
    // The course's place and answers live in the LMS.
    function lmsStorage(entry) {
        return {
            autoResume: entry,
            remember(id, visited) {
                if (!lms.api || lms.finished)
                    return;
                lms.visited = visited;
                if (R.isScreenId(id))
                    lms.set(lms.model.location, id);
                lms.set(lms.model.suspend, lms.encodeState(visited, R.courseState ? R.courseState() : undefined));
                lms.report();
                lms.commit();
            },
            bookmark() {
                const id = lms.resumeLocation;
                return R.isScreenId(id) ? id : null;
            },
            restore(visited) {
                const data = lms.resumeData;
                if (!data)
                    return;
                const stops = R.course ? R.course.stops : [];
                for (const piece of String(data.v || "").split(".")) {
                    const id = stops[parseInt(piece, 36)];
                    if (piece && id)
                        visited.add(id);
                }
                if (R.restoreCourseState)
                    R.restoreCourseState(data.s);
            },
            clear() {}
        };
    }

    // ---------------------------------------------------------------------------------------------
    // One session per launch. The launch page opens it when it loads; when the learner goes on to the
    // course the page hands the open session over (a note in the tab's session storage), and the course
    // page goes on with it instead of opening a second one. A session handed over is used only when the
    // LMS confirms it is open.
    const handOverKey = "kvxLmsSession";

    // The time the session was opened when the launch page handed it over, else 0.
    function takeHandOver() {
        try {
            const handed = sessionStorage.getItem(handOverKey);
            sessionStorage.removeItem(handOverKey);
            return handed !== null && Number(handed) > 0 ? Number(handed) : 0;
        } catch (e) {
            return 0;
        }
    }

    function sessionIsOpen(api) {
        try {
            api[lms.model.get](lms.model.entry);
            const code = String(api[lms.model.error]());
            return code === "0" || code === "";
        } catch (e) {
            return false;
        }
    }

    lms.open = function () {
        lms.api = lms.findApi();
        if (!lms.api)
            return false;
        lms.model = models[lms.version()];
        const handedAt = takeHandOver();
        if (handedAt && sessionIsOpen(lms.api)) {
            lms.started = Math.min(handedAt, Date.now());
            return true;
        }
        if (lms.call(lms.model.init, "") === null) {
            lms.api = null;
            return false;
        }
        lms.started = Date.now();
        return true;
    };

    // The launch page of the package: the session opens as it loads and closes when it is left, unless the
    // learner leaves it for the course, which takes the session over.
    lms.launchPage = function (startLink) {
        if (!window.kvxPrefs || !kvxPrefs.LMS || !lms.open())
            return;
        let handingOver = false;
        if (startLink)
            startLink.addEventListener("click", (event) => {
                // A click that opens the course in another tab or window leaves this page where it is.
                if (event.button !== 0 || event.ctrlKey || event.metaKey || event.shiftKey || event.altKey)
                    return;
                handingOver = true;
                try {
                    sessionStorage.setItem(handOverKey, String(lms.started));
                } catch (e) {
                    handingOver = false;
                }
            });
        const leave = () => {
            if (!handingOver)
                lms.close();
        };
        window.addEventListener("pagehide", leave);
        window.addEventListener("beforeunload", leave);
    };

    lms.start = function () {
        if (!lms.open())
            return false;
        const m = lms.model;
        const entry = lms.get(m.entry);
        const resume = entry === "resume" || (entry === "" && lms.get(m.suspend) !== "");
        lms.resumeLocation = resume ? lms.get(m.location) : "";
        lms.resumeData = resume ? lms.decodeState(lms.get(m.suspend)) : null;
        const status = lms.version() === "1.2" ? lms.get(m.status) : lms.get(m.success);
        lms.protectedPass = !!R.prefs().LMSProtectPassedStatus && status === "passed";
        if (lms.version() === "1.2") {
            if (status === "not attempted" || status === "")
                lms.set(m.status, "incomplete");
        } else if (lms.get(m.completion) !== "completed") {
            lms.set(m.completion, "incomplete");
        }
        const name = lms.get(m.name);
        if (name && window.kvxObj && !kvxObj.kvxname)
            kvxObj.kvxname = name;
        lms.commit();
        R.storage = lmsStorage(resume);
        return true;
    };

    // Status and score as they stand.
    lms.report = function () {
        if (!lms.api || lms.finished || lms.protectedPass)
            return;
        const m = lms.model;
        const score = R.score ? R.score() : null;
        const success = R.success ? R.success() : null;
        const completed = R.completed ? R.completed() : false;
        if (score !== null) {
            lms.set(m.min, "0");
            lms.set(m.max, "100");
            lms.set(m.raw, String(score));
            if (m.scaled)
                lms.set(m.scaled, String(score / 100));
        }
        if (lms.version() === "1.2") {
            const status = success || (completed ? "completed" : "incomplete");
            lms.set(m.status, status);
        } else {
            lms.set(m.completion, completed || success ? "completed" : "incomplete");
            lms.set(m.success, success || "unknown");
        }
    };

    // ---------------------------------------------------------------------------------------------
    // Interactions, when the course records data.
    lms.interactionCount = null;

    lms.interaction = function (q, entry) {
        if (!lms.api || lms.finished || !R.prefs().record)
            return;
        const m = lms.model;
        const data = q.interaction ? q.interaction() : null;
        if (!data)
            return;
        if (lms.interactionCount === null)
            lms.interactionCount = Number(lms.get(m.interactions + "._count")) || 0;
        const n = lms.interactionCount++;
        const base = m.interactions + "." + n + ".";
        const v12 = lms.version() === "1.2";
        const id = ("q" + q.key).replace(/[^A-Za-z0-9_.-]/g, "_");
        // 2004 has no free form for a performance that is not a list of steps.
        const type = !v12 && data.type === "performance" ? "other" : data.type;
        lms.set(base + "id", id);
        lms.set(base + "type", type);
        const response = lms.pattern(type, data.response);
        const correct = !v12 && type === "numeric" && (data.correct || []).length
            ? data.correct[0] + "[:]" + data.correct[0] : lms.pattern(type, data.correct, data.trueFalse);
        if (correct !== null && (data.correct || []).length)
            lms.set(base + "correct_responses.0.pattern", correct);
        if (response !== null)
            lms.set(base + (v12 ? "student_response" : "learner_response"), response);
        if (entry.scored) {
            lms.set(base + "result", entry.right ? "correct" : (v12 ? "wrong" : "incorrect"));
            lms.set(base + "weighting", "1");
        } else {
            lms.set(base + "result", "neutral");
        }
        lms.set(base + (v12 ? "time" : "timestamp"), lms.timestamp());
        lms.commit();
    };

    // Responses in the form each type asks for.
    lms.pattern = function (type, values) {
        const v12 = lms.version() === "1.2";
        const list = (values || []).map(String);
        const clip = (s, n) => s.slice(0, n);
        switch (type) {
        case "true-false":
            return list[0] === "a" ? (v12 ? "t" : "true") : (v12 ? "f" : "false");
        case "choice":
            return v12 ? list.join(",") : list.join("[,]");
        case "matching":
            return v12 ? list.join(",") : list.map(p => p.replace(".", "[.]")).join("[,]");
        case "numeric":
            return Number.isFinite(Number(list[0])) ? String(Number(list[0])) : null;
        case "likert":
            return v12 ? clip(list[0] || "", 1) : clip(list[0] || "", 250);
        case "performance":
            return clip(list.join(","), 255);
        case "other":
            return clip(list.join(","), 4000);
        default:   // fill-in
            return v12 ? clip(list.join(",").replace(/[^\x20-\x7E]/g, "?"), 255)
                       : list.map(s => clip(s.replace(/\[[,.]\]/g, " "), 250)).join("[,]");
        }
    };

    // ---------------------------------------------------------------------------------------------
    // The end of the session: time, exit value, a last commit and the closing call, once.
    lms.finish = function () {
        if (!lms.api || lms.finished)
            return;
        lms.report();
        lms.close();
    };

    // The closing calls without a report: all the launch page has to say is how long the learner stayed.
    lms.close = function () {
        if (!lms.api || lms.finished)
            return;
        const m = lms.model;
        lms.set(m.sessionTime, lms.sessionTime(Date.now() - lms.started));
        const exit = window.kvxPrefs && typeof kvxPrefs.cmiExit === "string" ? kvxPrefs.cmiExit : "";
        const allowed = lms.version() === "1.2" ? ["time-out", "suspend", "logout", ""] : ["time-out", "suspend", "logout", "normal", ""];
        if (allowed.includes(exit))
            lms.set(m.exit, exit);
        lms.commit();
        lms.call(m.finish, "");
        lms.finished = true;
    };

    (R.onStart = R.onStart || []).unshift(function () {
        if (!R.prefs().LMS)
            return;
        if (!lms.start())
            return;
        (R.onAnswer = R.onAnswer || []).push(lms.interaction);
        (R.onResult = R.onResult || []).push(() => { lms.report(); lms.commit(); });
        window.addEventListener("pagehide", lms.finish);
        window.addEventListener("beforeunload", lms.finish);
    });

    (R.onFinish = R.onFinish || []).push(function () {
        lms.finish();
        if (R.prefs().opensNew)
            setTimeout(() => window.close(), 0);
    });
})(window.kvxRuntime = window.kvxRuntime || {});
