#!/usr/bin/env python3
"""Follows a text link of a published course as a learner does.

    check_published_link.py STANDALONE_FOLDER LINK_TEXT TARGET_TITLE SHOT

The standalone course page is loaded from the file system in headless Chromium; the link whose text is
LINK_TEXT must be on the first screen, and a click on it must bring up the screen titled TARGET_TITLE without
any console error, uncaught exception or missing file. A picture of the screen reached is kept in SHOT.
Exits 77 (skipped) without Chromium.
"""

import json
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.dont_write_bytecode = True
sys.path.insert(0, str(HERE.parent.parent / "publish" / "startpage"))
from check_start_page import problems_of, open_page, save_screenshot, evaluate, run_in_browser  # noqa: E402


SCREEN = """JSON.stringify({
    screen: (document.getElementById("kvxMain") || {getAttribute: () => ""}).getAttribute("aria-label") || "",
    links: Array.from(document.querySelectorAll("#kvxMain a")).map(a => a.textContent)
})"""

CLICK = """(() => {
    const link = Array.from(document.querySelectorAll("#kvxMain a")).find(a => a.textContent === %s);
    if (!link) return false;
    link.click();
    return true;
})()"""


def main():
    if len(sys.argv) != 5:
        print(__doc__)
        return 2
    standalone, text, title, shot = sys.argv[1:]

    def drive(browser):
        failures = []
        session = open_page(browser)
        page = pathlib.Path(standalone) / "content" / "ind.htm"
        browser.send("Page.navigate", {"url": page.as_uri()}, session=session)
        browser.wait_for("Page.loadEventFired")
        browser.drain(1.5)
        before = json.loads(evaluate(browser, session, SCREEN))
        print("first screen: " + json.dumps(before))
        if text not in before["links"]:
            failures.append("the first screen has no link %r: %s" % (text, json.dumps(before)))
        elif not evaluate(browser, session, CLICK % json.dumps(text)):
            failures.append("the link could not be clicked")
        browser.drain(1.5)
        after = json.loads(evaluate(browser, session, SCREEN))
        print("after the click: " + json.dumps(after))
        if title not in after["screen"]:
            failures.append("the click did not bring up %r: %s" % (title, json.dumps(after)))
        save_screenshot(browser, session, shot)
        failures += problems_of(browser.events)
        return failures

    return run_in_browser(drive, "The link leads to its screen.")


if __name__ == "__main__":
    sys.exit(main())
