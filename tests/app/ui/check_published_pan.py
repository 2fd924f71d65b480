#!/usr/bin/env python3
"""Watches the automated pan of a picture on the first screen of a published course.

    check_published_pan.py STANDALONE_FOLDER SHOT

The standalone course page is loaded from the file system in headless Chromium. The first screen must hold a
pan-and-zoom picture (an img with an id "kb<n>img" in its container "kb<n>") that moves by itself: its
position is sampled for a few seconds and must take more than one place, with an animation running on it
at some point. Any console error, uncaught exception or missing file fails. A picture of the screen is kept
in SHOT. Exits 77 (skipped) without Chromium.
"""

import json
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.dont_write_bytecode = True
sys.path.insert(0, str(HERE.parent.parent / "publish" / "startpage"))
from check_start_page import problems_of, open_page, save_screenshot, evaluate, run_in_browser  # noqa: E402


SAMPLE = """(() => {
    const image = document.querySelector("img[id^='kb'][id$='img']");
    if (!image) return JSON.stringify({found: false});
    const style = getComputedStyle(image);
    return JSON.stringify({
        found: true, id: image.id, left: style.left, top: style.top, width: style.width,
        running: image.getAnimations ? image.getAnimations().length : 0
    });
})()"""


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    standalone, shot = sys.argv[1:]

    def drive(browser):
        failures = []
        session = open_page(browser)
        page = pathlib.Path(standalone) / "content" / "ind.htm"
        browser.send("Page.navigate", {"url": page.as_uri()}, session=session)
        browser.wait_for("Page.loadEventFired")
        samples = []
        for _ in range(16):
            browser.drain(0.5)
            samples.append(json.loads(evaluate(browser, session, SAMPLE)))
        print("samples: " + json.dumps(samples))
        if not samples[-1]["found"]:
            failures.append("the first screen has no pan-and-zoom picture")
        else:
            places = {(s["left"], s["top"]) for s in samples if s["found"]}
            if len(places) < 2:
                failures.append("the picture does not move: %s" % sorted(places))
            if not any(s.get("running") for s in samples):
                failures.append("no animation ran on the picture")
        save_screenshot(browser, session, shot)
        failures += problems_of(browser.events)
        return failures

    return run_in_browser(drive, "The published picture pans by itself without errors.")


if __name__ == "__main__":
    sys.exit(main())
