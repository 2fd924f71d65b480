#pragma once

#include <cstdint>

// Schema numbers of project and single-screen archives, and every gate that compares them. The numbers ran
// 1000001 to 1000008 and then 10000009 onwards, so plain signed comparison is version order. Files are
// always written at the current number; a reader reads a later field only when the file's number passes
// that field's gate. Some gates are written "above n" (component records, a few settings) and others "at
// least n" (the project file's sections and most settings): each constant below says which, and code
// compares through AtLeast and Above, never with a bare number.
namespace ProjectSchema {

constexpr bool AtLeast(int32_t fileSchema, int32_t gate) { return fileSchema >= gate; }
constexpr bool Above(int32_t fileSchema, int32_t gate) { return fileSchema > gate; }

constexpr int32_t kCurrent = 10000047;
// A first int32 at or below this is no schema number but the next screen number of an old file, whose
// schema then counts as this.
constexpr int32_t kNone = 1000000;
constexpr int32_t kFirst = 1000001;

// ---- Component records (read above the gate) ----
// Link records of text boxes and table cells.
constexpr int32_t kLinkPosition = 1000001;
constexpr int32_t kLinkPopup = 10000018;
constexpr int32_t kLinkPopupSize = 10000024;  // full-size flag, popup height and width
constexpr int32_t kLinkNumber = 10000036;
constexpr int32_t kLinkScript = 10000040;
// Audio: autostart, button controls and loop.
constexpr int32_t kAudioControls = 1000005;
// Text box: the reserved int that carries the right-to-left flag.
constexpr int32_t kTextboxRightToLeft = 10000031;
// Table: cell border thickness to cell border colour, and the cell links.
constexpr int32_t kTableCellSettings = 10000038;
// Image: the link's number, its popup size, the animation, the metafile flag.
constexpr int32_t kImageLinkPopup = 10000024;
constexpr int32_t kImageLinkId = 10000036;
constexpr int32_t kImageAnimation = 10000042;
constexpr int32_t kImageMetafile = 10000044;
// Topic buttons: the fitted flag.
constexpr int32_t kTopicButtonFitted = 10000044;
// Video, Flash question and Flash video: play options, window mode, Flash settings, PDF options.
constexpr int32_t kVideoPlayOptions = 1000005;
constexpr int32_t kVideoWindowMode = 1000007;
constexpr int32_t kVideoFlashSettings = 10000018;
constexpr int32_t kVideoPdfOptions = 10000020;
// Multiple choice: the single-answer flag, then the true-or-false form.
constexpr int32_t kMultipleChoiceSingleAnswer = 10000021;
constexpr int32_t kMultipleChoiceTrueFalse = 10000022;
// Match the pairs: the pictures.
constexpr int32_t kMatchPairsPictures = 10000023;
// Part identification: the targets, then the highlight colour.
constexpr int32_t kPartIdentificationTargets = 10000025;
constexpr int32_t kPartIdentificationHighlight = 10000027;

// ---- Rich text kept in the archive (at least) ----
// Older files keep the text of text boxes and table cells in files of their own in the Rtfs folder.
constexpr int32_t kRtfInArchive = 1000004;

// ---- The project file (at least, unless marked above) ----
constexpr int32_t kCourseShowFlags = 1000001;  // the show flags, author and date; also open in the retry pass
constexpr int32_t kScreenNumbers = 1000003;    // screen records carry their number; also open in the retry pass
constexpr int32_t kOutline = 1000005;          // the outline settings
constexpr int32_t kFontSlots = 1000006;        // font slots 1 and 2, the encoding, the next-button delay
constexpr int32_t kDictionaryLanguage = 1000007;
constexpr int32_t kAllowResume = 1000008;      // above
constexpr int32_t kExpiry = 10000010;
constexpr int32_t kLms = 10000011;             // SCORM or Ostrelle, the lesson folder
constexpr int32_t kSecondTables = 10000012;    // the second LAN and web database tables
constexpr int32_t kNoNextAtTopicEnd = 10000013;  // above
constexpr int32_t kLmsNewWindow = 10000013;
constexpr int32_t kTopicCount = 10000017;      // the topic list's int32 count
constexpr int32_t kScormExit = 10000018;
constexpr int32_t kMainMenuOptions = 10000020;
constexpr int32_t kPopups = 10000025;          // the "<popups>" section
constexpr int32_t kLeftAlignLists = 10000027;
constexpr int32_t kLom = 10000029;             // above: the learning-object metadata
constexpr int32_t kOutlineLinkColor = 10000029;
constexpr int32_t kMenuKind = 10000031;        // main-list screen records carry their menu kind
constexpr int32_t kRightToLeft = 10000032;
constexpr int32_t kAutoProgressOnEvaluate = 10000033;
constexpr int32_t kOutlineButton = 10000034;
constexpr int32_t kLmsProtectPassed = 10000035;
constexpr int32_t kAutoProgressInAssessment = 10000036;
constexpr int32_t kGlossary = 10000038;        // the "<glossary>" section, its documents and options, font slot 3
constexpr int32_t kBarsLayout = 10000040;      // top and navigation bar options
constexpr int32_t kEmulateIE7 = 10000042;
constexpr int32_t kKenBurns = 10000044;
constexpr int32_t kLmsCompatibility = 10000046;

} // namespace ProjectSchema
