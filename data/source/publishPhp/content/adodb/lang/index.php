<?php
// The server pages reach the database through PDO (include/kqdb.php); this folder holds nothing to serve.
http_response_code(404);
