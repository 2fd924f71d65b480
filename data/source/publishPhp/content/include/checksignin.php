<?php
// Signs a learner in: POST name, id and pwd (those the course asks for). The same answer comes for an
// unknown learner and a wrong password, and a refusal takes a moment, so that names cannot be probed;
// repeated failures by learner or by address make the next attempts wait (common.php).
require __DIR__ . '/common.php';

kq_post_only();
try {
    $config = kq_config();
    $refusal = kq_message('signin', $config['errorSignIn'], 'The sign-in details are not correct.');
    $credentials = kq_credentials($config, $refusal);
    if (kq_signin_wait($credentials) > 0) {
        usleep(300000);
        kq_refuse(429, 'throttled', kq_message('signinwait', '',
            'There have been too many failed attempts to sign in. Please wait a few minutes and try again.'));
    }
    foreach (kq_find_learner($credentials) as $row) {
        $stored = (string)$row['password'];
        $matches = $config['pwdRequired'] ? ($stored !== '' && password_verify($credentials['pwd'], $stored)) : true;
        if ($matches) {
            kq_signin_succeeded($credentials);
            kq_sign_in($row);
            $update = kq_db()->prepare('UPDATE ' . kq_table('table1') . ' SET updated = ? WHERE id = ?');
            $update->execute(array(kq_now(), (int)$row['id']));
            kq_answer(200, kq_learner_answer($row));
        }
    }
    kq_signin_failed($credentials);
    usleep(300000);
    kq_refuse(403, 'refused', $refusal);
} catch (Throwable $e) {
    kq_fail($e, kq_message('signin', kq_config_message('errorSignIn'), 'The sign-in details are not correct.'));
}
