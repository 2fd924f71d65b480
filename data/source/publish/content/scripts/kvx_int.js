/* Corvessa course run-time: questions, scores, the assessment and remediation.
 *
 * A question screen's start-up entries create its question objects: cpObj.question() (complete the
 * paragraph), fbObj.question() (fill in the blanks), mpObj.question(true) (match the pairs),
 * mcObj.question(single answer[, true/false style]) (multiple choice), piObj.question(targets, colour)
 * (identify the parts), new CustomObj('swf') (a Flash question), new ftObj(...) (free-form text) and
 * new srObj(...) with init() (slider). Each one takes over the panel the screen file wrote for it (the
 * n-th question panel of the screen belongs to the n-th panel question), checks the learner's answer
 * against the screen's entry in quest (de-scrambled with the screen's publish id) when the learner
 * presses the panel's submit button, and gives the feedback, the retries and the correct answer that the
 * options ask for.
 *
 * The course keeps one result per question (kvxRuntime.results). The score is the share of question
 * screens answered right among those that count: the assessment's when the course has one, else those of
 * the assessable topics, else every question screen. The assessment (the last topic of the main menu, or
 * the whole of a course without menus) may be timed, drawn from a pool, put in random order and close
 * on a final performance screen; remediation groups are offered after their trigger screen while the
 * score of their questions stays below their pass mark.
 */
(function (R) {
    "use strict";

    const api = R.api = R.api || {};
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

    function shuffle(list) {
        for (let i = list.length - 1; i > 0; --i) {
            const j = Math.floor(Math.random() * (i + 1));
            [list[i], list[j]] = [list[j], list[i]];
        }
        return list;
    }

    const normalise = s => String(s).replace(/\s+/g, " ").trim();

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
            R.questions.push(this);
        }

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

    // ---- multiple choice and true or false --------------------------------------------------------
    class MultipleChoice extends Question {
        constructor(single, trueFalse) {
            super("multipleChoice");
            this.panelKind = true;
            this.single = !!single || !!trueFalse;
            this.trueFalse = !!trueFalse;
        }

        build() {
            this.options = [];
            for (let k = 0; ; ++k) {
                const a = this.$("option" + k);
                if (!a)
                    break;
                const img = this.$("img" + k);
                if (img)
                    a.prepend(img);
                const empty = a.textContent.trim() === "";
                a.hidden = empty;
                control(a, this.single ? "radio" : "checkbox");
                a.setAttribute("aria-checked", "false");
                a.addEventListener("click", e => {
                    e.preventDefault();
                    if (!this.locked)
                        this.toggle(k);
                });
                this.options.push({ a, empty, selected: false });
            }
            const list = this.options[0] && this.options[0].a.parentElement;
            if (list) {
                const group = R.el("div", { className: "kvxChoices", role: this.single ? "radiogroup" : "group" });
                const stem = this.upper && this.upper.querySelector(".stem:last-of-type");
                if (stem) {
                    stem.id = stem.id || "kvxStem" + R.uid();
                    group.setAttribute("aria-labelledby", stem.id);
                }
                this.options[0].a.before(group);
                let order = this.options.map((o, k) => k);
                if (this.assessing && R.prefs().assessOptionsRandom && !this.trueFalse)
                    order = shuffle(order);
                for (const k of order)
                    group.append(this.options[k].a);
            }
            for (const o of this.options)
                o.a.classList.toggle("kvxToggle", R.prefs().useMCToggleBtn !== false);
        }

        toggle(k) {
            const o = this.options[k];
            if (this.single)
                this.options.forEach((x, i) => { x.selected = i === k; });
            else
                o.selected = !o.selected;
            this.paint();
            this.touched();
        }

        paint() {
            for (const o of this.options) {
                o.a.classList.toggle("kvxSelected", o.selected);
                o.a.setAttribute("aria-checked", String(o.selected));
            }
        }

        controls() {
            return this.options.map(o => o.a);
        }

        isEmpty() {
            return !this.options.some(o => o.selected);
        }

        response() {
            return this.options.map(o => (o.selected ? "1" : "0")).join("");
        }

        restore(response) {
            if (typeof response !== "string")
                return;
            this.options.forEach((o, k) => { o.selected = response[k] === "1"; });
            this.paint();
        }

        correctSet() {
            const answer = this.answerText();
            if (answer === null)
                return null;
            return answer.split(",").map(x => x.trim() === "01");
        }

        check() {
            const right = this.correctSet();
            if (!right)
                return false;
            return this.options.every((o, k) => o.selected === !!right[k]);
        }

        showCorrect() {
            const right = this.correctSet() || [];
            this.options.forEach((o, k) => {
                if (right[k])
                    correctNote(o.a, " \u2713");
            });
        }

        interaction() {
            const letters = set => set.map((on, k) => (on ? String.fromCharCode(97 + k) : null)).filter(Boolean);
            return { type: this.trueFalse ? "true-false" : "choice",
                     response: letters(this.options.map(o => o.selected)),
                     correct: letters(this.correctSet() || []),
                     trueFalse: this.trueFalse };
        }
    }

    // ---- fill in the blanks -------------------------------------------------------------------
    class FillBlanks extends Question {
        constructor() {
            super("fillBlanks");
            this.panelKind = true;
        }

        build() {
            this.inputs = [];
            for (let k = 0; ; ++k) {
                const input = this.$("option" + k);
                if (!input)
                    break;
                input.setAttribute("aria-label", format("emptygap", k + 1));
                input.setAttribute("autocomplete", "off");
                input.setAttribute("spellcheck", "false");
                input.addEventListener("input", () => this.touched());
                input.addEventListener("keydown", e => {
                    if (e.key === "Enter") {
                        e.preventDefault();
                        if (this.hasDone && !this.locked)
                            R.evaluate(this, false);
                    }
                });
                this.inputs.push(input);
            }
        }

        controls() {
            return this.inputs;
        }

        isEmpty() {
            return this.inputs.every(i => i.value.trim() === "");
        }

        response() {
            return this.inputs.map(i => i.value);
        }

        restore(response) {
            if (Array.isArray(response))
                this.inputs.forEach((i, k) => { i.value = String(response[k] ?? ""); });
        }

        // The accepted words of each blank: the blanks are separated by "," and a blank that takes more
        // than one word lists them separated by ";".
        answers() {
            const answer = this.answerText();
            if (answer === null)
                return [];
            return answer.split(",").map(slot => slot.split(";").map(normalise).filter(w => w !== ""));
        }

        accepts(words, value) {
            const typed = normalise(value).toLocaleLowerCase();
            return !!words && words.some(w => w.toLocaleLowerCase() === typed);
        }

        check() {
            const answers = this.answers();
            return answers.length > 0 && this.inputs.every((input, k) => this.accepts(answers[k], input.value));
        }

        showCorrect() {
            const answers = this.answers();
            this.inputs.forEach((input, k) => {
                if (!this.accepts(answers[k], input.value))
                    input.after(correctNote(document.createDocumentFragment(), " " + (answers[k] || []).join(" / ")));
            });
        }

        interaction() {
            return { type: "fill-in", response: this.response().map(normalise), correct: this.answers().map(words => words[0] || "") };
        }
    }

    // ---- complete the paragraph -----------------------------------------------------------------
    class CompleteParagraph extends Question {
        constructor() {
            super("completeParagraph");
            this.panelKind = true;
        }

        build() {
            this.tiles = this.between.filter(e => /^drag\d+$/.test(e.id));
            this.gaps = [];
            for (let k = 0; ; ++k) {
                const gap = this.$("target" + k);
                if (!gap)
                    break;
                gap.textContent = "";
                control(gap, "button", format("emptygap", k + 1));
                gap.addEventListener("click", e => {
                    e.preventDefault();
                    if (!this.locked)
                        this.gapChosen(k);
                });
                this.gaps.push({ element: gap, tile: null });
            }
            // The words wait in a pool above the paragraph, mixed.
            this.pool = R.el("div", { className: "kvxWordPool", role: "group" });
            if (this.tiles.length)
                this.tiles[0].before(this.pool);
            for (const tile of shuffle(this.tiles.slice())) {
                this.pool.append(tile);
                control(tile, "button");
                tile.setAttribute("aria-pressed", "false");
                tile.addEventListener("click", e => {
                    e.preventDefault();
                    if (!this.locked)
                        this.tileChosen(tile);
                });
                this.dragging(tile);
            }
            this.picked = null;
        }

        // A word is dragged with the pointer and dropped on a gap; a click picks it up for a click on a gap.
        dragging(tile) {
            let start = null;
            tile.addEventListener("pointerdown", e => {
                if (this.locked || e.button !== 0)
                    return;
                start = { x: e.clientX, y: e.clientY, moved: false };
                tile.setPointerCapture(e.pointerId);
            });
            tile.addEventListener("pointermove", e => {
                if (!start)
                    return;
                const dx = e.clientX - start.x, dy = e.clientY - start.y;
                if (!start.moved && Math.hypot(dx, dy) < 6)
                    return;
                start.moved = true;
                tile.classList.add("kvxDragging");
                tile.style.transform = "translate(" + dx + "px, " + dy + "px)";
            });
            const end = e => {
                if (!start)
                    return;
                const moved = start.moved;
                start = null;
                tile.style.transform = "";
                tile.classList.remove("kvxDragging");
                if (!moved)
                    return;
                tile.kvxSkipClick = true;
                const under = document.elementsFromPoint(e.clientX, e.clientY);
                const k = this.gaps.findIndex(g => under.includes(g.element));
                if (k >= 0)
                    this.place(tile, k);
            };
            tile.addEventListener("pointerup", end);
            tile.addEventListener("pointercancel", end);
        }

        tileChosen(tile) {
            if (tile.kvxSkipClick) {
                tile.kvxSkipClick = false;
                return;
            }
            const at = this.gaps.findIndex(g => g.tile === tile);
            if (at >= 0) {
                this.unplace(at);
                return;
            }
            this.picked = this.picked === tile ? null : tile;
            for (const t of this.tiles)
                t.setAttribute("aria-pressed", String(t === this.picked));
            if (this.picked)
                R.announce(this.picked.textContent + ", " + text("picked"));
        }

        gapChosen(k) {
            if (this.picked) {
                this.place(this.picked, k);
                return;
            }
            if (this.gaps[k].tile)
                this.unplace(k);
        }

        place(tile, k) {
            const old = this.gaps.findIndex(g => g.tile === tile);
            if (old >= 0)
                this.gaps[old].tile = null;
            if (this.gaps[k].tile)
                this.pool.append(this.gaps[k].tile);
            this.gaps[k].tile = tile;
            this.gaps[k].element.append(tile);
            this.picked = null;
            for (const t of this.tiles)
                t.setAttribute("aria-pressed", "false");
            this.labelGaps();
            R.announce(tile.textContent + ", " + text("placed"));
            this.touched();
        }

        unplace(k) {
            const tile = this.gaps[k].tile;
            if (!tile)
                return;
            this.gaps[k].tile = null;
            this.pool.append(tile);
            this.labelGaps();
            this.touched();
        }

        labelGaps() {
            this.gaps.forEach((g, k) => g.element.setAttribute("aria-label",
                format("emptygap", k + 1) + (g.tile ? ": " + g.tile.textContent : "")));
        }

        controls() {
            return this.tiles.concat(this.gaps.map(g => g.element));
        }

        isEmpty() {
            return this.gaps.every(g => !g.tile);
        }

        response() {
            return this.gaps.map(g => (g.tile ? g.tile.id : ""));
        }

        restore(response) {
            if (!Array.isArray(response))
                return;
            response.forEach((id, k) => {
                const tile = this.tiles.find(t => t.id === id);
                if (tile && this.gaps[k]) {
                    this.gaps[k].tile = tile;
                    this.gaps[k].element.append(tile);
                }
            });
            this.labelGaps();
        }

        wordOf(k) {
            const tile = this.tiles.find(t => t.id === "drag" + k);
            return tile ? normalise(tile.textContent) : null;
        }

        // Gap k takes the word of tile k; another tile with the same word is as good.
        check() {
            return this.gaps.length > 0 && this.gaps.every((g, k) => g.tile && normalise(g.tile.textContent) === this.wordOf(k));
        }

        showCorrect() {
            this.gaps.forEach((g, k) => {
                if (!g.tile || normalise(g.tile.textContent) !== this.wordOf(k))
                    correctNote(g.element, " " + (this.wordOf(k) || ""));
            });
        }

        interaction() {
            return { type: "fill-in", response: this.gaps.map(g => (g.tile ? normalise(g.tile.textContent) : "")),
                     correct: this.gaps.map((g, k) => this.wordOf(k) || "") };
        }
    }

    // ---- match the pairs --------------------------------------------------------------------
    class MatchPairs extends Question {
        constructor(mix) {
            super("matchPairs");
            this.panelKind = true;
            this.mix = mix !== false;
        }

        build() {
            this.left = [];
            this.right = [];
            for (let k = 0; ; ++k) {
                const a = this.$("option" + k), b = this.$("target" + k);
                if (!a && !b)
                    break;
                if (a)
                    this.left.push({ k, element: a, to: null });
                if (b)
                    this.right.push({ k, element: b });
            }
            for (const l of this.left) {
                control(l.element, "button");
                l.element.setAttribute("aria-pressed", "false");
                l.element.addEventListener("click", e => {
                    e.preventDefault();
                    if (!this.locked)
                        this.leftChosen(l);
                });
            }
            for (const r of this.right) {
                control(r.element, "button");
                r.element.addEventListener("click", e => {
                    e.preventDefault();
                    if (!this.locked)
                        this.rightChosen(r);
                });
            }
            const targets = this.$("conTargets");
            if (this.mix && targets)
                for (const r of shuffle(this.right.slice()))
                    targets.append(r.element);
            this.svg = document.createElementNS("http://www.w3.org/2000/svg", "svg");
            this.svg.setAttribute("class", "kvxPairLines");
            this.svg.setAttribute("aria-hidden", "true");
            this.lower.querySelector("[id=lowerpanel]")?.append(this.svg);
            this.zoom();
            this.chosen = null;
            this.labelPairs();
        }

        // A picture of a pair is shown larger while the pointer or the focus is on it.
        zoom() {
            const box = this.lower.nextElementSibling;
            if (!box || box.id !== "mpZoom")
                return;
            for (const img of this.lower.querySelectorAll(".mpOption img, .mpTarget img")) {
                const show = () => { box.replaceChildren(R.el("img", { src: img.getAttribute("src"), alt: "" })); box.hidden = false; };
                const hide = () => { box.replaceChildren(); box.hidden = true; };
                const owner = img.closest("a");
                owner.addEventListener("mouseenter", show);
                owner.addEventListener("mouseleave", hide);
                owner.addEventListener("focus", show);
                owner.addEventListener("blur", hide);
            }
            box.hidden = true;
        }

        leftChosen(l) {
            this.chosen = this.chosen === l ? null : l;
            for (const x of this.left)
                x.element.setAttribute("aria-pressed", String(x === this.chosen));
            if (this.chosen)
                R.announce(this.chosen.element.textContent.trim() + ", " + text("picked"));
        }

        rightChosen(r) {
            if (!this.chosen) {
                // A click on a linked target undoes its link.
                const owner = this.left.find(l => l.to === r.k);
                if (owner) {
                    owner.to = null;
                    this.draw();
                    this.touched();
                }
                return;
            }
            for (const l of this.left)
                if (l.to === r.k)
                    l.to = null;
            this.chosen.to = r.k;
            this.chosen.element.setAttribute("aria-pressed", "false");
            this.chosen = null;
            this.draw();
            this.touched();
        }

        labelPairs() {
            for (const l of this.left) {
                const r = this.right.find(x => x.k === l.to);
                l.element.setAttribute("aria-description", r ? "\u2192 " + r.element.textContent.trim() : "");
            }
        }

        draw(pairs) {
            const svg = this.svg;
            if (!svg)
                return;
            const box = svg.parentElement.getBoundingClientRect();
            svg.setAttribute("width", String(box.width));
            svg.setAttribute("height", String(box.height));
            svg.replaceChildren();
            const colour = R.obj().lineColour || "#0000ff", shadow = R.obj().lineShadow || "#808080";
            for (const [from, to, extra] of pairs || this.left.filter(l => l.to !== null).map(l => [l.k, l.to, ""])) {
                const a = this.left.find(x => x.k === from), b = this.right.find(x => x.k === to);
                if (!a || !b)
                    continue;
                const ra = a.element.getBoundingClientRect(), rb = b.element.getBoundingClientRect();
                const x1 = ra.right - box.left, y1 = ra.top + ra.height / 2 - box.top;
                const x2 = rb.left - box.left, y2 = rb.top + rb.height / 2 - box.top;
                for (const [c, w, dy] of [[shadow, 4, 2], [colour, 2, 0]]) {
                    const line = document.createElementNS("http://www.w3.org/2000/svg", "line");
                    line.setAttribute("x1", x1); line.setAttribute("y1", y1 + dy);
                    line.setAttribute("x2", x2); line.setAttribute("y2", y2 + dy);
                    line.setAttribute("stroke", c); line.setAttribute("stroke-width", w);
                    if (extra)
                        line.setAttribute("class", extra);
                    svg.append(line);
                }
            }
            this.labelPairs();
            for (const r of this.right)
                r.element.classList.toggle("kvxLinked", this.left.some(l => l.to === r.k));
            for (const l of this.left)
                l.element.classList.toggle("kvxLinked", l.to !== null);
        }

        controls() {
            return this.left.concat(this.right).map(x => x.element);
        }

        isEmpty() {
            return this.left.every(l => l.to === null);
        }

        response() {
            return this.left.map(l => l.to);
        }

        restore(response) {
            if (!Array.isArray(response))
                return;
            this.left.forEach((l, i) => { l.to = Number.isInteger(response[i]) ? response[i] : null; });
            requestAnimationFrame(() => this.draw());
        }

        check() {
            return this.left.length > 0 && this.left.every(l => l.to === l.k);
        }

        showCorrect() {
            this.draw(this.left.map(l => [l.k, l.k, "kvxCorrectLine"]));
            for (const l of this.left) {
                const r = this.right.find(x => x.k === l.k);
                if (r)
                    correctNote(l.element, " \u2192 " + r.element.textContent.trim());
            }
        }

        interaction() {
            const pair = (from, to) => (from + 1) + "." + String.fromCharCode(97 + to);
            return { type: "matching",
                     response: this.left.filter(l => l.to !== null).map(l => pair(l.k, l.to)),
                     correct: this.left.map(l => pair(l.k, l.k)) };
        }
    }

    // ---- identify the parts ---------------------------------------------------------------------
    class PartIdentification extends Question {
        constructor(count, colour) {
            super("partIdentification");
            this.panelKind = true;
            this.count = Math.max(0, Number(count) || 0);
            this.colour = /^#[0-9A-Fa-f]{6}$/.test(String(colour)) ? String(colour) : "#FF0000";
        }

        build() {
            this.container = this.$("container");
            this.picture = this.$("partsImg");
            this.parts = [...this.lower.querySelectorAll(".piOption")];
            for (const part of this.parts) {
                // The parts are where the answers are: they take no focus and say nothing.
                part.setAttribute("aria-hidden", "true");
                part.style.pointerEvents = "none";
            }
            this.marks = [];
            if (!this.container)
                return;
            const box = this.container;
            box.setAttribute("role", "application");
            box.setAttribute("tabindex", "0");
            box.setAttribute("aria-label", text("markhint"));
            this.cross = R.el("div", { className: "kvxCross", "aria-hidden": "true" });
            this.cross.hidden = true;
            box.append(this.cross);
            this.crossAt = { x: 10, y: 10 };
            box.addEventListener("click", e => {
                if (this.locked)
                    return;
                const r = box.getBoundingClientRect();
                this.toggleMark(e.clientX - r.left, e.clientY - r.top);
            });
            box.addEventListener("focus", () => { this.cross.hidden = false; this.moveCross(0, 0); });
            box.addEventListener("blur", () => { this.cross.hidden = true; });
            box.addEventListener("keydown", e => {
                const step = e.shiftKey ? 1 : 10;
                const moves = { ArrowLeft: [-step, 0], ArrowRight: [step, 0], ArrowUp: [0, -step], ArrowDown: [0, step] };
                if (moves[e.key]) {
                    e.preventDefault();
                    this.moveCross(...moves[e.key]);
                } else if ((e.key === "Enter" || e.key === " ") && !this.locked) {
                    e.preventDefault();
                    this.toggleMark(this.crossAt.x, this.crossAt.y);
                }
            });
        }

        moveCross(dx, dy) {
            const w = this.container.clientWidth, h = this.container.clientHeight;
            this.crossAt.x = Math.max(0, Math.min(w, this.crossAt.x + dx));
            this.crossAt.y = Math.max(0, Math.min(h, this.crossAt.y + dy));
            this.cross.style.left = this.crossAt.x + "px";
            this.cross.style.top = this.crossAt.y + "px";
        }

        partAt(x, y) {
            return this.parts.findIndex(p => {
                const l = p.offsetLeft, t = p.offsetTop;
                return x >= l && x <= l + p.offsetWidth && y >= t && y <= t + p.offsetHeight;
            });
        }

        // A mark on the picture; a second mark on the same spot takes it away. The learner sets as many
        // marks as there are parts to find.
        toggleMark(x, y) {
            const near = this.marks.findIndex(m => Math.hypot(m.x - x, m.y - y) < 12);
            if (near >= 0) {
                this.marks[near].element.remove();
                this.marks.splice(near, 1);
            } else {
                if (this.count > 0 && this.marks.length >= this.count) {
                    const old = this.marks.shift();
                    old.element.remove();
                }
                const element = R.el("div", { className: "kvxMark", "aria-hidden": "true" });
                element.style.left = x + "px";
                element.style.top = y + "px";
                element.style.borderColor = this.colour;
                this.container.append(element);
                this.marks.push({ x: Math.round(x), y: Math.round(y), element });
            }
            R.announce(text("marked") + ": " + this.marks.length + " / " + (this.count || this.parts.length));
            this.touched();
        }

        controls() {
            return this.container ? [this.container] : [];
        }

        isEmpty() {
            return this.marks.length === 0;
        }

        response() {
            return this.marks.map(m => [m.x, m.y]);
        }

        restore(response) {
            if (!Array.isArray(response))
                return;
            for (const [x, y] of response)
                if (Number.isFinite(x) && Number.isFinite(y))
                    this.toggleMark(x, y);
            this.changed = false;
        }

        // Right when every mark lies on a part, no part holds two marks and as many parts are marked
        // as the question asks for.
        check() {
            const want = this.count || this.parts.length;
            const hit = this.marks.map(m => this.partAt(m.x, m.y));
            return want > 0 && hit.length === want && hit.every(i => i >= 0) && new Set(hit).size === hit.length;
        }

        showCorrect() {
            for (const p of this.parts) {
                p.classList.add("kvxPartShown");
                p.style.borderColor = this.colour;
            }
        }

        interaction() {
            const found = new Set(this.marks.map(m => this.partAt(m.x, m.y)).filter(i => i >= 0)).size;
            return { type: "performance", response: [found + "/" + (this.count || this.parts.length)],
                     correct: [(this.count || this.parts.length) + "/" + (this.count || this.parts.length)] };
        }
    }

    // ---- slider ---------------------------------------------------------------------------------
    class Slider extends Question {
        constructor(settings) {
            super("slider");
            this.panelKind = true;
            this.settings = settings;
            this.scored = !!settings.evaluate;
        }

        get words() {
            return Array.isArray(this.settings.words) ? this.settings.words.map(String) : [];
        }

        get min() {
            return this.words.length ? 0 : Number(this.settings.start) || 0;
        }

        get max() {
            return this.words.length ? this.words.length - 1 : Number(this.settings.end) || 0;
        }

        get stepSize() {
            if (this.words.length || this.settings.snap)
                return 1;
            const d = Math.max(0, Math.min(6, Number(this.settings.decimals) || 0));
            return Math.pow(10, -d);
        }

        build() {
            const s = this.settings;
            this.track = this.$("SRsliderbg");
            this.fill = this.$("SRfill");
            this.handle = this.$("SRdrag");
            this.valueText = this.$("SRslidervalue");
            const labels = Array.isArray(s.labels) ? s.labels : [];
            const start = this.$("SRlabelstart"), end = this.$("SRlabelend");
            if (start)
                start.textContent = String(labels[0] ?? "");
            if (end)
                end.textContent = String(labels[1] ?? "");
            this.lower.classList.toggle("kvxVertical", !s.horizontal);
            if (this.fill)
                this.fill.hidden = !s.showFill;
            if (this.valueText)
                this.valueText.hidden = !s.showValue;
            const markers = this.$("SRmarker");
            if (markers) {
                markers.textContent = "";
                const n = Math.max(0, Math.min(100, Number(s.numMarkers) || 0));
                for (let i = 0; i < n; ++i) {
                    const tick = R.el("span", { className: "kvxTick" });
                    tick.style[s.horizontal ? "left" : "bottom"] = (n > 1 ? 100 * i / (n - 1) : 0) + "%";
                    markers.append(tick);
                }
            }
            if (!this.handle || !this.track)
                return;
            // The handle is drawn by the style sheet; its picture is an empty one.
            this.handle.src = "data:image/gif;base64,R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7";
            this.handle.alt = "";
            this.handle.setAttribute("role", "slider");
            this.handle.setAttribute("tabindex", "0");
            this.handle.setAttribute("aria-orientation", s.horizontal ? "horizontal" : "vertical");
            const stem = this.upper.querySelector(".stem");
            this.handle.setAttribute("aria-label", stem ? stem.textContent.trim() : text("slidervalue"));
            this.handle.setAttribute("aria-valuemin", String(this.min));
            this.handle.setAttribute("aria-valuemax", String(this.max));
            this.handle.draggable = false;
            this.track.append(this.handle);
            this.value = this.min;
            this.paint();
            this.handle.addEventListener("keydown", e => {
                if (this.locked)
                    return;
                const big = Math.max(this.stepSize, (this.max - this.min) / 10);
                const moves = { ArrowRight: this.stepSize, ArrowUp: this.stepSize, ArrowLeft: -this.stepSize,
                                ArrowDown: -this.stepSize, PageUp: big, PageDown: -big };
                if (moves[e.key] !== undefined)
                    this.set(this.value + moves[e.key]);
                else if (e.key === "Home")
                    this.set(this.min);
                else if (e.key === "End")
                    this.set(this.max);
                else
                    return;
                e.preventDefault();
            });
            const fromPointer = e => {
                const r = this.track.getBoundingClientRect();
                const share = s.horizontal ? (e.clientX - r.left) / r.width : (r.bottom - e.clientY) / r.height;
                this.set(this.min + Math.max(0, Math.min(1, share)) * (this.max - this.min));
            };
            let dragging = false;
            this.track.addEventListener("pointerdown", e => {
                if (this.locked || e.button !== 0)
                    return;
                dragging = true;
                this.track.setPointerCapture(e.pointerId);
                fromPointer(e);
                this.handle.focus({ preventScroll: true });
            });
            this.track.addEventListener("pointermove", e => { if (dragging) fromPointer(e); });
            this.track.addEventListener("pointerup", () => { dragging = false; });
            this.track.addEventListener("pointercancel", () => { dragging = false; });
        }

        set(v) {
            const step = this.stepSize;
            const snapped = Math.round((v - this.min) / step) * step + this.min;
            const value = Math.max(this.min, Math.min(this.max, Number(snapped.toFixed(6))));
            if (value === this.value && this.moved)
                return;
            this.value = value;
            this.moved = true;
            this.paint();
            this.touched();
        }

        shown(v) {
            if (this.words.length)
                return this.words[Math.round(v)] ?? "";
            const d = this.settings.snap ? 0 : Math.max(0, Math.min(6, Number(this.settings.decimals) || 0));
            return Number(v).toFixed(d);
        }

        paint() {
            const span = this.max - this.min;
            const share = span > 0 ? (this.value - this.min) / span : 0;
            const horizontal = !!this.settings.horizontal;
            this.handle.style.left = horizontal ? share * 100 + "%" : "";
            this.handle.style.bottom = horizontal ? "" : share * 100 + "%";
            if (this.fill) {
                this.fill.style.width = horizontal ? share * 100 + "%" : "";
                this.fill.style.height = horizontal ? "" : share * 100 + "%";
            }
            this.handle.setAttribute("aria-valuenow", String(this.value));
            this.handle.setAttribute("aria-valuetext", this.shown(this.value));
            if (this.valueText)
                this.valueText.textContent = this.shown(this.value);
        }

        controls() {
            return this.handle ? [this.handle] : [];
        }

        isEmpty() {
            return !this.moved;
        }

        response() {
            return this.value;
        }

        restore(response) {
            if (Number.isFinite(response)) {
                this.value = response;
                this.moved = true;
                this.paint();
            }
        }

        correctValue() {
            const answer = this.answerText();
            const n = answer === null ? NaN : Number(answer);
            return Number.isFinite(n) ? n : null;
        }

        check() {
            const want = this.correctValue();
            if (want === null)
                return false;
            if (this.words.length)
                return Math.round(this.value) === Math.round(want);
            const tolerance = Math.abs(Number(this.settings.range) || 0);
            return Math.abs(this.value - want) <= tolerance + 1e-9;
        }

        showCorrect() {
            const want = this.correctValue();
            if (want !== null && this.valueText)
                correctNote(this.valueText.parentElement, " " + this.shown(want));
        }

        interaction() {
            const want = this.correctValue();
            return this.words.length
                ? { type: "likert", response: [String(Math.round(this.value))], correct: want === null ? [] : [String(Math.round(want))] }
                : { type: "numeric", response: [String(this.value)], correct: want === null ? [] : [String(want)] };
        }
    }

    // ---- free-form text -------------------------------------------------------------------------
    class FreeForm extends Question {
        constructor(owner) {
            super("freeForm");
            this.owner = owner;
            this.scored = !!owner.ev;
            this.field = owner.field && owner.field.tagName ? owner.field : null;
            this.root = this.field ? (this.field.closest(".kvxFreeForm") || this.field.parentElement) : null;
        }

        build() {
            const o = this.owner;
            if (!this.field)
                return;
            const field = this.field;
            const instruction = this.root.querySelector(".kvxInstruction");
            if (instruction) {
                instruction.id = instruction.id || "kvxInstruction" + R.uid();
                field.setAttribute("aria-labelledby", instruction.id);
            }
            if (o.lim > 0) {
                field.maxLength = o.lim;
                const counter = R.el("p", { className: "kvxCharsLeft", "aria-live": "polite" });
                const update = () => { counter.textContent = format("charsleft", Math.max(0, o.lim - field.value.length)); };
                field.addEventListener("input", update);
                field.after(counter);
                update();
            }
            field.addEventListener("input", () => {
                this.touched();
                if (o.mem)
                    R.rememberText(this, field.value);
            });
            const bar = R.el("p", { className: "kvxFreeFormButtons" });
            this.doneElement = R.el("button", { type: "button", className: "kvxButton kvxDone", text: text("done") });
            bar.append(this.doneElement);
            if (o.prnt)
                bar.append(R.el("button", { type: "button", className: "kvxButton", text: text("printanswer"),
                                            onclick: () => R.printText(field.value) }));
            if (o.email && R.mailAddresses())
                bar.append(R.el("button", { type: "button", className: "kvxButton", text: text("sendanswer"),
                                            onclick: () => R.mailText(field.value, R.screenTitle(this)) }));
            this.root.append(bar);
            const kept = R.rememberedText(this);
            if (o.mem && typeof kept === "string" && !field.value)
                field.value = kept;
        }

        doneButton() {
            return this.doneElement || null;
        }

        // The run-time's own button needs nothing more.
        prepareDone() {}

        controls() {
            return this.field ? [this.field] : [];
        }

        isEmpty() {
            return !this.field || this.field.value.trim() === "";
        }

        response() {
            return this.field ? this.field.value : "";
        }

        restore(response) {
            if (this.field && typeof response === "string")
                this.field.value = response;
        }

        // The keywords: each a scrambled word, or a list of scrambled words any of which will do.
        keywords() {
            const entry = (window.quest || {})[this.screenId];
            if (!Array.isArray(entry))
                return [];
            const plain = v => R.descramble(String(v), this.screenId);
            return entry.map(k => (Array.isArray(k) ? k.map(plain) : [plain(k)]).filter(w => w !== null && w !== ""))
                .filter(list => list.length > 0);
        }

        found(word, textValue) {
            const o = this.owner;
            const flags = o.caseSen ? "u" : "iu";
            const escaped = normalise(word).replace(/[.*+?^${}()|[\]\\]/g, "\\$&").replace(/ /g, "\\s+");
            const pattern = o.whole ? "(?<![\\p{L}\\p{N}])" + escaped + "(?![\\p{L}\\p{N}])" : escaped;
            return new RegExp(pattern, flags).test(textValue);
        }

        check() {
            const keywords = this.keywords();
            if (keywords.length === 0)
                return false;
            const value = this.response();
            const hits = keywords.filter(list => list.some(w => this.found(w, value))).length;
            const need = this.owner.num > 0 ? Math.min(this.owner.num, keywords.length) : keywords.length;
            return hits >= need;
        }

        showCorrect() {
            const words = this.keywords().map(list => list.join(" / "));
            if (this.root && words.length)
                correctNote(this.root, " " + words.join(", "));
        }

        interaction() {
            return { type: "fill-in", response: [normalise(this.response())].filter(Boolean), correct: [] };
        }
    }

    // ---- Flash questions: no current browser plays them, so they count for nothing ---------------------
    class FlashQuestion extends Question {
        constructor(kind) {
            super("custom");
            this.custom = String(kind);
            this.scored = false;
            this.hasDone = false;
            this.attempts = 1;
        }

        build() {}
        wireDone() {}
        isEmpty() {
            return false;
        }
        response() {
            return "";
        }
        restore() {}
    }

    // ---------------------------------------------------------------------------------------------
    // Answering.
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
                                      onClose: () => { if (onOk) setTimeout(onOk, 0); } });
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
            kvxMem[q.key] = entry.response;
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
        setTimeout(done, 1000);
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

    const isQuestionScreen = id => /q$/.test(id);

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
            clearInterval(questionTimer);
            questionTimer = null;
            if (!allTimer)
                hideTime();
        }
    };

    function stopAllTimer() {
        if (allTimer) {
            clearInterval(allTimer);
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
            R.assessmentStarted = R.assessmentStarted || Date.now();
            const tick = () => {
                const left = Math.max(0, Math.ceil(all - (Date.now() - R.assessmentStarted) / 1000));
                showTime(left);
                if (left <= 0)
                    timeUpForAll();
            };
            allTimer = setInterval(tick, 250);
            tick();
        }
        if (each > 0 && isQuestionScreen(screen.id) && R.questions.some(q => q.main && !q.locked && q.scored)) {
            const end = Date.now() + each * 1000;
            const tick = () => {
                const left = Math.max(0, Math.ceil((end - Date.now()) / 1000));
                if (!allTimer)
                    showTime(left);
                if (left <= 0) {
                    R.stopQuestionTimer();
                    timeUpForQuestions();
                }
            };
            questionTimer = setInterval(tick, 250);
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

    // ---------------------------------------------------------------------------------------------
    // The calls of the screen files.
    R.Question = Question;
    R.questionKinds = { MultipleChoice, FillBlanks, CompleteParagraph, MatchPairs, PartIdentification, Slider, FreeForm, FlashQuestion };

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
})(window.kvxRuntime = window.kvxRuntime || {});

var cpObj = {
    question() { "use strict"; return kvxRuntime.questionShown(() => new kvxRuntime.questionKinds.CompleteParagraph()); }
};

var fbObj = {
    question() { "use strict"; return kvxRuntime.questionShown(() => new kvxRuntime.questionKinds.FillBlanks()); }
};

var mpObj = {
    question(mix) { "use strict"; return kvxRuntime.questionShown(() => new kvxRuntime.questionKinds.MatchPairs(mix)); }
};

var mcObj = {
    question(single, trueFalse) {
        "use strict";
        return kvxRuntime.questionShown(() => new kvxRuntime.questionKinds.MultipleChoice(single, trueFalse));
    }
};

var piObj = {
    question(targets, colour) {
        "use strict";
        return kvxRuntime.questionShown(() => new kvxRuntime.questionKinds.PartIdentification(targets, colour));
    }
};

function CustomObj(kind) {
    "use strict";
    this.kind = String(kind);
    this.question = kvxRuntime.questionShown(() => new kvxRuntime.questionKinds.FlashQuestion(this.kind));
}

function ftObj(field, num, rec, lim, ev, whole, caseSen, mem, prnt, qnum) {
    "use strict";
    this.field = field || null;
    this.num = Number(num) || 0;
    this.rec = !!rec;
    this.lim = Number(lim) || 0;
    this.ev = !!ev;
    this.whole = !!whole;
    this.caseSen = !!caseSen;
    this.mem = !!mem;
    this.prnt = !!prnt;
    this.qnum = /^[A-Za-z0-9]{1,8}$/.test(String(qnum || "")) ? String(qnum) : "";
    this.email = false;
    this.tableName = "Table2";
    // The screen's later entries set email and tableName; the question starts once they have run.
    const self = this;
    const target = kvxRuntime.rendering;
    Promise.resolve().then(() => {
        if (!target || target.screen === null || !self.field || !self.field.isConnected)
            return;
        self.question = kvxRuntime.questionShown(() => {
            const saved = kvxRuntime.rendering;
            kvxRuntime.rendering = target;
            try {
                return new kvxRuntime.questionKinds.FreeForm(self);
            } finally {
                kvxRuntime.rendering = saved;
            }
        });
    });
}

function srObj(evaluate, horizontal, showValue, showFill, snap, decimals) {
    "use strict";
    this.evaluate = !!evaluate;
    this.horizontal = !!horizontal;
    this.showValue = !!showValue;
    this.showFill = !!showFill;
    this.snap = !!snap;
    this.decimals = Number(decimals) || 0;
    this.start = 0;
    this.end = 0;
    this.range = 0;
    this.labels = ["", ""];
    this.words = [];
    this.numMarkers = 0;
}

srObj.prototype.init = function () {
    "use strict";
    this.question = kvxRuntime.questionShown(() => new kvxRuntime.questionKinds.Slider(this));
};
