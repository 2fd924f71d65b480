/* Corvessa course run-time: Flash questions.
 *
 * The screen's start-up entry new CustomObj('swf')
 * makes the question; the kind registers itself in the table of question kinds that kvx_question.js keeps.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const { Question } = R;

    class FlashQuestion extends Question {
        constructor(kind) {
            super("custom");
            this.custom = String(kind);
            this.scored = false;
            this.hasDone = false;
            this.attempts = 1;
            // Nothing is ever submitted here: the screen leaves the score as soon as it is shown, or a
            // course with a Flash question could never reach 100 %.
            if (this.screenId)
                R.unscored.add(this.screenId);
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

    R.questionKinds.FlashQuestion = FlashQuestion;
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));

function CustomObj(kind) {
    "use strict";
    this.kind = String(kind);
    this.question = kvxRuntime.questionShown(() => new kvxRuntime.questionKinds.FlashQuestion(this.kind));
}
