<%@ Language="JScript" CodePage="65001" %>
<!-- #include file="kv_config.asp" -->
<!-- #include file="kvdb.asp" -->
<%
// Registers a new learner and signs them in: POST name, id, pwd and pwd2 (those the course asks for).
kvPostOnly();
var refusal = kvDbErrorRegister || "The registration could not be completed.";
try {
    var credentials = kvCredentials(refusal);
    if (kvPwdRequired && kvField("pwd2", 200, false) !== credentials.pwd)
        kvRefuse("400 Bad Request", "mismatch", refusal);
    var connection = kvConnection();
    if (kvFindLearner(connection, credentials).length > 0) {
        connection.Close();
        kvRefuse("409 Conflict", "exists", refusal);
    }
    var now = kvNow();
    var hash = kvPwdRequired ? kvHash(credentials.pwd, kvNewSalt()) : "";
    kvCommand(connection, "INSERT INTO " + kvTableName(kvTable1) +
        " (course, name, learner_id, [password], score, status, location, state, started, updated) VALUES (?, ?, ?, ?, NULL, 'incomplete', '', NULL, ?, ?)",
        [kvCourse(), credentials.name, credentials.id, hash, now, now]).Execute();
    var rows = kvFindLearner(connection, credentials);
    connection.Close();
    kvSignIn(rows[rows.length - 1].id);
    kvAnswer("200 OK", { ok: true, name: credentials.name, id: credentials.id, location: "", state: "" });
} catch (e) {
    kvRefuse("500 Internal Server Error", "server", refusal);
}
%>
