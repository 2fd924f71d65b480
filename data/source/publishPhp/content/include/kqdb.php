<?php
// The course's database through PDO: SQLite in a file beside the server pages unless the configuration
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

// The SQLite file: the configured database (a path, or a name for a file in the data folder), else
// corvessa.sqlite in the data folder. The data folder is kept from the web server's listing and serving.
function kq_sqlite_path(array $config)
{
    $folder = __DIR__ . '/data';
    $name = $config['database'];
    if ($name !== '' && (strpos($name, '/') !== false || strpos($name, '\\') !== false)) {
        $path = str_replace('\\', '/', $name);
        return ($path[0] === '/' || preg_match('/^[A-Za-z]:\//', $path) === 1) ? $path : __DIR__ . '/' . $path;
    }
    if ($name !== '' && preg_match('/^[A-Za-z0-9_.-]{1,64}$/', $name) !== 1) {
        throw new RuntimeException('the database name ' . json_encode($name) . ' is not a plain file name');
    }
    if (!is_dir($folder)) {
        if (!mkdir($folder, 0770, true) && !is_dir($folder)) {
            throw new RuntimeException('the data folder cannot be made');
        }
        file_put_contents($folder . '/.htaccess', "Require all denied\nDeny from all\n");
        file_put_contents($folder . '/index.php', "<?php\nhttp_response_code(404);\n");
    }
    $file = $name === '' ? 'corvessa' : $name;
    return $folder . '/' . (preg_match('/\.(sqlite3?|db)$/i', $file) === 1 ? $file : $file . '.sqlite');
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
}
