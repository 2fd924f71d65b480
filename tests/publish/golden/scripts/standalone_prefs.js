// Options used by the course
var kvx = {};
var kvxAssessScore = {};
var kvxFdbck = {};
var kvxMem = {};
var kvxObj = {};
var kvxPrefs = {};
var kvxRandom = {};
var kvxTopBg, kvxTop, kvxMain, kvxNavBg, kvxNav, kvxUser;
kvxObj.version = 4;
kvxObj.kvxname = "";
kvxObj.kvxID = "";
kvxObj.kvxpwd = "";
kvxObj.progBarWidth = 398;
kvxObj.btnDoneHeight = 47;
kvxObj.btnPlayStopHeight = 47;
kvxObj.timerOffSet = 37;
// The colour of the line in Match the Pairs questions
kvxObj.lineColour = "#7A1F1F";
// The colour of the shadow line in Match the Pairs questions
kvxObj.lineShadow = "#B8A98C";
kvxPrefs.winSize = [1008, 680];
kvxPrefs.mainMenuOnlyListMenu = false;
kvxPrefs.mainMenuDontAllowImages = false;
kvxObj.background = "168-184-187-172-199-212-223-229-201-216-224-208-159-186-182-179-161-198-226-227-204-212-223-170-180-188-177-172-215-152-208-225-201-217-";

kvxPrefs.title = "Sea birds";
kvxPrefs.menuTitles = ["Getting started", "Sea birds", "Final test"];
kvxPrefs.menuTitlesTopDisplay = ["Topic 1: Getting started", "Topic 2: Sea birds", "Topic 3: Final test"];
kvxPrefs.menuPictures = ["", "", ""];

kvxPrefs.navTitles = ["", "", "", ""];
kvxPrefs.intDefaultFdbck = ["No, the correct answer is now shown.", "Yes, that is the correct answer."];
kvxPrefs.assDefaultFdbck = ["No, the correct answer is now shown.", "Yes, that is the correct answer."];

kvxPrefs.fps = ["1_15","1_16"];
/* custom feedback for specific questions */


kvxFdbck["1_6q"] = ["Look again at the gulls.", "Yes, that is the correct answer."];




kvxObj.projectPrefix = "demo";
kvxObj.projectSuf = ".htm";

kvxObj.projectType = "standalone";
// image type (generally)
kvxObj.imgExt = ".png";

//
/* General */
kvxPrefs.courseName = "Sea birds";
kvxPrefs.courseCode = "SB-1";
kvxPrefs.courseDesc = "Gulls, terns and skuas";
kvxPrefs.courseKeywords = "";
kvxPrefs.courseAuthor = "R. Petrel";
kvxPrefs.courseDate = "2024";
kvxPrefs.indexDisplay = [1,1,1,1,1];
kvxPrefs.courseObjectives = "";
kvxPrefs.courseAudience = "";
// Is it a single topic course: [true, false]
kvxPrefs.singleTopic = false;
kvxPrefs.mainFontSize = 75;
kvxPrefs.fontSizeBtnsVisible = false;

// Background
kvxPrefs.swapTopNavBars = false;
kvxPrefs.hideTopBar = false;
kvxPrefs.collapseTopBar = false;
kvxPrefs.hideNavBar = false;
kvxPrefs.collapseNavBar = false;
//
// Buttons
kvxPrefs.nextVisible = true;
kvxPrefs.nextTime = null;
kvxPrefs.backVisible = true;
kvxPrefs.menuVisible = true;
kvxPrefs.quitVisible = true;
kvxPrefs.progressVisible = true;

//
// Interactivity
kvxPrefs.showCorrect = true;
kvxPrefs.multiAttempt = false;
kvxPrefs.showFeedback = true;
kvxPrefs.nextEnabled = false;
// Is the done button visible during a question [true, false] default true
kvxPrefs.doneVisible = true;

kvxPrefs.useMCToggleBtn = true;

// which topics have assessable questions
// [topic zero, one, two, three,...]
kvxPrefs.assessable = [0,0,1,0];

// Assessment
// Is the last topic an assessment
kvxPrefs.assessment = true;
//
kvxPrefs.assessShowCorrect = false;
kvxPrefs.assessFeedback = false;
kvxPrefs.assessTimeLimit = false;
kvxPrefs.assessTimeEach = null;
kvxPrefs.assessTimeAll = null;
kvxPrefs.showTimeRemaining = true;
kvxPrefs.assessNumQuestions = null;
kvxPrefs.assessPassMark = 80;
kvxPrefs.assessRandom = true;
kvxPrefs.assessOptionsRandom = true;
// limit the number of assessment attempts (0 is no limit)
kvxPrefs.assessTryLimit = 0;
//
// can a user go backwards from a question to a non-question
// by default, no (false)
kvxPrefs.assessPrevToNonQuestion = false;
kvxPrefs.assessNextEnabled = true;
kvxPrefs.assessBackEnabled = false;
kvxPrefs.assessMenuEnabled = true;
kvxPrefs.assessDoneVisible = true;

// Can the state of questions be remembered
// They will only be remembered if: it's an assessment; it's not timed per question;
// the correct answer is not shown; feedback is not given; and, the Done button is visible
kvxPrefs.assessMemory = false;
if (kvxPrefs.assessment && 
   !kvxPrefs.assessTimeEach && 
   !kvxPrefs.assessShowCorrect && 
   !kvxPrefs.assessFeedback && 
   kvxPrefs.assessDoneVisible) {
	   kvxPrefs.assessMemory = true;
}
// Management
kvxPrefs.signin = false;
kvxPrefs.selfRegister = false;
kvxPrefs.reqUsername = true;
kvxPrefs.labelName = "Name";
kvxPrefs.reqID = true;
kvxPrefs.labelID = "ID";
kvxPrefs.reqPwd = true;
kvxPrefs.labelPwd = "Password";
kvxPrefs.labelPwd2 = "Re-enter Password";
// do you want data recorded
kvxPrefs.record = false;
// email
kvxPrefs.sendEmail = false;
kvxPrefs.email = "Enter email address here";
// local db
kvxPrefs.localDB = false;
kvxPrefs.table = "";
// web db
kvxPrefs.webDB = false;
// Connected to SCORM LMS
kvxPrefs.LMS = false;
kvxPrefs.LMSversion = 12;
// Once a SCO is passed and the score
//cannot be changed by the SCO
kvxPrefs.LMSProtectPassedStatus = false;
// resume
kvxPrefs.allowResume = false;

/////////////
//Outline
//////////////////
kvxPrefs.outline 				    = {};
kvxPrefs.outline.activate 			    = false;
kvxPrefs.outline.win 				= null;
kvxPrefs.outline.label 					= "OUTLINE";
kvxPrefs.outline.closeOnSelect 			= false;
kvxPrefs.outline.width                    = 300;
kvxPrefs.outline.height                   = 560;
kvxPrefs.outline.left 					= "12px";
kvxPrefs.outline.top 					    = "4px";
kvxPrefs.outline.font 					= "Arial";
kvxPrefs.outline.fontSize 			    = "10px";
kvxPrefs.outline.weight					= "bold";
kvxPrefs.outline.color 					= "";
kvxPrefs.outline.button					= false;
kvxPrefs.outline.assessVisible					= true;
kvxPrefs.nextBtnDelay                     = 0;
kvxPrefs.completeTopicsInOrder            = false;
kvxPrefs.autoProgress                     = false;
kvxPrefs.autoProgressTest = false;
kvxPrefs.autoProgressOnDone = false;
kvxPrefs.autoProgressOnDoneTest = false;
kvxPrefs.expiry = {};
kvxPrefs.expiry.isSet   = true;
kvxPrefs.expiry.day   = 1;
kvxPrefs.expiry.month = 1;
kvxPrefs.expiry.year  = 2026;
kvxPrefs.expiry.msg   = "This course has now expired";
kvxPrefs.noNextAtTopicEnd = false;
kvxPrefs.cmiExit = "suspend";
kvxPrefs.hasGlossary					= true;
kvxPrefs.glossaryLabel = "Glossary";
kvxPrefs.assessGlossaryVisible				= false;
kvxPrefs.hasHelp						= true;
kvxPrefs.helpLabel = "Help";
kvxPrefs.helpScreen = "1000_18";
kvxPrefs.assessHelpVisible					= false;
kvxPrefs.rtl = false;
kvxPrefs.Ostrelle = (kvxObj.projectType == "ostrelle");
