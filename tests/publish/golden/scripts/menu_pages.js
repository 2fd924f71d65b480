var p = [];
p[0] = [];
p[0][0] = ["0_0m"];
p[0][1] = ["1_1","1_2","1_3q"];
p[0][2] = ["1_1","1_5","1_6q","1_10"];
p[0][3] = ["1_6q","1_8","1_9"];
p[0][4] = ["0_0m","1_13q"];
p[0][5] = ["0_0m","1_14q"];
var quest = {};
quest["1_3q"] = "97-143-95-161-98-";
quest["1_3q"] = "147-200-154-172-157-192-165-216-150-139-154-230-157-203-";
quest["1_6q"] = "99-";
quest["1_6q"] = "99-141-107-161-";
quest["1_13q"] = ["152-212-157-159-",["165-196-163-161-","164-202-166-148-"]];
quest["1_14q"] = "97-144-93-100-161-";
// Remediation: a group of screens offered to a student whose score on a set of questions stays below a
// pass mark. Each entry names its group of screens in p ("at" as "[n][m]", and the group itself), the
// question screens that count, the pass mark in percent, the screen after which it is offered (trigger),
// its first screen (start), and the screens to go to on leaving it early (reverseOut) or on completing it
// (completion); "" there means the screen the student was on before the remediation.
var kvxRemediation = [];
kvxRemediation.push({
	num: 0,
	at: "[0][3]",
	group: p[0][3],
	questions: ["1_6q","1_3q"],
	passMark: 80,
	trigger: "1_6q",
	start: "1_8",
	reverseOut: "",
	completion: "1_10"
});
// The remediation groups by block and entry ("n:m"), which the run-time keeps out of the ordinary order.
kvxRemediation.byGroup = {};
kvxRemediation.forEach(function (r) {
	kvxRemediation.byGroup[r.at.slice(1, -1).replace("][", ":")] = r;
});
