#!/usr/bin/env python3
"""Checks the courses the Publish window wrote as a learner and an LMS meet them.

    check_published_courses.py STANDALONE_FOLDER PREVIEW_PAGE SCREEN_TITLE LMS_PACKAGE LMS_FOLDER SHOTS_FOLDER

The standalone course's start page and course page and the screen preview's page are loaded from the file
system in headless Chromium: any console error, uncaught exception or missing file fails, and the course
page and the preview must show a screen (the preview the one titled SCREEN_TITLE). The LMS package must pass
the package checker. A picture of each page is kept in SHOTS_FOLDER. Exits 77 (skipped) without Chromium.
"""

import json
import os
import pathlib
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
# The shared browser driver is imported from the source tree, which must stay as it is.
sys.dont_write_bytecode = True
sys.path.insert(0, str(HERE.parent.parent / "publish" / "startpage"))
from check_start_page import Browser, find_chromium, load  # noqa: E402

SKIPPED = 77
SCORM_CHECK = HERE.parent.parent / "publish" / "scorm_check.py"

FACTS = """JSON.stringify({
    title: document.title,
    screen: (document.getElementById("kvxMain") || {getAttribute: () => ""}).getAttribute("aria-label") || "",
    shown: ((document.getElementById("kvxMain") || {}).children || []).length,
    loadError: !!document.querySelector(".kvxLoadError"),
    start: !!document.getElementById("kvxStartLink")
})"""


def main():
    if len(sys.argv) != 7:
        print(__doc__)
        return 2
    standalone, preview, title, package, lms_folder, shots = sys.argv[1:]
    pathlib.Path(shots).mkdir(parents=True, exist_ok=True)
    failures = []

    checked = subprocess.run([sys.executable, str(SCORM_CHECK), package, "--same-files-as", lms_folder],
                             capture_output=True, text=True, timeout=120)
    print("package checker: " + checked.stdout.strip())
    if checked.returncode != 0:
        failures.append("the LMS package fails the checker: " + checked.stdout.strip() + checked.stderr.strip())

    chromium = find_chromium()
    if not chromium:
        print("\n".join("FAIL: " + f for f in failures))
        print("SKIPPED: no Chromium is installed (Debian's chromium package); the pages were not loaded")
        return 1 if failures else SKIPPED

    pages = [
        ("start page", pathlib.Path(standalone) / "index.htm", lambda f: f["start"]),
        ("course page", pathlib.Path(standalone) / "content" / "ind.htm", lambda f: f["shown"] > 0 and f["screen"] != ""),
        ("screen preview", pathlib.Path(preview), lambda f: f["shown"] > 0 and title in f["screen"]),
    ]
    with tempfile.TemporaryDirectory() as profile:
        browser = Browser(chromium, profile)
        try:
            for name, path, shows in pages:
                # The run-time asks for the first screen after the page has loaded.
                facts, problems = load(browser, path.as_uri(), os.path.join(shots, name.replace(" ", "_") + ".png"),
                                       FACTS, 1.5)
                print("%s: %s" % (name, json.dumps(facts)))
                failures += ["%s: %s" % (name, p) for p in problems]
                if facts["loadError"] or not shows(facts):
                    failures.append("%s does not show what it should: %s" % (name, json.dumps(facts)))
        except (TimeoutError, EOFError, RuntimeError) as error:
            failures.append("the browser could not be driven: %s" % error)
        finally:
            browser.close()
    if failures:
        print("\n".join("FAIL: " + f for f in failures))
        return 1
    print("The published course and the screen preview load without errors; the package passes the checker.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
