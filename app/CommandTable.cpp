#include "app/CommandTable.h"

#include "app/CommandIds.h"
#include "model/ComponentType.h"

#include <algorithm>
#include <initializer_list>

using namespace CorvCommand;

namespace CorvCommandTable {

namespace {

using R = Rule;
using C = Check;

const Command kCommands[] = {
    // File
    {FileNew, "&New Project", "Create a new project.\nNew Project", "Ctrl+N", R::always, C::none},
    {FileOpen, "&Open Project...", "Open an existing project.\nOpen Project", "Ctrl+O", R::always, C::none},
    {FileSave, "&Save Project", "Save the project.\nSave Project", "Ctrl+S", R::always, C::none},
    {FileSaveAs, "Save Project &as...", "Save the project under a new name.\nSave Project As", "Ctrl+Shift+S",
     R::always, C::none},
    {PublishStandaloneMenu, "Standalone", "Publish the course to run on its own.\nPublish standalone", "", R::always,
     C::none},
    {PublishLanMenu, "LAN-based database", "Publish the course for a LAN-based database.\nPublish for a LAN", "",
     R::always, C::none},
    {PublishWebMenu, "Web-based database", "Publish the course for a web-based database.\nPublish for the web", "",
     R::always, C::none},
    {PublishLmsMenu, "LMS", "Publish the course as a learning management system package.\nPublish for an LMS", "",
     R::always, C::none},
    {PublishSettings, "&Publish settings...", "Choose the folder each kind of course is published into.\nPublish settings",
     "", R::always, C::none},
    {GraphicsLibraryLocation, "&Set graphics library location...",
     "Choose the folder of the graphics library.\nGraphics library location", "", R::always, C::none},
    {PreviewUsingHtm, "Preview course using the .HTM file",
     "Preview the course through its .HTM start page.\nPreview using the .HTM file", "", R::always,
     C::previewUsingHtm},
    {PublishImagesAtStandardResolution, "Publish images at standard resolution (faster)",
     "Publish pictures at standard resolution, which is faster.\nStandard resolution", "", R::always,
     C::standardResolution},
    {SaveSettingsAsDefault, "Set the &current settings as default",
     "Make the settings of this project the settings of every new project.\nSet settings as default", "",
     R::always, C::none},
    {ResetSettings, "&Reset settings", "New projects start with the built-in settings again.\nReset settings", "",
     R::always, C::none},
    {AutoBackupSettings, "Auto-backup settings...", "Choose whether and how often saving keeps a backup.\nAuto-backup",
     "", R::always, C::none},
    {AppExit, "E&xit", "Quit Corvessa; a project with unsaved changes is asked for first.\nExit", "Ctrl+Q", R::always,
     C::none},
    // Edit
    {EditUndo, "&Undo", "Undo the last change to the selected text.\nUndo", "Ctrl+Z; Alt+Backspace", R::undo, C::none},
    {EditCut, "Cu&t", "Cut the selection to the clipboard.\nCut", "Ctrl+X; Shift+Del", R::cutCopy, C::none},
    {EditCopy, "&Copy", "Copy the selection to the clipboard.\nCopy", "Ctrl+C; Ctrl+Ins", R::cutCopy, C::none},
    {EditPaste, "&Paste", "Insert the contents of the clipboard.\nPaste", "Ctrl+V; Shift+Ins", R::paste, C::none},
    {EditFind, "&Find...", "Find and replace text on the current screen.\nFind", "Ctrl+F", R::editCurrent, C::none},
    // View
    {ViewTabBar, "&Tab bar", "Show or hide the tab bar of the four windows.\nTab bar", "", R::framework, C::framework},
    {ViewStandardBar, "Stan&dard toolbar", "Show or hide the standard toolbar.\nStandard toolbar", "", R::always,
     C::framework},
    {ViewFormattingBar, "&Formatting and drawing toolbar",
     "Show or hide the formatting and drawing toolbar of the Edit window.\nFormatting and drawing toolbar", "",
     R::always, C::framework},
    {ViewSorter, "S&orter", "Show or hide the screen sorter of the Edit window.\nSorter", "", R::always, C::sorter},
    {ViewEditBar, "&Edit toolbar", "Show or hide the edit toolbar of the Edit window.\nEdit toolbar", "", R::always,
     C::framework},
    {ViewBackground, "&Background", "Show or hide the screen background in the Edit window.\nBackground", "",
     R::editCurrent, C::background},
    {ViewGrid, "&Grid", "Show or hide the grid in the Edit window.\nGrid", "", R::editCurrent, C::grid},
    {ViewStatusBar, "&Status Bar", "Show or hide the status bar.\nStatus bar", "", R::framework, C::framework},
    // Insert
    {NewScreen, "New Screen...", "Add a new screen to the course.\nNew screen", "F5", R::screenAllowed, C::none},
    {NewDocument, "New Document...", "Import a new document into the course.\nNew document", "F6", R::newDocument,
     C::none},
    {InsertCompleteParagraph, "Complete the paragraph...", "Insert a complete-the-paragraph question.\nComplete the paragraph",
     "Ctrl+Shift+F1; Ctrl+Alt+F1", R::questionAllowed, C::none},
    {InsertFillBlanks, "Fill in the blanks...", "Insert a fill-in-the-blanks question.\nFill in the blanks",
     "Ctrl+Shift+F2; Ctrl+Alt+F2", R::questionAllowed, C::none},
    {InsertMatchPairs, "Match the pairs...", "Insert a match-the-pairs question.\nMatch the pairs", "Ctrl+Shift+F3; Ctrl+Alt+F3",
     R::questionAllowed, C::none},
    {InsertMultipleChoice, "Multiple choice...", "Insert a multiple-choice question.\nMultiple choice", "Ctrl+Shift+F4; Ctrl+Alt+F4",
     R::questionAllowed, C::none},
    {InsertTrueFalse, "True false...", "Insert a true-or-false question.\nTrue false", "Ctrl+Shift+F5; Ctrl+Alt+F5",
     R::questionAllowed, C::none},
    {InsertPartIdentification, "Part identification...", "Insert a part-identification question.\nPart identification",
     "Ctrl+Shift+F6; Ctrl+Alt+F6", R::questionAllowed, C::none},
    {InsertFreeFormText, "Free form text...", "Insert a free-form text question.\nFree form text", "Ctrl+Shift+F7; Ctrl+Alt+F7",
     R::questionAllowed, C::none},
    {InsertFlashQuestion, "Flash question...", "Insert a Flash question.\nFlash question", "Ctrl+Shift+F8; Ctrl+Alt+F8",
     R::questionAllowed, C::none},
    {InsertLikert, "Likert (slider) question ...", "Insert a Likert (slider) question.\nLikert question", "Ctrl+Shift+F9; Ctrl+Alt+F9",
     R::questionAllowed, C::none},
    {InsertLibraryItems, "Library item(s)...", "Insert items saved to the library.\nLibrary items", "",
     R::screenAllowed, C::none},
    {AddHtmlTextBox, "Insert HTML Text box", "Insert an HTML text box to the current screen.\nInsert HTML text box", "",
     R::editOrdinary, C::none},
    // Tools
    {ToolsAddTable, "Add &table...", "Add a table to the current screen.\nAdd table", "", R::editOrdinary, C::none},
    {MediaAudio, "Audio", "Add audio to the current screen.\nAudio", "", R::media, C::none},
    {MediaVideo, "Video", "Add a video to the current screen.\nVideo", "", R::media, C::none},
    {MediaYouTube, "YouTube", "Add a YouTube video to the current screen.\nYouTube", "", R::media, C::none},
    {MediaFlash, "Flash", "Add a Flash movie to the current screen.\nFlash", "", R::media, C::none},
    {MediaFlashVideo, "Flash video", "Add a Flash video to the current screen.\nFlash video", "", R::flashVideo,
     C::none},
    {MediaAnimatedGif, "Animated GIF", "Add an animated GIF to the current screen.\nAnimated GIF", "", R::media,
     C::none},
    {MediaAcrobat, "Acrobat", "Add an Acrobat document to the current screen.\nAcrobat", "", R::media, C::none},
    {RecordNarration, "Record narration", "Record narration\nRecord narration", "", R::media, C::none},
    {ToolsAddLink, "Add &link...", "Link the selection to a screen, a file or a web page.\nAdd link", "", R::menuLink,
     C::none},
    {AddGraphicFromFile, "Add graphic from file...", "Add a graphic from a file.\nAdd graphic from file", "",
     R::editOrdinary, C::none},
    {AddGraphicFromLibrary, "Add graphic from library...", "Add a graphic from the graphics library.\nAdd graphic from library",
     "", R::editOrdinary, C::none},
    {ReplaceGraphicFromFile, "Replace graphic from file...", "Replace the selected graphic from a file.\nReplace from file",
     "", R::editOrdinary, C::none},
    {ReplaceGraphicFromLibrary, "Replace graphic from library...",
     "Replace the selected graphic from the graphics library.\nReplace from library", "", R::editOrdinary, C::none},
    {ReplaceAltText, "Replace alt. text...", "Replace the alternative text of the selected graphic.\nAlt. text", "",
     R::editOrdinary, C::none},
    {Keywords, "Keywords...", "Edit the keywords of the selected graphic.\nKeywords", "", R::editOrdinary, C::none},
    {KenBurnsEffect, "Ken Burns effect...", "Pan and zoom over the selected graphic.\nKen Burns effect", "",
     R::editOrdinary, C::none},
    {AddFinalPerformanceScreens, "Add final &performance screens",
     "Add the screens of the final performance assessment.\nFinal performance screens", "", R::noAssessment, C::none},
    {AddPopupsOnlyFolder, "Add popups only folder", "Add the folder of popup screens.\nPopups only folder", "",
     R::noPopupsFolder, C::none},
    {AddGlossaryFolder, "Add glossary folder", "Add the folder of glossary screens.\nGlossary folder", "",
     R::noGlossaryFolder, C::none},
    {SaveToLibrary, "Save to Library...", "Save items of the current screen to the library.\nSave to library", "",
     R::editScreen, C::none},
    {SpellProject, "Entire project", "Check the spelling of the entire project.\nSpell check project", "",
     R::editCurrent, C::none},
    {SpellCurrentScreen, "Current screen", "Check the spelling of the current screen.\nSpell check screen", "",
     R::editCurrent, C::none},
    {LanguageAmerican, "English/American", "Check spelling in American English.\nEnglish/American", "", R::always,
     C::language},
    {LanguageCanadian, "English/Canadian", "Check spelling in Canadian English.\nEnglish/Canadian", "", R::always,
     C::language},
    {LanguageUk, "English/UK", "Check spelling in British English.\nEnglish/UK", "", R::always, C::language},
    {EditRemediation, "&Edit remeditation...", "Edit the remediation of the current screen.\nEdit remediation", "",
     R::remediation, C::none},
    // Views, Windows and Help
    {ModeSettings, "Settings", "Show the Settings window.\nSettings", "", R::framework, C::none},
    {ModeImport, "Import", "Show the Import window.\nImport", "", R::framework, C::none},
    {ModeEdit, "Edit", "Show the Edit window.\nEdit", "", R::framework, C::none},
    {ModePublish, "Publish", "Show the Publish window.\nPublish", "", R::framework, C::none},
    {WindowSettings, "1. Settings", "Show the Settings window.\nSettings", "Ctrl+1", R::framework, C::none},
    {WindowImport, "2. Import", "Show the Import window.\nImport", "Ctrl+2", R::framework, C::none},
    {WindowEdit, "3. Edit", "Show the Edit window.\nEdit", "Ctrl+3", R::framework, C::none},
    {WindowPublish, "4. Publish", "Show the Publish window.\nPublish", "Ctrl+4", R::framework, C::none},
    {WindowPreview, "Preview", "Preview the current screen in the browser.\nPreview", "F12", R::editOrdinary, C::none},
    {AppHelp, "&Corvessa Help", "Open the help of Corvessa.\nHelp", "F1", R::always, C::none},
    {AppAbout, "&About Corvessa...", "Show the program's version and copyright.\nAbout", "", R::always, C::none},
    // Buttons of the bars only
    {AddTextBox, nullptr, "Insert a text box to the current screen.\nInsert textbox", "", R::ordinary, C::none},
    {FontName, nullptr, "Change the font name of the selected text.\nFont  name", "", R::textSelection, C::none},
    {FontSize, nullptr, "Change size of selected font.\nFont size", "", R::textSelection, C::none},
    {Bold, nullptr, "Make selected text bold.\nBold", "", R::textSelection, C::none},
    {Italic, nullptr, "Make selected text italic.\nItalic", "", R::textSelection, C::none},
    {Underline, nullptr, "Make selected text underline.\nUnderline", "", R::textSelection, C::none},
    {Strikeout, nullptr, "Strikeout selected text.\nStrikeout", "", R::textSelection, C::none},
    {TextColour, nullptr, "Change color of selected text.\nText color", "", R::textSelection, C::none},
    {Bulleting, nullptr, "Bulleted list on/off\nBulleting", "", R::textSelection, C::none},
    {Numbering, nullptr, "Numbered list on/off\nNumbering", "", R::textSelection, C::none},
    {DecreaseIndent, nullptr, "Decrease text indentation\nDecrease indent", "", R::textSelection, C::none},
    {IncreaseIndent, nullptr, "Increase text indentation\nIncrease indent", "", R::textSelection, C::none},
    {AlignLeft, nullptr, "Align text left\nAlign left", "", R::textSelection, C::none},
    {AlignCentre, nullptr, "Centre text\nCentre", "", R::textSelection, C::none},
    {AlignRight, nullptr, "Align text right\nAlign right", "", R::textSelection, C::none},
    {Justify, nullptr, "Justify text\nJustify", "", R::textSelection, C::none},
    {DrawLine, nullptr, "Draw a new line.\nLine", "", R::ordinary, C::lineTool},
    {DrawRectangle, nullptr, "Draw a new rectangle.\nRectangle", "", R::ordinary, C::rectangleTool},
    {DrawCircle, nullptr, "Draw a new circle.\nCircle", "", R::ordinary, C::circleTool},
    {FillColour, nullptr, "Change the fill color of the selected shape.\nFill Color", "", R::filledShape, C::none},
    {LineColour, nullptr, "Change the line color of the selected shape.\nLine Color", "", R::outlinedShape, C::none},
    {LineStyle, nullptr, "Change the line style of the selected shape.\nLine Style", "", R::outlinedShape, C::none},
    {AddScreenMenu, nullptr, "Add screen.\nAdd screen", "", R::always, C::none},
    {AddQuestionMenu, nullptr, "Add a question to the current screen.\nAdd question", "", R::questionScreen, C::none},
    {EditQuestion, nullptr, "Edit the question of the current screen.\nEdit question", "", R::questionPage, C::none},
    {AddTable, nullptr, "Add a table to the current screen.\nAdd table", "", R::ordinary, C::none},
    {AddMediaMenu, nullptr, "Add audio, video or other media to the current screen.\nAdd media", "", R::ordinary,
     C::none},
    {EditGraphicMenu, nullptr, "Add or replace a graphic on the current screen.\nEdit graphic", "", R::ordinary,
     C::none},
    {AddLink, nullptr, "Link the selection to a screen, a file or a web page.\nAdd link", "", R::barLink, C::none},
    {PreviewScreen, nullptr, "Preview the current screen in the browser.\nPreview", "", R::ordinary, C::none},
};

const MenuLine kMenuBar[] = {
    {0, 0, "&File"},
    {1, FileNew, nullptr}, {1, FileOpen, nullptr}, {1, FileSave, nullptr}, {1, FileSaveAs, nullptr},
    {1, 0, nullptr}, {1, kRecentFilesLine, nullptr},
    {1, 0, "Publish"},
    {2, PublishStandaloneMenu, nullptr}, {2, PublishLanMenu, nullptr}, {2, PublishWebMenu, nullptr},
    {2, PublishLmsMenu, nullptr},
    {1, 0, "&Preferences"},
    {2, PublishSettings, nullptr}, {2, GraphicsLibraryLocation, nullptr}, {2, PreviewUsingHtm, nullptr},
    {2, PublishImagesAtStandardResolution, nullptr}, {2, 0, nullptr}, {2, SaveSettingsAsDefault, nullptr},
    {2, ResetSettings, nullptr}, {2, 0, nullptr}, {2, AutoBackupSettings, nullptr},
    {1, 0, nullptr}, {1, AppExit, nullptr},
    {0, 0, "&Edit"},
    {1, EditUndo, nullptr}, {1, 0, nullptr}, {1, EditCut, nullptr}, {1, EditCopy, nullptr}, {1, EditPaste, nullptr},
    {1, 0, nullptr}, {1, EditFind, nullptr},
    {0, 0, "&View"},
    {1, ViewTabBar, nullptr}, {1, ViewStandardBar, nullptr}, {1, 0, nullptr}, {1, ViewFormattingBar, nullptr},
    {1, ViewSorter, nullptr}, {1, ViewEditBar, nullptr}, {1, ViewBackground, nullptr}, {1, ViewGrid, nullptr},
    {1, 0, nullptr}, {1, ViewStatusBar, nullptr},
    {0, 0, "&Insert"},
    {1, NewScreen, nullptr}, {1, NewDocument, nullptr},
    {1, 0, "Question"},
    {2, InsertCompleteParagraph, nullptr}, {2, InsertFillBlanks, nullptr}, {2, InsertMatchPairs, nullptr},
    {2, InsertMultipleChoice, nullptr}, {2, InsertTrueFalse, nullptr}, {2, InsertPartIdentification, nullptr},
    {2, InsertFreeFormText, nullptr}, {2, InsertFlashQuestion, nullptr}, {2, InsertLikert, nullptr},
    {1, InsertLibraryItems, nullptr}, {1, AddHtmlTextBox, nullptr},
    {0, 0, "&Tools"},
    {1, ToolsAddTable, nullptr},
    {1, 0, "Add &media"},
    {2, MediaAudio, nullptr}, {2, MediaVideo, nullptr}, {2, MediaYouTube, nullptr}, {2, MediaFlash, nullptr},
    {2, MediaFlashVideo, nullptr}, {2, MediaAnimatedGif, nullptr}, {2, MediaAcrobat, nullptr},
    {2, RecordNarration, nullptr},
    {1, ToolsAddLink, nullptr},
    {1, 0, "Add/Replace &graphics"},
    {2, AddGraphicFromFile, nullptr}, {2, AddGraphicFromLibrary, nullptr}, {2, 0, nullptr},
    {2, ReplaceGraphicFromFile, nullptr}, {2, ReplaceGraphicFromLibrary, nullptr}, {2, 0, nullptr},
    {2, ReplaceAltText, nullptr}, {2, Keywords, nullptr}, {2, 0, nullptr}, {2, KenBurnsEffect, nullptr},
    {1, 0, nullptr},
    {1, AddFinalPerformanceScreens, nullptr}, {1, AddPopupsOnlyFolder, nullptr}, {1, AddGlossaryFolder, nullptr},
    {1, 0, nullptr}, {1, SaveToLibrary, nullptr}, {1, 0, nullptr},
    {1, 0, "Spelling"},
    {2, SpellProject, nullptr}, {2, SpellCurrentScreen, nullptr}, {2, 0, nullptr},
    {2, 0, "Language"},
    {3, LanguageAmerican, nullptr}, {3, LanguageCanadian, nullptr}, {3, LanguageUk, nullptr},
    {1, 0, nullptr}, {1, EditRemediation, nullptr},
    {0, 0, "&Windows"},
    {1, WindowSettings, nullptr}, {1, WindowImport, nullptr}, {1, WindowEdit, nullptr}, {1, WindowPublish, nullptr},
    {1, 0, nullptr}, {1, WindowPreview, nullptr},
    {0, 0, "&Help"},
    {1, AppHelp, nullptr}, {1, AppAbout, nullptr},
};

bool Selected(const CUiState &s, std::initializer_list<int> types)
{
    return std::find(types.begin(), types.end(), s.selectedType) != types.end();
}

bool Ordinary(const CUiState &s) { return s.hasCurrentScreen && IsOrdinaryScreenType(s.screenType); }

bool ScreenOfType(const CUiState &s, std::initializer_list<int> types)
{
    return s.hasCurrentScreen && std::find(types.begin(), types.end(), s.screenType) != types.end();
}

bool TextSelected(const CUiState &s) { return Selected(s, {ct_textbox, ct_html_editor}); }

} // namespace

std::span<const Command> Commands() { return kCommands; }

std::span<const MenuLine> MenuBar() { return kMenuBar; }

const Command *Find(int commandId)
{
    for (const Command &c : kCommands)
        if (c.id == commandId)
            return &c;
    return nullptr;
}

bool IsOrdinaryScreenType(int pageType) { return pageType != 1 && pageType != 7 && pageType != 8 && pageType != 9; }

bool IsEnabled(const Command &command, const CUiState &s)
{
    const bool edit = s.currentViewIndex == 2;
    switch (command.enabled) {
    case Rule::always:
    case Rule::framework: return true;
    case Rule::editCurrent: return edit;
    case Rule::undo: return edit && s.hasCurrentScreen && TextSelected(s) && s.selectionCanUndo;
    case Rule::cutCopy:
        return edit && s.hasCurrentScreen && Selected(s, {ct_textbox, ct_html_editor, ct_image, ct_video, ct_audio});
    case Rule::paste: return edit && s.hasCurrentScreen && (TextSelected(s) || s.holdsCopiedComponent);
    case Rule::screenAllowed: return edit && s.canAddScreenHere;
    case Rule::newDocument: return edit && s.importPending == 0;
    case Rule::questionAllowed: return edit && ScreenOfType(s, {1, 2, 3});
    case Rule::editOrdinary: return edit && Ordinary(s);
    case Rule::media: return edit && (!s.hasCurrentScreen || Ordinary(s));
    case Rule::flashVideo: return edit && (!s.hasCurrentScreen || (s.screenType != 1 && s.screenType != 8));
    case Rule::menuLink: return edit && Ordinary(s) && Selected(s, {ct_textbox, ct_html_editor, ct_image});
    case Rule::noAssessment: return !s.hasAssessmentPages;
    case Rule::noPopupsFolder: return !s.hasPopupsOnlyFolder;
    case Rule::noGlossaryFolder: return !s.hasGlossaryFolder;
    case Rule::editScreen: return edit && s.hasCurrentScreen;
    case Rule::remediation: return ScreenOfType(s, {8});
    case Rule::questionScreen: return ScreenOfType(s, {1, 2, 3});
    case Rule::questionPage: return ScreenOfType(s, {3});
    case Rule::ordinary: return Ordinary(s);
    case Rule::barLink: return Ordinary(s) && Selected(s, {ct_textbox, ct_html_editor, ct_table, ct_image});
    case Rule::textSelection: return s.hasCurrentScreen && Selected(s, {ct_textbox, ct_table, ct_html_editor});
    case Rule::filledShape: return Ordinary(s) && Selected(s, {ct_ellipse, ct_rectangle});
    case Rule::outlinedShape: return Ordinary(s) && Selected(s, {ct_ellipse, ct_line, ct_rectangle});
    }
    return false;
}

bool IsChecked(const Command &command, const CUiState &s)
{
    const bool edit = s.currentViewIndex == 2;
    switch (command.checked) {
    case Check::none:
    case Check::framework: return false;
    case Check::previewUsingHtm: return s.previewUsingHtm != 0;
    case Check::standardResolution: return s.publishImagesAtStandardResolution != 0;
    case Check::sorter: return s.showSorter == 1;
    case Check::background: return edit && s.showBackground != 0;
    case Check::grid: return edit && s.showGrid != 0;
    case Check::language: return s.dictionaryLanguage == command.id;
    case Check::lineTool: return s.lineToolArmed;
    case Check::rectangleTool: return s.rectangleToolArmed;
    case Check::circleTool: return s.circleToolArmed;
    }
    return false;
}

ClipboardAction Dispatch(int commandId, const CUiState &s)
{
    using A = ClipboardAction;
    if (s.currentViewIndex != 2 || !s.hasCurrentScreen)
        return A::none;
    const bool component = Selected(s, {ct_textbox, ct_html_editor, ct_image, ct_video, ct_audio});
    switch (commandId) {
    case EditUndo:
        if (s.selectedType == ct_textbox)
            return A::undoText;
        return s.selectedType == ct_html_editor ? A::undoHtml : A::none;
    case EditCut: return component ? A::cutComponent : A::none;
    case EditCopy:
        if (s.selectedType == ct_html_editor)
            return A::copySelectedText;
        return component ? A::copyComponent : A::none;
    case EditPaste:
        if (s.selectedType == ct_textbox)
            return A::pasteText;
        if (s.holdsCopiedComponent)
            return A::pasteComponent;
        return s.selectedType == ct_html_editor ? A::pasteText : A::none;
    default: return A::none;
    }
}

} // namespace CorvCommandTable
