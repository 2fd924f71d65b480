/* Corvessa course run-time: the shapes of a screen.
 *
 * kvx.drawShapes hands over a list of shapes, each an array:
 *   ['filled ellipse', colour, outline width, left, top, width, height]
 *   ['ellipse', colour, outline width, left, top, width, height]
 *   ['filled rect', colour, outline width, left, top, width, height]
 *   ['rect', colour, outline width, left, top, width, height]
 *   ['line', colour, pen width, x1, y1, x2, y2]
 * They are drawn as one SVG picture behind the rest of the screen, in list order. Outlines lie inside
 * the shape's bounds, as the screen editor draws them.
 */
var kvxGraphics = (function () {
    "use strict";

    const NS = "http://www.w3.org/2000/svg";

    function colour(value) {
        return /^#[0-9A-Fa-f]{6}$/.test(String(value)) ? String(value) : "#000000";
    }

    function num(value) {
        const n = Number(value);
        return Number.isFinite(n) ? n : 0;
    }

    function node(name, attrs) {
        const e = document.createElementNS(NS, name);
        for (const [k, v] of Object.entries(attrs))
            e.setAttribute(k, String(v));
        return e;
    }

    function shape(entry) {
        if (!Array.isArray(entry) || entry.length < 7)
            return null;
        const kind = String(entry[0]);
        const fill = colour(entry[1]);
        const width = Math.max(0, num(entry[2]));
        const [a, b, c, d] = entry.slice(3, 7).map(num);
        if (kind === "line")
            return node("line", { x1: a, y1: b, x2: c, y2: d, stroke: fill, "stroke-width": Math.max(1, width),
                                  "stroke-linecap": "round" });
        const filled = kind.startsWith("filled ");
        const form = filled ? kind.slice(7) : kind;
        const inset = filled ? 0 : Math.max(1, width) / 2;
        const w = Math.max(0, c - 2 * inset), h = Math.max(0, d - 2 * inset);
        const paint = filled ? { fill, stroke: "none" }
                             : { fill: "none", stroke: fill, "stroke-width": Math.max(1, width) };
        if (form === "rect")
            return node("rect", Object.assign({ x: a + inset, y: b + inset, width: w, height: h }, paint));
        if (form === "ellipse")
            return node("ellipse", Object.assign({ cx: a + c / 2, cy: b + d / 2, rx: w / 2, ry: h / 2 }, paint));
        return null;
    }

    function draw(container, shapes) {
        const svg = node("svg", { class: "kvxShapes", width: 1008, height: 560, viewBox: "0 0 1008 560",
                                  "aria-hidden": "true", focusable: "false" });
        for (const entry of shapes) {
            const e = shape(entry);
            if (e)
                svg.append(e);
        }
        container.prepend(svg);
        return svg;
    }

    return { draw };
})();
