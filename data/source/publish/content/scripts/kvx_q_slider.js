/* Corvessa course run-time: slider questions.
 *
 * The screen's start-up entry new srObj(evaluate, horizontal, showValue, showFill, snap, decimals), its values, then init()
 * makes the question; the kind registers itself in the table of question kinds that kvx_question.js keeps.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const { Question, intText: text, correctNote } = R;

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

    R.questionKinds.Slider = Slider;
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));

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
