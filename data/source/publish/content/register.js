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
        registerfailed: "The registration could not be completed.",
        registertoolong: "The %1 is too long: at most %2 characters."
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
                // The server keeps at most 100 characters of a name or identifier and 200 of a password.
                var limits = [["name", "name", 100], ["id", "identifier", 100], ["pwd", "password", 200]];
                for (var i = 0; i < limits.length; ++i) {
                    var value = values[limits[i][0]] || "";
                    if (Array.from(value).length > limits[i][2])
                        return text("registertoolong").replace("%1", limits[i][1]).replace("%2", String(limits[i][2]));
                }
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
