#include "platform/StringTable.h"

#include <algorithm>
#include <iterator>

namespace {

struct Entry
{
    int id;
    const char *text; // UTF-8
};

// Kept in ascending order of id: Load() searches it by halves.
constexpr Entry kEntries[] = {
    // Tips of the Publish window's small buttons, by their control ids.
    // The tool tip of the General page's LOM Keywords edit, by its control id.
    {1013, "Separate keywords (phrases) with semi colons"},
    {1527, "Preview published course"},
    {1528, "Open published course's folder"},
    {1529, "Open published course's folder"},
    {1530, "Open published course's folder"},
    {1531, "Open published course's folder"},
    // Tool tip of the part-identification dialog's reduce-to-fit box, by its control id.
    {1612, "If not reduced, large images will display with scroll bars"},
    // Categories of the Settings window, in tree order.
    {10000, "General"},
    {10001, "Themes"},
    {10002, "Background"},
    {10003, "Templates"},
    {10004, "Fonts"},
    {10005, "Graphics"},
    {10006, "Buttons"},
    {10007, "Interactivity"},
    {10008, "Questions"},
    {10009, "Assessment"},
    {10010, "Construction"},
    {10011, "Management"},
    {10012, "Internationalization"},
    // The screen templates of the new-screen dialog, in list order.
    // The Themes page.
    {10200, "Selecting a new theme changes the look of the interface. It does not change the way any of the "
            "interface elements function.  Note that changing themes will also cause default font settings "
            "(Settings>Fonts) to be changed to those defined for the theme."},
    {10201, "Theme to use:"},
    // The Background page.
    {10300, "Background"},
    {10301, "The background color of the screens can be changed. This setting will over ride the background color "
            "set by the current theme."},
    {10302, "Background color:"},
    {10303, "As part of the interface you may, optionally, specify a background image."},
    {10304, "Background image"},
    {10306, "Tile image"},
    {10307, "Logo"},
    {10308, "As part of the interface you may, optionally, specify a logo to appear in the top left corner."},
    // The Templates page: its texts, the list entries and their descriptions.
    {10400, "Selecting a new template changes the layout of text, graphics, and other items."},
    {10401, "Template to use:"},
    {10450, "Graphic top left  - Ctrl+F1"},
    {10451, "Graphic top right  - Ctrl+F2"},
    {10452, "Graphic bottom left  - Ctrl+F3"},
    {10453, "Graphic bottom right  - Ctrl+F4"},
    {10454, "Two graphics - top left, bottom right  - Ctrl+F5"},
    {10455, "Two graphics - top right, bottom left  - Ctrl+F6"},
    {10456, "Graphic top  - Ctrl+F7"},
    {10457, "Graphic left  - Ctrl+F8"},
    {10458, "Graphic bottom  - Ctrl+F9"},
    {10459, "Graphic right  - Ctrl+F10"},
    {10460, "Random from 1 to 10"},
    {10461, "Random from 1 to 6"},
    {10462, "Random from 7 to 10"},
    {10463, "Text only  - Ctrl+F11"},
    {10464, "Blank  - Ctrl+F12"},
    {10470, "An image is placed in the top left sector of the screen.  Two text boxes are also displayed.  The first "
            "text box is displayed in the top right sector while the second is displayed across the lower section of "
            "the screen."},
    {10471, "An image is placed in the top right sector of the screen.  Two text boxes are also displayed.  The first "
            "text box is displayed in the top left sector while the second is displayed across the lower section of "
            "the screen."},
    {10472, "An image is placed in the lower left sector of the screen.  Two text boxes are also displayed.  The first "
            "text box is displayed across the upper section of the screen while the second is displayed in the lower "
            "right sector."},
    {10473, "An image is placed in the lower right sector of the screen.  Two text boxes are also displayed.  The "
            "first text box is displayed across the upper section of the screen while the second is displayed in the "
            "lower left sector."},
    {10474, "Two images are displayed on the screen.   The first in the upper left sector and the second in the lower "
            "right sector.  Two text boxes are also displayed.  The first text box is displayed in the upper right "
            "sector while the second is displayed in the lower left sector."},
    {10475, "Two images are displayed on the screen.   The first in the upper right sector and the second in the lower "
            "left sector.  Two text boxes are also displayed.  The first text box is displayed in the upper left "
            "sector while the second is displayed in the lower right sector."},
    {10476, "An image is centred in the upper section of the screen.  A text box is displayed below across the lower "
            "section of the screen."},
    {10477, "An image is positioned in the left section of the screen.  A text box is displayed down the right "
            "section of the screen."},
    {10478, "An image is centred in the lower section of the screen.  A text box is displayed above across the upper "
            "section of the screen."},
    {10479, "An image is positioned in the right section of the screen.  A text box is displayed down the left "
            "section of the screen."},
    {10480, "The system randomly selects templates from all those specified above such that a variety of templates "
            "are chosen throughout the course."},
    {10481, "The system randomly selects templates from the first six templates specified above such that a variety "
            "of templates are chosen throughout the course."},
    {10482, "The system randomly selects templates from the Graphic top, Graphic left, Graphic bottom and Graphic "
            "right templates, specified above, such that a variety of templates are chosen throughout the course."},
    {10483, "No images are displayed.  A single text box is displayed which takes up the bulk of the working space on "
            "the screen."},
    // The Fonts page.
    {10501, "Select the font (typeface) to use."},
    {10502, "Font"},
    {10503, "Size"},
    {10504, "Sample Text"},
    {10505, "Color"},
    {10506, "If the font you select above is not available on an end user's computer choose the default font "
            "families which can be used instead."},
    {10507, "Note:  changing the theme may also change this font."},
    {10540, "Arial, Helvetica, sans-serif"},
    {10541, "\"Times New Roman\", Times, serif"},
    {10542, "\"Courier New\", Courier, monospace"},
    {10543, "\"Comic Sans MS\", \"Lucida Handwriting\", cursive"},
    // Font faces and the family list of the style sheets.
    {10560, "Arial"},
    {10561, "Arial, Helvetica, sans-serif"},
    {10562, "Verdana"},
    // Label texts the Buttons page offers; each has a picture in every theme.
    // The Graphics page.
    {10600, "Regular Settings"},
    {10601, "Scale graphics to this size:"},
    {10602, "Small"},
    {10603, "Medium"},
    {10604, "Large"},
    {10605, "Random"},
    {10606, "Include graphics from source document"},
    {10607, "Add a border to JPG images"},
    {10608, "Black"},
    {10609, "Bevelled"},
    {10610, "Library Graphics"},
    {10611, "Automatically add graphics from library"},
    {10612, "Graphic type(s) to include:"},
    {10613, "Color photos"},
    {10614, "B/W photos"},
    {10615, "Photo objects"},
    {10616, "Clip art"},
    {10617, "Select from matching graphics randomly"},
    {10618, "Prioritise library graphics into categories"},
    {10619, "Set..."},
    // Texts of the Buttons page.
    {10622, "Buttons and Labels"},
    {10623, "Select which navigation button controls are visible and set their labels."},
    {10624, "Next"},
    {10625, "Back"},
    {10626, "Menu"},
    {10627, "Quit"},
    {10628, "Time between screens"},
    {10629, "seconds"},
    {10630, "Progress Bar"},
    {10631, "Evaluate"},
    {10632, "Play"},
    {10633, "Stop"},
    {10640, "Next"},
    {10641, "Forward"},
    {10642, "Continue"},
    {10643, "Advance"},
    {10645, "Back"},
    {10646, "Previous"},
    {10647, "Last"},
    {10648, "Backward"},
    {10650, "Menu"},
    {10651, "Home"},
    {10653, "Quit"},
    {10654, "Exit"},
    {10655, "Finished"},
    {10656, "End"},
    {10658, "Done"},
    {10659, "Finish"},
    {10660, "Submit"},
    {10661, "Check"},
    {10662, "Evaluate"},
    {10664, "Play"},
    {10665, "Start"},
    {10667, "Stop"},
    {10668, "Pause"},
    // Labels of the navigation buttons.
    {10681, "Next"},
    {10682, "Back"},
    {10683, "Menu"},
    {10684, "Quit"},
    {10685, "Done"},
    {10686, "Play"},
    {10687, "Stop"},
    // The LMS tab's "Compatible with:" entries; the manifest can declare the package extension of the second.
    {10688, "Default"},
    {10689, "SumTotal"},
    // The Interactivity, Questions and Assessment pages.
    {10700, "What response should attempt of a question be given?"},
    {10701, "Show correct answer after question attempt"},
    {10702, "Allow multiple attempts to answer question"},
    {10703, "Should each attempt of a question be given feedback?"},
    {10704, "Provide feedback for each question"},
    {10705, "Edit default feedback..."},
    {10706, "To prevent the user from continuing without attempting a question you can choose to disable the 'Next' button."},
    {10707, "Disable 'Next' button"},
    {10708, "Question attempts can be evaluated when the user clicks an 'Evaluate' button."},
    {10709, "Include 'Evaluate' button"},
    {10714, "No response"},
    {10800, "Corvessa can automatically create drag and drop questions, when you import an entire document, in which the user completes a paragraph by dragging \"missing\" words into position."},
    {10801, "Automatically create 'Complete the Paragraph' questions"},
    {10802, "On average how often are questions to be created:"},
    {10803, "Every"},
    {10804, "screens"},
    {10805, "words 'missing' per question"},
    {10806, "Should the number of screens between questions be randomized  - while maintaining the total number of questions?"},
    {10808, "If the last topic is designed as an assessment then Corvessa can offer various options:"},
    {10809, "Last topic, or the linear course, is the assessment"},
    {10810, "Show correct answer after question attempt (if answered incorrectly)"},
    {10811, "Provide feedback for each question"},
    {10812, "Edit default feedback..."},
    {10813, "Set a time limit"},
    {10814, "seconds"},
    {10816, "Set the number of questions to present from the total pool of questions"},
    {10817, "questions"},
    {10818, "Set a percentage pass mark"},
    {10819, "%"},
    {10820, "Present questions in random order"},
    {10821, "Present multiple choice question options in random order"},
    {10824, "Disable one or more navigation controls to prevent users from continuing without attempting any questions."},
    {10825, "Disable 'Next' button"},
    {10826, "Disable 'Back' button"},
    {10827, "Disable 'Menu' button"},
    // Texts of the final performance screens.
    {10828, "Assessment Results\n\n{date} {name}\n\nIn {coursename}, you attempted {judgedquestions} of "
            "{totalquestions} questions.  You answered {totalcorrect} correctly.  Your final result is {totalscore}%."},
    {10829, "Assessment Results\n\n{date}  {name}\n\nWell done, you have passed this course. In {coursename}, you "
            "attempted {judgedquestions} of {totalquestions} questions.  You answered {totalcorrect} correctly.  "
            "Your final result is {totalscore}%.  "},
    {10830, "Assessment Results\n\n{date} {name}\n\nIn {coursename}, you attempted {judgedquestions} of "
            "{totalquestions} questions.  You answered {totalcorrect} correctly.  Your final result is "
            "{totalscore}%.  As you haven't reached the minimum required passmark of {passmark}%, you should "
            "repeat the course, reattempting all questions."},
    // The Construction page.
    {10900, "Corvessa can automatically create objective screens for each topic when you import an entire "
            "document, though you will need to complete them."},
    {10901, "Create objective screens"},
    {10902, "A warning can be provided if the average ratio of questions to content drops below a recommended level."},
    {10903, "Display warning"},
    {10905, "screens of content between questions"},
    {10906, "New screens can be created from specific points in your document."},
    {10907, "Create new screen"},
    {10908, "When manual page breaks encountered"},
    {10909, "When Word headings encountered"},
    // The LMS tab of the Management page.
    {11000, "Corvessa can create SCORM compliant content that can communicate with a SCORM conformant LMS."},
    {11001, "Metadata for a SCORM course is to be set at Settings > General > Advanced"},
    // Database types of the web database's PHP technology: display names, then driver keys by position.
    {11500, "ADO - Generic"},
    {11501, "DB2"},
    {11502, "Firebird"},
    {11503, "FrontBase"},
    {11504, "Microsoft Access - ADO"},
    {11505, "Microsoft Access - ODBC"},
    {11506, "Microsoft SQL Server - ADO"},
    {11507, "Microsoft SQL Server - ODBC"},
    {11508, "Microsoft SQL Server 7 and later"},
    {11509, "Microsoft SQL Server - Portable"},
    {11510, "Microsoft Visual FoxPro"},
    {11511, "Informix 7.2 and earlier"},
    {11512, "Informix 7.3 and later"},
    {11513, "Interbase 6 and earlier"},
    {11514, "MySQL"},
    {11515, "MySQL - Transaction support"},
    {11516, "ODBC - Generic"},
    {11517, "ODBTP - Generic"},
    {11518, "ODBTP - Unicode"},
    {11519, "Oracle 7"},
    {11520, "Oracle 8.0.5"},
    {11521, "Oracel 8/9"},
    {11522, "Oracle 8/9 - Portable"},
    {11523, "Oracle - ODBC"},
    {11524, "PostgreSQL - Generic"},
    {11525, "PostgreSQL 6.4"},
    {11526, "PostgreSQL 7"},
    {11527, "PostgreSQL 8"},
    {11528, "Sybase SQL Anywhere"},
    {11529, "Sybase"},
    {11530, "ado"},
    {11531, "db2"},
    {11532, "firebird"},
    {11533, "fbsql"},
    {11534, "ado_access"},
    {11535, "access"},
    {11536, "ado_mssql"},
    {11537, "odbc_mssql"},
    {11538, "mssql"},
    {11539, "mssqlpo"},
    {11540, "vfp"},
    {11541, "informix72"},
    {11542, "informix"},
    {11543, "ibase"},
    {11544, "mysql"},
    {11545, "mysqlt"},
    {11546, "odbc"},
    {11547, "odbtp"},
    {11548, "odbtp_unicode"},
    {11549, "oracle"},
    {11550, "oci805"},
    {11551, "oci8"},
    {11552, "oci8po"},
    {11553, "odbc_oracle"},
    {11554, "postgre"},
    {11555, "postgre64"},
    {11556, "postgre7"},
    {11557, "postgre8"},
    {11558, "sqlanywhere"},
    {11559, "sybase"},
    // "Set priorities" of the graphics-library categories.
    {15001, "Click and add categories in the order that you most want Corvessa to use it is when automatically "
            "generating images for your courseware screens. Note that Corvessa will still choose images from other "
            "categories if it does not find a satisfactory match within the nominated categories."},
    {15002, "Available categories"},
    {15003, "Selected categories"},
    {15004, "Add"},
    {15005, "Remove"},
    {15006, "Move up"},
    {15007, "Move down"},
    // Categories of the graphics library, in the order the author sees them.
    {15019, "Abstracts & Backgrounds"},
    {15020, "Agriculture & Industry"},
    {15021, "Architecture"},
    {15022, "Business, Commerce & Trade"},
    {15023, "Education"},
    {15024, "Food & Beverages"},
    {15025, "Health & Safety"},
    {15026, "Holiday & Special Occasions"},
    {15027, "House & Home"},
    {15028, "Lifestyles & Cultures"},
    {15029, "Nature"},
    {15030, "People"},
    {15031, "Religion, Myth & Fantasy"},
    {15032, "Science & Technology"},
    {15033, "Signs & Symbols"},
    {15034, "Social Issues & Government"},
    {15035, "Sports & Leisure"},
    {15036, "Transportation"},
    {15037, "Travel & Tourism"},
    {15038, "Wildlife & Animals"},
    {15039, "All"},
    // The Publish window's prompt and the description of each kind of publishing.
    {25000, "Click on a button below to publish your course."},
    {25020, "Standalone\n\nCourseware published as standalone may be run across the Internet, a Local Area Network, "
            "or on a local computer. It does not allow for any data capturing. An Index.HTA file is provided for users "
            "who are running Microsoft Windows XP Service Pack 2 or higher and intend to run the course locally. "
            "(Typically users would run the Index.HTM file to launch the course.)\n"},
    {25021, "Local Area Network (LAN) based database\n\nCorvessa allows you to create a course that will connect to a "
            "database on your local computer or LAN. Currently, the connection to a database on a local computer or a "
            "LAN is only supported with Internet Explorer running under Microsoft Windows."},
    {25022, "Web-based Database\n\nIf you are intending to run your courseware from a web server then you may capture "
            "data, from the course, to a web-based database."},
    {25023, "Learning Management System\n\nThis option allows you to publish your courseware as a SCO that is SCORM "
            "compliant and may be run within a SCORM conformant LMS."},
    // An LMS lesson is made from the web-based database course published just before it.
    {25030, "The lesson folder was not made, because the web-based database course it is made from\n"
            "could not be published."},
    // Default question feedback.
    {30001, "Correct answer feedback"},
    {30002, "Yes, that is the correct answer."},
    {30003, "Wrong answer feedback"},
    {30004, "No, the correct answer is now shown."},
    // The Edit window's picture commands.
    {35001, "You must select a screen before inserting a new graphic."},
    {35002, "Please select an image."},
    // A further document imported from the Edit window.
    {35003, "Import document(s) completed"},
    // Placeholder text of new text boxes.
    {35004, "Click and add text."},
    // The graphics-library pickers.
    {35005, "Please select a graphic."},
    // Deleting from the outline.
    {35006, "This folder cannot be deleted as it still has content.  First delete all the contents."},
    {35007, "Are you sure you want to delete this screen?"},
    // Asked before an output folder that holds files is emptied.
    {35008, "The folder %1 already exists and may contain files.\nDo you want to remove any existing files and continue?"},
    // Outcome of a publish.
    {35009, "Publish has completed successfully to:\n\n%1"},
    // Default instructions of the question dialogs and their checks.
    {35010, "Click and drag these words to the correct location to complete the paragraph below."},
    {35011, "Type the missing words in the paragraph below."},
    {35012, "Click on each item and then on the match in the next column."},
    {35050, "Question stem can not be empty."},
    {35051, "You must enter at least one option."},
    {35052, "You must select at least one correct answer."},
    {35053, "You must enter at least one match pair."},
    {35054, "There is a missing matching pair."},
    {35055, "You must select an image file."},
    {35056, "Instructional design experts generally recommend questions which\nrequire student to process information at "
            "least every %1 screens.\n\nWould you like to add more questions?"},
    {35057, "No screen to publish."},
    {35061, "Failed to publish the project."},
    // The document importers.
    {35065, "The maximum of 5 options is exceeded.\nAdditional options will be ignored."},
    {35067, "The embedded URL text cannot be empty"},
    {35068, "Import Glossary document(s) completed - %1 glossary items created."},
    {35069, "Import document(s) and Glossary completed - %1 glossary items created."},
    // Messages of the project document.
    {40100, "%1\nis not a project file. Projects are files ending in .kvx."},
    {40101, "Cannot open the file\n%1\n%2"},
    {40102, "Cannot save the project\n%1\n%2"},
    {40103, "The project\n%1\ncould be read only in part (%2).\nWhat could be read is shown. Saving asks for a new "
            "name, so the file on disk stays as it is."},
    {40104, "The project's international profile could not be written to\n%1"},
    {40105, "No backup of the project could be made in\n%1\n%2\nThe project has not been saved."},
    {40106, "The auto-backup settings could not be written to\n%1"},
    // Messages of single-screen files.
    {40120, "The screen file\n%1\ncould not be read (%2).\nNothing was inserted."},
    {40121, "Cannot save the screen to\n%1\n%2"},
    // The application's title, its idle status text and the graphics-library index messages.
    {57344, "Corvessa 4"},
    {57345, "Ready"},
    {57346, "Failed to create XML DOM object."},
    {57347, "Failed to load the XML file: "},
    // Size and position panes of the status bar at rest.
    {59143, "0, 0"},
    {59144, "0, 0"},
    // Asked before a link to a screen that no longer exists is deleted.
    {61446, "A link was found on Screen \"%1\" which points to a screen which cannot be found.\n"
            "Should the link be deleted?"},
    // Find and replace.
    {61447, "No more matches were found.\nContinue the search from the beginning of this page?"},
    {61448, "No more matches were found.\nContinue the search from the beginning of this project?"},
    {61449, "%1 replacements were made."},
    // File filters of the question and document dialogs.
    {61451, "AudioFile (*.aif,*.au,*.mid,*.mp3,*.rm,*.wav,*.wma)|*.aif;*.au;*.mid;*.mp3;*.rm;*.wav;*.wma;||"},
    {61452, "Video File (*.avi,*.mov,*.mpg,*.rm,*.wmv)|*.avi;*.mov;*.mpg;*.rm;*.wmv||"},
    {61453, "Flash File (*.swf)|*.swf||"},
    {61454, "Animated GIF File (*.gif)|*.gif||"},
    {61455, "Acrobat File (*.pdf)|*.pdf||"},
    {61456, "All Available (*.doc,*.docx,*.ppt,*.pptx,*.rtf,*.txt)|*.doc;*.docx;*.ppt;*.pptx;*.rtf;*.txt||"},
    {61460, "Picture Files (*.bmp,*.gif,*.jpg,*.jpeg,*.png,*.wmf)|*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.wmf|All Files (*.*)|*.*||"},
    // The outline page's drag buttons.
    {61461, "Drag and drop this icon onto\r\nthe tree to create a new container"},
    {61462, "Drag and drop this icon onto\r\nthe tree to create a new remediation"},
    // File filters of the Flash video dialog.
    {61463, "Flash Video Files (*.flv,*.mov)|*.flv;*.mov||"},
    {61464, "Picture Files (*.gif,*.jpg,*.jpeg*.png)|*.gif;*.jpg;*.jpeg;*.png||"},
    // The heading of the General page's LOM panel.
    {61465, "Advanced: Learning Object Metadata (LOM) Editor - for use with a SCORM Compliant Learning Management "
            "System"},
    {61466, "Corvessa is unable to read the registry key.\nEither Corvessa has not been installed or installation was "
            "unable to create the registry key."},
    // Checks of the slider question's dialog.
    {61468, "You selected 'Use words as values'\nbut no words have been entered"},
    {61469, "The Start and End values cannot be the same"},
    {61470, "The 'Correct value' is out of range for the values supplied"},
    {61471, "Deleting the Main Menu will change this course into a linear, single topic, course.\nThis action is "
            "irreversible.\nAre you sure you want to continue?"},
    // The help of the Background page's bar settings, shown joined.
    {61479, "Swapping the bars will put the Top bar at the bottom, and the\nNavigation bar at the top, of the course's "
            "window.\n\nHiding a bar means that it will not be displayed to the user.  The\nspace the bar did take up "
            "may still be evident.\n\n"},
    {61480, "Removing the space means that the space the bar did take up will\nnot be evident to the user.\n\nNote:\n"
            "If you hide the Top bar, any custom logo you add will not be visible.\n"},
    {61481, "If you hide the Navigation bar you must provide some way for users to\nmove about the course - either by "
            "creating links on each page or\nsetting a 'time between screens' at:\nSettings > Buttons > Next\n"},
    {61482, "The publish location set in File > Preferences > Publish settings...\ncould not be found.  Please change it "
            "to a valid location so that\npublishing can proceed."},
    // The pan-and-zoom editor: its instructions and the texts of its help buttons.
    {61483, "Instruction:\nResize and position the marquee over the part of the graphic to zoom into."},
    {61484, "Instruction:\nResize and position the marquee to set the initial view of the graphic."},
    {61485, "Instruction:\nPosition the markers to create the path along which the graphic will be panned.\n"
            "Resize and position the marquee to set the initial view of the graphic."},
    {61486, "Instruction:\nThe graphic will fade into view."},
    {61487, "Instruction:\nThe graphic will fade out of view."},
    {61488, "Instruction:\nResize the marquee to set the final size of the graphic."},
    {61489, "Instruction:\nResize the marquee to set the initial size of the graphic."},
    {61500, "Animation Effect\n----------------\n\nDefinition:\nWindow - the area the original graphic occupies.\n\n\n"},
    {61501, "None\nNo effect is applied to the graphic.\n\n"},
    {61502, "Zoom in\nThe nominated area of the graphic will increase in size until it fills the window.\n\n"},
    {61503, "Zoom out\nThe graphic will initially be displayed at a size larger than the window (though only the part "
            "of the graphic within the window is visible) and will decrease in size until it fills the window.\n\n"},
    {61504, "Pan\nA graphic larger than its window is moved so that each marker is displayed in turn at the "
            "\"centre\" of the window.\n\n"},
    {61505, "Grow\nInitially the graphic will be displayed smaller than the window and then grow to fill the "
            "window.\n\n"},
    {61506, "Shrink\nInitially the graphic will fill the window and then shrink to a size smaller than the "
            "window.\n\n"},
    {61507, "Fade in\nThe initially invisibile graphic will gradually fade into view.\n\n"},
    {61508, "Fade out\nThe graphic will gradually fade from view.\n\n"},
    {61509, "Note, no part of a graphic is displayed outside of its \"window\".\n"},
    {61510, "Acceleration\n------------\n\nTypically the resizing, panning or fading (the animation) of a graphic "
            "happens at a constant rate.\nBy selecting an acceleration you can change that.\n\n\n"},
    {61511, "None\nThe animation happens at a constant rate.\n\n"},
    {61512, "Fast start, slow at end\nThe animation appears to slow towards the end of the animation.\n\n"},
    {61513, "Slow start, fast at end\nThe animation appears to speed up towards the end of the animation.\n\n"},
    {61514, "Slow start, fast mid, slow end\nThe animation appears to speed up during the middle of the animation."},
    {61515, "Options\n-------\n\n\n"},
    {61516, "Time to wait before starting (seconds)\nHow many seconds to wait (delay) before starting the "
            "animation.\n\n"},
    {61517, "User mouse click starts animation\nThe animation will not begin until the user clicks on the "
            "image.\n\n"},
    {61518, "Image title text\nThis is a HTML image attribute and offers advisory information about the image. "
            "Often browsers display this information as a tool tip over the image.\n\n"},
    {61519, "Time to complete animation (seconds)\nThe number of seconds the animation is to take to complete."},
    {61522, "Panning\n-------\n\n"},
    {61523, "For the panning effect there are some options available:\n\n\n"},
    {61524, "Pan graphic by dragging it\nNo automated panning occurs. Instead the user may pan about the graphic "
            "by click and dragging on it.\n\n"},
    {61525, "Pan graphic with scrollbars\nNo automated panning occurs. Instead the user may pan about the graphic "
            "by using the scrollbars that will appear on it.\n\n"},
    {61526, "Allow automated panning\nThe user has no control over the panning as it will run automatically.\n\n"},
    {61527, "Number of path markers\nYou may specify up to 12 markers to which the graphic will be panned.\n\n"},
    {61528, "Time to wait at each marker (seconds)\nHow many seconds to wait at a marker before proceeding to "
            "the next marker."},
    {61529, "Instruction:\nResize the marquee to set the size of the graphic."},
    {61530, "Instruction:\nResize the marquee to set the size of the graphic."},
    {61531, "Time to Pan to markers (seconds)\nThe time it will take to move to each marker.\n\n"},
};

// Entries come from every part of the program; a number out of order would hide its neighbours from Load().
static_assert(std::adjacent_find(std::begin(kEntries), std::end(kEntries),
                                 [](const Entry &a, const Entry &b) { return a.id >= b.id; }) == std::end(kEntries),
              "string table entries must be in strictly ascending order of id");

const Entry *Find(int id)
{
    const auto it = std::lower_bound(std::begin(kEntries), std::end(kEntries), id,
                                     [](const Entry &e, int key) { return e.id < key; });
    return it != std::end(kEntries) && it->id == id ? it : nullptr;
}

} // namespace

QString CStringTable::Load(int id)
{
    const Entry *e = Find(id);
    return e ? QString::fromUtf8(e->text) : QString();
}

bool CStringTable::Has(int id) { return Find(id) != nullptr; }
