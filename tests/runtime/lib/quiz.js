"use strict";
// A course without menus that holds one question screen of every kind, written in the forms the
// publisher writes (screen files with their question panels and start-up entries, the pages script with
// scrambled answers, the options script), for the question, assessment, LMS and server tests.
//
// write(root, options) puts the course under root/content; options change the options script
// (prefs: extra lines), the course page (scorm: add kvx_scorm.js) and the question list.
const fs = require("fs");
const path = require("path");

// The scrambler of the publisher: every UTF-16 unit plus one key unit, in decimal, each followed by "-".
function scramble(text, key) {
    let out = "";
    for (let i = 0; i < text.length; ++i)
        out += (text.charCodeAt(i) + key.charCodeAt(i % key.length)) + "-";
    return out;
}

const lit = s => JSON.stringify(s);

function screenFile(id, title, scripts, contents, argues) {
    return "\uFEFFkvx.updatePage({\n\"nonordinary\": false,\n\"currentpage\": " + lit(id) + ",\n\"pagename\": " + lit(title) +
        ",\n" + (argues || "") + "\"scriptstorun\": [" + scripts.map(lit).join(", ") + "],\n\"contents\":\t" +
        (contents.length ? contents.map(lit).join(" +\n") : "\"\"") + "\n});\n";
}

function fpsFile(id, title, contents) {
    return "\uFEFFkvx.updatePage({\n\"fps\": true,\n\"currentpage\": " + lit(id) + ",\n\"pagename\": " + lit(title) +
        ",\n\"scriptstorun\": [],\n\"contents\":\t" + contents.map(lit).join(" +\n") + "\n});\n";
}

const large = stem => ["<div id='panellarge'>", "<div id='upperpanel'>&nbsp;</div>", "<div id='upperpanellarge'>",
                       "<p class='stem'>" + stem + "</p>", "</div>", "</div>", "<div id='panellower'>", "<div id='lowerpanel'>"];
const close = ["<a id='done' title='submit response'></a>", "</div>", "</div>"];
const text = (t, y) => "<div style='position:absolute; left:36px; top:" + (y || 30) + "px; width:900px;'><p>" + t + "</p></div>";

function mc(options, stem, trueFalse) {
    return large(stem).concat(options.map((o, k) => "<div class='mcBtn' id='img" + k + "'></div>"),
        ...options.map((o, k) => ["<a id='option" + k + "' class='questionMC' title=''>", "<span id='mc" + k + "' class='mc'>" + o + "</span>", "</a>"]),
        close).concat(trueFalse ? [] : []);
}

// The question screens: id, title, start-up entries, markup, the answer as the pages script holds it.
const questions = {
    "0_1q": {
        title: "One choice", scripts: ["mcObj.question(true)"],
        contents: mc(["Green", "Blue", "Red"], "Which colour is the sky?"), answer: "00,01,00",
        right: { choose: [1] }, wrong: { choose: [0] }
    },
    "0_2q": {
        title: "Several choices", scripts: ["mcObj.question(false)"],
        contents: mc(["Gull", "Cat", "Puffin"], "Which of these are sea birds?"), answer: "01,00,01",
        right: { choose: [0, 2] }, wrong: { choose: [0] }
    },
    "0_3q": {
        title: "True or false", scripts: ["mcObj.question(true, true)"],
        contents: (() => { const c = mc(["True", "False"], "Terns fly south in winter."); c.splice(3, 0, "<p class='stem'>True or false?</p>"); return c; })(),
        answer: "01,00", right: { choose: [0] }, wrong: { choose: [1] }
    },
    "0_4q": {
        title: "Blanks", scripts: ["fbObj.question()"],
        contents: large("Type the missing words.").concat(["<div class='question3'>",
            "A young bird is a <input class='in' type='text' name='option0' id='option0'><br>It leaves the nest when it can <input class='in' type='text' name='option1' id='option1'>",
            "</div>"], close),
        answer: "fledgling,fly", right: { type: ["Fledgling ", "fly"] }, wrong: { type: ["chick", "fly"] }
    },
    "0_5q": {
        title: "Paragraph", scripts: ["cpObj.question()"],
        contents: ["<div id='panelsmall'>", "<div id='upperpanel'>&nbsp;</div>", "<div id='upperpanelsmall'>",
            "<p class='stem'>Drag the words into the gaps.</p>", "</div>", "</div>",
            "<div id='drag0' class='drag'>cliffs</div>", "<div id='drag1' class='drag'>fish</div>", "<div id='drag2' class='drag'>sand</div>",
            "<div id='panellower'>", "<div id='lowerpanel'>", "<div class='question2'>",
            "Gulls nest on <div id='target0' class='cpTarget'>&nbsp;</div>and eat <div id='target1' class='cpTarget'>&nbsp;</div>on the <div id='target2' class='cpTarget'>&nbsp;</div>",
            "</div>"].concat(close),
        answer: null, right: { gaps: ["cliffs", "fish", "sand"] }, wrong: { gaps: ["fish", "cliffs", "sand"] }
    },
    "0_6q": {
        title: "Pairs", scripts: ["mpObj.question(true)"],
        contents: large("Match each bird to its food.").concat(["<div id='conOptions'>",
            "<a id='option0' class='mpOption'>", "Gull", "</a>", "<a id='option1' class='mpOption'>", "Puffin", "</a>",
            "<a id='option2' class='mpOption'>", "Heron", "</a>", "</div>", "<div id='conTargets'>",
            "<a id='target0' class='mpTarget'>", "Chips", "</a>", "<a id='target1' class='mpTarget'>", "Sand eels", "</a>",
            "<a id='target2' class='mpTarget'>", "Frogs", "</a>", "</div>"], close, ["<div id='mpZoom'></div>"]),
        answer: null, right: { pairs: [0, 1, 2] }, wrong: { pairs: [1, 0, 2] }
    },
    "0_7q": {
        title: "Parts", scripts: ["piObj.question(2, '#00FF00')"],
        contents: ["<div id='panellarge'>", "<div id='upperpanel'>&nbsp;</div>", "<div id='upperpanellarge'>",
            "<p class='stem'>Find the engine's two valves.</p>", "</div>", "</div>", "<div id='panellower'>", "<div id='lowerpanel'>",
            "<div id='partsBg' style='text-align:center; position:relative; margin-left:auto; margin-right:auto; margin-top:8px; width:750px; height:301px; overflow:auto;'>",
            "<div id='container' style='position:relative; margin-left:auto; margin-right:auto; width:300px; height:200px;'>",
            "<img id='partsImg' src='images/questions/engine.png' style='width:300px; height:200px; cursor:pointer; vertical-align:text-bottom;' alt='Part ID image'>",
            "<div id='option0' class='piOption' style='left:20px; top:30px; width:40px; height:40px;'></div>",
            "<div id='option1' class='piOption' style='left:100px; top:120px; width:40px; height:70px;'></div>",
            "</div>", "</div>"].concat(close),
        answer: null, right: { marks: [[40, 50], [120, 150]] }, wrong: { marks: [[40, 50], [250, 20]] }
    },
    "0_8q": {
        title: "Slider",
        argues: "\"argues\": {\n\t\"start\": 0,\n\t\"end\" : 10,\n\t\"range\" : 1,\n\t\"labels\" : [\"None\", \"Ten\"],\n\t\"words\" : [],\n\t\"numMarkers\" : 11\n},\n",
        scripts: ["kvxObj.sliderQ = new srObj(true,true,true,true,true,0)", "kvxObj.sliderQ.start = o.argues.start",
            "kvxObj.sliderQ.end = o.argues.end", "kvxObj.sliderQ.range = o.argues.range", "kvxObj.sliderQ.labels = o.argues.labels",
            "kvxObj.sliderQ.words = o.argues.words", "kvxObj.sliderQ.numMarkers = o.argues.numMarkers", "kvxObj.sliderQ.init()"],
        contents: ["<div id='panellarge'>", "<div id='upperpanel'>&nbsp;</div>", "<div id='upperpanellarge'>",
            "<p class='stem'>How many eggs does a guillemot lay in ten years?</p>", "</div>", "</div>", "<div id='panellower'>",
            "<div id='lowerpanel' style='overflow:hidden;'>", "<div class='question3'>", "<p id='SRslidervalue'>&nbsp;</p>",
            "<div id='SRmarker'>&nbsp;</div>", "<div id='SRsliderbg'>", "<div id='SRfill'>&nbsp;</div>", "</div>",
            "<p id='SRlabelstart'>&nbsp;</p>", "<p id='SRlabelend'>&nbsp;</p>", "<img id='SRdrag' alt='slider' src=''>", "</div>"].concat(close),
        answer: "7", right: { keys: ["End", "ArrowLeft", "ArrowLeft", "ArrowLeft", "ArrowLeft"] }, wrong: { keys: ["End"] }
    },
    "0_9q": {
        title: "In your words",
        argues: "\"argues\": {\n\"num\": 2,\n\"rec\": true,\n\"lim\": 200,\n\"ev\": true,\n\"whole\": true,\n\"caseSen\": false,\n\"mem\": false,\n\"prnt\": false,\n\"qnum\": 'AA',\n\"eml\": false\n},\n",
        scripts: ["o.argues.obj = document.getElementById('optionFT')",
            "kvxObj.ftQ = new ftObj(o.argues.obj,o.argues.num,o.argues.rec,o.argues.lim,o.argues.ev,o.argues.whole,o.argues.caseSen,o.argues.mem,o.argues.prnt,o.argues.qnum);",
            "kvxObj.ftQ.email = o.argues.eml || false", "kvxObj.ftQ.tableName = kvxPrefs.table2 || 'Table2'"],
        contents: ["<div id='kvxFreeFormAA' class='kvxFreeForm'>", "<p class='kvxInstruction'>How does a gull feed its chicks?</p>",
            "<textarea id='optionFT' name='quiz_AA' maxlength='200' rows='8' data-evaluate='true' data-store='true' data-email='false' data-remember='false' data-print='false' data-case='false' data-match='2' data-whole='true'></textarea>",
            "</div>"],
        keywords: ["beak", ["regurgitates", "brings up"]],
        right: { write: "It brings up food from its crop and the chick pecks its BEAK." }, wrong: { write: "It brings fish in its beaks." }
    }
};

const order = ["0_0", ...Object.keys(questions), "0_10"];

function prefsScript(extra, prefix) {
    return "\uFEFF// Options used by the course\nvar kvx = {};\nvar kvxAssessScore = {};\nvar kvxFdbck = {};\nvar kvxMem = {};\n" +
        "var kvxObj = {};\nvar kvxPrefs = {};\nvar kvxRandom = {};\nvar kvxTopBg, kvxTop, kvxMain, kvxNavBg, kvxNav, kvxUser;\n" +
        "kvxObj.version = 4;\nkvxObj.kvxname = \"\";\nkvxObj.kvxID = \"\";\nkvxObj.kvxpwd = \"\";\nkvxObj.progBarWidth = 398;\n" +
        "kvxObj.lineColour = \"#7A1F1F\";\nkvxObj.lineShadow = \"#B8A98C\";\nkvxPrefs.winSize = [1008, 680];\n" +
        "kvxPrefs.title = \"Sea bird quiz\";\nkvxPrefs.menuTitles = [];\nkvxPrefs.menuTitlesTopDisplay = [];\n\n" +
        "kvxPrefs.intDefaultFdbck = [\"No, the correct answer is now shown.\", \"Yes, that is the correct answer.\"];\n" +
        "kvxPrefs.assDefaultFdbck = [\"Incorrect.\", \"Correct.\"];\n\nkvxPrefs.fps = [\"0_11\",\"0_12\"];\n" +
        "/* custom feedback for specific questions */\n\nkvxFdbck[\"0_4q\"] = [\"Think of a bird that has just left its nest.\", \"Well typed!\"];\n\n" +
        "kvxObj.projectPrefix = \"" + prefix + "\";\nkvxObj.projectSuf = \".htm\";\n\nkvxObj.projectType = \"standalone\";\nkvxObj.imgExt = \".png\";\n" +
        "kvxPrefs.courseName = \"Sea bird quiz\";\nkvxPrefs.courseCode = \"SBQ-1\";\nkvxPrefs.indexDisplay = [1,0,0,0,0];\n" +
        "kvxPrefs.singleTopic = true;\nkvxPrefs.mainFontSize = 75;\nkvxPrefs.fontSizeBtnsVisible = false;\n" +
        "kvxPrefs.nextVisible = true;\nkvxPrefs.nextTime = null;\nkvxPrefs.backVisible = true;\nkvxPrefs.menuVisible = true;\n" +
        "kvxPrefs.quitVisible = true;\nkvxPrefs.progressVisible = true;\n" +
        "kvxPrefs.showCorrect = true;\nkvxPrefs.multiAttempt = false;\nkvxPrefs.showFeedback = true;\nkvxPrefs.nextEnabled = false;\n" +
        "kvxPrefs.doneVisible = true;\n\nkvxPrefs.useMCToggleBtn = true;\n\nkvxPrefs.assessable = [1];\n\n" +
        "kvxPrefs.assessment = false;\nkvxPrefs.assessShowCorrect = false;\nkvxPrefs.assessFeedback = false;\n" +
        "kvxPrefs.assessTimeLimit = false;\nkvxPrefs.assessTimeEach = null;\nkvxPrefs.assessTimeAll = null;\nkvxPrefs.showTimeRemaining = true;\n" +
        "kvxPrefs.assessNumQuestions = null;\nkvxPrefs.assessPassMark = 80;\nkvxPrefs.assessRandom = false;\nkvxPrefs.assessOptionsRandom = false;\n" +
        "kvxPrefs.assessTryLimit = 0;\nkvxPrefs.assessPrevToNonQuestion = false;\nkvxPrefs.assessNextEnabled = true;\n" +
        "kvxPrefs.assessBackEnabled = true;\nkvxPrefs.assessMenuEnabled = true;\nkvxPrefs.assessDoneVisible = true;\n" +
        "kvxPrefs.assessMemory = false;\nkvxPrefs.signin = false;\nkvxPrefs.selfRegister = false;\nkvxPrefs.reqUsername = true;\n" +
        "kvxPrefs.labelName = \"Name\";\nkvxPrefs.reqID = true;\nkvxPrefs.labelID = \"ID\";\nkvxPrefs.reqPwd = true;\n" +
        "kvxPrefs.labelPwd = \"Password\";\nkvxPrefs.labelPwd2 = \"Re-enter Password\";\nkvxPrefs.record = false;\n" +
        "kvxPrefs.sendEmail = false;\nkvxPrefs.email = \"\";\nkvxPrefs.localDB = false;\nkvxPrefs.table = \"\";\nkvxPrefs.webDB = false;\n" +
        "kvxPrefs.LMS = false;\nkvxPrefs.LMSversion = 12;\nkvxPrefs.LMSProtectPassedStatus = false;\nkvxPrefs.allowResume = false;\n" +
        "kvxPrefs.outline = {};\nkvxPrefs.outline.activate = false;\nkvxPrefs.nextBtnDelay = 0;\nkvxPrefs.completeTopicsInOrder = false;\n" +
        "kvxPrefs.autoProgress = false;\nkvxPrefs.autoProgressTest = false;\nkvxPrefs.autoProgressOnDone = false;\n" +
        "kvxPrefs.autoProgressOnDoneTest = false;\nkvxPrefs.expiry = {};\nkvxPrefs.expiry.isSet = false;\n" +
        "kvxPrefs.noNextAtTopicEnd = false;\nkvxPrefs.cmiExit = \"suspend\";\nkvxPrefs.hasGlossary = false;\nkvxPrefs.hasHelp = false;\n" +
        "kvxPrefs.rtl = false;\n" + (extra || "") + "\n";
}

function pagesScript(withRemediation) {
    let s = "\uFEFFvar p = [];\np[0] = [];\np[0][0] = [\"0_0\"];\n";
    const groups = order.slice(1).concat(["0_11", "0_12"]);
    groups.forEach((id, m) => { s += "p[0][" + (m + 1) + "] = [\"0_0\"," + lit(id) + "];\n"; });
    if (withRemediation)
        s += "\np[0][" + (groups.length + 1) + "] = [\"0_2q\",\"0_13\",\"0_14\"];\n";
    s += "var quest = {};\n";
    for (const [id, q] of Object.entries(questions)) {
        if (q.keywords)
            s += "quest[" + lit(id) + "] = [" + q.keywords.map(k => Array.isArray(k) ? "[" + k.map(w => lit(scramble(w, id))).join(",") + "]"
                                                                               : lit(scramble(k, id))).join(",") + "];\n";
        else if (q.answer !== null)
            s += "quest[" + lit(id) + "] = " + lit(scramble(q.answer, id)) + ";\n";
    }
    if (withRemediation) {
        s += "var kvxRemediation = [];\nkvxRemediation.push({\n\tnum: 0,\n\tat: \"[0][" + (groups.length + 1) + "]\",\n\tgroup: p[0][" +
             (groups.length + 1) + "],\n\tquestions: [\"0_1q\",\"0_2q\"],\n\tpassMark: 100,\n\ttrigger: \"0_2q\",\n\tstart: \"0_13\",\n" +
             "\treverseOut: \"\",\n\tcompletion: \"\"\n});\n";
    }
    return s;
}

function coursePage(scorm) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Sea bird quiz</title>\n" +
        "<link type=\"text/css\" rel=\"stylesheet\" href=\"scripts/kvx.css\">\n" +
        "<script type=\"text/javascript\" src=\"scripts/quiz_prefs.js\"></script>\n" +
        "<script type=\"text/javascript\" src=\"scripts/quiz_pages.js\"></script>\n" +
        (scorm ? "<script type=\"text/javascript\" src=\"scripts/kvx_scorm.js\"></script>\n" : "") +
        ["kvx_storage", "kvx_credentials", "kvx_int", "kvx_audio", "kvx_popup", "kvx_accessible", "wz_jsgraphics",
         "kvx_kb_effect", "kvx_ajax", "kvx"].map(n => "<script type=\"text/javascript\" src=\"scripts/" + n + ".js\"></script>\n").join("") +
        "</head>\n<body id=\"kvxCourse\">\n<div id=\"kvxTopBg\"><header id=\"kvxTop\"><p id=\"coursetitle\">Sea bird quiz</p></header></div>\n" +
        "<main id=\"kvxMain\" class=\"kvxScreen\" tabindex=\"-1\"></main>\n<div id=\"kvxNavBg\"><nav id=\"kvxNav\"></nav></div>\n" +
        "<div id=\"kvxUser\"></div>\n<div id=\"kvxAnnounce\" class=\"kvxAnnounce\" aria-live=\"polite\"></div>\n</body>\n</html>\n";
}

function write(root, options = {}) {
    const prefix = options.prefix || "quiz";
    const content = path.join(root, "content");
    fs.mkdirSync(path.join(content, "scripts"), { recursive: true });
    const put = (name, text) => fs.writeFileSync(path.join(content, name.replace(/^(scripts\/)?quiz_/, "$1" + prefix + "_")), text);
    put("scripts/quiz_prefs.js", prefsScript(options.prefs, prefix));
    put("scripts/quiz_pages.js", pagesScript(options.remediation));
    // The same course with a remediation group, for a test to serve in place of the pages script.
    put("scripts/quiz_pages_remediation.js", pagesScript(true));
    // A course published by the program keeps its own pages.
    if (options.pages !== false) {
        put("ind.htm", coursePage(options.scorm));
        put("done.htm", "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Done</title></head><body><p>Done</p></body></html>\n");
    }
    put("quiz_0_0.js", screenFile("0_0", "Welcome", [], [text("Welcome to the sea bird quiz.")]));
    put("quiz_0_10.js", screenFile("0_10", "The end", [], [text("That was the last question.")]));
    put("quiz_0_11.js", fpsFile("0_11", "Passed", [text("Well done: you passed.")]));
    put("quiz_0_12.js", fpsFile("0_12", "Not passed", [text("You have not passed this time.")]));
    put("quiz_0_13.js", screenFile("0_13", "Birds again", [], [text("Gulls and puffins are sea birds.")]));
    put("quiz_0_14.js", screenFile("0_14", "Colours again", [], [text("The sky is blue.")]));
    for (const [id, q] of Object.entries(questions))
        put("quiz_" + id + ".js", screenFile(id, q.title, q.scripts, q.contents, q.argues));
}

module.exports = { write, questions, order, scramble };
