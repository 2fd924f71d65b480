<?php
// The course's database through PDO: SQLite in a file outside the web folder unless the configuration
// names MySQL or PostgreSQL (standard parameters or a PDO connection string). The two tables are made
// when they are missing:
//
//   table 1 (the learners and their results): id, course, name, learner_id, password (a password hash,
//     or empty), score (0 to 100, or empty), status (incomplete, completed, passed or failed), location
//     (the screen reached), state (what the course needs to resume), started, updated;
//   table 2 (the texts of free-form questions): id, course, learner (the row of table 1), screen,
//     question, response, recorded.
//
// A course without self-registration signs in only the learners whose rows an administrator has put
// into table 1 (password made with PHP's password_hash, or left empty when the course asks for none).

// The PDO drivers of the database types the configuration may name.
function kq_driver($type)
{
    $drivers = array(
        '' => 'sqlite', 'sqlite' => 'sqlite', 'sqlite3' => 'sqlite', 'pdo_sqlite' => 'sqlite',
        'mysql' => 'mysql', 'mysqli' => 'mysql', 'mysqlt' => 'mysql', 'maxsql' => 'mysql', 'pdo_mysql' => 'mysql',
        'postgres' => 'pgsql', 'postgres7' => 'pgsql', 'postgres8' => 'pgsql', 'postgres9' => 'pgsql',
        'postgres64' => 'pgsql', 'pgsql' => 'pgsql', 'pdo_pgsql' => 'pgsql',
    );
    return $drivers[$type] ?? null;
}

// A table name becomes part of the SQL text, so only plain names are taken.
function kq_table_name($name)
{
    if (preg_match('/^[A-Za-z_][A-Za-z0-9_]{0,62}$/', $name) !== 1) {
        throw new RuntimeException('the table name ' . json_encode($name) . ' is not a plain name');
    }
    return $name;
}

function kq_quote_name(PDO $db, $name)
{
    return $db->getAttribute(PDO::ATTR_DRIVER_NAME) === 'mysql' ? '`' . $name . '`' : '"' . $name . '"';
}

// The web folder: the server's document root, and in any case the published course's own folder.
function kq_web_folders()
{
    $folders = array(dirname(__DIR__, 2));
    $root = $_SERVER['DOCUMENT_ROOT'] ?? '';
    if (is_string($root) && $root !== '') {
        $folders[] = $root;
    }
    $real = array();
    foreach ($folders as $folder) {
        $path = realpath($folder);
        if ($path !== false) {
            $real[] = rtrim(str_replace('\\', '/', $path), '/');
        }
    }
    return $real;
}

// A path as it will be on disk: its nearest existing folder resolved (links and ".." included), the rest
// appended as written.
function kq_resolved_path($path)
{
    $path = str_replace('\\', '/', $path);
    $rest = '';
    $existing = $path;
    while ($existing !== '' && realpath($existing) === false) {
        $parent = dirname($existing);
        if ($parent === $existing) {
            break;
        }
        $rest = '/' . basename($existing) . $rest;
        $existing = $parent;
    }
    $real = realpath($existing);
    return ($real === false ? $existing : rtrim(str_replace('\\', '/', $real), '/')) . $rest;
}

// Whether a file or folder lies inside the web folder, where any web server might serve it: an .htaccess
// file keeps it only from Apache.
function kq_inside_web($path)
{
    $resolved = kq_resolved_path($path);
    if (strpos('/' . $resolved . '/', '/../') !== false) {
        return true;
    }
    foreach (kq_web_folders() as $web) {
        if ($resolved === $web || strpos($resolved, $web . '/') === 0) {
            return true;
        }
    }
    return false;
}

// The folder of the SQLite database: the configured one, else "corvessa-data" beside the web folder (the
// server's document root), made on first use. The pages refuse to start when it lies inside the web folder.
function kq_data_folder(array $config)
{
    $folder = $config['dataFolder'];
    if ($folder === '') {
        $root = $_SERVER['DOCUMENT_ROOT'] ?? '';
        $web = (is_string($root) && $root !== '' && realpath($root) !== false) ? realpath($root) : dirname(__DIR__, 2);
        $folder = dirname($web) . '/corvessa-data';
    }
    $folder = rtrim(str_replace('\\', '/', $folder), '/');
    if ($folder === '' || ($folder[0] !== '/' && preg_match('/^[A-Za-z]:\//', $folder) !== 1)) {
        throw new RuntimeException('the database folder ' . json_encode($folder) . ' is not an absolute path');
    }
    if (kq_inside_web($folder)) {
        throw new RuntimeException('the database folder ' . $folder . ' lies inside the web folder, where the web server '
            . 'would serve the learners\' records: set $kqDataFolder in kqconfig.php to a folder outside it');
    }
    if (!is_dir($folder) && !mkdir($folder, 0770, true) && !is_dir($folder)) {
        throw new RuntimeException('the database folder ' . $folder . ' cannot be made');
    }
    return $folder;
}

// The SQLite file: the configured database (a path, or a name for a file in the database folder), else
// corvessa.sqlite in the database folder. A path inside the web folder is refused.
function kq_sqlite_path(array $config)
{
    $name = $config['database'];
    if ($name !== '' && (strpos($name, '/') !== false || strpos($name, '\\') !== false)) {
        $path = str_replace('\\', '/', $name);
        $path = ($path[0] === '/' || preg_match('/^[A-Za-z]:\//', $path) === 1) ? $path : __DIR__ . '/' . $path;
        if (kq_inside_web($path)) {
            throw new RuntimeException('the database ' . $path . ' lies inside the web folder, where the web server '
                . 'would serve the learners\' records: name a file outside it in kqconfig.php');
        }
        return $path;
    }
    if ($name !== '' && preg_match('/^[A-Za-z0-9_.-]{1,64}$/', $name) !== 1) {
        throw new RuntimeException('the database name ' . json_encode($name) . ' is not a plain file name');
    }
    $file = $name === '' ? 'corvessa' : $name;
    return kq_data_folder($config) . '/' . (preg_match('/\.(sqlite3?|db)$/i', $file) === 1 ? $file : $file . '.sqlite');
}

function kq_db()
{
    static $db = null;
    if ($db !== null) {
        return $db;
    }
    $config = kq_config();
    $options = array(
        PDO::ATTR_ERRMODE => PDO::ERRMODE_EXCEPTION,
        PDO::ATTR_DEFAULT_FETCH_MODE => PDO::FETCH_ASSOC,
        PDO::ATTR_EMULATE_PREPARES => false,
        PDO::ATTR_PERSISTENT => $config['persistent'],
    );
    $user = $config['user'] !== '' ? $config['user'] : null;
    $password = $config['password'] !== '' ? $config['password'] : null;
    if ($config['dsn'] !== '') {
        // A connection string is taken when it is a PDO one of a supported database.
        if (preg_match('/^(sqlite|mysql|pgsql):/', $config['dsn']) !== 1) {
            throw new RuntimeException('the connection string is not one of sqlite:, mysql: or pgsql:');
        }
        $dsn = $config['dsn'];
        if (strpos($dsn, 'sqlite:') === 0 && kq_inside_web(substr($dsn, 7))) {
            throw new RuntimeException('the connection string names a database inside the web folder, where the web '
                . 'server would serve the learners\' records: name a file outside it in kqconfig.php');
        }
    } else {
        $driver = kq_driver($config['type']);
        if ($driver === null) {
            throw new RuntimeException('the database type ' . json_encode($config['type']) . ' is not supported');
        }
        if ($driver === 'sqlite') {
            $dsn = 'sqlite:' . kq_sqlite_path($config);
        } else {
            $host = $config['host'] !== '' ? $config['host'] : 'localhost';
            $port = '';
            if (preg_match('/^(.*):(\d{1,5})$/', $host, $m) === 1) {
                $host = $m[1];
                $port = ';port=' . $m[2];
            }
            $dsn = $driver . ':host=' . $host . $port . ';dbname=' . $config['database'] .
                ($driver === 'mysql' ? ';charset=utf8mb4' : '');
        }
    }
    $db = new PDO($dsn, $user, $password, $options);
    if ($db->getAttribute(PDO::ATTR_DRIVER_NAME) === 'sqlite') {
        $db->exec('PRAGMA busy_timeout = 5000');
    }
    kq_make_tables($db, $config);
    return $db;
}

function kq_make_tables(PDO $db, array $config)
{
    $driver = $db->getAttribute(PDO::ATTR_DRIVER_NAME);
    $key = array(
        'sqlite' => 'INTEGER PRIMARY KEY AUTOINCREMENT',
        'mysql' => 'INTEGER NOT NULL AUTO_INCREMENT PRIMARY KEY',
        'pgsql' => 'SERIAL PRIMARY KEY',
    )[$driver] ?? 'INTEGER PRIMARY KEY';
    $text = $driver === 'mysql' ? 'MEDIUMTEXT' : 'TEXT';
    $t1 = kq_quote_name($db, kq_table_name($config['table1']));
    $t2 = kq_quote_name($db, kq_table_name($config['table2']));
    $db->exec("CREATE TABLE IF NOT EXISTS $t1 (id $key, course VARCHAR(255) NOT NULL, name VARCHAR(255) NOT NULL, " .
              "learner_id VARCHAR(255) NOT NULL, password VARCHAR(255) NOT NULL, score INTEGER NULL, " .
              "status VARCHAR(16) NOT NULL, location VARCHAR(32) NOT NULL, state $text NULL, " .
              "started VARCHAR(32) NOT NULL, updated VARCHAR(32) NOT NULL)");
    $db->exec("CREATE TABLE IF NOT EXISTS $t2 (id $key, course VARCHAR(255) NOT NULL, learner INTEGER NOT NULL, " .
              "screen VARCHAR(32) NOT NULL, question VARCHAR(16) NOT NULL, response $text NOT NULL, " .
              "recorded VARCHAR(32) NOT NULL)");
    // Failed sign-ins, by learner and by address, so that guesses are slowed and the administrator sees them.
    $db->exec('CREATE TABLE IF NOT EXISTS ' . kq_quote_name($db, 'kvx_signin_failures') . ' (id ' . $key . ', ' .
              'who VARCHAR(300) NOT NULL, failures INTEGER NOT NULL, last_failure INTEGER NOT NULL)');
}
