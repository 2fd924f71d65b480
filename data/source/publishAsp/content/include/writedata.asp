<%@ Language="JScript" CodePage="65001" %>
<!-- #include file="kv_config.asp" -->
<!-- #include file="kvdb.asp" -->
<%
// Keeps the learner's results: POST location, score (0 to 100, or empty), status and state.
kvPostOnly();
try {
    var location = kvField("location", 32, false), score = kvField("score", 3, false);
    var status = kvField("status", 16, false), state = kvField("state", 65000, true);
    if (location === null || !/^(\d{1,9}_\d{1,9}[mqf]?)?$/.test(location) || score === null || !/^(\d{1,3})?$/.test(score) ||
            (score !== "" && Number(score) > 100) || !/^(incomplete|completed|passed|failed)$/.test(String(status)) || state === null)
        kvRefuse("400 Bad Request", "invalid");
    var learner = kvSessionLearner();
    if (learner === null)
        kvRefuse("401 Unauthorized", "signin");
    var connection = kvConnection();
    kvCommand(connection, "UPDATE " + kvTableName(kvTable1) + " SET score = ?, status = ?, location = ?, state = ?, updated = ? WHERE id = ? AND course = ?",
        [score === "" ? null : Number(score), status, location, state, kvNow(), learner, kvCourse()]).Execute();
    connection.Close();
    kvAnswer("200 OK", { ok: true });
} catch (e) {
    kvRefuse("500 Internal Server Error", "server");
}
%>
