kvx.updatePage({
"nonordinary": false,
"currentpage": "1_5",
"pagename": "Sounds and movies",
"scriptstorun": ["kvxObj.swfQ = new CustomObj('swf')"],
"contents":	"<a id='play0' class='play' style='left:10px; top:10px;' title='play audio'></a>" + 
"<audio id='kvxAudio0' class='kvxAudio' preload='auto' data-autostart='true' data-loop='false'>" +
"<source src='media/sea.mp3' type='audio/mpeg'></audio>" + 
"<a id='stop0' class='stop' style='left:70px; top:10px;' title='stop audio'></a>" + 
"<audio id='kvxAudio1' class='kvxAudio' preload='auto' data-autostart='true' data-loop='false'>" +
"<source src='media/gull.wav' type='audio/x-wav'></audio>" + 
"<div class='kvxMedia' style='position:absolute; left:10px; top:60px; width:320px; height:240px;'>" +
"<video class='kvxVideo' src='media/waves.mpg' width='320' height='240' preload='metadata'" +
" data-autostart='false' data-loop='false' data-controls='false'></video>" +
"</div>" + 
"<div class='kvxFlashQuestion' style='position:absolute; left:340px; top:60px; width:320px; height:240px;'>" +
"<object type='application/x-shockwave-flash' data='media/questions/quiz.swf' width='320' height='240' data-version='8'>" +
"<param name='movie' value='media/questions/quiz.swf'><param name='wmode' value=''>" +
"<param name='bgcolor' value='#FFFFFF'><param name='flashvars' value=''></object>" +
"</div>"
});
