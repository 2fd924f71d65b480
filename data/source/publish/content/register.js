/* Corvessa course: the page on which learners register themselves.
 *
 * The fields of the sign-in page and, with a password, the password once more; the server
 * (include/checkregister) adds the learner and signs them in. Uses the form of signin.js, which the page
 * loads first.
 */
(function () {
    "use strict";

    var prefs = window.kvxPrefs || {};
    var texts = {
        registermismatch: "The two passwords are not the same.",
        registerexists: "A learner with these details is registered already.",
        registerfailed: "The registration could not be completed."
    };

    function text(name) {
        var str = prefs.str || {};
        return typeof str[name] === "string" && str[name] !== "" ? str[name] : texts[name];
    }

    document.addEventListener("DOMContentLoaded", function () {
        if (!document.getElementById("kvxRegisterForm") || !window.kvxSignInForm)
            return;
        window.kvxSignInForm({
            form: "kvxRegisterForm", message: "kvxRegisterMessage", page: "checkregister",
            setup: function (fields, row) {
                return row("kvxPwd2", !!prefs.reqPwd, prefs.labelPwd2);
            },
            check: function (values, again) {
                return again && again.value !== values.pwd ? text("registermismatch") : null;
            },
            failed: function (reason, message) {
                if (reason === "toolong")
                    return message || text("registerfailed");
                if (reason === "exists")
                    return text("registerexists");
                if (reason === "mismatch")
                    return text("registermismatch");
                return message || text("registerfailed");
            }
        });
    });
}());
