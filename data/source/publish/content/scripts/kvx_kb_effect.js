/* Corvessa course run-time: pan-and-zoom effects of pictures.
 *
 * The screen markup places a picture (kb<n>img) in its container (kb<n>) where its effect starts; the
 * screen's start-up entry kvx.KB(kind, options) says where it ends:
 *   'size'     zoom in (w, h, cx, cy), zoom out (w, h), shrink (w, h, lt, tp), grow (w, h)
 *   'move'     an automated pan along seq = [[x, y, seconds], wait, [x, y, seconds], ...]
 *   'usermove' a picture the learner pans by dragging (or with the arrow keys), starting at x, y
 *   'scroll'   a picture in a scrolling container, scrolled to x, y
 *   'fade'     fade in or fade out
 * Timed effects take seconds, delay, accelType (0 even, 1 fast start, 2 slow start, 3 slow start and
 * end) and click (start on a click instead of at once). Learners who ask their system for reduced
 * motion see each effect's end at once.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const easing = ["linear", "ease-out", "ease-in", "ease-in-out"];

    function reducedMotion() {
        return !!(window.matchMedia && matchMedia("(prefers-reduced-motion: reduce)").matches);
    }

    function box(element) {
        return {
            left: parseFloat(element.style.left) || 0, top: parseFloat(element.style.top) || 0,
            width: parseFloat(element.style.width) || element.offsetWidth,
            height: parseFloat(element.style.height) || element.offsetHeight
        };
    }

    function clamp(value, low, high) {
        return Math.min(high, Math.max(low, value));
    }

    function px(state) {
        const out = {};
        for (const k of ["left", "top", "width", "height"])
            if (state[k] !== undefined)
                out[k] = Math.round(state[k]) + "px";
        if (state.opacity !== undefined)
            out.opacity = String(state.opacity);
        return out;
    }

    // Runs the legs of an effect one after the other: each leg is { to, seconds, wait }.
    function run(target, image, legs, accel) {
        const list = target.kbAnimations || (target.kbAnimations = []);
        let i = 0;
        const step = () => {
            if (i >= legs.length || !image.isConnected)
                return;
            const leg = legs[i++];
            const to = px(leg.to);
            const seconds = reducedMotion() ? 0 : Math.max(0, Number(leg.seconds) || 0);
            if (seconds === 0 || typeof image.animate !== "function") {
                Object.assign(image.style, to);
                target.timers.push(R.clock.setTimeout(step, reducedMotion() ? 0 : (leg.wait || 0) * 1000));
                return;
            }
            const from = {};
            for (const k of Object.keys(to))
                from[k] = getComputedStyle(image)[k];
            const animation = image.animate([from, to], {
                duration: seconds * 1000, easing: easing[accel] || "linear", fill: "forwards"
            });
            list.push(animation);
            animation.onfinish = () => {
                Object.assign(image.style, to);
                animation.cancel();
                target.timers.push(R.clock.setTimeout(step, (leg.wait || 0) * 1000));
            };
        };
        return step;
    }

    // Starts a timed effect now, after its delay, or on a click of its container.
    function schedule(target, container, options, start) {
        const delay = reducedMotion() ? 0 : Math.max(0, Number(options.delay) || 0) * 1000;
        const go = () => target.timers.push(R.clock.setTimeout(start, delay));
        if (options.click === true) {
            let started = false;
            R.makeButton(container, R.text("startanimation"), () => {
                if (!started) {
                    started = true;
                    go();
                }
            });
            container.classList.add("kvxKbClick");
        } else {
            go();
        }
    }

    function sizeLegs(type, o, container, image) {
        const W = container.clientWidth, H = container.clientHeight;
        const w = Number(o.w) || W, h = Number(o.h) || H;
        switch (type) {
        case "zoom in": {
            // The marquee's centre comes to the middle of the container, the picture covering it.
            const rx = w / (box(image).width || W), ry = h / (box(image).height || H);
            const left = clamp(W / 2 - (Number(o.cx) || 0) * rx, W - w, 0);
            const top = clamp(H / 2 - (Number(o.cy) || 0) * ry, H - h, 0);
            return { left, top, width: w, height: h };
        }
        case "shrink":
            return { left: Number(o.lt) || 0, top: Number(o.tp) || 0, width: w, height: h };
        default:   // zoom out, grow: the whole picture fills the container
            return { left: 0, top: 0, width: w, height: h };
        }
    }

    // The pan path: each marker's reference point is brought to the middle of the container.
    function panLegs(seq, container, image) {
        const W = container.clientWidth, H = container.clientHeight;
        const size = box(image);
        const legs = [];
        for (const item of Array.isArray(seq) ? seq : []) {
            if (Array.isArray(item)) {
                legs.push({
                    to: {
                        left: clamp(W / 2 - (Number(item[0]) || 0), W - size.width, 0),
                        top: clamp(H / 2 - (Number(item[1]) || 0), H - size.height, 0)
                    },
                    seconds: Number(item[2]) || 0, wait: 0
                });
            } else if (legs.length) {
                legs[legs.length - 1].wait = Number(item) || 0;
            }
        }
        return legs;
    }

    function userMove(target, container, image, o) {
        const W = container.clientWidth, H = container.clientHeight;
        const size = box(image);
        let left = clamp(-(Number(o.x) || 0), W - size.width, 0);
        let top = clamp(-(Number(o.y) || 0), H - size.height, 0);
        const place = () => {
            left = clamp(left, W - size.width, 0);
            top = clamp(top, H - size.height, 0);
            image.style.left = Math.round(left) + "px";
            image.style.top = Math.round(top) + "px";
        };
        place();
        container.classList.add("kvxKbDrag");
        container.setAttribute("tabindex", "0");
        container.setAttribute("role", "img");
        if (!container.hasAttribute("aria-label"))
            container.setAttribute("aria-label", (image.getAttribute("alt") || "") + " " + R.text("panhint"));
        let drag = null;
        container.addEventListener("pointerdown", e => {
            drag = { x: e.clientX, y: e.clientY, left, top };
            container.setPointerCapture(e.pointerId);
            e.preventDefault();
        });
        container.addEventListener("pointermove", e => {
            if (!drag)
                return;
            left = drag.left + e.clientX - drag.x;
            top = drag.top + e.clientY - drag.y;
            place();
        });
        const end = () => { drag = null; };
        container.addEventListener("pointerup", end);
        container.addEventListener("pointercancel", end);
        container.addEventListener("keydown", e => {
            const step = e.shiftKey ? 60 : 20;
            const moves = { ArrowLeft: [step, 0], ArrowRight: [-step, 0], ArrowUp: [0, step], ArrowDown: [0, -step] };
            const m = moves[e.key];
            if (!m)
                return;
            e.preventDefault();
            left += m[0];
            top += m[1];
            place();
        });
    }

    R.kb = {
        start(target, kind, o) {
            const scope = target.container;
            const container = scope.querySelector("#" + CSS.escape(String(o.container || "")));
            const image = scope.querySelector("#" + CSS.escape(String(o.src || "")));
            if (!container || !image)
                return;
            const accel = Number(o.accelType) || 0;
            switch (kind) {
            case "size":
                schedule(target, container, o, run(target, image,
                    [{ to: sizeLegs(String(o.type), o, container, image), seconds: o.seconds }], accel));
                break;
            case "move":
                schedule(target, container, o, run(target, image, panLegs(o.seq, container, image), accel));
                break;
            case "fade": {
                const fadeIn = String(o.type) === "fade in";
                image.style.opacity = fadeIn ? "0" : "1";
                schedule(target, container, o, run(target, image,
                    [{ to: { opacity: fadeIn ? 1 : 0 }, seconds: o.seconds }], accel));
                break;
            }
            case "usermove":
                userMove(target, container, image, o);
                break;
            case "scroll":
                container.setAttribute("tabindex", "0");
                container.scrollLeft = Number(o.x) || 0;
                container.scrollTop = Number(o.y) || 0;
                break;
            default:
                break;
            }
        }
    };

    (R.beforeLeave = R.beforeLeave || []).push(function (target) {
        for (const a of (target.kbAnimations || []).splice(0))
            a.cancel();
    });
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));
