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
    {1527, "Preview published course"},
    {1528, "Open published course's folder"},
    {1529, "Open published course's folder"},
    {1530, "Open published course's folder"},
    {1531, "Open published course's folder"},
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
    // The LMS whose package extension the manifest can declare.
    {10689, "SumTotal"},
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
    {30002, "Yes, that is the correct answer."},
    {30004, "No, the correct answer is now shown."},
    // Placeholder text of new text boxes.
    {35004, "Click and add text."},
    // Deleting from the outline.
    {35006, "This folder cannot be deleted as it still has content.  First delete all the contents."},
    {35007, "Are you sure you want to delete this screen?"},
    // Asked before an output folder that holds files is emptied.
    {35008, "The folder %1 already exists and may contain files.\nDo you want to remove any existing files and continue?"},
    // Outcome of a publish.
    {35009, "Publish has completed successfully to:\n\n%1"},
    {35056, "Instructional design experts generally recommend questions which\nrequire student to process information at "
            "least every %1 screens.\n\nWould you like to add more questions?"},
    {35057, "No screen to publish."},
    {35061, "Failed to publish the project."},
    // The document importers.
    {35065, "The maximum of 5 options is exceeded.\nAdditional options will be ignored."},
    {35068, "Import Glossary document(s) completed - %1 glossary items created."},
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
    // The outline page's drag buttons.
    {61461, "Drag and drop this icon onto\r\nthe tree to create a new container"},
    {61462, "Drag and drop this icon onto\r\nthe tree to create a new remediation"},
    {61466, "Corvessa is unable to read the registry key.\nEither Corvessa has not been installed or installation was "
            "unable to create the registry key."},
    {61471, "Deleting the Main Menu will change this course into a linear, single topic, course.\nThis action is "
            "irreversible.\nAre you sure you want to continue?"},
    {61482, "The publish location set in File > Preferences > Publish settings...\ncould not be found.  Please change it "
            "to a valid location so that\npublishing can proceed."},
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
