#pragma once

// What the main frame's command rules look at, taken afresh before a menu opens and after each command:
// the visible view, the Edit window's current screen and selection, the course's folders and the settings
// the menus tick. Filled by the frame from the application, the document and the Edit window; tests fill it
// by hand.
struct CUiState
{
    int currentViewIndex = 0;
    // The Edit window's current screen and its page type.
    bool hasCurrentScreen = false;
    int screenType = 0;
    // The component type selected on the canvas; -1 for none.
    int selectedType = -1;
    // The selected text box or HTML editor can undo its last change.
    bool selectionCanUndo = false;
    // The Edit window holds a cut or copied component.
    bool holdsCopiedComponent = false;
    // The Edit window can add a screen where its outline selection is.
    bool canAddScreenHere = false;
    int importPending = 0;
    // The outline holds an assessment folder, container or screen (types 4, 5, 6); the popups-only and the
    // glossary folder exist.
    bool hasAssessmentPages = false;
    bool hasPopupsOnlyFolder = false;
    bool hasGlossaryFolder = false;
    int dictionaryLanguage = 0;
    int previewUsingHtm = 0;
    int publishImagesAtStandardResolution = 0;
    int showSorter = 0;
    int showBackground = 0;
    int showGrid = 0;
    bool lineToolArmed = false;
    bool rectangleToolArmed = false;
    bool circleToolArmed = false;
};
