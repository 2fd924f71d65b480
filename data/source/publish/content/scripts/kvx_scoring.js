/* Corvessa course run-time: answering and scores.
 *
 * A question object hands its answer to R.evaluate, which gives the feedback the options ask for and
 * records one result per question (kvxRuntime.results); the score is the share of question screens answered
 * right among those that count.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const api = R.api = R.api || /** @type {KvxRuntime["api"]} */ ({});
    const { intText: text, showsCorrect, reopens } = R;

    let uid = 0;
    R.uid = () => ++uid;

    R.screenTitle = q => (q.screen && q.screen.pagename) || "";

    R.feedbackTexts = function (q) {
        const prefs = R.prefs();
        const own = (window.kvxFdbck || {})[q.screenId];
        const fallback = q.assessing ? prefs.assDefaultFdbck : prefs.intDefaultFdbck;
        const pick = k => {
            // A question whose own text is empty gives the course's text rather than an empty message.
            const mine = Array.isArray(own) ? String(own[k] ?? "") : "";
            return mine !== "" ? mine : String((Array.isArray(fallback) ? fallback[k] : "") ?? "");
        };
        return { wrong: pick(0), right: pick(1) };
    };

    // The learner pressed a submit button (silent: the screen is being left, or its time is up).
    R.evaluate = function (q, silent) {
        if (q.locked && !silent)
            return;
        if (!silent && q.isEmpty()) {
            R.say(q, text("answerfirst"));
            return;
        }
        q.attempts += 1;
        q.changed = false;
        const right = q.scored ? !!R.guard(() => q.check()) : null;
        R.record(q, right);
        const prefs = R.prefs();
        const assessing = q.assessing;
        q.mark(right);
        if (right === false && showsCorrect(q))
            R.guard(() => q.showCorrect());
        q.setLocked(!reopens(q, right));
        R.screenQuestionsChanged();
        if (silent)
            return;
        const feedback = q.scored && (assessing ? prefs.assessFeedback : prefs.showFeedback);
        const onward = assessing ? prefs.autoProgressTest : prefs.autoProgress;
        const onDone = assessing ? prefs.autoProgressOnDoneTest : prefs.autoProgressOnDone;
        if (feedback) {
            const texts = R.feedbackTexts(q);
            R.showFeedback(right ? texts.right : texts.wrong, right, () => {
                if (onward && q.main)
                    api.next();
            });
        } else if (!q.scored) {
            R.say(q, text("recorded"));
        } else if (onDone && q.main) {
            api.next();
        }
    };

    // A short message under the question, read out too.
    R.say = function (q, message) {
        const box = q.lower || q.root;
        if (box) {
            let line = box.querySelector(":scope > .kvxQuestionMessage");
            if (!line) {
                line = R.el("p", { className: "kvxQuestionMessage", role: "status" });
                box.append(line);
            }
            line.textContent = message;
        }
        R.announce(message);
    };

    R.showFeedback = function (message, right, onOk) {
        const dialog = R.openDialog({ label: text("feedback"), role: "alertdialog",
                                      className: "kvxFeedback " + (right ? "kvxFeedbackRight" : "kvxFeedbackWrong"),
                                      onClose: () => { if (onOk) R.clock.setTimeout(onOk, 0); } });
        const p = R.el("p", { className: "kvxFeedbackText", id: "kvxFeedbackText", text: message });
        const ok = R.el("button", { type: "button", className: "kvxButton kvxFeedbackOk", text: R.text("ok") });
        dialog.setAttribute("aria-describedby", "kvxFeedbackText");
        dialog.body.append(p, R.el("div", { className: "kvxDialogButtons" }, ok));
        ok.addEventListener("click", () => dialog.close());
        R.focusDialog(dialog, ok);
        return dialog;
    };

    R.record = function (q, right) {
        const before = R.results[q.key];
        const memory = q.assessing && R.prefs().assessMemory;
        const entry = {
            screen: q.screenId, kind: q.kind, scored: q.scored, right, attempts: q.attempts,
            firstRight: before && !memory ? before.firstRight : right,
            response: R.guard(() => q.response())
        };
        R.results[q.key] = entry;
        if (window.kvxMem && typeof window.kvxMem === "object")
            window.kvxMem[q.key] = entry.response;
        if (!q.scored)
            R.unscored.add(q.screenId);
        else
            R.unscored.delete(q.screenId);
        for (const fn of R.onAnswer)
            R.guard(() => fn(q, entry));
        R.saveState();
        R.resultChanged();
    };

    R.saveState = function () {
        if (R.storage && R.current && R.current.id)
            R.guard(() => R.storage.remember(R.current.id, R.visited));
    };

    R.resultChanged = function () {
        for (const fn of R.onResult)
            R.guard(fn);
    };

    // Whether the main screen still waits for an answer (Next may wait for it).
    R.screenQuestionsChanged = function () {
        const pending = R.questions.some(q => q.main && (q.scored || q.kind === "freeForm") &&
            (q.hasDone ? q.attempts === 0 : q.isEmpty()));
        R.questionPending = pending;
        if (R.frame)
            R.updateNavigation();
    };

    // Leaving a screen: answers of questions without a submit button count as they stand.
    (R.beforeLeave = R.beforeLeave || []).push(function (target) {
        for (const q of R.questions.filter(x => x.target === target))
            if (!q.hasDone && !q.isEmpty() && (q.changed || q.attempts === 0) && q.kind !== "custom")
                R.guard(() => R.evaluate(q, true));
        R.questions = R.questions.filter(q => q.target !== target);
        if (target.name === "main") {
            R.questionPending = false;
            R.stopQuestionTimer();
        }
    });

    // Remembered texts of free-form questions, for the session.
    R.rememberText = function (q, value) {
        try {
            sessionStorage.setItem("corvessa:text:" + (R.obj().projectPrefix || "") + ":" + q.key, value);
        } catch (e) { /* nothing kept */ }
    };
    R.rememberedText = function (q) {
        try {
            return sessionStorage.getItem("corvessa:text:" + (R.obj().projectPrefix || "") + ":" + q.key);
        } catch (e) {
            return null;
        }
    };

    R.printText = function (value) {
        const sheet = R.el("div", { className: "kvxPrintText", text: value });
        document.body.append(sheet);
        document.body.classList.add("kvxPrintingText");
        const done = () => {
            sheet.remove();
            document.body.classList.remove("kvxPrintingText");
            window.removeEventListener("afterprint", done);
        };
        window.addEventListener("afterprint", done);
        window.print();
        R.clock.setTimeout(done, 1000);
    };

    // The addresses of the options that are addresses at all ("" when none is: the options hold a
    // placeholder text until the author gives one).
    R.mailAddresses = function () {
        return String(R.prefs().email || "").split(/[;,\s]+/).filter(a => /^[^@\s]+@[^@\s]+$/.test(a)).join(",");
    };

    R.mailText = function (value, subject) {
        const to = R.mailAddresses();
        if (!to)
            return;
        window.location.href = "mailto:" + encodeURIComponent(to).replace(/%2C/g, ",") + "?subject=" +
            encodeURIComponent(subject || R.prefs().courseName || "") + "&body=" + encodeURIComponent(value);
    };

    // ---------------------------------------------------------------------------------------------
    // Scores. One score per question screen: right when all its scored questions were right.
    R.screenRight = function (id) {
        const entries = Object.values(R.results).filter(r => r.screen === id && r.scored);
        if (entries.length === 0)
            return null;
        const memory = R.inAssessment(id) && R.prefs().assessMemory;
        return entries.every(r => (memory ? r.right : r.firstRight) === true);
    };

    const isQuestionScreen = R.isQuestionScreen = id => /q$/.test(id);

    // The question screens that count for the score.
    R.scoredScreens = function () {
        const c = R.course;
        if (!c)
            return [];
        const prefs = R.prefs();
        const all = c.stops.filter(isQuestionScreen);
        let scope;
        if (prefs.assessment)
            scope = all.filter(id => R.inAssessment(id));
        else if (c.menuBased) {
            const flags = Array.isArray(prefs.assessable) ? prefs.assessable : [];
            scope = all.filter(id => {
                const t = c.topicOf.get(id);
                return t && t.block === 0 && Number(flags[t.index + 1]) === 1;
            });
        } else {
            scope = Array.isArray(prefs.assessable) && Number(prefs.assessable[0]) === 1 ? all : [];
        }
        if (scope.length === 0)
            scope = all;
        return scope.filter(id => !R.unscored.has(id));
    };

    R.score = function () {
        const screens = R.scoredScreens();
        if (screens.length === 0)
            return null;
        const right = screens.filter(id => R.screenRight(id) === true).length;
        return Math.round(100 * right / screens.length);
    };

    R.scoreFinished = function () {
        const screens = R.scoredScreens();
        if (screens.length === 0)
            return false;
        return R.assessmentOver || screens.every(id => R.screenRight(id) !== null);
    };

    R.passMark = () => Math.max(0, Math.min(100, Number(R.prefs().assessPassMark) || 0));

    // passed, failed, or null while the score is not final.
    R.success = function () {
        if (!R.scoreFinished())
            return null;
        return (R.score() ?? 0) >= R.passMark() ? "passed" : "failed";
    };

    R.completed = function () {
        return R.reachedEnd || R.assessmentOver ||
            (!!R.course && R.course.stops.length > 0 && R.course.stops.every(id => R.visited.has(id)));
    };

    // What the course keeps between visits.
    R.courseState = function () {
        const results = {};
        for (const [key, r] of Object.entries(R.results))
            results[key] = [r.right === null ? 2 : r.right ? 1 : 0, r.firstRight === null ? 2 : r.firstRight ? 1 : 0,
                            r.attempts, r.scored ? 1 : 0, r.kind];
        return { r: results, o: R.assessmentOrder || undefined, e: R.assessmentOver ? 1 : undefined,
                 t: R.assessmentStarted || undefined, u: R.unscored.size ? [...R.unscored] : undefined };
    };

    R.restoreCourseState = function (state) {
        if (!state || typeof state !== "object")
            return;
        const flag = v => (v === 2 ? null : v === 1);
        if (state.r && typeof state.r === "object") {
            for (const [key, r] of Object.entries(state.r)) {
                if (!Array.isArray(r) || !R.isScreenId(key.replace(/\.\d+$/, "")))
                    continue;
                R.results[key] = { screen: key.replace(/\.\d+$/, ""), right: flag(r[0]), firstRight: flag(r[1]),
                                   attempts: Number(r[2]) || 1, scored: r[3] === 1, kind: String(r[4] || ""), response: undefined };
            }
        }
        if (Array.isArray(state.u))
            state.u.filter(R.isScreenId).forEach(id => R.unscored.add(id));
        if (Array.isArray(state.o))
            R.applyAssessmentOrder(state.o.filter(R.isScreenId));
        R.assessmentOver = state.e === 1;
        if (Number.isFinite(state.t))
            R.assessmentStarted = state.t;
        R.resultChanged();
    };
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));
