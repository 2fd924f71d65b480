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
    // Default question feedback.
    {30002, "Yes, that is the correct answer."},
    {30004, "No, the correct answer is now shown."},
    // Placeholder text of new text boxes.
    {35004, "Click and add text."},
    // Asked before an output folder that holds files is emptied.
    {35008, "The folder %1 already exists and may contain files.\nDo you want to remove any existing files and continue?"},
    // Outcome of a publish.
    {35009, "Publish has completed successfully to:\n\n%1"},
    {35057, "No screen to publish."},
    {35061, "Failed to publish the project."},
    // Messages of the project document.
    {40100, "%1\nis not a project file. Projects are files ending in .kvx."},
    {40101, "Cannot open the file\n%1\n%2"},
    {40102, "Cannot save the project\n%1\n%2"},
    {40103, "The project\n%1\ncould be read only in part (%2).\nSave it under a new name to keep the original file."},
    // Asked before a link to a screen that no longer exists is deleted.
    {61446, "A link was found on Screen \"%1\" which points to a screen which cannot be found.\n"
            "Should the link be deleted?"},
};

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
