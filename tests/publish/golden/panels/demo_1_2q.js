kvx.updatePage({
"nonordinary": false,
"currentpage": "1_2q",
"pagename": "Sea birds",
"scriptstorun": ["cpObj.question()"],
"contents":	"<div id='panelsmall'>" +
"<div id='upperpanel'>&nbsp;</div>" +
"<div id='upperpanelsmall'>" +
    "<p class='stem'>" +
"Drag the words into the gaps. Gulls nest on cliffs" +
"</p>" +
"</div>" +
"</div>" +
"<div id='drag0' class='drag'>nest</div>" +
"<div id='drag1' class='drag'>fish</div>" +
"<div id='drag2' class='drag'>Go to the quiz</div>" +
"<div id='panellower'>" +
"<div id='lowerpanel'>" +
"<div class='question2'>" +
"Gulls <div id='target0' class='cpTarget'>&nbsp;</div>on cliffs<br>and terns <div id='target1' class='cpTarget'>&nbsp;</div>on <div id='target2' class='cpTarget'>&nbsp;</div>" +
"</div>" +
"<a id='done' title='submit response'></a>" +
"</div>" +
"</div>"
});
