/* Corvessa course run-time: fill-in-the-blanks questions.
 *
 * The screen's start-up entry fbObj.question()
 * makes the question; the kind registers itself in the table of question kinds that kvx_question.js keeps.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const { Question, intFormat: format, normalise, correctNote } = R;

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

    R.questionKinds.FillBlanks = FillBlanks;
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));

var fbObj = {
    question() { "use strict"; return kvxRuntime.questionShown(() => new kvxRuntime.questionKinds.FillBlanks()); }
};
