kvx.updatePage({
"nonordinary": false,
"currentpage": "1_3q",
"pagename": "Blanks",
"scriptstorun": ["fbObj.question()"],
"contents":	"<div id='panellarge'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanellarge'>" +
    "<p class='stem'>" +
"Type the missing words.</p>" +
"</div>" +
"</div>" +
"<div id='panellower'>" +
"<div id='lowerpanel'>" +
"<div class='question3'>" +
"A young bird is a <input class='in' type='text' name='option0' id='option0'><br>It leaves the nest when it can <input class='in' type='text' name='option1' id='option1'>The end: Gulls nest on cliffs</div>" +
"<a id='done' title='submit response'></a>" +
"</div>" +
"</div>"
});
