"use strict";
// The quiz that publish_runtime_course publishes: a course without menus that asks one question of every
// kind, with a remediation group after its second question and two final performance screens. Each
// question screen is listed with how a learner answers it right and wrong (lib/answer.js gives the answers).

const questions = {
    "0_1q": { kind: "one choice", right: { choose: [1] }, wrong: { choose: [0] } },
    "0_2q": { kind: "several choices", right: { choose: [0, 2] }, wrong: { choose: [0] } },
    "0_6q": { kind: "true or false", right: { choose: [0] }, wrong: { choose: [1] } },
    "0_7q": { kind: "blanks", right: { type: ["Fledgling ", "fly"] }, wrong: { type: ["robin", "fly"] } },
    "0_8q": { kind: "paragraph", right: { gaps: ["cliffs", "fish", "sand"] }, wrong: { gaps: ["fish", "cliffs", "sand"] } },
    "0_9q": { kind: "pairs", right: { pairs: [0, 1, 2] }, wrong: { pairs: [1, 0, 2] } },
    "0_10q": { kind: "parts", right: { marks: [[40, 50], [120, 150]] }, wrong: { marks: [[40, 50], [250, 20]] } },
    "0_11q": { kind: "slider", right: { keys: ["End", "ArrowLeft", "ArrowLeft", "ArrowLeft"] }, wrong: { keys: ["End"] } },
    "0_12q": { kind: "free-form text", right: { write: "It brings up food and the chick pecks its BEAK." },
               wrong: { write: "It brings fish in its beaks." } }
};

module.exports = {
    questions,
    welcome: "0_0",
    remediation: ["0_4", "0_5"],
    end: "0_13",
    passed: "0_15",
    failed: "0_16",
    // The texts of a new course: the defaults of its feedback, and the blanks question's own.
    feedback(id, right) {
        if (id === "0_7q")
            return right ? "Well typed!" : "Think of a bird that has just left its nest.";
        return right ? "Yes, that is the correct answer." : "No, the correct answer is now shown.";
    }
};
