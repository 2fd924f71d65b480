<?php
// What every server page of the course shares: the settings, the answer as JSON, the learner's input
// checked before anything is done with it, and the session of a signed-in learner.
//
// The pages answer POST requests of the course's own pages with a JSON object: {"ok": true, ...} or
// {"ok": false, "reason": ..., "message": ...}. Nothing a learner sends reaches the database other than
// as a bound parameter of a prepared statement (kqdb.php).

error_reporting(E_ALL);
ini_set('display_errors', '0');

function kq_answer($status, array $body)
{
    if (!headers_sent()) {
        http_response_code($status);
        header('Content-Type: application/json; charset=utf-8');
        header('Cache-Control: no-store');
        header('X-Content-Type-Options: nosniff');
    }
    echo json_encode($body, JSON_UNESCAPED_UNICODE | JSON_UNESCAPED_SLASHES);
    exit;
}

function kq_refuse($status, $reason, $message = '')
{
    kq_answer($status, array('ok' => false, 'reason' => $reason, 'message' => $message));
}

// A fault of the server (a damaged configuration, a database that cannot be reached) is logged for the
// administrator; the learner gets the course's message and no details.
function kq_fail(Throwable $e, $message)
{
    error_log('Corvessa course server pages: ' . get_class($e) . ': ' . $e->getMessage());
    kq_refuse(500, 'server', $message);
}

// The settings of kqconfig.php, read once. A configuration that does not parse is reported, never run.
function kq_config()
{
    static $config = null;
    if ($config !== null) {
        return $config;
    }
    $kqDbDsn = null;
    $kqDbType = $kqDbHost = $kqDbUser = $kqDbPassword = $kqDbDatabase = '';
    $kqDbPersistent = false;
    $kqDataFolder = '';
    $kqTable1 = 'Table1';
    $kqTable2 = 'Table2';
    $kqNameRequired = $kqIdRequired = $kqPwdRequired = false;
    $kqCourseCode = $kqCourseName = $kqDbErrorSignIn = $kqDbErrorRegister = '';
    require __DIR__ . '/kqconfig.php';
    // The publisher writes NULL for the settings that do not apply.
    $text = function ($value) {
        return ($value === null || $value === 'NULL') ? '' : (string)$value;
    };
    $config = array(
        'dsn' => $text($kqDbDsn),
        'type' => strtolower(trim($text($kqDbType))),
        'host' => $text($kqDbHost),
        'user' => $text($kqDbUser),
        'password' => $text($kqDbPassword),
        'database' => $text($kqDbDatabase),
        'persistent' => $kqDbPersistent === true,
        'dataFolder' => $text($kqDataFolder),
        'table1' => $text($kqTable1),
        'table2' => $text($kqTable2),
        'nameRequired' => $kqNameRequired === true,
        'idRequired' => $kqIdRequired === true,
        'pwdRequired' => $kqPwdRequired === true,
        'course' => $text($kqCourseCode) !== '' ? $text($kqCourseCode) : $text($kqCourseName),
        'errorSignIn' => $text($kqDbErrorSignIn),
        'errorRegister' => $text($kqDbErrorRegister),
        // Learners sign in when the course was published with sign-in: the copy step brings this page then.
        'signIn' => is_file(__DIR__ . '/checksignin.php'),
    );
    return $config;
}

// A configured message when the configuration can be read at all.
function kq_config_message($key)
{
    try {
        return kq_config()[$key];
    } catch (Throwable $e) {
        return '';
    }
}

// A message of the course's language (msg.php), else of the configuration, else the fallback.
function kq_message($name, $configured, $fallback)
{
    if (is_file(__DIR__ . '/msg.php')) {
        require_once __DIR__ . '/msg.php';
        if (function_exists('kvxMessage')) {
            $text = kvxMessage($name);
            if ($text !== '') {
                return $text;
            }
        }
    }
    return $configured !== '' ? $configured : $fallback;
}

// Only POST requests of the course's own pages are answered.
function kq_post_only()
{
    if (($_SERVER['REQUEST_METHOD'] ?? '') !== 'POST') {
        header('Allow: POST');
        kq_refuse(405, 'method');
    }
}

// One text field of the request: a string of valid UTF-8 without control characters (line breaks and
// tabs only where $multiLine), at most $maxBytes long. Returns null when it is missing or not so.
function kq_field($name, $maxBytes, $multiLine = false)
{
    if (!isset($_POST[$name]) || !is_string($_POST[$name])) {
        return null;
    }
    $value = $_POST[$name];
    if (strlen($value) > $maxBytes || preg_match('//u', $value) !== 1) {
        return null;
    }
    $controls = $multiLine ? '/[\x00-\x08\x0B\x0C\x0E-\x1F\x7F]/' : '/[\x00-\x1F\x7F]/';
    if (preg_match($controls, $value) === 1) {
        return null;
    }
    return $value;
}

// The learner's name, identifier and password as the course asks for them; refuses the request when a
// required one is missing, empty or not a plain text.
function kq_credentials(array $config, $refusal)
{
    $fields = array('name' => 'nameRequired', 'id' => 'idRequired', 'pwd' => 'pwdRequired');
    $values = array();
    foreach ($fields as $field => $flag) {
        $limit = $field === 'pwd' ? 200 : 100;
        // Too long is said as such: the learner can shorten it; the limit counts characters.
        if (isset($_POST[$field]) && is_string($_POST[$field]) && preg_match('//u', $_POST[$field]) === 1
            && preg_match_all('/./us', $_POST[$field]) > $limit) {
            kq_refuse(400, 'toolong', kq_message('toolong', '', 'The ' . ($field === 'pwd' ? 'password' : ($field === 'id' ? 'identifier' : 'name'))
                . ' is too long: at most ' . $limit . ' characters.'));
        }
        $value = kq_field($field, $limit * 4);
        if ($value === null && isset($_POST[$field])) {
            kq_refuse(400, 'invalid', $refusal);
        }
        $value = $field === 'pwd' ? (string)$value : trim((string)$value);
        if ($config[$flag] && $value === '') {
            kq_refuse(400, 'missing', $refusal);
        }
        $values[$field] = $config[$flag] ? $value : '';
    }
    if ($values['name'] === '' && $values['id'] === '') {
        kq_refuse(400, 'missing', $refusal);
    }
    return $values;
}

// Repeated failed sign-ins are slowed, per learner and per address: after a few failures each further
// attempt must wait, longer with every failure (up to a quarter of an hour), and a request that comes too
// soon is refused with the course's message even when its password is right. Every failure is recorded.
const KQ_FREE_FAILURES_LEARNER = 5;
const KQ_FREE_FAILURES_ADDRESS = 20;
const KQ_LONGEST_WAIT = 900;

function kq_throttle_keys(array $credentials)
{
    $learner = 'learner:' . strtolower($credentials['name']) . "\n" . strtolower($credentials['id']);
    return array($learner => KQ_FREE_FAILURES_LEARNER, 'address:' . ($_SERVER['REMOTE_ADDR'] ?? '') => KQ_FREE_FAILURES_ADDRESS);
}

// The seconds the request still has to wait; 0 when it may try.
function kq_signin_wait(array $credentials)
{
    $db = kq_db();
    $find = $db->prepare('SELECT failures, last_failure FROM ' . kq_quote_name($db, 'kvx_signin_failures') . ' WHERE who = ?');
    $wait = 0;
    foreach (kq_throttle_keys($credentials) as $who => $free) {
        $find->execute(array($who));
        $row = $find->fetch();
        $find->closeCursor();
        if (!$row || (int)$row['failures'] < $free) {
            continue;
        }
        $delay = min(KQ_LONGEST_WAIT, 2 ** min(20, (int)$row['failures'] - $free + 1));
        $wait = max($wait, (int)$row['last_failure'] + $delay - time());
    }
    return $wait;
}

function kq_signin_failed(array $credentials)
{
    $db = kq_db();
    $table = kq_quote_name($db, 'kvx_signin_failures');
    foreach (array_keys(kq_throttle_keys($credentials)) as $who) {
        $update = $db->prepare("UPDATE $table SET failures = failures + 1, last_failure = ? WHERE who = ?");
        $update->execute(array(time(), $who));
        if ($update->rowCount() === 0) {
            $db->prepare("INSERT INTO $table (who, failures, last_failure) VALUES (?, 1, ?)")->execute(array($who, time()));
        }
    }
    error_log('Corvessa course server pages: a failed sign-in from ' . ($_SERVER['REMOTE_ADDR'] ?? 'an unknown address'));
}

function kq_signin_succeeded(array $credentials)
{
    $db = kq_db();
    $keys = array_keys(kq_throttle_keys($credentials));
    $db->prepare('DELETE FROM ' . kq_quote_name($db, 'kvx_signin_failures') . ' WHERE who = ?')->execute(array($keys[0]));
}

function kq_session()
{
    if (session_status() === PHP_SESSION_ACTIVE) {
        return;
    }
    $secure = !empty($_SERVER['HTTPS']) && $_SERVER['HTTPS'] !== 'off';
    $path = rtrim(str_replace('\\', '/', dirname(dirname($_SERVER['SCRIPT_NAME'] ?? '/'))), '/') . '/';
    session_name('kqcourse');
    session_set_cookie_params(array('lifetime' => 0, 'path' => $path, 'secure' => $secure, 'httponly' => true,
                                    'samesite' => 'Strict'));
    ini_set('session.use_strict_mode', '1');
    ini_set('session.use_only_cookies', '1');
    session_start();
}

require_once __DIR__ . '/kqdb.php';
require_once __DIR__ . '/kqinc.php';
