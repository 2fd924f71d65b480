<%@ Language="JScript" CodePage="65001" %>
<!-- #include file="kv_config.asp" -->
<!-- #include file="kvdb.asp" -->
<%
// Signs a learner in: POST name, id and pwd (those the course asks for); repeated failures make the next
// attempts wait (kvdb.asp).
kvPostOnly();
var refusal = kvDbErrorSignIn || "The sign-in details are not correct.";
try {
    var credentials = kvCredentials(refusal);
    if (kvSignInWait(credentials) > 0)
        kvRefuse("429 Too Many Requests", "throttled",
                 "There have been too many failed attempts to sign in. Please wait a few minutes and try again.");
    var connection = kvConnection();
    var learners = kvFindLearner(connection, credentials);
    for (var i = 0; i < learners.length; ++i) {
        var row = learners[i];
        if (!kvPwdRequired || (row.password !== "" && kvPasswordMatches(credentials.pwd, row.password))) {
            kvCommand(connection, "UPDATE " + kvTableName(kvTable1) + " SET updated = ? WHERE id = ?", [kvNow(), row.id]).Execute();
            connection.Close();
            kvSignInSucceeded(credentials);
            kvSignIn(row.id);
            kvAnswer("200 OK", { ok: true, name: row.name, id: row.learner_id, location: row.location, state: row.state });
        }
    }
    connection.Close();
    kvSignInFailed(credentials);
    kvRefuse("403 Forbidden", "refused", refusal);
} catch (e) {
    kvRefuse("500 Internal Server Error", "server", refusal);
}
%>
