/* Corvessa course run-time: the learner.
 *
 * A course with sign-in knows the learner by name, identifier and password (kvxObj.kvxname, kvxID and
 * kvxpwd). The sign-in and register pages (signin.js, register.js) keep the signed-in learner for the
 * browser session; the course page takes the learner from there, shows the name in the top bar and
 * sends a learner who has not signed in to the sign-in page. The password is never kept.
 */
(function (/** @type {KvxRuntime} */ R) {
    "use strict";

    function key() {
        return "corvessa:learner:" + ((window.kvxObj && kvxObj.projectPrefix) || "");
    }

    R.learner = {
        read() {
            try {
                const value = JSON.parse(sessionStorage.getItem(key()) || "null");
                return value && typeof value === "object" && typeof value.name === "string" ? value : null;
            } catch (e) {
                return null;
            }
        },
        // name, id and, from the server, the place and state of an earlier visit.
        write(learner) {
            try {
                sessionStorage.setItem(key(), JSON.stringify({
                    name: String(learner.name || ""), id: String(learner.id || ""),
                    location: String(learner.location || ""), state: String(learner.state || "")
                }));
                return true;
            } catch (e) {
                return false;
            }
        }
    };

    R.learnerName = function () {
        const o = window.kvxObj || {};
        return String(o.kvxname || o.kvxID || "");
    };

    // The learner of the session, on the course page before it starts.
    const signedIn = R.learner.read();
    if (signedIn && window.kvxObj) {
        kvxObj.kvxname = signedIn.name;
        kvxObj.kvxID = signedIn.id;
    }

    // A course with sign-in is entered through its sign-in page (an LMS signs its learners in itself).
    R.needsSignIn = function () {
        const prefs = window.kvxPrefs || {};
        const page = /\/(signin|register)\.htm$/i.test(window.location.pathname);
        return !!prefs.signin && !prefs.LMS && !page && !R.learner.read() && Array.isArray(window.p);
    };
    if (R.needsSignIn())
        window.location.replace("signin.htm");

    (R.onStart = R.onStart || []).push(function () {
        const name = R.learnerName();
        if (R.frame && R.frame.user)
            R.frame.user.textContent = name;
    });
})(window.kvxRuntime = window.kvxRuntime || /** @type {KvxRuntime} */ ({}));
