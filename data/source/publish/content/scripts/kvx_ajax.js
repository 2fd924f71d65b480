/* Corvessa course run-time: requests to the course's server pages.
 *
 * Courses published for a web database send results and texts to their server pages
 * (include/writedata.php and the others) and read answers back. kvxRuntime.ajax.post sends a form
 * and resolves with the answer's text; a failed request or an answer other than 2xx rejects, and a
 * request that takes longer than the time-out is cancelled.
 */
(function (R) {
    "use strict";

    const timeout = 20000;

    function request(url, options) {
        const controller = new AbortController();
        const timer = setTimeout(() => controller.abort(), timeout);
        return fetch(url, Object.assign({ signal: controller.signal, credentials: "same-origin" }, options))
            .then(response => {
                if (!response.ok)
                    throw new Error(url + ": " + response.status);
                return response.text();
            })
            .finally(() => clearTimeout(timer));
    }

    R.ajax = {
        get(url) {
            return request(url, { method: "GET" });
        },
        post(url, fields) {
            const body = new URLSearchParams();
            for (const [k, v] of Object.entries(fields || {}))
                body.append(k, v === undefined || v === null ? "" : String(v));
            return request(url, { method: "POST", body });
        }
    };
})(window.kvxRuntime = window.kvxRuntime || {});
