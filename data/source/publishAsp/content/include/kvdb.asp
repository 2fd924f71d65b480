<%
// What the course's ASP server pages share (JScript): the connection made from kv_config.asp, the
// learner's input checked before use, parameterised commands only, and answers as JSON. The tables are
// those of the PHP pages: table 1 holds the learners and their results, table 2 the texts of free-form
// questions (see kqdb.php of the PHP pages for their columns). The ASP pages do not make the tables: they
// are expected in the database the connection names.
Response.CodePage = 65001;
Response.Charset = "utf-8";
Response.ContentType = "application/json";
Response.AddHeader("Cache-Control", "no-store");
Response.AddHeader("X-Content-Type-Options", "nosniff");

function kvJson(value) {
    if (value === null || value === undefined)
        return "null";
    if (typeof value === "number" || typeof value === "boolean")
        return String(value);
    if (typeof value === "object") {
        var parts = [];
        for (var k in value)
            parts.push(kvJson(String(k)) + ":" + kvJson(value[k]));
        return "{" + parts.join(",") + "}";
    }
    return "\"" + String(value).replace(/[\\"\u0000-\u001F\u2028\u2029]/g, function (c) {
        return "\\u" + ("000" + c.charCodeAt(0).toString(16)).slice(-4);
    }) + "\"";
}

function kvAnswer(status, body) {
    Response.Status = status;
    Response.Write(kvJson(body));
    Response.End();
}

function kvRefuse(status, reason, message) {
    kvAnswer(status, { ok: false, reason: reason, message: message || "" });
}

function kvPostOnly() {
    if (String(Request.ServerVariables("REQUEST_METHOD")) !== "POST") {
        Response.AddHeader("Allow", "POST");
        kvRefuse("405 Method Not Allowed", "method");
    }
}

// One text field of the form: present once, at most maxLength characters, no control characters (line
// breaks and tabs only where multiLine). Returns null when it is not so.
function kvField(name, maxLength, multiLine) {
    var field = Request.Form(name);
    if (field.Count !== 1)
        return null;
    var value = String(field.Item(1));
    if (value.length > maxLength)
        return null;
    var controls = multiLine ? /[\u0000-\u0008\u000B\u000C\u000E-\u001F\u007F]/ : /[\u0000-\u001F\u007F]/;
    return controls.test(value) ? null : value;
}

function kvTableName(name) {
    if (!/^[A-Za-z_][A-Za-z0-9_]{0,62}$/.test(name))
        throw new Error("the table name is not a plain name");
    return "[" + name + "]";
}

function kvConnection() {
    var provider = kvDbProvider, path = kvDbPath, sundry = kvDbSundry;
    // A relative data source lies in the course's folder.
    if (kvDbRelativePath === 1 && /^Data Source=([^;]*);?$/i.test(path))
        path = "Data Source=" + Server.MapPath("../../" + path.replace(/^Data Source=/i, "").replace(/;$/, "")) + ";";
    var connection = Server.CreateObject("ADODB.Connection");
    connection.Open(provider + path + sundry);
    return connection;
}

// A command with its values bound as parameters (text, or integers where given as numbers).
function kvCommand(connection, sql, values) {
    var command = Server.CreateObject("ADODB.Command");
    command.ActiveConnection = connection;
    command.CommandText = sql;
    command.CommandType = 1;
    for (var i = 0; i < values.length; ++i) {
        var v = values[i];
        if (typeof v === "number")
            command.Parameters.Append(command.CreateParameter("p" + i, 3, 1, 4, v));
        else if (v === null)
            command.Parameters.Append(command.CreateParameter("p" + i, 3, 1, 4, null));
        else
            command.Parameters.Append(command.CreateParameter("p" + i, 203, 1, Math.max(1, String(v).length), String(v)));
    }
    return command;
}

function kvNow() {
    var d = new Date();
    var p = function (n) { return (n < 10 ? "0" : "") + n; };
    return d.getUTCFullYear() + "-" + p(d.getUTCMonth() + 1) + "-" + p(d.getUTCDate()) + "T" + p(d.getUTCHours()) + ":" +
        p(d.getUTCMinutes()) + ":" + p(d.getUTCSeconds()) + "Z";
}

// Passwords are kept as a salted, many times repeated SHA-256 digest, never as they were typed.
function kvDigest(text) {
    var encoder = Server.CreateObject("System.Text.UTF8Encoding");
    var sha = Server.CreateObject("System.Security.Cryptography.SHA256Managed");
    var bytes = sha.ComputeHash_2(encoder.GetBytes_4(text));
    var xml = Server.CreateObject("MSXML2.DOMDocument");
    var node = xml.createElement("b");
    node.dataType = "bin.hex";
    node.nodeTypedValue = bytes;
    return node.text;
}

function kvHash(password, salt) {
    var value = salt + ":" + password;
    for (var i = 0; i < 5000; ++i)
        value = kvDigest(salt + value);
    return "sha256:5000:" + salt + ":" + value;
}

function kvNewSalt() {
    var s = "";
    for (var i = 0; i < 16; ++i)
        s += Math.floor(Math.random() * 16).toString(16);
    return s;
}

function kvPasswordMatches(password, stored) {
    var parts = String(stored).split(":");
    return parts.length === 4 && parts[0] === "sha256" && kvHash(password, parts[2]) === stored;
}

// The name, identifier and password the course asks for; refuses the request when one is missing.
function kvCredentials(refusal) {
    var values = { name: "", id: "", pwd: "" };
    var wanted = { name: kvNameRequired, id: kvIdRequired, pwd: kvPwdRequired };
    for (var k in wanted) {
        if (!wanted[k])
            continue;
        var limit = k === "pwd" ? 200 : 100;
        // Too long is said as such: the learner can shorten it.
        var raw = Request.Form(k);
        if (raw.Count === 1 && String(raw.Item(1)).length > limit)
            kvRefuse("400 Bad Request", "toolong", "The " + (k === "pwd" ? "password" : k === "id" ? "identifier" : "name") +
                     " is too long: at most " + limit + " characters.");
        var v = kvField(k, limit, false);
        if (v === null || (k === "pwd" ? v : v.replace(/^\s+|\s+$/g, "")) === "")
            kvRefuse("400 Bad Request", "missing", refusal);
        values[k] = k === "pwd" ? v : v.replace(/^\s+|\s+$/g, "");
    }
    if (values.name === "" && values.id === "")
        kvRefuse("400 Bad Request", "missing", refusal);
    return values;
}

function kvCourse() {
    return kvCourseCode !== "" ? kvCourseCode : kvCourseName;
}

function kvFindLearner(connection, credentials) {
    var sql = "SELECT id, name, learner_id, password, location, state FROM " + kvTableName(kvTable1) + " WHERE course = ?";
    var values = [kvCourse()];
    if (kvNameRequired || !kvIdRequired) {
        sql += " AND name = ?";
        values.push(credentials.name);
    }
    if (kvIdRequired) {
        sql += " AND learner_id = ?";
        values.push(credentials.id);
    }
    var rs = kvCommand(connection, sql + " ORDER BY id", values).Execute();
    var found = [];
    while (!rs.EOF) {
        found.push({ id: Number(rs.Fields("id").Value), name: String(rs.Fields("name").Value),
                     learner_id: String(rs.Fields("learner_id").Value), password: String(rs.Fields("password").Value || ""),
                     location: String(rs.Fields("location").Value || ""), state: String(rs.Fields("state").Value || "") });
        rs.MoveNext();
    }
    rs.Close();
    return found;
}

// Repeated failed sign-ins are slowed, per learner and per address, as the PHP pages do: after a few failures
// each further attempt must wait, longer with every failure (up to a quarter of an hour). The counts live in
// the application's memory, so the course's database needs no table of its own; every failure goes to the
// web server's log.
var kvFreeFailures = { learner: 5, address: 20 };
var kvLongestWait = 900;

function kvThrottleKeys(credentials) {
    return [["kvxFail:learner:" + credentials.name.toLowerCase() + "\n" + credentials.id.toLowerCase(), kvFreeFailures.learner],
            ["kvxFail:address:" + String(Request.ServerVariables("REMOTE_ADDR")), kvFreeFailures.address]];
}

// The seconds the request still has to wait; 0 when it may try.
function kvSignInWait(credentials) {
    var keys = kvThrottleKeys(credentials), wait = 0, now = new Date().getTime() / 1000;
    for (var i = 0; i < keys.length; ++i) {
        var record = String(Application(keys[i][0]) || "").split("|");
        var failures = Number(record[0]) || 0, last = Number(record[1]) || 0;
        if (failures < keys[i][1])
            continue;
        var delay = Math.min(kvLongestWait, Math.pow(2, Math.min(20, failures - keys[i][1] + 1)));
        wait = Math.max(wait, last + delay - now);
    }
    return wait;
}

function kvSignInFailed(credentials) {
    var keys = kvThrottleKeys(credentials), now = Math.floor(new Date().getTime() / 1000);
    Application.Lock();
    for (var i = 0; i < keys.length; ++i) {
        var failures = Number(String(Application(keys[i][0]) || "").split("|")[0]) || 0;
        Application(keys[i][0]) = (failures + 1) + "|" + now;
    }
    Application.UnLock();
    Response.AppendToLog("Corvessa: a failed sign-in from " + String(Request.ServerVariables("REMOTE_ADDR")));
}

function kvSignInSucceeded(credentials) {
    Application.Lock();
    Application.Contents.Remove(kvThrottleKeys(credentials)[0][0]);
    Application.UnLock();
}

function kvSignIn(id) {
    Session("kvLearner") = id;
    Session("kvCourse") = kvCourse();
}

function kvSessionLearner() {
    if (Session("kvLearner") && String(Session("kvCourse")) === kvCourse())
        return Number(Session("kvLearner"));
    return null;
}
%>
