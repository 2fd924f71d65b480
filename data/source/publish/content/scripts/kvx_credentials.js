/* Corvessa course run-time: the learner's name.
 *
 * A course with sign-in knows the learner by name, identifier and password (kvxObj.kvxname, kvxID and
 * kvxpwd, filled by the sign-in page). The name is shown in the top bar.
 */
(function (R) {
    "use strict";

    R.learnerName = function () {
        const o = window.kvxObj || {};
        return String(o.kvxname || o.kvxID || "");
    };

    (R.onStart = R.onStart || []).push(function () {
        const name = R.learnerName();
        if (R.frame && R.frame.user)
            R.frame.user.textContent = name;
    });
})(window.kvxRuntime = window.kvxRuntime || {});
