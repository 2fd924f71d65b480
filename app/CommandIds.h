#pragma once

// Command numbers of the main frame's menus, bars and keys. Views, bars and tests name commands by them.
namespace CorvCommand {
enum : int {
    // File
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    FileMruFirst = 57616,
    AppExit = 57665,
    PublishStandaloneMenu = 32981,
    PublishLanMenu = 32982,
    PublishWebMenu = 32983,
    PublishLmsMenu = 32984,
    // Edit
    EditUndo = 57643,
    EditCut = 57635,
    EditCopy = 57634,
    EditPaste = 57637,
    EditFind = 57636,
    // View
    ViewTabBar = 59392,
    ViewStandardBar = 32888,
    ViewFormattingBar = 32889,
    ViewEditBar = 32890,
    ViewStatusBar = 59393,
    // The four main views: mode bar, aliases, Windows menu.
    ModeSettings = 32775,
    ModeImport = 32776,
    ModeEdit = 32777,
    ModePublish = 32778,
    AliasSettings = 32771,
    AliasPublish = 32774,
    WindowSettings = 32911,
    WindowImport = 32912,
    WindowEdit = 32913,
    WindowPublish = 32914,
    // Help
    AppAbout = 57664,
    // Buttons of the Publish window that the Publish menu presses.
    PublishStandaloneButton = 1160,
    PublishLanButton = 1386,
    PublishWebButton = 1161,
    PublishLmsButton = 1162,
    // Spelling
    SpellCurrentScreen = 32948,
    SpellProject = 32947,
    RecordNarration = 32954,
    // Formatting bar
    AddTextBox = 32784,
    FontName = 32828,
    FontSize = 33078,
    Bold = 32829,
    Italic = 32819,
    Underline = 32821,
    Strikeout = 33072,
    TextColour = 33077,
    Bulleting = 32886,
    Numbering = 32992,
    DecreaseIndent = 33028,
    IncreaseIndent = 33029,
    AlignLeft = 33034,
    AlignCentre = 33035,
    AlignRight = 33037,
    Justify = 33044,
    DrawLine = 32820,
    DrawRectangle = 32830,
    DrawCircle = 32833,
    FillColour = 32837,
    LineColour = 32838,
    LineStyle = 32839,
    // Edit bar
    AddScreenMenu = 1194,
    AddQuestionMenu = 1195,
    EditQuestion = 32782,
    AddTable = 32783,
    AddMediaMenu = 32785,
    EditGraphicMenu = 32786,
    AddLink = 32787,
    PreviewScreen = 32789,
};
} // namespace CorvCommand
