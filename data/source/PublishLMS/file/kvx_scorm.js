/* Corvessa course run-time: the learning management system's SCORM interface.
 *
 * A course in an LMS package talks to the LMS through the object the LMS puts in one of the windows
 * around the course: API for SCORM 1.2, API_1484_11 for SCORM 2004 (kvxPrefs.LMSversion says which).
 * It is looked for in the course window's parents and then in the window that opened it and that
 * window's parents.
 */
(function (R) {
    "use strict";

    const maxDepth = 10;

    function search(win, name) {
        for (let depth = 0; win && depth <= maxDepth; ++depth) {
            try {
                if (win[name])
                    return win[name];
            } catch (e) {
                return null;   // a window of another origin hides its interface
            }
            if (win.parent === win)
                break;
            win = win.parent;
        }
        return null;
    }

    R.lms = {
        version() {
            return (window.kvxPrefs && Number(kvxPrefs.LMSversion) === 12) ? "1.2" : "2004";
        },
        // The LMS's interface object, or null when the course does not run inside an LMS.
        findApi() {
            const name = R.lms.version() === "1.2" ? "API" : "API_1484_11";
            let api = search(window, name);
            if (!api && window.opener) {
                try {
                    api = search(window.opener, name);
                } catch (e) {
                    api = null;
                }
            }
            return api || null;
        }
    };
})(window.kvxRuntime = window.kvxRuntime || {});
