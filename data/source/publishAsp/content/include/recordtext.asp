<%@ Language="JScript" CodePage="65001" %>
<!-- #include file="kv_config.asp" -->
<!-- #include file="kvdb.asp" -->
<%
// Keeps the text a learner wrote in a free-form question: POST screen, question and text.
kvPostOnly();
try {
    var screen = kvField("screen", 32, false), question = kvField("question", 16, false), text = kvField("text", 65000, true);
    if (screen === null || !/^\d{1,9}_\d{1,9}[mqf]?$/.test(screen) || question === null || !/^[A-Za-z0-9]{0,8}$/.test(question) || text === null)
        kvRefuse("400 Bad Request", "invalid");
    var learner = kvSessionLearner();
    if (learner === null)
        kvRefuse("401 Unauthorized", "signin");
    var connection = kvConnection();
    kvCommand(connection, "INSERT INTO " + kvTableName(kvTable2) + " (course, learner, screen, question, response, recorded) VALUES (?, ?, ?, ?, ?, ?)",
        [kvCourse(), learner, screen, question, text, kvNow()]).Execute();
    connection.Close();
    kvAnswer("200 OK", { ok: true });
} catch (e) {
    kvRefuse("500 Internal Server Error", "server");
}
%>
