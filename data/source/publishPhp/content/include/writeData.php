<?php
// Keeps the learner's results: POST location (the screen reached), score (0 to 100, or empty), status
// (incomplete, completed, passed or failed) and state (what the course needs to resume, JSON).
require __DIR__ . '/common.php';

kq_post_only();
try {
    $location = kq_field('location', 32);
    $score = kq_field('score', 3);
    $status = kq_field('status', 16);
    $state = kq_field('state', 65000, true);
    if ($location === null || preg_match('/^(\d{1,9}_\d{1,9}[mqf]?)?$/', $location) !== 1 ||
            $score === null || preg_match('/^(\d{1,3})?$/', $score) !== 1 || ($score !== '' && (int)$score > 100) ||
            !in_array($status, array('incomplete', 'completed', 'passed', 'failed'), true) ||
            $state === null || ($state !== '' && json_decode($state) === null)) {
        kq_refuse(400, 'invalid');
    }
    $learner = kq_session_learner(true);
    if ($learner === null) {
        kq_refuse(401, 'signin');
    }
    $statement = kq_db()->prepare('UPDATE ' . kq_table('table1') .
        ' SET score = ?, status = ?, location = ?, state = ?, updated = ? WHERE id = ? AND course = ?');
    $statement->execute(array($score === '' ? null : (int)$score, $status, $location, $state === '' ? null : $state,
                              kq_now(), $learner, kq_config()['course']));
    kq_answer(200, array('ok' => true));
} catch (Throwable $e) {
    kq_fail($e, '');
}
