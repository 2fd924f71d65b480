<?php
// Keeps the text a learner wrote in a free-form question: POST screen (the screen's id), question (the
// question's two-letter number) and text.
require __DIR__ . '/common.php';

kq_post_only();
try {
    $screen = kq_field('screen', 32);
    $question = kq_field('question', 16);
    $text = kq_field('text', 65000, true);
    if ($screen === null || preg_match('/^\d{1,9}_\d{1,9}[mqf]?$/', $screen) !== 1 ||
            $question === null || preg_match('/^[A-Za-z0-9]{0,8}$/', $question) !== 1 || $text === null) {
        kq_refuse(400, 'invalid');
    }
    $learner = kq_session_learner(true);
    if ($learner === null) {
        kq_refuse(401, 'signin');
    }
    $statement = kq_db()->prepare('INSERT INTO ' . kq_table('table2') .
        ' (course, learner, screen, question, response, recorded) VALUES (?, ?, ?, ?, ?, ?)');
    $statement->execute(array(kq_config()['course'], $learner, $screen, $question, $text, kq_now()));
    kq_answer(200, array('ok' => true));
} catch (Throwable $e) {
    kq_fail($e, '');
}
