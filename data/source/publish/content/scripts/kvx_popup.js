/* Corvessa course run-time: popups, the glossary, the help screen and the outline panel.
 *
 * kvx.popup(id, width, height) shows a screen in a modal window of that size; kvx.glossary(term) shows
 * a glossary entry. The glossary entries come from glossary/glossary_items.js, which pushes
 * "term:::description" strings into kvxGlossary and names the glossary font in fontsize and fontfamily.
 */
var kvxGlossary = window.kvxGlossary || [];

(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const api = R.api = R.api || /** @type {KvxRuntime["api"]} */ ({});
    let popupCount = 0;

    // ---------------------------------------------------------------------------------------------
    // Popup screens.
    api.popup = function (id, width, height) {
        id = String(id);
        const w = Math.max(100, Math.min(1008, Number(width) || 1008));
        const h = Math.max(60, Math.min(560, Number(height) || 560));
        const name = "popup" + (++popupCount);
        const box = R.el("div", { id: "kvxPopupScreen" + popupCount, className: "kvxPopupScreen kvxScreen" });
        box.style.width = w + "px";
        box.style.height = h + "px";
        const sheet = R.el("style");
        document.head.append(sheet);
        const target = R.makeTarget(name, box, sheet);
        R.targets[name] = target;
        const dialog = R.openDialog({
            label: R.text("popupscreen"), className: "kvxPopup",
            onClose: () => {
                R.leave(target);
                sheet.remove();
                delete R.targets[name];
            }
        });
        dialog.body.append(box);
        target.arrived = screen => {
            dialog.setAttribute("aria-label", screen.pagename || R.text("popupscreen"));
            R.announce(screen.pagename);
            R.focusDialog(dialog);
        };
        R.focusDialog(dialog, dialog);
        R.loadScreen(id, target);
    };

    // ---------------------------------------------------------------------------------------------
    // Glossary.
    let glossaryLoad = null;

    function loadGlossary() {
        if (!glossaryLoad) {
            glossaryLoad = new Promise(resolve => {
                const s = document.createElement("script");
                s.src = "glossary/glossary_items.js";
                s.onload = s.onerror = () => { s.remove(); resolve(); };
                document.head.append(s);
            });
        }
        return glossaryLoad;
    }

    R.glossaryEntries = function () {
        return (Array.isArray(window.kvxGlossary) ? kvxGlossary : []).map(item => {
            const text = String(item);
            const cut = text.indexOf(":::");
            return cut < 0 ? { term: text.trim(), text: "" }
                           : { term: text.slice(0, cut).trim(), text: text.slice(cut + 3).trim() };
        }).filter(e => e.term !== "");
    };

    function sameTerm(a, b) {
        return a.localeCompare(b, undefined, { sensitivity: "accent" }) === 0;
    }

    function showGlossary(term) {
        const entries = R.glossaryEntries();
        const label = R.prefs().glossaryLabel || R.text("glossary");
        const dialog = R.openDialog({ label, className: "kvxGlossary" });
        if (typeof window.fontfamily === "string" && window.fontfamily.replace(/[,\s]/g, ""))
            dialog.body.style.fontFamily = window.fontfamily;
        if (typeof window.fontsize === "string" && /^\d+pt$/.test(window.fontsize) && window.fontsize !== "0pt")
            dialog.body.style.fontSize = window.fontsize;
        const heading = R.el("h2", { className: "kvxGlossaryTerm", id: "kvxGlossaryTerm", tabindex: "-1" });
        const text = R.el("p", { className: "kvxGlossaryText" });
        const list = R.el("ul", { className: "kvxGlossaryList", "aria-label": label });
        const show = entry => {
            heading.textContent = entry ? entry.term : term;
            text.textContent = entry ? entry.text : R.text("glossarynoentry");
            for (const b of list.querySelectorAll("button"))
                b.setAttribute("aria-current", String(!!entry && b.textContent === entry.term));
        };
        for (const entry of entries) {
            list.append(R.el("li", {}, R.el("button", {
                type: "button", className: "kvxGlossaryItem", text: entry.term,
                onclick: () => { show(entry); heading.focus(); }
            })));
        }
        const found = term === undefined ? entries[0] : entries.find(e => sameTerm(e.term, String(term)));
        dialog.setAttribute("aria-labelledby", "kvxGlossaryTerm");
        dialog.body.append(R.el("div", { className: "kvxGlossaryEntry", role: "region", "aria-live": "polite" },
                                [heading, text]));
        if (entries.length > 1)
            dialog.body.append(list);
        show(found);
        heading.focus();
    }

    api.glossary = function (term) {
        return loadGlossary().then(() => showGlossary(term));
    };

    // ---------------------------------------------------------------------------------------------
    // Outline panel: the course outline page in a panel beside the screen. It stays open while the
    // learner moves between screens unless the options close it on every choice.
    let outlinePanel = null;

    function closeOutline() {
        if (!outlinePanel)
            return;
        const panel = outlinePanel;
        outlinePanel = null;
        panel.remove();
        if (R.frame.outlineButton)
            R.frame.outlineButton.setAttribute("aria-expanded", "false");
    }

    function openOutline() {
        if (outlinePanel) {
            closeOutline();
            return;
        }
        const o = R.prefs().outline || {};
        const label = o.label || R.text("outline");
        const panel = R.el("section", { className: "kvxOutline", id: "kvxOutline", role: "dialog",
                                        "aria-modal": "false", "aria-label": label, tabindex: "-1" });
        const close = R.el("button", { type: "button", className: "kvxDialogClose", "aria-label": R.text("dialogclose"),
                                       title: R.text("dialogclose"), onclick: () => { closeOutline(); button.focus(); } },
                           R.el("img", { src: "scripts/pics/btn_popup.png", alt: "" }));
        const frame = R.el("iframe", { src: "outline.htm", title: label, className: "kvxOutlineFrame" });
        panel.append(close, frame);
        const px = v => (/^-?\d+(px)?$/.test(String(v)) ? parseInt(v, 10) : null);
        panel.style.left = (px(o.left) ?? 12) + "px";
        panel.style.top = (px(o.top) ?? 4) + "px";
        panel.style.width = Math.max(120, Number(o.width) || 300) + "px";
        panel.style.height = Math.max(120, Math.min(560, Number(o.height) || 560)) + "px";
        panel.addEventListener("keydown", e => {
            if (e.key === "Escape") {
                e.preventDefault();
                closeOutline();
                button.focus();
            }
        });
        // Escape pressed in the outline's own page, where the panel's listener does not hear it, comes as a
        // message from that page (also from a course opened from the disk, whose frames cannot reach each other).
        const onMessage = (/** @type {MessageEvent} */ e) => {
            if (e.source === frame.contentWindow && e.data === "kvxOutlineEscape" && outlinePanel === panel) {
                closeOutline();
                button.focus();
            }
        };
        window.addEventListener("message", onMessage);
        const button = R.frame.outlineButton;
        R.frame.main.append(panel);
        outlinePanel = panel;
        button.setAttribute("aria-expanded", "true");
        frame.addEventListener("load", () => {
            // The outline page is in the course's own folder; its links and fonts follow the options.
            const doc = frame.contentDocument;
            if (doc && doc.body) {
                const style = doc.createElement("style");
                style.textContent = "body { font-family: " + (o.font || "inherit") + "; font-size: " +
                    (o.fontSize || "inherit") + "; font-weight: " + (o.weight || "normal") + "; } a { color: " +
                    (o.color || "inherit") + "; }";
                doc.head.append(style);
            }
        });
        panel.focus();
    }

    // The outline page reports a choice here.
    R.outlineChose = function (id) {
        const o = R.prefs().outline || {};
        if (o.closeOnSelect)
            closeOutline();
        if (id === null)
            api.menu();
        else
            api.gotoNewPage(String(id));
    };
    api.outlineSelect = R.outlineChose;

    // ---------------------------------------------------------------------------------------------
    // Buttons of the course tools.
    (R.onStart = R.onStart || []).push(function () {
        const prefs = R.prefs();
        const tools = R.frame.tools;
        const o = prefs.outline || {};
        if (o.activate) {
            const label = o.label || R.text("outline");
            const button = o.button
                ? R.el("button", { type: "button", id: "kvxOutlineButton", className: "kvxTool", text: label })
                : R.el("a", { href: "outline.htm", id: "kvxOutlineButton", className: "kvxToolLink", text: label,
                              role: "button" });
            button.setAttribute("aria-controls", "kvxOutline");
            button.setAttribute("aria-expanded", "false");
            if (!o.button && o.color)
                button.style.color = o.color;
            button.addEventListener("click", e => { e.preventDefault(); openOutline(); });
            tools.append(button);
            R.frame.outlineButton = button;
        }
        if (prefs.hasGlossary) {
            const b = R.toolButton("kvxGlossaryButton", prefs.glossaryLabel || R.text("glossary"), () => api.glossary());
            tools.append(b);
            R.frame.glossaryButton = b;
        }
        if (prefs.hasHelp && R.isScreenId(String(prefs.helpScreen || ""))) {
            const b = R.toolButton("kvxHelpButton", prefs.helpLabel || R.text("help"),
                                   () => api.popup(prefs.helpScreen, 1008, 560));
            tools.append(b);
            R.frame.helpButton = b;
        }
    });

    // Some tools are hidden during the assessment.
    (R.onNavigation = R.onNavigation || []).push(function (id) {
        const prefs = R.prefs();
        const assessing = R.inAssessment(id);
        const f = R.frame;
        if (f.glossaryButton)
            f.glossaryButton.hidden = assessing && prefs.assessGlossaryVisible === false;
        if (f.helpButton)
            f.helpButton.hidden = assessing && prefs.assessHelpVisible === false;
        if (f.outlineButton) {
            f.outlineButton.hidden = assessing && (prefs.outline || {}).assessVisible === false;
            if (f.outlineButton.hidden)
                closeOutline();
        }
    });
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));
