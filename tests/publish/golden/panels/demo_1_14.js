kvx.updatePage({
"nonordinary": false,
"currentpage": "1_14",
"pagename": "Movies",
"scriptstorun": ["kvxObj.swfQ = new CustomObj('swf')"],
"contents":	"<div class='kvxMedia' style='position:absolute; left:10px; top:10px; width:235px; height:120px;'>" +
"<video class='kvxVideo' src='media/Sea.mpg' width='235' height='120' preload='metadata'" +
" data-autostart='false' data-loop='false' data-controls='false'></video>" +
"</div>" + 
"<div class='kvxMedia' style='position:absolute; left:255px; top:10px; width:235px; height:120px;'>" +
"<video class='kvxVideo' src='media/Sea.avi' width='235' height='120' preload='metadata'" +
" data-autostart='false' data-loop='false' data-controls='false'></video>" +
"</div>" + 
"<div class='kvxMedia' style='position:absolute; left:500px; top:10px; width:235px; height:120px;'>" +
"<video class='kvxVideo' src='media/Sea.mov' width='235' height='120' preload='metadata'" +
" data-autostart='false' data-loop='false' data-controls='false'></video>" +
"</div>" + 
"<div class='kvxMedia' style='position:absolute; left:745px; top:10px; width:235px; height:120px;'>" +
"<object type='video/x-ms-wvx' data='media/Sea.wvx' width='235' height='120'>" +
"<param name='url' value='media/Sea.wvx'><param name='autoStart' value='false'>" +
"<param name='playCount' value='1'><param name='uiMode' value='none'></object>" +
"</div>" + 
"<div class='kvxMedia' style='position:absolute; left:10px; top:140px; width:235px; height:120px;'>" +
"<object type='audio/x-pn-realaudio-plugin' data='media/Sea.rm' width='235' height='120'>" +
"<param name='src' value='media/Sea.rm'><param name='controls' value='imageWindow'>" +
"<param name='autostart' value='false'><param name='loop' value='false'></object>" +
"</div>" + 
"<div class='kvxMedia' style='position:absolute; left:255px; top:140px; width:235px; height:120px;'>" +
"<object type='application/pdf' data='media/Guide.pdf#toolbar=0&scrollbar=0&navpanes=0'" +
" width='235' height='120'><a href='media/Guide.pdf'>media/Guide.pdf</a></object>" +
"</div>" + 
"<div class='kvxMedia' style='position:absolute; left:500px; top:140px; width:235px; height:120px;'>" +
"<img src='media/Flap.gif' width='235' height='120' alt=''>" +
"</div>" + 
"<div class='kvxMedia' style='position:absolute; left:745px; top:140px; width:235px; height:120px;'>" +
"<object type='application/x-shockwave-flash' data='media/Intro.swf' width='235' height='120' data-version='8'>" +
"<param name='movie' value='media/Intro.swf'><param name='play' value='false'><param name='loop' value='false'>" +
"<param name='wmode' value=''><param name='bgcolor' value='#FFFFFF'><param name='flashvars' value=''></object>" +
"</div>" + 
"<div class='kvxFlashQuestion' style='position:absolute; left:10px; top:270px; width:235px; height:120px;'>" +
"<object type='application/x-shockwave-flash' data='media/questions/Quiz.swf' width='235' height='120' data-version='8'>" +
"<param name='movie' value='media/questions/Quiz.swf'><param name='wmode' value=''>" +
"<param name='bgcolor' value='#FFFFFF'><param name='flashvars' value=''></object>" +
"</div>" + 
"<div id='flv17694975' class='kvxFlashVideo' style='position:absolute; left:255px; top:270px; width:320px; height:240px; background:#FFFFFF;'>" +
"<video src='media/Harbour Tour.flv' poster='media/Harbour.jpg' width='320' height='240' preload='metadata'" +
" data-autostart='false' data-volume='60' data-sounds='true' data-fullscreen='true'" +
" data-no-middle-button='false' data-autohide='true' data-version='8'" +
" data-bar='#0066FF' data-bar-shadow='#91BBFB' data-sound-bar='#0066FF'></video>" +
"</div>" + 
"<div id='flv17695305' class='kvxFlashVideo' style='position:absolute; left:585px; top:270px; width:320px; height:240px; background:#FFFFFF;'>" +
"<video src='media/Gone.flv' poster='media/x.gif' width='320' height='240' preload='metadata'" +
" data-autostart='false' data-volume='60' data-sounds='true' data-fullscreen='true'" +
" data-no-middle-button='false' data-autohide='true' data-version='8'" +
" data-bar='#0066FF' data-bar-shadow='#91BBFB' data-sound-bar='#0066FF'></video>" +
"</div>" + 
"<div style='position:absolute; left:10px; top:400px;'><iframe width='235' height='150' src='https://video.example/embed/x2'></iframe></div>"
});
