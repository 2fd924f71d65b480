/* Corvessa course run-time: sound, video and other media on a screen.
 *
 * Audio components are HTML5 audio elements (id kvxAudio<n>) with their options in data attributes;
 * a component with Play and Stop buttons has the anchors play<n> and stop<n> beside it. Videos are
 * HTML5 video elements. Media that only a browser plug-in could play (Flash, Windows Media and
 * RealPlayer objects) are shown as a short notice with a link to the file, and are never requested.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    const pluginTypes = ["application/x-shockwave-flash", "video/x-ms-wvx", "audio/x-pn-realaudio-plugin"];

    function flag(element, name) {
        return String(element.getAttribute("data-" + name)).toLowerCase() === "true";
    }

    // A play request that the browser refuses (no interaction with the page yet) is not an error: the
    // learner can still start the sound with its button or its controls.
    function play(media) {
        try {
            const p = media.play();
            if (p && typeof p.catch === "function")
                p.catch(() => { media.controls = media.controls || !media.kvxHasButtons; });
        } catch (e) {
            /* the element cannot play this source */
        }
    }

    function stop(media) {
        media.pause();
        try {
            media.currentTime = 0;
        } catch (e) {
            /* not seekable yet */
        }
    }

    // Plug-in objects are replaced before the markup reaches the page.
    (R.markupFilters = R.markupFilters || []).push(function (fragment) {
        for (const object of fragment.querySelectorAll("object")) {
            const type = (object.getAttribute("type") || "").toLowerCase();
            if (!pluginTypes.includes(type))
                continue;
            const source = object.getAttribute("data") || "";
            const notice = R.el("div", { className: "kvxMediaNotice", role: "note" },
                                R.el("span", { text: R.text("medianotshown") + " " }));
            if (source && !/^\s*javascript:/i.test(source))
                notice.append(R.el("a", { href: source, text: R.text("mediaopen"), download: "" }));
            if (object.id)
                notice.id = object.id;
            object.replaceWith(notice);
        }
        // A Flash video without a still picture names the media folder itself as its poster.
        for (const video of fragment.querySelectorAll("video[poster]"))
            if (/\/$/.test(video.getAttribute("poster")))
                video.removeAttribute("poster");
    });

    (R.afterRender = R.afterRender || []).push(function (target) {
        const box = target.container;
        for (const audio of box.querySelectorAll("audio.kvxAudio")) {
            const n = audio.id.replace(/^kvxAudio/, "");
            const playButton = box.querySelector("#play" + CSS.escape(n));
            const stopButton = box.querySelector("#stop" + CSS.escape(n));
            audio.loop = flag(audio, "loop");
            audio.kvxHasButtons = !!playButton;
            if (playButton) {
                R.makeButton(playButton, R.text("playaudio"), () => play(audio));
                playButton.setAttribute("aria-label", R.text("playaudio"));
            }
            if (stopButton) {
                R.makeButton(stopButton, R.text("stopaudio"), () => stop(audio));
                stopButton.setAttribute("aria-label", R.text("stopaudio"));
            }
            const autostart = flag(audio, "autostart");
            // A sound that neither starts by itself nor has buttons gets the browser's own controls.
            if (!playButton && !autostart) {
                audio.controls = true;
                audio.classList.add("kvxAudioControls");
            }
            if (autostart)
                play(audio);
        }
        for (const video of box.querySelectorAll("video")) {
            const flashVideo = !!video.closest(".kvxFlashVideo");
            video.controls = flashVideo || !video.hasAttribute("data-controls") || flag(video, "controls");
            video.loop = flag(video, "loop");
            if (flashVideo) {
                const volume = Number(video.getAttribute("data-volume"));
                if (volume >= 0 && volume <= 100)
                    video.volume = volume / 100;
            }
            if (!video.getAttribute("aria-label"))
                video.setAttribute("aria-label", (video.getAttribute("src") || "").split("/").pop());
            if (flag(video, "autostart"))
                play(video);
        }
    });

    (R.beforeLeave = R.beforeLeave || []).push(function (target) {
        for (const media of target.container.querySelectorAll("audio, video"))
            media.pause();
    });
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));
