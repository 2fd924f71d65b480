kvx.updatePage({
"nonordinary": false,
"currentpage": "1_13",
"pagename": "Sounds",
"scriptstorun": [],
"contents":	"<a id='play0' class='play' style='left:10px; top:10px;' title='play audio'></a>" + 
"<audio id='kvxAudio0' class='kvxAudio' preload='auto' data-autostart='true' data-loop='false'>" +
"<source src='media/Waves.mp3' type='audio/mpeg'></audio>" + 
"<a id='stop0' class='stop' style='left:70px; top:10px;' title='stop audio'></a>" + 
"<audio id='kvxAudio1' class='kvxAudio' preload='auto' data-autostart='true' data-loop='false'>" +
"<source src='media/Gull.wav' type='audio/x-wav'></audio>" + 
"<object id='kvxAudio2' class='kvxAudio' type='audio/x-pn-realaudio-plugin' data='media/Call.ra' width='0' height='0'>" +
"<param name='src' value='media/Call.ra'><param name='autostart' value='true'>" +
"<param name='loop' value='false'></object>"
});
