#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/Result.h"

class CPrompt;
class CCorvContext;

struct CProcessResult;

// Free functions that every part of the program uses: paths and folders, helper processes, small text
// files, strings, pictures, the version text, and the words and vocabularies stored in files. None keeps
// state. Stored paths may use "\" or "/"; paths built here use "/", and folders returned here end in "/".
// Results follow the system's habit: 1 for success, 0 for failure.

// Screen page types (`PageType`) and menu kinds (`AuxPageType`) as stored in screens and project files.
enum PageType {
    pt_folder = 0,
    pt_container = 1,
    pt_document = 2,
    pt_question = 3,
    pt_asmt_folder = 4,
    pt_asmt_container = 5,
    pt_asmt_document = 6,
    pt_popups_only = 7,
    pt_remediation = 8,
    pt_glossary = 9,
};
enum AuxPageType {
    apt_normal = 0,
    apt_multi_topic_menu = 1,
    apt_topic = 2,
};

// Dictionary-language commands of the main menu, stored as the document's DictionaryLanguage.
enum DictionaryLanguageCommand {
    kDictionaryEnglishAmerican = 32958,
    kDictionaryEnglishCanadian = 32959,
    kDictionaryEnglishUk = 32960,
};

// ---- Paths and files ----

// The folder of the running program, ending in "/".
void GetAppFolder(const CCorvContext &context, QString &folder);
// The text after the last separator ("\" or "/"); unless keepExtension, cut at its last "." (a name
// without a "." is returned whole). Empty path: empty name.
void GetFileNameFromPath(const QString &path, QString &name, bool keepExtension = false);
// The text after the last "."; the whole string when it has none; "" for "".
void GetFileExtension(const QString &path, QString &extension);
// Whether the file or folder exists; "*" and "?" in the last component match any existing name (without
// regard to case, as a directory search does).
bool FileExists(const QString &path);
// 1 when the file can be opened for reading as a text file.
int CanOpenFile(const QString &path);
// The system's message text for the calling thread's last error (errno).
void GetLastErrorText(QString &text);

// ---- Folders ----

// Creates every missing folder of the path. An empty path or one shorter than 4 characters: nothing done.
// The failure's text is the system's text, "\n" and the folder that could not be made.
CStatus CreateFolderPath(const QString &path);
// Number of files (not folders) in the folder; with recurse, in its sub-folders too. Empty path: 0.
int CountFolderFiles(const QString &folder, bool recurse);
// Deletes every file of the folder; with recurse, every sub-folder too (emptied and removed); with
// removeFolder, the folder itself last. 1 when all of it was done. A missing folder gives 1 without and 0
// with removeFolder. A root or the home folder is refused (0, nothing deleted).
int DeleteFolderFiles(const QString &folder, bool recurse, bool removeFolder);
// Copies each file (not sub-folders) of the source folder into the target folder under its lower-cased
// name, overwriting; copy failures are ignored. With dropUnsafe, a file whose lower-cased name changes
// under RemoveUnsafeChars is not copied; the source is never touched.
void CopyFolderFilesLowerCase(const QString &sourceFolder, const QString &targetFolder, bool dropUnsafe);
// Copies the source folder's whole tree into the target folder (created when missing), overwriting files
// and going on past a failure. 1 when everything was copied, 0 when the source is no folder or anything
// failed. The system's text of the first failed step goes into reason when one is given.
int XCopyFolder(const QString &source, const QString &target, QString *reason = nullptr);

// ---- Helper processes and deletions ----

// Runs the program with its arguments (no shell) and waits for it: for ever, or timeoutMs when >= 0, after
// which it is killed. 1 when it was started, 0 when it could not be. *result, when given, receives the
// exit status and output.
int RunProcessHidden(const QString &program, const QStringList &arguments, int timeoutMs = -1,
                     CProcessResult *result = nullptr);
// Deletes the file, or every file matching "*" / "?" in the last component. 1 when no such file remains
// (a missing file is no failure), 0 when one could not be deleted. Folders are never touched.
int DeleteFileViaBatch(const QString &path);
// Removes the folder and everything in it. 1 when the folder no longer exists, 0 when something could not
// be removed. A root or the home folder is refused (0).
int RemoveFolderViaBatch(const QString &folder);

// ---- Text files ----

// Reads the whole file as legacy-code-page text, CR LF turned into LF. 0 when it cannot be opened.
int ReadAnsiTextFile(const QString &path, QString &text);
// Replaces the file with the text as UTF-8 without a byte-order mark (written beside it, then renamed
// over it). 0 when the file could not be written; the previous file is then left as it was.
int WriteUtf8TextFile(const QString &text, const QString &path);
// Number of LF bytes in the file; 0 when it cannot be opened.
int CountFileLines(const QString &path);
// Rewrites the UTF-8 file with trailing white space removed from every line and the lines that are then
// empty dropped, each kept line ending in one LF. Every line is read whole, a last unterminated one too.
// 0 when the file cannot be read or written.
int TidyTextFile(const QString &path);

// ---- Strings ----

QString IntToString(int value);
// A number as the C library reads one: blanks (space, tab, line ends, vertical tab, form feed), a sign,
// then the leading digits ("12abc" is 12, "pt" 0), held to the range of an int.
int LeadingInteger(const QString &text);
// Removes the suffix from the end as long as the string ends with it; nothing when either is empty.
void StripTrailingSuffix(QString &string, const QString &suffix);
// Appends the pieces between separators, each trimmed; empty pieces between adjacent separators are kept;
// the piece after the last separator only when not empty before trimming. An empty separator appends the
// whole (trimmed) string as one piece.
void SplitString(const QString &string, QStringList &list, const QString &separator);
// Removes every " ", "<", ">" and "&".
void RemoveUnsafeChars(QString &string);
// 0 when some character is a digit (alphanumeric but not a letter), else 1.
int HasNoDigits(const QString &string);
// 1 when every character is a letter; 1 for "".
int IsAllLetters(const QString &string);

// ---- Pictures ----

// The image format id of the extension: bmp 1, gif 2, jpg and jpeg 3, png 4, wmf 10, else 0; compared
// without regard to case.
int GetImageFormatFromExt(const QString &path);
// Width and height in pixels of the picture at path, loaded in the format of its extension; (0, 0) for an
// empty path or a picture that does not load.
void GetImageFileSize(int &width, int &height, const QString &path);
// Fits width x height into boxWidth x boxHeight keeping the ratio when the size is larger than the box or
// force is 1; scale receives the factor (1.0 when unchanged). 0 and (0, 0) when any dimension is not
// positive, else 1.
int FitSizeInBox(int boxWidth, int boxHeight, int width, int height, int &outWidth, int &outHeight,
                 double &scale, int force = 0);
// Picture size presets of the course's graphic-size setting: 0 small, 2 large, else medium.
int GetPictureWidthForSize(int graphicSize);
int GetPictureHeightForSize(int graphicSize);
// Looks the file name up in the graphics library's picture folders in the system's order, without regard
// to case; 1 and the full path when found, else 0 and an empty path. fileName and path may be the same
// string.
int FindLibraryImage(const CCorvContext &context, const QString &fileName, QString &path);
// Whether the picture lies directly in the graphics library's photo-object folder.
bool IsLibraryPhotoObject(const CCorvContext &context, const QString &path);

// ---- Application ----

// The program's version text: 4.0.0.9 gives "4.009".
QString GetExeVersionString();
// The spelling lexicon file pair of a dictionary-language command.
QByteArray GetSpellLexiconFiles(int dictionaryLanguage);

// ---- Words stored in files ----

QString PageTypeToString(int pageType);
int PageTypeFromString(const QString &word);
QString PageTypeDisplayName(const QString &word);
QString AuxPageTypeToString(int auxPageType);
int AuxPageTypeFromString(const QString &word);
// The course tree's icon of a screen; menuFlag 1 gives the menu icon.
int GetPageTypeImageIndex(int pageType, int menuFlag);

// ---- Metadata vocabularies of the course package ----

QString GetMetadataLanguageCode(unsigned index);
QString GetMetadataStatusText(unsigned index);
QString GetMetadataPurposeText(unsigned index, bool scorm12);
QString GetMetadataResourceTypeText(unsigned index, bool scorm12);

// ---- Published answers ----

// Per UTF-16 unit i of the text: text[i] + key[i mod key length] in decimal, then "-". An empty key adds 0.
QString EncodeAnswerText(const QString &text, const QString &key);
