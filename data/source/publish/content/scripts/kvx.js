/* Corvessa course run-time: the core.
 *
 * A published course page loads the options script (kvx, kvxObj, kvxPrefs...), the international texts,
 * the pages script (p, quest) and this run-time. The run-time builds the course frame (top bar, screen,
 * navigation bar), loads one screen file per screen (content/<prefix>_<id>.js, which calls
 * kvx.updatePage) and moves between the screens in the order the pages script gives.
 *
 * The options script declares "var kvx = {};" itself, so the run-time files never write into kvx while
 * they load: each one registers its part in kvxRuntime, and start-up copies the public calls into kvx
 * whatever order the page loaded the scripts in.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const api = R.api = R.api || /** @type {KvxRuntime["api"]} */ ({});
    R.afterRender = R.afterRender || [];   // fn(target, screen): a screen's markup is in place
    R.beforeLeave = R.beforeLeave || [];   // fn(target): a screen is about to be replaced
    R.onStart = R.onStart || [];           // fn(): the course frame exists, before the first screen

    /**
     * The run-time's clock and timers. Every file of the run-time asks this one for the time and for its
     * timers, so a test that sets kvxRuntime.clock before the run-time loads moves time forward itself.
     * @typedef {Object} KvxClock
     * @property {() => number} now
     * @property {(fn: () => void, ms: number) => number} setTimeout
     * @property {(id: number | undefined) => void} clearTimeout
     * @property {(fn: () => void, ms: number) => number} setInterval
     * @property {(id: number | undefined) => void} clearInterval
     */
    /** @type {KvxClock} */
    R.clock = R.clock || {
        now: () => Date.now(),
        setTimeout: (fn, ms) => window.setTimeout(fn, ms),
        clearTimeout: id => window.clearTimeout(id),
        setInterval: (fn, ms) => window.setInterval(fn, ms),
        clearInterval: id => window.clearInterval(id)
    };

    // ---------------------------------------------------------------------------------------------
    // Texts. Every text the run-time shows can be reworded through the international profile, whose
    // items land in kvxPrefs.str; these are the words used when the profile has no such item.
    const defaultTexts = {
        next: "Next", back: "Back", menu: "Menu", quit: "Quit", close: "Close", print: "Print",
        ok: "OK", yes: "Yes", no: "No", cancel: "Cancel",
        glossary: "Glossary", help: "Help", outline: "Outline",
        fontsmaller: "Smaller text", fontlarger: "Larger text",
        skiptoscreen: "Skip to the screen",
        screenof: "Screen %1 of %2", progress: "Course progress",
        topics: "Topics", topiccompleted: "completed", topiclocked: "not available yet",
        loading: "Loading", loaderror: "This screen could not be loaded.",
        quitconfirm: "Do you want to leave the course?",
        resumeprompt: "Do you want to continue from where you left off?",
        coursefinished: "You have finished the course. You may close this window.",
        courseended: "The course has ended.", closewindow: "You may now close this window.",
        glossarynoentry: "There is no glossary entry for this term.",
        medianotshown: "This media needs a browser plug-in that current browsers do not have.",
        mediaopen: "Open the file",
        playaudio: "Play audio", stopaudio: "Stop audio",
        newwindow: "opens in a new window", videoframe: "Embedded video",
        navigation: "Course navigation", coursetools: "Course tools",
        popupscreen: "Popup", dialogclose: "Close this window",
        startanimation: "Start the animation",
        panhint: "Drag the picture or use the arrow keys to look around it"
    };

    R.text = function (name) {
        const str = (window.kvxPrefs && kvxPrefs.str) || {};
        const value = str[name];
        return (typeof value === "string" && value !== "") ? value : (defaultTexts[name] || name);
    };
    R.format = function (name, ...values) {
        return R.text(name).replace(/%(\d)/g, (m, i) => String(values[Number(i) - 1] ?? ""));
    };

    R.prefs = function () { return window.kvxPrefs || {}; };
    R.obj = function () { return window.kvxObj || {}; };

    // ---------------------------------------------------------------------------------------------
    // Scrambled values. Answers are scrambled with the screen's publish id, the connection string with
    // the project prefix: every UTF-16 unit becomes the decimal sum of its value and one key unit,
    // followed by "-". Returns null for text that is not of that form.
    R.descramble = api.descramble = function (text, key) {
        if (typeof text !== "string" || typeof key !== "string")
            return null;
        if (text === "")
            return "";
        if (key === "" || !/^(\d+-)+$/.test(text))
            return null;
        const numbers = text.slice(0, -1).split("-");
        let out = "";
        for (let i = 0; i < numbers.length; ++i) {
            const unit = Number(numbers[i]) - key.charCodeAt(i % key.length);
            if (!(unit >= 0 && unit <= 0xFFFF))
                return null;
            out += String.fromCharCode(unit);
        }
        return out;
    };

    // A publish id names a screen file, so only the forms the publisher writes are accepted:
    // major "_" minor with an optional kind letter (menu, question, assessment folder).
    R.isScreenId = function (id) {
        return typeof id === "string" && /^\d{1,9}_\d{1,9}[mqf]?$/.test(id);
    };

    R.el = function (tag, attrs, children) {
        const e = document.createElement(tag);
        for (const [k, v] of Object.entries(attrs || {})) {
            if (v === null || v === undefined || v === false)
                continue;
            if (k === "text")
                e.textContent = v;
            else if (k === "className")
                e.className = v;
            else if (k.startsWith("on") && typeof v === "function")
                e.addEventListener(k.slice(2), v);
            else
                e.setAttribute(k, v === true ? "" : String(v));
        }
        for (const c of [].concat(children || []))
            if (c !== null && c !== undefined)
                e.append(c);
        return e;
    };

    // ---------------------------------------------------------------------------------------------
    // The course structure, from the pages script. p[0][0] lists the screens at the top of the outline;
    // every later entry is a group: its first id heads the group and the others are its screens in
    // order. In a course with topic menus each group of a block is one topic of that block's menu and
    // its head is the topic's folder, which has no screen of its own; in a course without menus the head
    // is the screen the group hangs from.
    function buildCourse() {
        const pages = Array.isArray(window.p) ? window.p : [];
        // Screens the run-time leads to by itself (final performance screens) stay out of the order, and
        // so does their folder, which the top list names but which has no screen of its own.
        const skip = R.skipScreen || (() => false);
        const blocks = pages.map(b => (Array.isArray(b) ? b : []).map(e => (Array.isArray(e) ? e : [])
            .filter((id, i) => R.isScreenId(id) && !id.endsWith("f") && (i === 0 || !skip(id)))));
        const all = blocks.flat(2);
        const menus = [...new Set(all.filter(id => id.endsWith("m")))];
        const menuBased = menus.length > 0;
        const excluded = (typeof R.excludedGroups === "function" ? R.excludedGroups() : R.excludedGroups) || new Set();
        const stops = [];
        const seen = new Set();
        const add = id => { if (!seen.has(id)) { seen.add(id); stops.push(id); } };
        const topics = [];
        blocks.forEach((block, n) => block.forEach((entry, m) => {
            if (n === 0 && m === 0) {
                entry.forEach(add);
                return;
            }
            if (excluded.has(n + ":" + m) || entry.length === 0)
                return;
            const screens = entry.slice(1);
            if (!menuBased)
                add(entry[0]);
            screens.forEach(add);
            if (menuBased && screens.length > 0)
                topics.push({ block: n, entry: m, index: topics.filter(t => t.block === n).length, screens });
        }));
        const topicOf = new Map();
        for (const t of topics)
            for (const id of t.screens)
                if (!topicOf.has(id))
                    topicOf.set(id, t);
        const course = { stops, menus, menuBased, topics, topicOf, first: stops[0] || null };
        for (const fn of R.onCourse || [])
            R.guard(() => fn(course));
        return course;
    }

    R.menuOfBlock = function (n) {
        return R.course.menus[n] || R.course.menus[0] || R.course.first;
    };
    R.topicsOfMenu = function (menuId) {
        const n = Math.max(0, R.course.menus.indexOf(menuId));
        return R.course.topics.filter(t => t.block === n);
    };

    // ---------------------------------------------------------------------------------------------
    // Screen files. Each load gets a script element that carries its request; the screen file's call of
    // kvx.updatePage finds its request through document.currentScript, so answers that arrive late or
    // out of order go where they were asked for, or nowhere when a newer request has replaced them.
    let requestCount = 0;
    const latest = new Map();   // target name -> request number of the newest load

    R.screenFile = function (id) {
        return (R.obj().projectPrefix || "") + "_" + id + ".js";
    };

    R.loadScreen = function (id, target) {
        if (!R.isScreenId(id)) {
            R.showLoadError(target, id);
            return;
        }
        const request = ++requestCount;
        latest.set(target.name, request);
        target.busy(true);
        const s = document.createElement("script");
        s.src = R.screenFile(id);
        s.dataset.kvxRequest = String(request);
        s.dataset.kvxTarget = target.name;
        s.dataset.kvxScreen = id;
        let answered = false;
        /** @type {any} */ (s).kvxAnswered = () => { answered = true; };
        s.onload = () => {
            s.remove();
            if (!answered && latest.get(target.name) === request) {
                target.busy(false);
                R.showLoadError(target, id);
            }
        };
        s.onerror = () => {
            s.remove();
            if (latest.get(target.name) === request) {
                target.busy(false);
                R.showLoadError(target, id);
            }
        };
        document.head.appendChild(s);
    };

    R.showLoadError = function (target, id) {
        const box = target.container;
        R.leave(target);
        box.replaceChildren(R.el("div", { className: "kvxLoadError", role: "alert" }, R.text("loaderror")));
        R.announce(R.text("loaderror"));
        if (target.name === "main") {
            R.current = { id, pagename: "", nonordinary: true };
            R.updateNavigation();
        }
    };

    api.updatePage = function (o) {
        if (!o || typeof o !== "object")
            return;
        // A page that includes a screen file itself (the screen preview) may run it before the course
        // has started: the course then opens on that screen.
        if (!R.targets || !R.targets.main) {
            R.early = o;
            return;
        }
        const s = /** @type {any} */ (document.currentScript);
        let target = R.targets.main;
        if (s && s.dataset && s.dataset.kvxRequest) {
            if (typeof s.kvxAnswered === "function")
                s.kvxAnswered();
            if (latest.get(s.dataset.kvxTarget) !== Number(s.dataset.kvxRequest))
                return;   // a newer screen was asked for meanwhile
            target = R.targets[s.dataset.kvxTarget] || target;
        }
        target.busy(false);
        R.render(target, o);
    };

    // ---------------------------------------------------------------------------------------------
    // Rendering one screen into a target (the course screen or a popup).
    R.leave = function (target) {
        for (const fn of R.beforeLeave)
            R.guard(() => fn(target));
        for (const t of target.timers.splice(0))
            R.clock.clearTimeout(t);
        target.sheet.textContent = "";
    };

    R.guard = function (fn) {
        try {
            return fn();
        } catch (e) {
            console.error(e);
            return undefined;
        }
    };

    // What the screen markup needs before it goes into a current page.
    R.prepareMarkup = function (html) {
        return String(html)
            // Picture links address the course through the parent frame; here the course runs in the page
            // that shows the screen.
            .replace(/\bparent\.kvx\./g, "kvx.")
            .replace(/\{print\}/g, () => R.escapeAttr(R.text("print")));
    };
    // A screen's markup runs no script of its own: the page's content policy forbids inline handlers and
    // script addresses, and whatever an author's text or an embed code brings in of them is taken out
    // before the markup goes into the page, so that it can never run whatever the browser. Links and buttons
    // name their calls in data-kvx-click (and script links their file in data-kvx-script), which the
    // run-time's one click listener carries out. A frame without a title gets the name of what it shows.
    const addressAttributes = ["href", "src", "action", "formaction", "data", "xlink:href"];
    R.disarm = function (fragment) {
        for (const e of fragment.querySelectorAll("*")) {
            for (const a of [...e.attributes]) {
                const name = a.name.toLowerCase();
                if (name.startsWith("on") ||
                    (addressAttributes.includes(name) && /^\s*(javascript|vbscript|data\s*:\s*text\/html)/i.test(a.value.replace(/[\u0000-\u001f]/g, ""))))
                    e.removeAttribute(a.name);
            }
            if (e.localName === "script")
                e.remove();
            else if (e.localName === "iframe" && !e.getAttribute("title"))
                e.setAttribute("title", R.text("videoframe"));
        }
    };

    // The statements of data-kvx-click, and the files of data-kvx-script, carried out on a click.
    const linkScripts = new Map();
    api.linkScript = function (key, fn) {
        if (typeof fn === "function")
            linkScripts.set(String(key), fn);
    };
    R.followScriptLink = function (anchor, event) {
        const key = anchor.getAttribute("data-kvx-script") || "";
        if (!/^[0-9a-f]{1,64}$/.test(key)) {
            console.error("Corvessa: a script link names no script file: " + key);
            return;
        }
        const run = () => {
            const fn = linkScripts.get(key);
            if (fn)
                R.guard(() => fn.call(anchor, event));
            else
                console.error("Corvessa: the script of a link could not be run: scripts/link_" + key + ".js");
        };
        if (linkScripts.has(key)) {
            run();
            return;
        }
        const s = document.createElement("script");
        s.src = "scripts/link_" + key + ".js";
        s.onload = run;
        s.onerror = run;
        document.head.append(s);
    };
    document.addEventListener("click", function (event) {
        const from = /** @type {Element | null} */ (event.target instanceof Element ? event.target : null);
        const anchor = from && from.closest("[data-kvx-click], [data-kvx-script]");
        if (!anchor)
            return;
        event.preventDefault();
        if (anchor.hasAttribute("data-kvx-script")) {
            R.followScriptLink(anchor, event);
            return;
        }
        const statement = anchor.getAttribute("data-kvx-click") || "";
        if (typeof kvxCalls === "undefined")
            console.error("Corvessa: kvx_calls.js is missing, so the link is not followed: " + statement);
        else
            kvxCalls.run(statement.replace(/\bparent\.kvx\./g, "kvx."), kvxCalls.linkTable);
    });

    R.escapeAttr = function (text) {
        return String(text).replace(/&/g, "&amp;").replace(/"/g, "&quot;").replace(/'/g, "&#39;")
            .replace(/</g, "&lt;").replace(/>/g, "&gt;");
    };

    // A screen title as the screen file carries it, with the typographic characters the publisher wrote
    // as numeric character references, back as plain text for labels, announcements and mail subjects.
    R.plainTitle = function (text) {
        return String(text || "").replace(/&#(\d{1,7});/g, (whole, digits) => {
            const code = Number(digits);
            return code > 0 && code <= 0x10ffff && (code < 0xd800 || code > 0xdfff) ? String.fromCodePoint(code) : whole;
        });
    };

    R.render = function (target, o) {
        R.leave(target);
        const screen = {
            id: String(o.currentpage || ""),
            pagename: R.plainTitle(o.pagename),
            fps: o.fps === true,
            nonordinary: o.nonordinary === true,
            scripts: Array.isArray(o.scriptstorun) ? o.scriptstorun.map(String) : [],
            target
        };
        target.screen = screen;
        // The markup is parsed into an inert template first, so that the filters can change it before
        // anything in it is fetched.
        const template = document.createElement("template");
        template.innerHTML = R.prepareMarkup(o.contents === undefined ? "" : o.contents);
        for (const filter of R.markupFilters || [])
            R.guard(() => filter(template.content));
        R.disarm(template.content);
        target.container.replaceChildren(template.content);
        R.current = target.name === "main" ? screen : R.current;
        R.rendering = target;
        try {
            for (const fn of R.afterRender)
                R.guard(() => fn(target, screen));
            // The screen's start-up statements see the screen object as o (o.argues of the
            // free-form text and slider questions); they are carried out from the table of calls a
            // screen file may make, never run as script.
            for (const statement of screen.scripts)
                R.guard(() => R.runStatement(statement, o));
        } finally {
            R.rendering = null;
        }
        if (target.name === "main")
            R.arrived(screen);
        else if (typeof target.arrived === "function")
            target.arrived(screen);
    };

    // A box of the screen whose content overflows it (a table taller than its box) scrolls; the keyboard
    // reaches it when nothing inside it takes the focus.
    R.afterRender.push(function (target) {
        for (const box of target.container.querySelectorAll("div")) {
            const style = getComputedStyle(box);
            const scrolls = /(auto|scroll)/.test(style.overflowX + " " + style.overflowY) &&
                (box.scrollHeight > box.clientHeight || box.scrollWidth > box.clientWidth);
            if (scrolls && !box.hasAttribute("tabindex") &&
                    !box.querySelector("a[href], button, input, select, textarea, iframe, [tabindex]"))
                box.tabIndex = 0;
        }
    });

    R.runStatement = function (statement, o) {
        if (typeof kvxCalls === "undefined") {
            console.error("Corvessa: kvx_calls.js is missing, so the screen's statement is not carried out: " + statement);
            return false;
        }
        return kvxCalls.run(statement, kvxCalls.screenTable, { o });
    };

    // ---------------------------------------------------------------------------------------------
    // Table rules and shapes belong to the screen being shown: rules are scoped to its target so that a
    // popup's table1 never styles the course screen's table1.
    api.addTableRule = function (selector, declarations) {
        const target = R.rendering || R.targets.main;
        const scoped = String(selector).split(",").map(s => "#" + target.container.id + " " + s.trim()).join(", ");
        target.sheet.textContent += scoped + " { " + String(declarations) + " }\n";
    };

    api.drawShapes = function (shapes) {
        const target = R.rendering || R.targets.main;
        if (window.kvxGraphics && Array.isArray(shapes))
            kvxGraphics.draw(target.container, shapes);
    };

    api.KB = function (kind, options) {
        const target = R.rendering || R.targets.main;
        if (R.kb)
            R.kb.start(target, kind, options || {});
    };

    // ---------------------------------------------------------------------------------------------
    // Navigation.
    R.visited = new Set();

    R.position = function (id) {
        return R.course.stops.indexOf(id);
    };

    // The end of the course, as a place Next can lead to.
    R.END = Object.freeze({ end: true });

    R.neighbour = function (id, step) {
        // Remediation, the assessment and its final screens lead elsewhere than the plain order.
        for (const route of R.routes || []) {
            const to = route(id, step);
            if (to !== undefined)
                return to;
        }
        return R.plainNeighbour(id, step);
    };

    R.plainNeighbour = function (id, step) {
        const c = R.course;
        const topic = c.topicOf.get(id);
        if (topic) {
            const i = topic.screens.indexOf(id) + step;
            if (i >= 0 && i < topic.screens.length)
                return topic.screens[i];
            return R.menuOfBlock(topic.block);
        }
        if (c.menus.includes(id) && step > 0) {
            const topics = R.topicsOfMenu(id);
            const open = topics.find(t => !R.topicComplete(t) && R.topicOpen(t)) || topics[0];
            return open ? open.screens[0] : null;
        }
        const i = R.position(id);
        if (i < 0)
            return step > 0 ? c.first : null;
        const j = i + step;
        return (j >= 0 && j < c.stops.length) ? c.stops[j] : null;
    };

    R.atTopicEnd = function (id) {
        const topic = R.course.topicOf.get(id);
        if (topic)
            return topic.screens[topic.screens.length - 1] === id;
        return R.position(id) === R.course.stops.length - 1;
    };

    R.topicComplete = function (topic) {
        return topic.screens.every(id => R.visited.has(id));
    };
    R.topicOpen = function (topic) {
        if (!R.prefs().completeTopicsInOrder)
            return true;
        return R.topicsOfMenu(R.menuOfBlock(topic.block))
            .filter(t => t.index < topic.index).every(R.topicComplete);
    };

    R.questionPending = false;   // set by the question objects while a question waits for its answer

    api.gotoNewPage = function (id) {
        id = String(id);
        R.closeOverlays();
        R.loadScreen(id, R.targets.main);
    };
    api.next = function () {
        if (!R.current)
            return;
        const id = R.neighbour(R.current.id, 1);
        if (id === R.END)
            api.finish();
        else if (id)
            api.gotoNewPage(id);
    };
    api.back = function () {
        if (!R.current)
            return;
        const id = R.neighbour(R.current.id, -1);
        if (id && id !== R.END)
            api.gotoNewPage(id);
    };
    api.menu = function () {
        const topic = R.current && R.course.topicOf.get(R.current.id);
        const id = topic ? R.menuOfBlock(topic.block) : (R.course.menus[0] || R.course.first);
        if (id)
            api.gotoNewPage(id);
    };
    // The learner leaves. A course seen to its end is finished; one left part way keeps its place and its
    // answers for the next visit, and its record does not call it complete.
    api.quit = function () {
        R.confirm(R.text("quitconfirm"), () => api.finish(R.completed ? R.completed() : true));
    };
    // The end of the session, finished or left part way: the record of the course is kept, then the
    // closing page is shown. A course in a learning management system has no closing page of its own.
    api.finish = function (finished = true) {
        R.leave(R.targets.main);
        // A handler may return a promise: the record it is still sending.
        const sending = (R.onFinish || []).map(fn => R.guard(() => fn(finished)));
        if (R.prefs().LMS) {
            const words = finished ? R.text("coursefinished") : R.text("courseended") + " " + R.text("closewindow");
            R.targets.main.container.replaceChildren(R.el("div", { className: "kvxFinished", role: "status" }, words));
            R.current = null;
            R.updateNavigation();
            return;
        }
        // The closing page comes once the record is kept, or after a few seconds without an answer.
        const page = finished ? "done.htm" : "end.htm";
        Promise.race([Promise.allSettled(sending), new Promise(resolve => R.clock.setTimeout(() => resolve(undefined), 3000))])
            .then(() => { window.location.href = page; });
    };

    R.closeOverlays = function () {
        if (R.closeDialogs)
            R.closeDialogs();
    };

    // The screen has arrived in the course frame.
    R.arrived = function (screen) {
        R.visited.add(screen.id);
        if (R.storage)
            R.storage.remember(screen.id, R.visited);
        R.updateNavigation();
        R.startScreenTimers(screen);
        const n = R.position(screen.id);
        const total = R.course.stops.length;
        const place = n >= 0 ? R.format("screenof", n + 1, total) : "";
        const label = [screen.pagename, place].filter(Boolean).join(". ");
        R.frame.main.setAttribute("aria-label", screen.pagename || place || R.text("loading"));
        R.announce(label);
        // Keyboard users keep their place on a button that is still there; otherwise the screen itself
        // takes the focus so that the next Tab starts on it. So does the first screen, which a learner
        // reaches from the start page with the focus nowhere: the skip link stays one Shift+Tab away.
        const active = /** @type {HTMLButtonElement | null} */ (document.activeElement);
        if (!active || active === document.body || active.disabled || active.closest("[hidden]") ||
                getComputedStyle(active).visibility === "hidden")
            R.frame.main.focus({ preventScroll: true });
        for (const fn of R.onArrive || [])
            R.guard(() => fn(screen));
    };

    // Timing options: the Next button's delay on every screen, and the automatic advance of a course
    // without a Next button.
    R.startScreenTimers = function (screen) {
        const prefs = R.prefs();
        const main = R.targets.main;
        const delay = Number(prefs.nextBtnDelay) || 0;
        if (delay > 0 && prefs.nextVisible && R.frame.next) {
            R.frame.next.style.visibility = "hidden";
            main.timers.push(R.clock.setTimeout(() => {
                R.frame.next.style.visibility = "";
                R.updateNavigation();
            }, delay * 1000));
        }
        const wait = Number(prefs.nextTime);
        if (!prefs.nextVisible && wait > 0 && !R.isQuestion(screen) && !R.course.menus.includes(screen.id) &&
                !R.atTopicEnd(screen.id)) {
            main.timers.push(R.clock.setTimeout(api.next, wait * 1000));
        }
    };

    R.isQuestion = function (screen) {
        return /q$/.test(screen.id) || R.questionPending;
    };

    R.updateNavigation = function () {
        const prefs = R.prefs();
        const f = R.frame;
        const id = R.current && R.current.id;
        const set = (button, visible, enabled) => {
            if (!button)
                return;
            button.hidden = !visible;
            button.disabled = !enabled;
            button.setAttribute("aria-disabled", String(!enabled));
        };
        const known = !!id && !R.current.nonordinary;
        let nextEnabled = known && !!R.neighbour(id, 1);
        if (known && prefs.noNextAtTopicEnd && R.atTopicEnd(id))
            nextEnabled = false;
        if (known && prefs.nextEnabled === false && R.questionPending)
            nextEnabled = false;
        set(f.next, prefs.nextVisible !== false, nextEnabled);
        set(f.back, prefs.backVisible !== false, known && !!R.neighbour(id, -1));
        set(f.menu, prefs.menuVisible !== false, !!R.current);
        set(f.quit, prefs.quitVisible !== false, true);
        if (f.progress) {
            const total = R.course.stops.length || 1;
            const done = R.course.stops.filter(s => R.visited.has(s)).length;
            const percent = Math.round(100 * done / total);
            f.progress.hidden = !prefs.progressVisible;
            f.progress.setAttribute("aria-valuenow", String(percent));
            f.progress.setAttribute("aria-valuetext", percent + "%");
            f.progressFill.style.width = percent + "%";
        }
        const topic = id && R.course.topicOf.get(id);
        if (f.banner) {
            const banners = prefs.menuTitlesTopDisplay || [];
            f.banner.textContent = (topic && topic.block === 0 && banners[topic.index]) || "";
        }
        for (const fn of R.onNavigation || [])
            R.guard(() => fn(id));
    };
    R.onNavigation = R.onNavigation || [];

    // ---------------------------------------------------------------------------------------------
    // Topic menus: the menu screen names the call, the run-time lays out one button per topic. The titles
    // come from the options script; pictures are the topic buttons' published pictures.
    api.createMenu = function () {
        const target = R.rendering || R.targets.main;
        const menuId = target.screen ? target.screen.id : R.course.menus[0];
        const prefs = R.prefs();
        const titles = Array.isArray(prefs.menuTitles) ? prefs.menuTitles : [];
        const topics = R.topicsOfMenu(menuId);
        const isMain = R.course.menus.indexOf(menuId) <= 0;
        const count = isMain && titles.length ? Math.min(titles.length, topics.length) : topics.length;
        const listOnly = !!prefs.mainMenuOnlyListMenu || !isMain;
        const pictures = !prefs.mainMenuDontAllowImages && !listOnly;
        const list = R.el("ul", { className: listOnly ? "kvxMenuList" : "kvxMenuCards" });
        for (let k = 0; k < count; ++k) {
            const topic = topics[k];
            const title = (isMain && titles[k]) || R.format("screenof", k + 1, count);
            const open = R.topicOpen(topic);
            const complete = R.topicComplete(topic);
            const state = complete ? R.text("topiccompleted") : (open ? "" : R.text("topiclocked"));
            const button = R.el("button", {
                type: "button", className: "kvxTopic" + (complete ? " kvxTopicDone" : ""),
                disabled: !open,
                onclick: () => api.gotoNewPage(topic.screens[0])
            });
            if (pictures && (!Array.isArray(prefs.menuPictures) || prefs.menuPictures[k]))
                button.append(R.topicPicture(k, Array.isArray(prefs.menuPictures) ? prefs.menuPictures[k] : null));
            button.append(R.el("span", { className: "kvxTopicTitle", text: title }));
            if (state)
                button.append(R.el("span", { className: "kvxTopicState", text: state }));
            list.append(R.el("li", {}, button));
        }
        target.container.append(R.el("nav", { className: "kvxMenu", "aria-label": R.text("topics") }, list));
    };

    // Large topic buttons are published as images/mm<k>.png, small ones as images/m<k>.png; the options
    // name the one published, older options name none and the large one is tried first.
    R.topicPicture = function (k, name) {
        const img = R.el("img", { className: "kvxTopicPicture", alt: "", src: "images/" + (name || "mm" + k + ".png") });
        if (name)
            return img;
        img.addEventListener("error", function onError() {
            if (img.dataset.kvxTried) {
                img.removeEventListener("error", onError);
                img.remove();
                return;
            }
            img.dataset.kvxTried = "1";
            img.src = "images/m" + k + ".png";
        });
        return img;
    };

    // ---------------------------------------------------------------------------------------------
    // The course frame. A course page may hold its own top bar, screen and navigation bar (with the ids
    // below); whatever it lacks is built here.
    function frameElement(id, tag, attrs, parent) {
        let e = document.getElementById(id);
        if (!e) {
            e = R.el(tag, Object.assign({ id }, attrs));
            parent.append(e);
        }
        return e;
    }

    function navButton(id, picture, textName, handler) {
        const label = R.text(textName);
        const b = R.el("button", { id, type: "button", className: "kvxNavButton", title: label, onclick: handler },
            R.el("img", { src: "scripts/pics/" + picture + (R.obj().imgExt || ".png"), alt: label }));
        return b;
    }

    function toolButton(id, text, handler) {
        return R.el("button", { id, type: "button", className: "kvxTool", onclick: handler, text });
    }

    R.buildFrame = function () {
        const prefs = R.prefs();
        const body = document.body;
        body.classList.add("kvxCourse");
        // The frame holds the page's bars and screen in order; parts the page has already are moved in.
        let frame = document.getElementById("kvxFrame");
        if (!frame) {
            frame = R.el("div", { id: "kvxFrame", className: "kvxFrame" });
            const first = ["kvxTopBg", "kvxMain", "kvxNavBg"].map(id => document.getElementById(id)).find(Boolean);
            if (first)
                first.before(frame);
            else
                body.append(frame);
        }
        if (prefs.rtl)
            frame.setAttribute("dir", "rtl");
        const topBg = frameElement("kvxTopBg", "header", { className: "kvxTopBar" }, frame);
        const top = frameElement("kvxTop", "div", {}, topBg);
        const main = frameElement("kvxMain", "main", { className: "kvxScreen" }, frame);
        main.setAttribute("tabindex", "-1");
        const screen = frameElement("kvxScreen", "div", {}, main);
        const navBg = frameElement("kvxNavBg", "nav", { className: "kvxNavBar" }, frame);
        const nav = frameElement("kvxNav", "div", {}, navBg);
        const landmark = nav.tagName === "NAV" ? nav : navBg;
        if (!landmark.hasAttribute("aria-label"))
            landmark.setAttribute("aria-label", R.text("navigation"));
        const order = prefs.swapTopNavBars ? [navBg, topBg, main] : [topBg, main, navBg];
        frame.append(...order);
        // A template's logo and course name go into the top bar.
        for (const id of ["logo", "coursetitle"]) {
            const e = document.getElementById(id);
            if (e && !top.contains(e))
                top.append(e);
        }
        const banner = frameElement("kvxBanner", "p", { className: "kvxBanner" }, top);
        const user = frameElement("kvxUser", "p", { className: "kvxUser" }, top);
        if (!frame.contains(user))
            frame.append(user);
        const tools = R.el("div", { className: "kvxTools", role: "group", "aria-label": R.text("coursetools") });
        (prefs.hideTopBar ? nav : top).append(tools);

        const back = navButton("kvxBack", "nav_back", "back", api.back);
        const menu = navButton("kvxMenuButton", "nav_menu", "menu", api.menu);
        const next = navButton("kvxNext", "nav_next", "next", api.next);
        const quit = navButton("kvxQuit", "nav_quit", "quit", api.quit);
        const progressFill = R.el("span", { className: "kvxProgressFill" });
        const progress = R.el("div", {
            className: "kvxProgress", role: "progressbar", "aria-label": R.text("progress"),
            "aria-valuemin": "0", "aria-valuemax": "100", "aria-valuenow": "0"
        }, progressFill);
        progress.style.width = (Number(R.obj().progBarWidth) || 398) + "px";
        nav.append(back, menu, progress, next, quit);

        // Bars: hidden bars keep their space unless they are collapsed as well.
        const bar = (el, hide, collapse) => {
            if (hide && collapse)
                el.hidden = true;
            else if (hide)
                el.classList.add("kvxBarHidden");
        };
        bar(topBg, prefs.hideTopBar, prefs.collapseTopBar);
        bar(navBg, prefs.hideNavBar, prefs.collapseNavBar);
        const size = Array.isArray(prefs.winSize) ? prefs.winSize : [1008, 680];
        frame.style.width = (Number(size[0]) || 1008) + "px";

        // The skip link comes first in the page so that keyboard users reach the screen at once.
        if (!document.querySelector(".kvxSkip")) {
            body.prepend(R.el("a", {
                className: "kvxSkip", href: "#kvxMain", text: R.text("skiptoscreen"),
                onclick: e => { e.preventDefault(); main.focus(); }
            }));
        }
        const sheet = R.el("style", { id: "kvxScreenRules" });
        document.head.append(sheet);

        // The global names of the options script stand for the parts of the course frame.
        window.kvxTopBg = topBg; window.kvxTop = top; window.kvxMain = main;
        window.kvxNavBg = navBg; window.kvxNav = nav; window.kvxUser = user;

        R.frame = { frame, topBg, top, main, screen, navBg, nav, banner, user, tools, back, menu, next, quit,
                    progress, progressFill };
        R.targets = R.targets || {};
        R.targets.main = R.makeTarget("main", screen, sheet);
    };

    R.makeTarget = function (name, container, sheet) {
        container.setAttribute("aria-busy", "false");
        return {
            name, container, sheet, screen: null, timers: [],
            busy(on) {
                container.setAttribute("aria-busy", on ? "true" : "false");
            }
        };
    };

    // The learner's text size, when the options show the two text-size buttons.
    R.fontButtons = function () {
        const prefs = R.prefs();
        if (!prefs.fontSizeBtnsVisible)
            return;
        let size = Number(prefs.mainFontSize) || 100;
        const apply = () => { R.frame.screen.style.fontSize = size + "%"; };
        R.frame.tools.append(
            toolButton("kvxFontSmaller", "A-", () => { size = Math.max(50, size - 10); apply(); }),
            toolButton("kvxFontLarger", "A+", () => { size = Math.min(200, size + 10); apply(); }));
        R.frame.tools.lastChild.setAttribute("aria-label", R.text("fontlarger"));
        R.frame.tools.lastChild.previousSibling.setAttribute("aria-label", R.text("fontsmaller"));
        apply();
    };
    R.toolButton = toolButton;

    // ---------------------------------------------------------------------------------------------
    // The expiry date of the course, checked when it starts.
    R.expired = function () {
        const e = R.prefs().expiry;
        if (!e || !e.isSet || !(e.year > 0 && e.month > 0 && e.day > 0))
            return false;
        const end = new Date(e.year, e.month - 1, e.day, 23, 59, 59);
        return R.clock.now() > end.getTime();
    };

    // Without the accessibility module the course still runs, with the browser's own question box.
    function fallbacks() {
        R.announce = R.announce || function () {};
        R.confirm = R.confirm || function (question, onYes, onNo) {
            if (window.confirm(question))
                onYes();
            else if (onNo)
                onNo();
        };
    }

    // The last topic of the main menu is the assessment when the options say so.
    R.inAssessment = function (id) {
        if (!id || !R.course)
            return false;
        // A course without menus is an assessment as a whole when the options say so.
        if (!R.course.menuBased)
            return !!R.prefs().assessment && (R.course.stops.includes(id) || (!!R.isFps && R.isFps(id)));
        const topic = R.course.topicOf.get(id);
        if (!R.prefs().assessment || !topic || topic.block !== 0)
            return false;
        const last = R.course.topics.filter(t => t.block === 0).pop();
        return topic === last;
    };

    function startCourse() {
        Object.assign(window.kvx || (window.kvx = {}), api);
        fallbacks();
        R.course = buildCourse();
        R.buildFrame();
        R.fontButtons();
        if (R.expired()) {
            R.frame.screen.replaceChildren(R.el("div", { className: "kvxExpired", role: "alert" },
                String(R.prefs().expiry.msg || "")));
            R.current = { id: "", pagename: "", nonordinary: true };
            R.updateNavigation();
            for (const b of [R.frame.next, R.frame.back, R.frame.menu])
                b.disabled = true;
            return;
        }
        for (const fn of R.onStart)
            R.guard(fn);
        if (R.early) {
            R.render(R.targets.main, R.early);
            R.early = null;
            return;
        }
        const first = R.course.first;
        const resume = R.storage && R.prefs().allowResume ? R.storage.bookmark() : null;
        const known = id => R.course.stops.includes(id) || (R.resumable && R.resumable(id));
        if (resume && resume !== first && R.isScreenId(resume) && known(resume) && R.storage.autoResume) {
            // A learning management system that hands the course its stored place has asked already.
            R.storage.restore(R.visited);
            api.gotoNewPage(resume);
            return;
        }
        if (resume && resume !== first && R.isScreenId(resume) && known(resume)) {
            R.confirm(R.text("resumeprompt"), () => {
                R.storage.restore(R.visited);
                api.gotoNewPage(resume);
            }, () => api.gotoNewPage(first));
            return;
        }
        if (first)
            api.gotoNewPage(first);
        else
            R.updateNavigation();
    }

    // Only the course page has a pages script; other pages may load the run-time for its calls alone.
    R.start = function () {
        if (R.started)
            return;
        R.started = true;
        if (Array.isArray(window.p))
            startCourse();
        else
            Object.assign(window.kvx || (window.kvx = {}), api);
    };

    // When the options script came first, its kvx object can take the calls at once.
    if (window.kvx && typeof window.kvx === "object")
        Object.assign(window.kvx, api);
    if (document.readyState === "loading")
        document.addEventListener("DOMContentLoaded", R.start);
    else
        setTimeout(R.start, 0);
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));
