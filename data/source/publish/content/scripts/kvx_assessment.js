/* Corvessa course run-time: the assessment and remediation.
 *
 * The assessment (the last topic of the main menu, or the whole of a course without menus) may be timed,
 * drawn from a pool, put in random order and close on a final performance screen; remediation groups are
 * offered after their trigger screen while the score of their questions stays below their pass mark.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const api = R.api = R.api || /** @type {KvxRuntime["api"]} */ ({});
    const { intText: text, intFormat: format, shuffle, isQuestionScreen } = R;

    // ---------------------------------------------------------------------------------------------
    // The assessment: the last topic of the main menu, or the whole of a course without menus.
    R.fpsList = () => (Array.isArray(R.prefs().fps) ? R.prefs().fps.map(String).filter(R.isScreenId) : []);
    R.isFps = id => R.fpsList().includes(id);
    R.skipScreen = id => R.isFps(id);
    R.resumable = id => R.isFps(id);

    R.assessmentScreens = function () {
        const c = R.course;
        if (!c || !R.prefs().assessment)
            return [];
        if (!c.menuBased)
            return c.stops;
        const last = c.topics.filter(t => t.block === 0).pop();
        return last ? last.screens : [];
    };

    // Random order and a pool: the assessment's question screens are mixed among their places and
    // only as many as the options ask for are kept.
    R.onCourse = R.onCourse || [];
    R.onCourse.push(function (course) {
        const prefs = R.prefs();
        if (!prefs.assessment)
            return;
        const screens = course.menuBased ? (course.topics.filter(t => t.block === 0).pop() || {}).screens : course.stops;
        if (!screens)
            return;
        const questions = screens.filter(isQuestionScreen);
        let chosen = prefs.assessRandom ? shuffle(questions.slice()) : questions.slice();
        const pool = Number(prefs.assessNumQuestions);
        if (pool > 0 && pool < chosen.length) {
            const keep = new Set(shuffle(questions.slice()).slice(0, pool));
            chosen = chosen.filter(id => keep.has(id));
        }
        R.assessmentOrder = chosen.length !== questions.length || chosen.some((id, i) => id !== questions[i]) ? chosen : null;
        if (R.assessmentOrder)
            reorder(course, screens, chosen);
    });

    // The chosen question screens take the question places of the assessment in their new order; places
    // left over (a pool smaller than the questions) are dropped.
    function reorder(course, screens, chosen) {
        const all = screens.slice();
        let n = 0;
        const result = [];
        for (const id of all) {
            if (!isQuestionScreen(id))
                result.push(id);
            else if (n < chosen.length)
                result.push(chosen[n++]);
        }
        screens.splice(0, screens.length, ...result);
        if (course.menuBased) {
            const mine = new Set(all);
            const at = course.stops.findIndex(id => mine.has(id));
            const others = course.stops.filter(id => !mine.has(id));
            const cut = at < 0 ? others.length : at;
            course.stops.splice(0, course.stops.length, ...others.slice(0, cut), ...result, ...others.slice(cut));
        }
        course.first = course.stops[0] || null;
    }

    // A resumed course keeps the order its learner had.
    R.applyAssessmentOrder = function (order) {
        const c = R.course;
        if (!c || order.length === 0)
            return;
        const screens = c.menuBased ? (c.topics.filter(t => t.block === 0).pop() || {}).screens : c.stops;
        if (!screens)
            return;
        const all = new Set(screens.filter(isQuestionScreen));
        const known = R.originalQuestions || [...all];
        const wanted = order.filter(id => known.includes(id) || all.has(id));
        if (wanted.length === 0)
            return;
        // Screens dropped from the pool at start-up are put back first, so that the stored choice wins.
        c.stops.splice(0, c.stops.length, ...R.baseStops);
        const base = c.menuBased ? (c.topics.filter(t => t.block === 0).pop() || {}).screens : c.stops;
        base.splice(0, base.length, ...R.baseAssessment);
        reorder(c, base, wanted);
        R.assessmentOrder = wanted;
    };

    // The plain order is kept so that a stored order can be applied over it; it is taken before the
    // order is mixed.
    R.onCourse.unshift(function (course) {
        const screens = course.menuBased ? (course.topics.filter(t => t.block === 0).pop() || {}).screens : course.stops;
        R.baseAssessment = screens ? screens.slice() : [];
        R.baseStops = course.stops.slice();
        R.originalQuestions = R.baseAssessment.filter(isQuestionScreen);
    });

    // Navigation: the assessment closes on its final performance screen; remediation groups open after
    // their trigger screens.
    R.routes = R.routes || [];
    R.routes.push(function (id, step) {
        if (R.isFps(id))
            return step > 0 ? (R.course.menus[0] && !R.prefs().assessment ? R.course.menus[0] : R.END) : null;
        const rem = remediationRoute(id, step);
        if (rem !== undefined)
            return rem;
        if (step > 0 && R.prefs().assessment && lastAssessmentScreen() === id) {
            const fps = R.resultScreen();
            if (fps)
                return fps;
        }
        if (step < 0 && R.inAssessment(id)) {
            const prefs = R.prefs();
            if (prefs.assessBackEnabled === false || R.assessmentOver)
                return null;
            const before = R.plainNeighbour(id, -1);
            if (!prefs.assessPrevToNonQuestion && isQuestionScreen(id) && before && !isQuestionScreen(before))
                return null;
        }
        return undefined;
    });

    function lastAssessmentScreen() {
        const screens = R.assessmentScreens();
        return screens[screens.length - 1] || null;
    }

    // The final performance screen for the result: the first for a pass, the second for a fail; a
    // single screen is for everyone.
    R.resultScreen = function () {
        const fps = R.fpsList();
        if (fps.length === 0)
            return null;
        if (fps.length === 1)
            return fps[0];
        const score = R.score() ?? 0;
        return score >= R.passMark() ? fps[0] : fps[1];
    };

    R.endAssessment = function () {
        if (R.assessmentOver)
            return;
        R.assessmentOver = true;
        stopAllTimer();
        R.saveState();
        R.resultChanged();
    };

    (R.afterRender = R.afterRender || []).push(function (target, screen) {
        if (target.name !== "main")
            return;
        if (screen.fps || R.isFps(screen.id)) {
            R.endAssessment();
            const score = R.score();
            if (score !== null) {
                const lines = [format("yourscore", score)];
                if (R.passMark() > 0)
                    lines.push(format("passmark", R.passMark()));
                target.container.append(R.el("p", { className: "kvxScore", role: "status", text: lines.join(" ") }));
            }
        }
    });

    // ---------------------------------------------------------------------------------------------
    // Time limits of the assessment: per question screen, or for the whole assessment.
    let questionTimer = null, allTimer = null;

    function timerLine() {
        let line = document.getElementById("kvxTimer");
        if (!line && R.frame) {
            line = R.el("p", { id: "kvxTimer", className: "kvxTimer", role: "timer", "aria-live": "off" });
            R.frame.top.append(line);
        }
        return line;
    }

    function showTime(seconds) {
        const line = timerLine();
        if (!line)
            return;
        line.hidden = !R.prefs().showTimeRemaining;
        const m = Math.floor(seconds / 60), s = seconds % 60;
        line.textContent = format("timeleft", m + ":" + String(s).padStart(2, "0"));
    }

    function hideTime() {
        const line = document.getElementById("kvxTimer");
        if (line)
            line.hidden = true;
    }

    R.stopQuestionTimer = function () {
        if (questionTimer) {
            R.clock.clearInterval(questionTimer);
            questionTimer = null;
            if (!allTimer)
                hideTime();
        }
    };

    function stopAllTimer() {
        if (allTimer) {
            R.clock.clearInterval(allTimer);
            allTimer = null;
        }
        hideTime();
    }

    function timeUpForQuestions() {
        R.announce(text("timeup"));
        for (const q of R.questions.filter(x => x.main && !x.locked))
            R.evaluate(q, true);
        R.screenQuestionsChanged();
        api.next();
    }

    function timeUpForAll() {
        stopAllTimer();
        R.stopQuestionTimer();
        for (const q of R.questions.filter(x => x.main && !x.locked))
            R.evaluate(q, true);
        R.endAssessment();
        R.announce(text("timeupall"));
        const fps = R.resultScreen();
        if (fps)
            api.gotoNewPage(fps);
        else
            api.finish();
    }

    (R.onNavigation = R.onNavigation || []).push(function (id) {
        const prefs = R.prefs();
        const f = R.frame;
        if (!id || !f)
            return;
        const assessing = R.inAssessment(id);
        if (assessing && R.current) {
            // The assessment's own rules for Next, Back and Menu.
            const canNext = !!R.neighbour(id, 1) && !R.current.nonordinary;
            const waits = prefs.assessNextEnabled === false && R.questionPending;
            f.next.disabled = !canNext || waits;
            f.next.setAttribute("aria-disabled", String(f.next.disabled));
            if (prefs.assessMenuEnabled === false && !R.isFps(id)) {
                f.menu.disabled = true;
                f.menu.setAttribute("aria-disabled", "true");
            }
        }
    });

    // Timers start when an assessment screen arrives.
    (R.onArrive = R.onArrive || []).push(function (screen) {
        const prefs = R.prefs();
        if (!R.inAssessment(screen.id) || R.isFps(screen.id) || R.assessmentOver || !prefs.assessTimeLimit)
            return;
        const all = Number(prefs.assessTimeAll), each = Number(prefs.assessTimeEach);
        if (all > 0 && !allTimer) {
            R.assessmentStarted = R.assessmentStarted || R.clock.now();
            const tick = () => {
                const left = Math.max(0, Math.ceil(all - (R.clock.now() - R.assessmentStarted) / 1000));
                showTime(left);
                if (left <= 0)
                    timeUpForAll();
            };
            allTimer = R.clock.setInterval(tick, 250);
            tick();
        }
        if (each > 0 && isQuestionScreen(screen.id) && R.questions.some(q => q.main && !q.locked && q.scored)) {
            const end = R.clock.now() + each * 1000;
            const tick = () => {
                const left = Math.max(0, Math.ceil((end - R.clock.now()) / 1000));
                if (!allTimer)
                    showTime(left);
                if (left <= 0) {
                    R.stopQuestionTimer();
                    timeUpForQuestions();
                }
            };
            questionTimer = R.clock.setInterval(tick, 250);
            tick();
        }
    });

    // ---------------------------------------------------------------------------------------------
    // Remediation: kvxRemediation (the pages script) lists the groups of screens, each with its question
    // screens, pass mark, trigger screen, first screen and the screens to leave it for.
    R.remediations = function () {
        const list = Array.isArray(window.kvxRemediation) ? window.kvxRemediation : [];
        return list.filter(r => r && typeof r === "object" && /^\[\d+\]\[\d+\]$/.test(String(r.at))).map(r => {
            const [n, m] = String(r.at).slice(1, -1).split("][").map(Number);
            const group = (Array.isArray(window.p) && p[n] && Array.isArray(p[n][m]) ? p[n][m] : []).map(String);
            return {
                at: n + ":" + m, screens: group.slice(1).filter(R.isScreenId),
                questions: (Array.isArray(r.questions) ? r.questions : []).map(String).filter(R.isScreenId),
                passMark: Number(r.passMark) || 0, trigger: String(r.trigger || ""),
                start: String(r.start || ""), reverseOut: String(r.reverseOut || ""), completion: String(r.completion || "")
            };
        }).filter(r => r.screens.length > 0);
    };

    R.excludedGroups = function () {
        return new Set(R.remediations().map(r => r.at));
    };

    R.remediationOf = id => R.remediations().find(r => r.screens.includes(id));
    const baseResumable = R.resumable;
    R.resumable = id => baseResumable(id) || !!R.remediationOf(id);

    // The share of a remediation's questions answered right, in percent.
    R.remediationScore = function (r) {
        if (r.questions.length === 0)
            return 100;
        const right = r.questions.filter(id => R.screenRight(id) === true).length;
        return Math.round(100 * right / r.questions.length);
    };

    R.remediationDone = new Set();

    function remediationRoute(id, step) {
        const inside = R.remediationOf(id);
        if (inside) {
            const i = inside.screens.indexOf(id) + step;
            if (i >= 0 && i < inside.screens.length)
                return inside.screens[i];
            if (step < 0)
                return R.isScreenId(inside.reverseOut) ? inside.reverseOut : (inside.trigger || null);
            // Completed: on to the completion screen, or on from the trigger as if there had been none.
            return R.isScreenId(inside.completion) ? inside.completion : R.plainNeighbour(inside.trigger, 1);
        }
        if (step > 0) {
            const offer = R.remediations().find(r => r.trigger === id && R.remediationScore(r) < r.passMark);
            if (offer)
                return offer.screens.includes(offer.start) ? offer.start : offer.screens[0];
        }
        return undefined;
    }

    (R.afterRender = R.afterRender || []).push(function (target, screen) {
        if (target.name === "main" && R.remediationOf(screen.id) && R.remediationOf(screen.id).screens[0] === screen.id)
            R.announce(text("remediation"));
    });

    // The end of the course counts as reached when the course is finished, not when it is left part way.
    (R.onFinish = R.onFinish || []).unshift(function (finished) {
        if (!finished)
            return;
        R.reachedEnd = true;
        R.resultChanged();
    });
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));
