/* Corvessa course: the sign-in page.
 *
 * Shows the fields the options ask for (kvxPrefs.reqUsername, reqID, reqPwd) with their labels, checks
 * that each is filled in and, for a course with server pages, asks the server (include/checksignin) to
 * sign the learner in. The signed-in learner is kept for the browser session and the course page opens.
 * A course without server pages has nothing to check a password against: it takes the learner's word.
 */
(function () {
    "use strict";

    var prefs = window.kvxPrefs || {};
    var obj = window.kvxObj || {};
    var R = window.kvxRuntime || {};
    var texts = {
        signinmissing: "Please fill in every field.",
        signinfailed: "The sign-in details are not correct.",
        signinoffline: "The course server cannot be reached. Please try again later.",
        signinbusy: "Signing in..."
    };

    function text(name) {
        var str = prefs.str || {};
        return typeof str[name] === "string" && str[name] !== "" ? str[name] : texts[name];
    }

    function row(id, wanted, label) {
        var element = document.getElementById(id + "Row");
        var labelElement = document.getElementById(id + "Label");
        var input = document.getElementById(id);
        if (!element || !input)
            return null;
        element.hidden = !wanted;
        if (labelElement)
            labelElement.textContent = String(label || "");
        input.required = !!wanted;
        input.maxLength = id === "kvxPwd" || id === "kvxPwd2" ? 200 : 100;
        return wanted ? input : null;
    }

    function serverPage(name) {
        return "include/" + name + (obj.projectSuf === ".asp" ? ".asp" : ".php");
    }

    // The form's fields, its check and its request: shared with the register page.
    window.kvxSignInForm = function (options) {
        var form = document.getElementById(options.form);
        var message = document.getElementById(options.message);
        if (!form)
            return;
        var fields = {
            name: row("kvxName", prefs.reqUsername !== false, prefs.labelName),
            id: row("kvxId", !!prefs.reqID, prefs.labelID),
            pwd: row("kvxPwd", !!prefs.reqPwd, prefs.labelPwd)
        };
        if (!fields.name && !fields.id)
            fields.name = row("kvxName", true, prefs.labelName);
        var extra = options.setup ? options.setup(fields, row) : null;
        var say = function (value) {
            message.textContent = value;
        };
        form.addEventListener("submit", function (e) {
            e.preventDefault();
            var values = {};
            var missing = null;
            Object.keys(fields).forEach(function (k) {
                var input = fields[k];
                values[k] = input ? (k === "pwd" ? input.value : input.value.trim()) : "";
                if (input && values[k] === "" && !missing)
                    missing = input;
            });
            if (missing) {
                say(text("signinmissing"));
                missing.focus();
                return;
            }
            if (options.check) {
                var problem = options.check(values, extra);
                if (problem) {
                    say(problem);
                    return;
                }
            }
            var done = function (learner) {
                if (R.learner)
                    R.learner.write(learner);
                window.location.href = "ind.htm";
            };
            if (!prefs.webDB) {
                done({ name: values.name, id: values.id });
                return;
            }
            var button = form.querySelector("button[type=submit]");
            button.disabled = true;
            say(text("signinbusy"));
            var body = new URLSearchParams();
            Object.keys(values).forEach(function (k) { body.append(k, values[k]); });
            if (extra && extra.value !== undefined)
                body.append("pwd2", extra.value);
            fetch(serverPage(options.page), { method: "POST", body: body, credentials: "same-origin" })
                .then(function (response) {
                    return response.json().catch(function () { return { ok: false, reason: "server" }; });
                })
                .then(function (answer) {
                    button.disabled = false;
                    if (answer && answer.ok) {
                        done(answer);
                        return;
                    }
                    say(options.failed(answer && answer.reason, answer && answer.message));
                }, function () {
                    button.disabled = false;
                    say(text("signinoffline"));
                });
        });
    };

    document.addEventListener("DOMContentLoaded", function () {
        if (!document.getElementById("kvxSignInForm"))
            return;
        var register = document.getElementById("kvxRegisterRow");
        if (register)
            register.hidden = !prefs.selfRegister;
        window.kvxSignInForm({
            form: "kvxSignInForm", message: "kvxSignInMessage", page: "checksignin",
            failed: function (reason, message) { return message || text("signinfailed"); }
        });
    });
}());
