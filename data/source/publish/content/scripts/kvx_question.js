/* Corvessa course run-time: the question objects and the table of question kinds.
 *
 * A question screen's start-up entries create its question objects (see the kvx_q_*.js file of each kind,
 * which adds its class to kvxRuntime.questionKinds). Each one takes over the panel the screen file wrote
 * for it (the n-th question panel of the screen belongs to the n-th panel question), checks the learner's
 * answer against the screen's entry in quest (de-scrambled with the screen's publish id) when the learner
 * presses the panel's submit button, and gives the feedback, the retries and the correct answer that the
 * options ask for. Answering and scores live in kvx_scoring.js, the assessment and remediation in
 * kvx_assessment.js. This file comes before the kinds' files in a page.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const api = R.api = R.api || /** @type {KvxRuntime["api"]} */ ({});
    R.questions = [];          // question objects of the screens shown now
    R.results = {};            // question key -> { right, firstRight, attempts, response, scored, screen }
    R.unscored = new Set();    // question screens that hold nothing to score (opinion sliders, open texts)
    R.onAnswer = R.onAnswer || [];
    R.onResult = R.onResult || [];   // fn(): score or status may have changed

    const defaults = {
        done: "Check the answer", answerfirst: "Answer the question first.", recorded: "Your answer has been kept.",
        correctanswer: "Correct answer", yourscore: "Your score is %1%.", passmark: "The pass mark is %1%.",
        timeleft: "Time left: %1", timeup: "The time for this question is up.", timeupall: "The time for the assessment is up.",
        remediation: "These screens go over what the last questions asked.", feedback: "Feedback",
        picked: "picked up", placed: "placed", emptygap: "gap %1", charsleft: "%1 characters left",
        sendanswer: "E-mail the answer", printanswer: "Print the answer", marked: "marked",
        markhint: "Click the picture where the part is, or use the arrow keys and Enter.", slidervalue: "Value"
    };
    const text = name => {
        const t = R.text(name);
        return t === name && defaults[name] !== undefined ? defaults[name] : t;
    };
    const format = (name, ...values) => text(name).replace(/%(\d)/g, (m, i) => String(values[Number(i) - 1] ?? ""));
    R.intText = text;
    R.intFormat = format;

    // Random draws come from R.random, which a test may replace to fix the order.
    R.random = R.random || Math.random;
    const shuffle = R.shuffle = function (list) {
        for (let i = list.length - 1; i > 0; --i) {
            const j = Math.floor(R.random() * (i + 1));
            [list[i], list[j]] = [list[j], list[i]];
        }
        return list;
    };

    const normalise = R.normalise = s => String(s).replace(/\s+/g, " ").trim();

    // ---------------------------------------------------------------------------------------------
    // The question objects.
    class Question {
        constructor(kind) {
            this.kind = kind;
            this.target = R.rendering || (R.targets && R.targets.main);
            this.screen = this.target ? this.target.screen : null;
            this.screenId = this.screen ? this.screen.id : "";
            const same = R.questions.filter(q => q.target === this.target);
            this.index = same.length;
            this.key = this.screenId + (this.index ? "." + this.index : "");
            this.scored = true;
            this.attempts = 0;
            this.locked = false;
            this.changed = false;
            this.hasDone = true;
            /** @type {boolean} whether the question takes over a question panel of the screen */
            this.panelKind = false;
            /** @type {HTMLElement | null} the element of a question without a panel */
            this.root = null;
            R.questions.push(this);
        }

        // What each kind provides: how it takes over its panel, shows an earlier answer again and shows
        // the correct answer beside the learner's.
        build() {}
        /** @param {any} response the answer as the result keeps it */
        restore(response) {
            void response;
        }
        showCorrect() {}

        get main() {
            return !!this.target && this.target.name === "main";
        }

        get assessing() {
            return this.main && R.inAssessment(this.screenId);
        }

        // The correct answer as the pages script holds it, de-scrambled; null when there is none.
        answerText() {
            const table = window.quest || {};
            const value = table[this.screenId];
            return typeof value === "string" ? R.descramble(value, this.screenId) : null;
        }

        // The n-th question panel of the screen and its lower half.
        findPanel() {
            const box = this.target.container;
            const panels = [...box.querySelectorAll("[id=panellarge], [id=panelsmall]")];
            const order = R.questions.filter(q => q.target === this.target && q.panelKind);
            const upper = panels[order.indexOf(this)];
            if (!upper)
                return false;
            let lower = upper.nextElementSibling;
            const between = [];
            while (lower && lower.id !== "panellower") {
                between.push(lower);
                lower = lower.nextElementSibling;
            }
            if (!lower)
                return false;
            this.upper = upper;
            this.lower = lower;
            this.between = between;
            return true;
        }

        $(id) {
            return this.lower ? this.lower.querySelector("[id='" + id + "']") : null;
        }

        // Start-up: the panel is taken over, the submit button wired and an earlier answer shown again.
        start() {
            if (this.panelKind && !this.findPanel())
                return;
            R.guard(() => this.build());
            this.wireDone();
            const stored = R.results[this.key];
            const memory = (window.kvxMem || {})[this.key];
            if (stored && this.main) {
                R.guard(() => this.restore(stored.response));
                this.attempts = stored.attempts;
                this.mark(stored.right);
                this.setLocked(!reopens(this, stored.right));
                if (stored.right === false && this.locked && showsCorrect(this))
                    R.guard(() => this.showCorrect());
            } else if (memory !== undefined) {
                R.guard(() => this.restore(memory));
            }
            R.screenQuestionsChanged();
        }

        // The submit button shows when the options say so (the assessment has its own option).
        wireDone() {
            const done = this.doneButton();
            if (!done)
                return;
            this.done = done;
            this.hasDone = this.assessing ? R.prefs().assessDoneVisible !== false : R.prefs().doneVisible !== false;
            done.hidden = !this.hasDone;
            if (!this.hasDone)
                return;
            this.prepareDone(done);
            done.addEventListener("click", e => {
                e.preventDefault();
                R.evaluate(this, false);
            });
        }

        // The panel's submit anchor becomes a named keyboard button.
        prepareDone(done) {
            if (R.makeButton)
                R.makeButton(done, text("done"));
            if (!done.getAttribute("aria-label"))
                done.setAttribute("aria-label", text("done"));
            done.classList.add("kvxDone");
        }

        doneButton() {
            return this.$("done");
        }

        // The learner changed the answer.
        touched() {
            this.changed = true;
            this.clearMarks();
            R.screenQuestionsChanged();
        }

        mark(right) {
            const box = this.lower || this.root;
            if (!box)
                return;
            box.classList.remove("kvxRight", "kvxWrong");
            if (right === true)
                box.classList.add("kvxRight");
            else if (right === false)
                box.classList.add("kvxWrong");
        }

        clearMarks() {
            const box = this.lower || this.root;
            if (box) {
                box.classList.remove("kvxRight", "kvxWrong");
                for (const e of box.querySelectorAll(".kvxShowCorrect"))
                    e.remove();
            }
        }

        setLocked(locked) {
            this.locked = locked;
            const box = this.lower || this.root;
            if (box)
                box.classList.toggle("kvxLocked", locked);
            for (const e of this.controls())
                if ("disabled" in e && e.tagName !== "A" && e.tagName !== "DIV")
                    e.disabled = locked;
                else
                    e.setAttribute("aria-disabled", String(locked));
            if (this.done && this.hasDone)
                this.done.setAttribute("aria-disabled", String(locked));
        }

        controls() {
            return [];
        }

        // Whether the learner has given an answer at all.
        isEmpty() {
            return false;
        }

        // The interaction record for learning management systems: type, the learner's response and
        // the correct pattern as SCORM writes them.
        interaction() {
            return null;
        }
    }

    function reopens(q, right) {
        if (!q.scored)
            return true;
        if (q.assessing)
            return !!R.prefs().assessMemory;
        return right === false && !!R.prefs().multiAttempt;
    }

    function showsCorrect(q) {
        const prefs = R.prefs();
        return q.assessing ? !!prefs.assessShowCorrect : (!!prefs.showCorrect && !prefs.multiAttempt);
    }

    // Anchors and divisions used as controls: a role with its state, in the tab order, with Enter and Space.
    function control(element, role, label) {
        element.setAttribute("role", role);
        element.setAttribute("tabindex", "0");
        if (label)
            element.setAttribute("aria-label", label);
        if (R.makeButton)
            R.makeButton(element);
        return element;
    }

    function correctNote(where, value) {
        const note = R.el("span", { className: "kvxShowCorrect" },
                          [R.el("span", { className: "kvxSrOnly", text: text("correctanswer") + ": " }), value]);
        where.append(note);
        return note;
    }

    // ---------------------------------------------------------------------------------------------
    // The table of question kinds: each kind's file adds its class.
    R.Question = Question;
    R.questionKinds = R.questionKinds || {};
    // What the kinds and the scoring share of the panels' rules.
    Object.assign(R, { reopens, showsCorrect, control, correctNote });

    R.questionShown = function (make) {
        try {
            const q = make();
            q.start();
            return q;
        } catch (e) {
            console.error(e);
            return null;
        }
    };
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));
