/* Corvessa course run-time: the start page (index.htm). */
// Shows the course details the options ask for, and starts with the sign-in page when the course asks
// learners to sign in.
(function () {
	"use strict";
	if (typeof kvxPrefs === "undefined") {
		return;
	}
	var show = kvxPrefs.indexDisplay || [];
	var details = [
		["kvxCourseCode", kvxPrefs.courseCode, show[1]],
		["kvxCourseAuthor", kvxPrefs.courseAuthor, show[2]],
		["kvxCourseDate", kvxPrefs.courseDate, show[3]],
		["kvxCourseDesc", kvxPrefs.courseDesc, show[4]]
	];
	details.forEach(function (detail) {
		var element = document.getElementById(detail[0]);
		if (element && detail[1] && detail[2]) {
			element.textContent = detail[1];
			element.hidden = false;
		}
	});
	// An LMS signs its learners in itself: its package goes straight into the course.
	if (kvxPrefs.signin && !kvxPrefs.LMS) {
		/** @type {HTMLAnchorElement} */ (document.getElementById("kvxStartLink")).href = "content/signin.htm";
	}
	// In an LMS package this is the page the LMS launches: the session opens now, whatever the learner does.
	if (window.kvxRuntime && kvxRuntime.lms) {
		kvxRuntime.lms.launchPage(document.getElementById("kvxStartLink"));
	}
}());
