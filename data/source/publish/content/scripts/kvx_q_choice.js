/* Corvessa course run-time: multiple choice and true or false questions.
 *
 * The screen's start-up entry mcObj.question(single answer[, true/false style])
 * makes the question; the kind registers itself in the table of question kinds that kvx_question.js keeps.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const { Question, shuffle, control, correctNote } = R;

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

    R.questionKinds.MultipleChoice = MultipleChoice;
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));

var mcObj = {
    question(single, trueFalse) {
        "use strict";
        return kvxRuntime.questionShown(() => new kvxRuntime.questionKinds.MultipleChoice(single, trueFalse));
    }
};
