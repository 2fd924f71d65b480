/* Corvessa course run-time: identify-the-parts questions.
 *
 * The screen's start-up entry piObj.question(targets, colour)
 * makes the question; the kind registers itself in the table of question kinds that kvx_question.js keeps.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const { Question, intText: text } = R;

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

    R.questionKinds.PartIdentification = PartIdentification;
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));

var piObj = {
    question(targets, colour) {
        "use strict";
        return kvxRuntime.questionShown(() => new kvxRuntime.questionKinds.PartIdentification(targets, colour));
    }
};
