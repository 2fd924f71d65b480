<?php
// Settings of the course's database pages, filled in when the course is published.
// Texts stand in single-quoted strings; flags are true or false.

// The connection string, or NULL when the single settings below are used.
$kqDbDsn = {database_DSN};
$kqDbType = '{database_type}';
// 'NULL' when the connection string is used.
$kqDbHost = '{database_host}';
$kqDbUser = '{database_user}';
$kqDbPassword = '{database_password}';
$kqDbDatabase = '{database_database}';
// NULL when the connection string is used.
$kqDbPersistent = {database_persistent};
// The folder of an SQLite database: an absolute path outside the web folder, made on first use. Empty:
// "corvessa-data" beside the web server's document root. The pages refuse a folder inside the web folder.
$kqDataFolder = '';

$kqTable1 = '{table1}';
$kqTable2 = '{table2}';
$kqNameRequired = {name_required};
$kqIdRequired = {id_required};
$kqPwdRequired = {pwd_required};
$kqCourseCode = '{course_code}';
$kqCourseName = '{course_name}';
$kqDbErrorSignIn = '{DBERRORSIGNIN}';
$kqDbErrorRegister = '{DBERRORREGISTER}';
