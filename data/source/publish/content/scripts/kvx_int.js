/* Corvessa course run-time: the question objects of the screens.
 *
 * A question screen's start-up entries create its question object: cpObj.question() (complete the
 * paragraph), fbObj.question() (fill in the blanks), mpObj.question(true) (match the pairs),
 * mcObj.question(single answer[, true/false style]) (multiple choice), piObj.question(targets, colour)
 * (identify the parts), new CustomObj('swf') (a Flash question), new ftObj(...) (free-form text) and
 * new srObj(...) with init() (slider). Each one registers the question shown on the screen in
 * kvxRuntime.questions, where answering, checking and feedback attach to it.
 */
(function (R) {
    "use strict";

    R.questions = R.questions || [];

    // A question of the screen being shown.
    R.questionShown = function (kind, settings) {
        const target = R.rendering || (R.targets && R.targets.main);
        const question = { kind, settings: settings || {}, target, screen: target && target.screen };
        R.questions.push(question);
        return question;
    };

    (R.beforeLeave = R.beforeLeave || []).push(function (target) {
        R.questions = R.questions.filter(q => q.target !== target);
    });
})(window.kvxRuntime = window.kvxRuntime || {});

var cpObj = {
    question() { "use strict"; return kvxRuntime.questionShown("completeParagraph"); }
};

var fbObj = {
    question() { "use strict"; return kvxRuntime.questionShown("fillBlanks"); }
};

var mpObj = {
    question(mix) { "use strict"; return kvxRuntime.questionShown("matchPairs", { mix: mix !== false }); }
};

var mcObj = {
    question(single, trueFalse) {
        "use strict";
        return kvxRuntime.questionShown("multipleChoice", { single: !!single, trueFalse: !!trueFalse });
    }
};

var piObj = {
    question(targets, colour) {
        "use strict";
        return kvxRuntime.questionShown("partIdentification", { targets: Number(targets) || 0, colour: String(colour || "") });
    }
};

function CustomObj(kind) {
    "use strict";
    this.kind = String(kind);
    this.question = kvxRuntime.questionShown("custom", { kind: this.kind });
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
    this.qnum = String(qnum || "");
    this.email = false;
    this.tableName = "Table2";
    this.question = kvxRuntime.questionShown("freeForm", this);
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
    this.question = kvxRuntime.questionShown("slider", this);
};
