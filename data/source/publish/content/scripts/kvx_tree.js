/* Corvessa course run-time: the course outline.
 *
 * The outline page names its nodes with d.add(id, parent id, name, link, title, target, icon, open
 * icon); node 0 is the root. Screen nodes link to "javascript:fPage(pg[i]);", where pg holds the
 * screens' publish ids; the assessment node links to "javascript:fMenu();". The tree is written as
 * nested lists: folders are buttons that open and close their branch, screens are links.
 *
 *     var d = new dTree("d");
 *     d.add(0, -1, "Outline");
 *     ...
 *     d.render(document.getElementById("kvxTree"));   // or document.write(d)
 */
function dTree(name) {
    "use strict";
    this.name = name;
    this.nodes = [];
    this.byId = new Map();
}

dTree.prototype.add = function (id, pid, name, url, title, target, icon, iconOpen, open) {
    "use strict";
    const node = {
        id: Number(id), pid: Number(pid), name: String(name === undefined ? "" : name),
        url: url ? String(url) : "", title: title ? String(title) : "", target: target ? String(target) : "",
        icon: icon ? String(icon) : "", iconOpen: iconOpen ? String(iconOpen) : "", open: !!open, children: []
    };
    this.nodes.push(node);
    this.byId.set(node.id, node);
};

dTree.prototype.tree = function () {
    "use strict";
    const roots = [];
    for (const n of this.nodes)
        n.children = [];
    for (const n of this.nodes) {
        const parent = this.byId.get(n.pid);
        if (parent && parent !== n)
            parent.children.push(n);
        else
            roots.push(n);
    }
    return roots;
};

dTree.prototype.render = function (container) {
    "use strict";
    const doc = container.ownerDocument;
    const pics = "scripts/pics/tree/";
    const current = kvxOutline.currentScreen();
    let count = 0;

    const picture = (src) => {
        const img = doc.createElement("img");
        img.src = src;
        img.alt = "";
        img.className = "kvxTreeIcon";
        return img;
    };

    const link = (node) => {
        const a = doc.createElement("a");
        a.textContent = node.name;
        if (node.title)
            a.title = node.title;
        const script = /^\s*javascript:/i.test(node.url) ? node.url.replace(/^\s*javascript:/i, "") : null;
        if (script !== null) {
            a.href = "#";
            // The link names a call of the outline (fPage, fMenu); it is carried out from the outline's
            // table of calls, never run as script.
            a.addEventListener("click", (e) => {
                e.preventDefault();
                if (typeof kvxCalls !== "undefined")
                    kvxCalls.run(script, kvxCalls.outlineTable);
                else
                    console.error("Corvessa: kvx_calls.js is missing, so the outline link is not followed: " + script);
            });
            const m = /pg\[(\d+)\]/.exec(script);
            if (m && current && window.pg && pg[Number(m[1])] === current)
                a.setAttribute("aria-current", "page");
        } else {
            a.href = node.url;
            if (node.target)
                a.target = node.target;
        }
        return a;
    };

    const holds = (node, id) => node.children.some(c => {
        const m = /pg\[(\d+)\]/.exec(c.url);
        return (m && window.pg && pg[Number(m[1])] === id) || holds(c, id);
    });

    const item = (node, depth) => {
        const li = doc.createElement("li");
        const branch = node.children.length > 0;
        if (!branch) {
            li.append(picture(node.icon || pics + "page.gif"), node.url ? link(node) : doc.createTextNode(node.name));
            return li;
        }
        const list = doc.createElement("ul");
        list.id = "kvxTreeBranch" + (++count);
        // A boolean always: aria-expanded takes "true" or "false", never "null" when no screen is current.
        const open = Boolean(node.open || depth === 0 || (current && holds(node, current)));
        const toggle = doc.createElement("button");
        toggle.type = "button";
        toggle.className = "kvxTreeToggle";
        toggle.setAttribute("aria-controls", list.id);
        const closedIcon = node.icon || pics + "folder.gif";
        const openIcon = node.iconOpen || node.icon || pics + "folderopen.gif";
        const icon = picture(open ? openIcon : closedIcon);
        const state = picture(open ? pics + "collapse.gif" : pics + "expand.gif");
        toggle.append(state, icon, doc.createTextNode(node.url ? "" : node.name));
        if (node.url)
            toggle.setAttribute("aria-label", node.name);
        const set = (isOpen) => {
            list.hidden = !isOpen;
            toggle.setAttribute("aria-expanded", String(isOpen));
            icon.src = isOpen ? openIcon : closedIcon;
            state.src = isOpen ? pics + "collapse.gif" : pics + "expand.gif";
        };
        toggle.addEventListener("click", () => set(list.hidden));
        li.append(toggle);
        if (node.url)
            li.append(link(node));
        for (const child of node.children)
            list.append(item(child, depth + 1));
        li.append(list);
        set(open);
        return li;
    };

    const top = doc.createElement("ul");
    top.className = "kvxTree";
    for (const root of this.tree()) {
        if (root.id === 0 && root.pid === -1) {
            const heading = doc.createElement("p");
            heading.className = "kvxTreeRoot";
            heading.append(picture(root.icon || pics + "root.gif"), doc.createTextNode(root.name));
            container.append(heading);
            for (const child of root.children)
                top.append(item(child, 0));
        } else {
            top.append(item(root, 0));
        }
    }
    container.append(top);
};

// document.write(d) writes a place-holder that the tree fills once the page has loaded.
dTree.prototype.toString = function () {
    "use strict";
    const id = "kvxTreeFor_" + String(this.name).replace(/\W/g, "_");
    const tree = this;
    document.addEventListener("DOMContentLoaded", () => {
        const box = document.getElementById(id);
        if (box)
            tree.render(box);
    });
    return "<div id='" + id + "' class='kvxTreeBox'></div>";
};

// The course the outline belongs to: the page that holds it in a panel, or the window that opened it.
var kvxOutline = {
    course() {
        "use strict";
        for (const w of [window.parent, window.opener]) {
            try {
                if (w && w !== window && w.kvxRuntime && typeof w.kvxRuntime.outlineChose === "function")
                    return w.kvxRuntime;
            } catch (e) {
                /* a window of another origin */
            }
        }
        return null;
    },
    currentScreen() {
        "use strict";
        const course = kvxOutline.course();
        return course && course.current ? course.current.id : null;
    }
};

// Go to a screen of the course.
function fPage(id) {
    "use strict";
    const course = kvxOutline.course();
    if (course && id && id !== "0")
        course.outlineChose(String(id));
    return false;
}

// Go to the main menu, where the assessment starts.
function fMenu() {
    "use strict";
    const course = kvxOutline.course();
    if (course)
        course.outlineChose(null);
    return false;
}

// Shown in the course's outline panel, the outline closes with Escape wherever its focus is: the course
// page hears of the key through a message, which reaches it also from a course opened from the disk.
document.addEventListener("keydown", function (e) {
    if (e.key === "Escape" && window.parent !== window) {
        e.preventDefault();
        window.parent.postMessage("kvxOutlineEscape", "*");
    }
});
