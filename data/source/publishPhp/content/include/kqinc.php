<?php
// The learner's record: finding, adding and signing in learners, keeping their results and their texts.
// Every statement is prepared; the values are bound.

function kq_now()
{
    return gmdate('Y-m-d\TH:i:s\Z');
}

function kq_table($which)
{
    $db = kq_db();
    return kq_quote_name($db, kq_table_name(kq_config()[$which]));
}

// The learners of this course with the given name and identifier (each only when the course asks for it).
function kq_find_learner(array $credentials)
{
    $config = kq_config();
    $sql = 'SELECT id, name, learner_id, password, location, state FROM ' . kq_table('table1') . ' WHERE course = ?';
    $values = array($config['course']);
    if ($config['nameRequired'] || !$config['idRequired']) {
        $sql .= ' AND name = ?';
        $values[] = $credentials['name'];
    }
    if ($config['idRequired']) {
        $sql .= ' AND learner_id = ?';
        $values[] = $credentials['id'];
    }
    $statement = kq_db()->prepare($sql . ' ORDER BY id');
    $statement->execute($values);
    return $statement->fetchAll();
}

function kq_add_learner(array $credentials)
{
    $config = kq_config();
    $now = kq_now();
    $hash = $credentials['pwd'] !== '' ? password_hash($credentials['pwd'], PASSWORD_DEFAULT) : '';
    $statement = kq_db()->prepare('INSERT INTO ' . kq_table('table1') .
        ' (course, name, learner_id, password, score, status, location, state, started, updated) VALUES (?, ?, ?, ?, NULL, ?, ?, NULL, ?, ?)');
    $statement->execute(array($config['course'], $credentials['name'], $credentials['id'], $hash, 'incomplete', '', $now, $now));
    return (int)kq_db()->lastInsertId();
}

// The session now belongs to this learner; a new session id guards against fixation.
function kq_sign_in(array $row)
{
    kq_session();
    session_regenerate_id(true);
    $_SESSION['kqLearner'] = (int)$row['id'];
    $_SESSION['kqCourse'] = kq_config()['course'];
}

// The row of the learner of this session, or null. A course without sign-in keeps one anonymous row per
// session when it records results.
function kq_session_learner($create)
{
    kq_session();
    $config = kq_config();
    if (isset($_SESSION['kqLearner'], $_SESSION['kqCourse']) && $_SESSION['kqCourse'] === $config['course']) {
        return (int)$_SESSION['kqLearner'];
    }
    if ($config['signIn'] || !$create) {
        return null;
    }
    $id = kq_add_learner(array('name' => '', 'id' => 'anonymous-' . bin2hex(random_bytes(8)), 'pwd' => ''));
    kq_sign_in(array('id' => $id));
    return $id;
}

function kq_learner_answer(array $row)
{
    return array('ok' => true, 'name' => $row['name'], 'id' => $row['learner_id'], 'location' => (string)$row['location'],
                 'state' => $row['state'] === null ? '' : (string)$row['state']);
}
