/* Corvessa course run-time: free-form text questions.
 *
 * The screen's start-up entry new ftObj(field, num, rec, lim, ev, whole, caseSen, mem, prnt, qnum), then email and tableName
 * makes the question; the kind registers itself in the table of question kinds that kvx_question.js keeps.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const { Question, intText: text, intFormat: format, normalise, correctNote } = R;

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

    R.questionKinds.FreeForm = FreeForm;
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));

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
    /** @type {object | null} the question, once the screen's entries have run */
    this.question = null;
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
