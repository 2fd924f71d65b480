#!/usr/bin/env python3
"""Reports what a learner's browser shows of the first screen of a published course.

    check_published_edits.py STANDALONE_FOLDER SHOT

The standalone course page is loaded from the file system in headless Chromium. The report, one line
starting "screen: " followed by JSON, gives the screen's visible text, the words drawn in each text colour,
the shapes drawn (tag, fill, stroke, stroke width) and each table's rows with their cells' background
colours; the caller checks it against what the author made. The page must load without any console error,
uncaught exception or missing file. A picture of the screen is kept in SHOT. Exits 77 (skipped) without
Chromium.
"""

import json
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.dont_write_bytecode = True
sys.path.insert(0, str(HERE.parent.parent / "publish" / "startpage"))
from check_start_page import problems_of, open_page, save_screenshot, run_in_browser  # noqa: E402


SCREEN = """JSON.stringify((() => {
    const main = document.querySelector("#kvxMain") || document.body;
    const coloured = {};
    for (const e of main.querySelectorAll("span, font, p, div, td, b, i, u")) {
        const own = Array.from(e.childNodes).filter(n => n.nodeType === 3).map(n => n.textContent).join("").trim();
        if (!own)
            continue;
        const colour = getComputedStyle(e).color;
        (coloured[colour] = coloured[colour] || []).push(own);
    }
    const shapes = Array.from(main.querySelectorAll("svg.kvxShapes > *")).map(s => ({
        tag: s.tagName, fill: s.getAttribute("fill"), stroke: s.getAttribute("stroke"),
        strokeWidth: s.getAttribute("stroke-width")
    }));
    const tables = Array.from(main.querySelectorAll("table")).map(t => ({
        rows: Array.from(t.rows).map(r => Array.from(r.cells).map(c => getComputedStyle(c).backgroundColor))
    }));
    return { text: main.innerText, coloured, shapes, tables };
})())"""


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    standalone, shot = sys.argv[1:]

    def drive(browser):
        session = open_page(browser)
        page = pathlib.Path(standalone) / "content" / "ind.htm"
        browser.send("Page.navigate", {"url": page.as_uri()}, session=session)
        browser.wait_for("Page.loadEventFired")
        browser.drain(1.5)
        result = browser.send("Runtime.evaluate", {"expression": SCREEN, "returnByValue": True},
                              session=session)["result"]["value"]
        print("screen: " + json.dumps(json.loads(result)))
        save_screenshot(browser, session, shot)
        return problems_of(browser.events)

    return run_in_browser(drive, "The screen was read.")


if __name__ == "__main__":
    sys.exit(main())
