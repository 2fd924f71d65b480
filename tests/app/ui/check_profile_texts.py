#!/usr/bin/env python3
"""Checks that a published course shows the texts of its international profile.

    check_profile_texts.py STANDALONE_FOLDER SHOTS_FOLDER START_TEXT NEXT_TEXT SKIP_TEXT

The standalone course's start page and course page are loaded from the file system in headless Chromium:
the start link must read START_TEXT, the course's Next button must be titled NEXT_TEXT and its skip link
read SKIP_TEXT; any console error, uncaught exception or missing file fails. A picture of each page is kept
in SHOTS_FOLDER. Exits 77 (skipped) without Chromium.
"""

import json
import os
import pathlib
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
sys.dont_write_bytecode = True
sys.path.insert(0, str(HERE.parent.parent / "publish" / "startpage"))
from check_start_page import Browser, find_chromium, load  # noqa: E402

SKIPPED = 77

FACTS = """JSON.stringify({
    start: ((document.getElementById("kvxStartLink") || {}).textContent || "").trim(),
    next: (document.getElementById("kvxNext") || {getAttribute: () => null}).getAttribute("title"),
    nextAlt: ((document.querySelector("#kvxNext img") || {getAttribute: () => null}).getAttribute("alt")),
    skip: ((document.querySelector(".kvxSkip") || {}).textContent || "").trim(),
    shown: ((document.getElementById("kvxMain") || {}).children || []).length
})"""


def main():
    if len(sys.argv) != 6:
        print(__doc__)
        return 2
    standalone, shots, start_text, next_text, skip_text = sys.argv[1:]
    pathlib.Path(shots).mkdir(parents=True, exist_ok=True)
    chromium = find_chromium()
    if not chromium:
        print("SKIPPED: no Chromium is installed (Debian's chromium package); the pages were not loaded")
        return SKIPPED
    failures = []
    pages = [
        ("start page", pathlib.Path(standalone) / "index.htm", {"start": start_text}),
        ("course page", pathlib.Path(standalone) / "content" / "ind.htm",
         {"next": next_text, "nextAlt": next_text, "skip": skip_text}),
    ]
    with tempfile.TemporaryDirectory() as profile:
        browser = Browser(chromium, profile)
        try:
            for name, path, expected in pages:
                facts, problems = load(browser, path.as_uri(), os.path.join(shots, name.replace(" ", "_") + ".png"),
                                       FACTS, 1.5)
                print("%s: %s" % (name, json.dumps(facts, ensure_ascii=False)))
                failures += ["%s: %s" % (name, p) for p in problems]
                failures += ["%s: %s is %r, expected %r" % (name, key, facts.get(key), value)
                             for key, value in expected.items() if facts.get(key) != value]
        except (TimeoutError, EOFError, RuntimeError) as error:
            failures.append("the browser could not be driven: %s" % error)
        finally:
            browser.close()
    if failures:
        print("\n".join("FAIL: " + f for f in failures))
        return 1
    print("The published course shows the profile's texts.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
