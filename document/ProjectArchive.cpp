#include "document/ProjectArchive.h"

#include "document/CorvessaDoc.h"
#include "document/CourseSettings.h"
#include "document/PicturePreparation.h"
#include "document/SettingsFields.h"
#include "model/ComponentBase.h"
#include "model/ComponentFactory.h"
#include "model/ComponentImage.h"
#include "model/ComponentLink.h"
#include "model/ComponentQuestion.h"
#include "model/ComponentRemediation.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentTopicButton.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/EditCanvas.h"
#include "model/GlobalHelpers.h"
#include "model/PictureSaveSession.h"
#include "model/Topic.h"
#include "platform/Archive.h"
#include "platform/PathUtil.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"
#include "platform/RecordingPrompt.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>
#include <type_traits>
#include <variant>
#include <vector>

namespace {

namespace PS = ProjectSchema;
using S = CCourseSettings;

using namespace SettingsFields;

SettingsFields::GateState Gates(const CProjectArchive::ReadContext &c)
{
    return {c.schema, c.hasSchemaNumber, c.retry};
}

void LoadFields(CArchive &ar, const std::vector<Field> &fields, CCourseSettings &s,
                const CProjectArchive::ReadContext &c)
{
    SettingsFields::LoadFields(ar, fields, s, Gates(c));
}

// The settings block after the four header values, in file order; the old files' two obsolete strings
// follow the learning-object metadata.
constexpr int kObsoleteStringsPosition = 28;

const std::vector<Field> &SettingsBlock()
{
    static const std::vector<Field> fields = LayoutOf(projectFileStore, settingsBlock, {kObsoleteStringsPosition});
    return fields;
}

// The settings after the topic list; the glossary documents sit between the two parts and are handled in
// place.
const std::vector<Field> &PostTopicBlockHead()
{
    static const std::vector<Field> fields = LayoutOf(projectFileStore, afterTopics);
    return fields;
}

const std::vector<Field> &PostTopicBlockTail()
{
    static const std::vector<Field> fields = LayoutOf(projectFileStore, afterGlossary);
    return fields;
}

} // namespace

QString CProjectArchive::LogoPathFromStoredName(const QString &projectFolder, const QString &stored,
                                                CorvPath::CNoCaseResolver *paths)
{
    // Only the bare name counts: a name taken from a file never leaves its folder.
    const QString name = CorvPath::SafeBareName(CorvPath::FileName(stored));
    if (name.isEmpty())
        return QString();
    // A project copied from Windows may spell the folders or the name in another case.
    const QString path = CorvPath::Join({projectFolder, QStringLiteral("Images/Resized"), name});
    return paths ? paths->Resolve(path) : CorvPath::ResolveNoCase(path);
}

QString CProjectArchive::StoredLogoName(const QString &logoPath) { return PreparedPictureName(logoPath); }

QString CProjectArchive::CutBeforePt(const QString &points)
{
    const qsizetype at = points.indexOf(QLatin1String("pt"));
    return at < 0 ? points : points.left(at);
}

std::vector<SettingsFields::Field> CProjectArchive::SettingsLayout()
{
    std::vector<Field> layout = SettingsBlock();
    Append(layout, PostTopicBlockHead());
    Append(layout, PostTopicBlockTail());
    return layout;
}

void CProjectArchive::StoreSettingsBlock(CArchive &ar, const CCourseSettings &s, const Header &header)
{
    ar.WriteInt(kCurrentSchema);
    ar.WriteInt(header.nextScreenNumber);
    ar.WriteInt(header.nextTextBoxNumber);
    ar.WriteInt(header.importPending);
    // The logo is stored as its bare name; the reader rebuilds its folder.
    CCourseSettings stored = s;
    stored.LogoImage = StoredLogoName(s.LogoImage);
    StoreFields(ar, SettingsBlock(), stored);
}

CProjectArchive::Header CProjectArchive::LoadHeader(CArchive &ar, ReadContext &context)
{
    Header h;
    const int32_t first = ar.ReadInt();
    if (first > kNoSchema) {
        h.schema = first;
        h.hasSchemaNumber = true;
    } else {
        h.schema = kNoSchema;
        h.hasSchemaNumber = false;
    }
    context.schema = h.schema;
    context.hasSchemaNumber = h.hasSchemaNumber;
    h.nextScreenNumber = h.hasSchemaNumber ? ar.ReadInt() : first;
    h.nextTextBoxNumber = ar.ReadInt();
    h.importPending = ar.ReadInt();
    return h;
}

void CProjectArchive::LoadSettingsFields(CArchive &ar, CCourseSettings &s, const ReadContext &context)
{
    // The clean-up runs however the read ends: a file cut inside the block must not leave a stored path
    // or an old label in the settings for anything to use.
    struct CleanUp
    {
        CCourseSettings &s;
        const ReadContext &context;
        ~CleanUp() { NormaliseReadSettings(s, context); }
    } cleanUp{s, context};
    LoadFields(ar, SettingsBlock(), s, context);
}

void CProjectArchive::NormaliseReadSettings(CCourseSettings &s, const ReadContext &context)
{
    // The published pages are always UTF-8 now, whatever the course was made with.
    s.EncodingLabel = QString::fromLatin1(CCourseSettings::kUtf8EncodingLabel);
    if (ProjectSchema::AtLeast(context.schema, ProjectSchema::kOutline))
        s.OutlineEncodingLabel = QString::fromLatin1(CCourseSettings::kUtf8EncodingLabel);
    s.FontSizePoints[0] = CutBeforePt(s.FontSizePoints[0]);
    s.LogoImage = LogoPathFromStoredName(context.projectFolder, s.LogoImage, context.paths);
    if (s.LastAssessmentTopic != 0)
        s.LinearSourceAssessable = 0;
}

CProjectArchive::Header CProjectArchive::LoadSettingsBlock(CArchive &ar, CCourseSettings &s, ReadContext &context)
{
    const Header h = LoadHeader(ar, context);
    LoadSettingsFields(ar, s, context);
    return h;
}

void CProjectArchive::StorePostTopicBlock(CArchive &ar, const CCourseSettings &s,
                                          const QStringList &glossaryDocuments)
{
    StoreFields(ar, PostTopicBlockHead(), s);
    ar.WriteInt(int32_t(glossaryDocuments.size()));
    for (const QString &path : glossaryDocuments)
        ar.WriteString(path);
    StoreFields(ar, PostTopicBlockTail(), s);
}

void CProjectArchive::LoadPostTopicBlock(CArchive &ar, CCourseSettings &s, QStringList &glossaryDocuments,
                                         const ReadContext &context)
{
    LoadFields(ar, PostTopicBlockHead(), s, context);
    glossaryDocuments.clear();
    if (ProjectSchema::AtLeast(context.schema, ProjectSchema::kGlossary)) {
        // Taken as it stands, like the other counts of the file: 0 or less means none, and nothing is
        // reserved by it, so a count larger than the file ends at the end of the file.
        const int32_t count = ar.ReadInt();
        for (int32_t i = 0; i < count; ++i)
            glossaryDocuments.append(ar.ReadString());
    }
    LoadFields(ar, PostTopicBlockTail(), s, context);
}

// ---- Topics, screens and components ----

namespace {

// The question point size of a load: the leading decimal digits of the main font's point size, 0 when
// there are none.
int LeadingNumber(const QString &text)
{
    int value = 0;
    for (const QChar c : text) {
        if (!c.isDigit() || value > 100000)
            break;
        value = value * 10 + c.digitValue();
    }
    return value;
}

void StoreTopics(CArchive &ar, const CCorvessaDoc &doc)
{
    ar.WriteInt(int32_t(doc.Topics().size()));
    for (const auto &topic : doc.Topics())
        topic->Serialize(ar);
}

void LoadTopics(CArchive &ar, CCorvessaDoc &doc, const CProjectArchive::ReadContext &context)
{
    int32_t count;
    if (ProjectSchema::AtLeast(context.schema, ProjectSchema::kTopicCount)) {
        count = ar.ReadInt();
    } else {
        // Two bytes, of which only the first counts, as a signed number.
        count = int8_t(ar.ReadByte());
        ar.ReadByte();
    }
    if (count > 1)
        doc.MutableSettings().MenuBasedCourse = 1;
    // Counts are taken as they stand; nothing is reserved, so a damaged count ends at the end of the file.
    for (int32_t i = 0; i < count; ++i) {
        auto topic = std::make_unique<CTopic>();
        topic->Serialize(ar);
        doc.AddTopic(std::move(topic));
    }
}

// A screen or component count. Nothing is reserved by it, so a count larger than the file ends at the end of
// the file; a negative one cannot come from a writer and means the file is damaged, like an early end: the
// rest would be read out of step.
int32_t ReadListCount(CArchive &ar, const char *what)
{
    const int32_t count = ar.ReadInt();
    if (count < 0)
        throw CArchiveException(CArchiveException::badCount,
                                QStringLiteral("The file %1 is damaged: a count of %2 %3 at byte %4 is impossible.")
                                    .arg(ar.GetFilePath().isEmpty() ? QStringLiteral("being read") : ar.GetFilePath())
                                    .arg(count)
                                    .arg(QLatin1String(what))
                                    .arg(ar.GetPosition() - 4));
    return count;
}

// Reads one component entry. Returns null for a code that the list does not hold (the media kind, and
// remediation outside the main list), of which only the type code was read.
std::unique_ptr<CComponentBase> LoadComponentEntry(CArchive &ar, CCorvessaDoc &doc,
                                                   const CProjectArchive::ReadContext &context, bool mainList,
                                                   int points)
{
    CComponentFactory::LoadOptions options{context.schema};
    options.mainList = mainList;
    options.standAlone = context.singleScreen;
    options.parent = context.canvas;
    // The course's body font: before the record for links and text boxes; for tables before it on popup
    // and glossary screens and after it on main screens, so that cells read there keep their own.
    options.beforeRead = [&](CComponentBase &component) {
        if (auto *link = dynamic_cast<CComponentLink *>(&component))
            link->SetFont(doc.Settings().FontName[0], points);
        else if (auto *textbox = dynamic_cast<CComponentTextbox *>(&component)) {
            textbox->SetDefaultFont(doc.Settings().FontName[0], points, doc.Settings().FontColor[0]);
            // Boxes of files that do not store a direction take the one of the course being read.
            textbox->SetRightToLeft(doc.Settings().RightToLeft);
        }
        else if (auto *table = dynamic_cast<CComponentTable *>(&component); table && !mainList)
            table->SetDefaultFont(doc.Settings().FontName[0], points, doc.Settings().FontColor[0]);
    };
    options.afterRead = [&](CComponentBase &component, CArchive &ar) {
        if (auto *image = dynamic_cast<CComponentImage *>(&component))
            image->AdoptResizedCopy(ar, doc.Settings().PublishImagesAtStandardResolution);
        if (auto *topic = dynamic_cast<CComponentTopicButton *>(&component))
            topic->SetShowPicture(doc.Settings().MainMenuNoImages == 0 ? 1 : 0);
        else if (auto *question = dynamic_cast<CComponentQuestion *>(&component))
            question->SetFont(doc.Settings().FontName[0], points);
        if (auto *table = dynamic_cast<CComponentTable *>(&component); table && mainList)
            table->SetDefaultFont(doc.Settings().FontName[0], points, doc.Settings().FontColor[0]);
    };
    std::unique_ptr<CComponentBase> component = CComponentFactory::LoadComponent(ar, options);
    if (auto *remediation = dynamic_cast<CComponentRemediation *>(component.get()))
        remediation->SetScreenLookup(&doc);
    return component;
}

void StoreList(CArchive &ar, const CCorvessaDoc &doc, const CCorvessaDoc::ScreenList &list, bool mainList,
               CPictureSaveSession &pictures)
{
    CProgress &progress = ar.Context().Progress();
    progress.SetRange(0, int(list.size()));
    ar.WriteInt(int32_t(list.size()));
    for (const auto &screen : list) {
        progress.SetText(QStringLiteral("Saving screen: %1").arg(screen->GetTitle()));
        CProjectArchive::StoreScreen(ar, *screen, mainList, doc, &pictures);
        progress.StepIt();
    }
}

// The three lists of a project file, in the order they are stored.
enum class ListKind { main, popups, glossary };

void LoadList(CArchive &ar, CCorvessaDoc &doc, CProjectArchive::ReadContext &context, ListKind kind)
{
    const bool mainList = kind == ListKind::main;
    const int32_t count = ReadListCount(ar, "screens");
    CProgress &progress = ar.Context().Progress();
    progress.SetRange(0, count);
    context.progress = &progress;
    const bool numbered = ProjectSchema::AtLeast(context.schema, ProjectSchema::kScreenNumbers) || context.retry;
    for (int32_t i = 0; i < count; ++i) {
        auto screen = CProjectArchive::LoadScreen(ar, doc, context, mainList, numbered ? -1 : int(i));
        CCorvPage *page = doc.AddScreen(std::move(screen), nullptr, kind == ListKind::popups, kind == ListKind::glossary);
        context.completeUpTo = ar.GetPosition();
        progress.StepIt();
        // The folders the importers and the outline look for. The popups and glossary folders are taken
        // only from their own lists, so a damaged file cannot point them into another list.
        if (page->GetPageType() == pt_asmt_folder)
            doc.SetFinalPerformanceFolder(page);
        else if (page->GetPageType() == pt_popups_only && kind == ListKind::popups)
            doc.SetPopupsFolder(page);
        else if (page->GetPageType() == pt_glossary && kind == ListKind::glossary)
            doc.SetGlossaryFolder(page);
    }
}

} // namespace

namespace {

// A sub-folder as it is spelt on disk, found step by step, so "images/Resized" is made inside an existing
// "images", not beside it.
QString SubFolderOnDisk(const QString &root, const QString &sub)
{
    QString path = root;
    for (const QString &part : sub.split(u'/'))
        path = CorvPath::ResolveNoCase(CorvPath::Join(path, part));
    return path;
}

} // namespace

const QStringList &CProjectArchive::ProjectSubFolders()
{
    static const QStringList folders = {
        QStringLiteral("Images"),          QStringLiteral("Images/MM"), QStringLiteral("Images/M"),
        QStringLiteral("Images/Resized"),  QStringLiteral("Images/Questions"),
        QStringLiteral("Movies"),          QStringLiteral("Questions"), QStringLiteral("Sounds"),
        QStringLiteral("Rtfs"),
    };
    return folders;
}

bool CProjectArchive::CreateProjectFolders(const QString &projectFolder, CPrompt &prompt)
{
    if (projectFolder.isEmpty())
        return false;
    const QString root = CorvPath::ResolveNoCase(projectFolder);
    // Without its own folder nothing of the project can be kept: one message, and no more for each
    // sub-folder and media file.
    if (const CStatus made = CreateFolderPath(root); !made) {
        prompt.Error(made.Error());
        return false;
    }
    if (!QFileInfo(root).isDir()) {
        // A file of the folder's name stands where the folder should be.
        prompt.Error(QString::fromLocal8Bit(std::generic_category().message(ENOTDIR)) + u'\n' + root);
        return false;
    }
    for (const QString &sub : ProjectSubFolders())
        if (const CStatus made = CreateFolderPath(SubFolderOnDisk(root, sub)); !made)
            prompt.Error(made.Error());
    return true;
}

CStatus CProjectArchive::CreateFoldersForSave(const QString &projectFolder, CPrompt &prompt,
                                              const QString &cannotSave, const QString &path)
{
    CRecordingPrompt errors;
    if (!CreateProjectFolders(projectFolder, errors))
        return CFailure(cannotSave.arg(path, errors.Texts().join(u'\n')));
    for (const QString &text : errors.Texts())
        prompt.Error(text);
    return {};
}

bool CProjectArchive::IsProjectFolder(const QString &projectFolder)
{
    const QString root = CorvPath::ResolveNoCase(projectFolder);
    if (projectFolder.isEmpty() || !QFileInfo(root).isDir())
        return false;
    const QStringList &subs = ProjectSubFolders();
    return std::all_of(subs.begin(), subs.end(),
                       [&](const QString &sub) { return QFileInfo(SubFolderOnDisk(root, sub)).isDir(); });
}

const QString &CProjectArchive::PopupsMarker()
{
    static const QString marker = QStringLiteral("<popups>");
    return marker;
}

const QString &CProjectArchive::GlossaryMarker()
{
    static const QString marker = QStringLiteral("<glossary>");
    return marker;
}

void CProjectArchive::StoreScreen(CArchive &ar, CCorvPage &screen, bool mainList, const CScreenLookup &screens,
                                  CPictureSaveSession *pictures, int standAlone)
{
    ar.WriteInt(screen.GetId());
    ar.WriteString(screen.GetTitle());
    ar.WriteString(screen.GetBanner());
    ar.WriteString(screen.GetSourceDocument());
    ar.WriteInt(screen.GetAssessable());
    ar.WriteString(screen.GetLabel());
    ar.WriteInt(screen.GetPageType());
    if (mainList)
        ar.WriteInt(screen.GetMenuKind());
    // A kind the list cannot hold (remediation off the main list) is left out: a reader takes its code for
    // one that stands alone, and would read its record as further type codes.
    std::vector<CComponentBase *> kept;
    for (const auto &component : screen.GetComponentList())
        if (!CComponentFactory::IsDroppedOnLoad(component->GetType(), mainList))
            kept.push_back(component.get());
    ar.WriteInt(int32_t(kept.size()));
    for (CComponentBase *component : kept) {
        component->SetStandAlone(standAlone);
        // Remediation targets are stored through the lookup of the screens being written, however the
        // component was made.
        if (auto *remediation = dynamic_cast<CComponentRemediation *>(component))
            remediation->SetScreenLookup(&screens);
        if (pictures)
            pictures->StoreComponent(*component, ar);
        else
            component->SerializeEntry(ar);
    }
}

std::unique_ptr<CCorvPage> CProjectArchive::LoadScreen(CArchive &ar, CCorvessaDoc &doc, const ReadContext &context,
                                                       bool mainList, int number)
{
    if (number < 0)
        number = ar.ReadInt();
    const QString title = ar.ReadString();
    if (context.progress)
        context.progress->SetText(QStringLiteral("Loading screen: %1").arg(title));
    const QString banner = ar.ReadString();
    const QString sourceDocument = ar.ReadString();
    const int32_t assessable = ar.ReadInt();
    const QString label = ar.ReadString();
    const int32_t pageType = ar.ReadInt();
    auto screen = std::make_unique<CCorvPage>(number, title, banner, sourceDocument, assessable, label, pageType, -1);
    if (mainList && (context.singleScreen || ProjectSchema::AtLeast(context.schema, ProjectSchema::kMenuKind)))
        screen->SetMenuKind(ar.ReadInt());

    const int points = MainFontPoints(doc.Settings());
    const int32_t count = ReadListCount(ar, "components");
    for (int32_t i = 0; i < count; ++i) {
        auto component = LoadComponentEntry(ar, doc, context, mainList, points);
        // A duplicate audio button is refused by the screen, which says why, and goes with its pointer.
        if (component) {
            if (const CStatus added = screen->AddComponent(std::move(component)); !added)
                ar.Context().Prompt().Information(added.Error());
        }
    }
    return screen;
}

void CProjectArchive::PreparePictures(const CArchive &ar, CCorvessaDoc &doc)
{
    // Only a project folder the save has made receives the copies: an archive written to memory, or for a
    // folder that is not there, changes nothing on disk.
    const QString &path = ar.GetFilePath();
    const QString projectFolder = path.isEmpty() ? QString() : CCorvessaDoc::ProjectFolderOf(path);
    if (projectFolder.isEmpty() || !QFileInfo(CorvPath::ResolveNoCase(projectFolder)).isDir())
        return;
    if (doc.Settings().UseCustomBackground != 0 && !doc.Settings().BgImage.isEmpty())
        doc.MutableSettings().BgImage = PrepareBackgroundPicture(projectFolder, doc.Settings().BgImage);
    if (doc.Settings().LogoImage.isEmpty())
        return;
    // After a save the document keeps the logo's bare name: it names the copy in the folder of the project
    // as it was last saved, which a save under a new name copies from.
    QString logo = doc.Settings().LogoImage;
    if (CorvPath::FolderOf(CorvPath::ToSlashes(logo)).isEmpty() && !doc.GetPathName().isEmpty())
        logo = LogoPathFromStoredName(CCorvessaDoc::ProjectFolderOf(doc.GetPathName()), logo);
    // A logo that could not be prepared keeps the author's path, so the next save tries again; the file
    // stores its name either way.
    if (!PrepareLogoPicture(projectFolder, logo).isEmpty())
        doc.MutableSettings().LogoImage = StoredLogoName(doc.Settings().LogoImage);
}

void CProjectArchive::StoreProject(CArchive &ar, CCorvessaDoc &doc)
{
    doc.ResetTopicButtonPictureCounter();
    CPictureSaveSession pictures([&doc] { return doc.TakeTopicButtonPictureNumber(); },
                                 doc.Settings().PublishImagesAtStandardResolution);
    Header header;
    header.nextScreenNumber = doc.GetNextScreenNumber();
    header.nextTextBoxNumber = doc.GetNextTextBoxNumber();
    header.importPending = doc.GetImportPending();
    PreparePictures(ar, doc);
    StoreSettingsBlock(ar, doc.Settings(), header);
    StoreTopics(ar, doc);
    StorePostTopicBlock(ar, doc.Settings(), doc.GlossaryDocuments());
    StoreList(ar, doc, doc.MainScreens(), true, pictures);
    ar.WriteString(PopupsMarker());
    StoreList(ar, doc, doc.PopupScreens(), false, pictures);
    ar.WriteString(GlossaryMarker());
    StoreList(ar, doc, doc.GlossaryScreens(), false, pictures);
}

void CProjectArchive::LoadProjectPass(CArchive &ar, CCorvessaDoc &doc, ReadContext &context)
{
    doc.ResetTopicButtonPictureCounter();
    // The screens go: the Edit canvas lets go of the components it shows first, so nothing it paints while
    // the project is read is already deleted.
    if (CEditCanvas *canvas = doc.GetEditCanvas())
        canvas->ClearDisplayedComponents();
    doc.ClearMainScreens();
    doc.ClearPopupScreens();
    doc.ClearGlossaryScreens();
    doc.ClearTopics();
    doc.ClearGlossaryDocuments();
    doc.ResetToNewProjectSettings();
    doc.SetFileSchema(kCurrentSchema);
    context.completeUpTo = 0;
    if (!context.paths)
        context.paths = &ar.Paths();

    const Header header = LoadHeader(ar, context);
    doc.SetFileSchema(header.schema);
    doc.SetNextScreenNumber(header.nextScreenNumber);
    doc.SetNextTextBoxNumber(header.nextTextBoxNumber);
    doc.SetImportPending(header.importPending);
    LoadSettingsFields(ar, doc.MutableSettings(), context);
    context.completeUpTo = ar.GetPosition();
    LoadTopics(ar, doc, context);
    context.completeUpTo = ar.GetPosition();
    {
        // The documents read before an early end stay with the pass, as the rest of what it read.
        QStringList glossaryDocuments;
        struct Keep
        {
            CCorvessaDoc &doc;
            QStringList &read;
            ~Keep() { doc.SetGlossaryDocuments(std::move(read)); }
        } keep{doc, glossaryDocuments};
        LoadPostTopicBlock(ar, doc.MutableSettings(), glossaryDocuments, context);
    }
    context.completeUpTo = ar.GetPosition();

    LoadList(ar, doc, context, ListKind::main);
    ResolveLinks(doc);
    // The widened gates serve the old main list only; later sections are read by the file's own schema.
    context.retry = false;
    doc.SetLoadRetry(0);
    if (ProjectSchema::AtLeast(context.schema, ProjectSchema::kPopups)) {
        ar.ReadString();
        LoadList(ar, doc, context, ListKind::popups);
    }
    if (ProjectSchema::AtLeast(context.schema, ProjectSchema::kGlossary)) {
        ar.ReadString();
        LoadList(ar, doc, context, ListKind::glossary);
    }
}

void CProjectArchive::ResolveLinks(CCorvessaDoc &doc)
{
    for (const auto &screen : doc.MainScreens()) {
        if (screen->GetPageType() != pt_folder)
            continue;
        for (const auto &component : screen->GetComponentList())
            if (auto *link = dynamic_cast<CComponentLink *>(component.get()); link && !link->GetTargetLabel().isEmpty())
                link->SetTargetPage(doc.FindMainScreenByLabel(link->GetTargetLabel()));
    }
}

int CProjectArchive::MainFontPoints(const CCourseSettings &s)
{
    return LeadingNumber(s.FontSizePoints[0]);
}
