/* Corvessa course run-time: keyboard use and screen readers.
 *
 * - A polite live region announces every screen change ("title. Screen 3 of 12").
 * - Dialogs (popups, glossary, outline, questions to the learner) are modal: the focus moves into them,
 *   Tab stays inside, Escape closes them and the focus returns to where it was.
 * - Screen markup uses anchors without an address as buttons (play and stop, submit, question options);
 *   they get the button role, a place in the tab order and Enter and Space.
 * - Links that open a new window say so.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    // The page's own announcer when it has one.
    let live = null;
    function liveRegion() {
        if (!live || !live.isConnected) {
            live = document.getElementById("kvxAnnounce") || document.getElementById("kvxLive");
            if (!live) {
                live = document.createElement("div");
                live.id = "kvxLive";
                document.body.append(live);
            }
            live.classList.add("kvxSrOnly");
            live.setAttribute("aria-live", "polite");
            live.setAttribute("aria-atomic", "true");
        }
        return live;
    }

    // The text is put in on the next frame so that screen readers notice the change even when the same
    // text comes twice.
    R.announce = function (text) {
        const region = liveRegion();
        region.textContent = "";
        if (text)
            requestAnimationFrame(() => { region.textContent = text; });
    };

    // ---------------------------------------------------------------------------------------------
    // Modal dialogs.
    const open = [];

    const focusable = "a[href], button:not([disabled]), input:not([disabled]), select:not([disabled]), " +
                      "textarea:not([disabled]), iframe, audio[controls], video[controls], [tabindex]:not([tabindex='-1'])";

    function visibleFocusable(root) {
        return [...root.querySelectorAll(focusable)].filter(e => !e.closest("[hidden]") && e.getClientRects().length > 0);
    }

    // Opens a dialog. options: label (its accessible name), className, onClose. Returns the dialog with
    // its body element in dialog.body and a close() function.
    R.openDialog = function (options) {
        const previous = document.activeElement;
        const backdrop = R.el("div", { className: "kvxBackdrop" });
        const dialog = R.el("div", {
            className: "kvxDialog " + (options.className || ""), role: options.role || "dialog",
            "aria-modal": "true", "aria-label": options.label || null, tabindex: "-1"
        });
        const closeButton = R.el("button", {
            type: "button", className: "kvxDialogClose", title: R.text("dialogclose"),
            "aria-label": R.text("dialogclose")
        }, R.el("img", { src: "scripts/pics/btn_popup.png", alt: "" }));
        const body = R.el("div", { className: "kvxDialogBody" });
        if (options.closeButton !== false)
            dialog.append(closeButton);
        dialog.append(body);
        backdrop.append(dialog);
        (R.frame ? R.frame.frame : document.body).append(backdrop);
        // Everything outside the dialog is out of reach while it is open.
        const inert = [...(R.frame ? R.frame.frame.children : [])].filter(e => e !== backdrop && !e.inert);
        inert.forEach(e => { e.inert = true; });

        const entry = { dialog, backdrop, previous, inert, options };
        open.push(entry);
        dialog.body = body;
        dialog.close = () => R.closeDialog(entry);
        closeButton.addEventListener("click", dialog.close);
        backdrop.addEventListener("keydown", e => {
            if (e.key === "Escape" && options.escape !== false) {
                e.preventDefault();
                e.stopPropagation();
                dialog.close();
            } else if (e.key === "Tab") {
                trapTab(e, dialog);
            }
        });
        return dialog;
    };

    function trapTab(e, dialog) {
        const items = visibleFocusable(dialog);
        if (items.length === 0) {
            e.preventDefault();
            dialog.focus();
            return;
        }
        const first = items[0], last = items[items.length - 1];
        if (e.shiftKey && (document.activeElement === first || document.activeElement === dialog)) {
            e.preventDefault();
            last.focus();
        } else if (!e.shiftKey && document.activeElement === last) {
            e.preventDefault();
            first.focus();
        }
    }

    // Puts the focus on the first control of a dialog body, or on the dialog itself.
    R.focusDialog = function (dialog, preferred) {
        const target = preferred || visibleFocusable(dialog.body)[0] || dialog;
        target.focus({ preventScroll: true });
    };

    R.closeDialog = function (entry) {
        const i = open.indexOf(entry);
        if (i < 0)
            return;
        open.splice(i, 1);
        if (typeof entry.options.onClose === "function")
            R.guard(entry.options.onClose);
        entry.backdrop.remove();
        entry.inert.forEach(e => { e.inert = false; });
        const back = entry.previous;
        if (back && back.isConnected && !back.disabled)
            back.focus({ preventScroll: true });
        else if (R.frame)
            R.frame.main.focus({ preventScroll: true });
    };

    R.closeDialogs = function () {
        while (open.length)
            R.closeDialog(open[open.length - 1]);
    };

    R.dialogOpen = function () {
        return open.length > 0;
    };

    // A question to the learner with a Yes and a No button.
    R.confirm = function (question, onYes, onNo) {
        let answered = false;
        const dialog = R.openDialog({
            label: question, role: "alertdialog", className: "kvxConfirm", closeButton: false,
            onClose: () => { if (!answered && onNo) onNo(); }
        });
        const text = R.el("p", { className: "kvxConfirmText", id: "kvxConfirmText", text: question });
        const yes = R.el("button", { type: "button", className: "kvxButton", text: R.text("yes") });
        const no = R.el("button", { type: "button", className: "kvxButton", text: R.text("no") });
        dialog.setAttribute("aria-describedby", "kvxConfirmText");
        dialog.body.append(text, R.el("div", { className: "kvxDialogButtons" }, [yes, no]));
        yes.addEventListener("click", () => { answered = true; dialog.close(); onYes(); });
        no.addEventListener("click", () => dialog.close());
        R.focusDialog(dialog, yes);
    };

    // ---------------------------------------------------------------------------------------------
    // Screen markup.
    R.makeButton = function (element, label, action) {
        if (!element)
            return;
        if (!element.hasAttribute("role"))
            element.setAttribute("role", "button");
        if (!element.hasAttribute("tabindex"))
            element.setAttribute("tabindex", "0");
        if (label && !element.hasAttribute("aria-label") && !element.textContent.trim())
            element.setAttribute("aria-label", label);
        if (action)
            element.addEventListener("click", action);
        if (!element.kvxKeys) {
            element.kvxKeys = true;
            element.addEventListener("keydown", e => {
                if (e.key === "Enter" || e.key === " ") {
                    // A control inside another (a word in a gap) acts alone.
                    e.preventDefault();
                    e.stopPropagation();
                    element.click();
                }
            });
        }
    };

    (R.afterRender = R.afterRender || []).push(function (target) {
        const box = target.container;
        // Anchors the screen markup uses as buttons.
        for (const a of box.querySelectorAll("a:not([href])")) {
            const label = a.getAttribute("title") || "";
            R.makeButton(a, label);
        }
        // Links to other screens and glossary terms carry href='#', which never leaves the page.
        for (const a of box.querySelectorAll("a[href='#']")) {
            if (a.classList.contains("glossaryLink"))
                a.setAttribute("role", "button");
            a.addEventListener("click", e => e.preventDefault());
        }
        // Web links open in a new window: the learner is told so, and the opened page cannot reach the
        // course through window.opener.
        for (const a of box.querySelectorAll("a[target]")) {
            const target = a.getAttribute("target");
            if (/^_blank\b/i.test(target))
                a.setAttribute("target", "_blank");
            a.setAttribute("rel", "noopener noreferrer");
            if (!a.querySelector(".kvxSrOnly"))
                a.append(R.el("span", { className: "kvxSrOnly", text: " (" + R.text("newwindow") + ")" }));
        }
        // Pictures without a text alternative are decoration.
        for (const img of box.querySelectorAll("img:not([alt])"))
            img.setAttribute("alt", "");
    });
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));
