/* Corvessa course run-time: complete-the-paragraph questions.
 *
 * The screen's start-up entry cpObj.question()
 * makes the question; the kind registers itself in the table of question kinds that kvx_question.js keeps.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const { Question, intText: text, intFormat: format, shuffle, normalise, control, correctNote } = R;

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

    R.questionKinds.CompleteParagraph = CompleteParagraph;
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));

var cpObj = {
    question() { "use strict"; return kvxRuntime.questionShown(() => new kvxRuntime.questionKinds.CompleteParagraph()); }
};
