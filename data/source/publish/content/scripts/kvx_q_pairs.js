/* Corvessa course run-time: match-the-pairs questions.
 *
 * The screen's start-up entry mpObj.question(mix)
 * makes the question; the kind registers itself in the table of question kinds that kvx_question.js keeps.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const { Question, intText: text, shuffle, control, correctNote } = R;

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
                    line.setAttribute("x1", String(x1)); line.setAttribute("y1", String(y1 + dy));
                    line.setAttribute("x2", String(x2)); line.setAttribute("y2", String(y2 + dy));
                    line.setAttribute("stroke", String(c)); line.setAttribute("stroke-width", String(w));
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

    R.questionKinds.MatchPairs = MatchPairs;
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));

var mpObj = {
    question(mix) { "use strict"; return kvxRuntime.questionShown(() => new kvxRuntime.questionKinds.MatchPairs(mix)); }
};
