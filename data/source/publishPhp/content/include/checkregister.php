<?php
// Registers a new learner and signs them in: POST name, id, pwd and pwd2 (those the course asks for).
require __DIR__ . '/common.php';

kq_post_only();
try {
    $config = kq_config();
    $refusal = kq_message('register', $config['errorRegister'], 'The registration could not be completed.');
    $credentials = kq_credentials($config, $refusal);
    if ($config['pwdRequired'] && kq_field('pwd2', 200) !== $credentials['pwd']) {
        kq_refuse(400, 'mismatch', $refusal);
    }
    if (count(kq_find_learner($credentials)) > 0) {
        kq_refuse(409, 'exists', $refusal);
    }
    $id = kq_add_learner($credentials);
    kq_sign_in(array('id' => $id));
    kq_answer(200, array('ok' => true, 'name' => $credentials['name'], 'id' => $credentials['id'], 'location' => '', 'state' => ''));
} catch (Throwable $e) {
    kq_fail($e, kq_message('register', kq_config_message('errorRegister'), 'The registration could not be completed.'));
}
