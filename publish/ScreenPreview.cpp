#include "publish/ScreenPreview.h"

#include "document/CorvessaDoc.h"
#include "document/PicturePreparation.h"
#include "model/ComponentAudio.h"
#include "model/ComponentImage.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentPartIdentification.h"
#include "model/ComponentTopicButton.h"
#include "model/ComponentType.h"
#include "model/ComponentVideo.h"
#include "model/CorvPage.h"
#include "model/MediaCopy.h"
#include "model/OutlineTree.h"
#include "model/PictureFiles.h"
#include "platform/CodePage.h"
#include "platform/CorvContext.h"
#include "platform/Escape.h"
#include "platform/PathUtil.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"
#include "publish/CoursePublisher.h"
#include "publish/LinkScripts.h"
#include "publish/OutputCopier.h"
#include "publish/OutputFolder.h"
#include "publish/ProgramData.h"
#include "publish/ScreenScriptWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <atomic>

namespace {

const QString kFolderFailed = QStringLiteral("Error:\nFail to to build preview folder path\nwhile trying to preview ");
const QString kTemplateUnreadable = QStringLiteral("Preview Error:\nCould not open file\n%1");
const QString kNotWritten = QStringLiteral("Preview Error:\nCould not write file\n%1");
const QString kTemplate = QStringLiteral("source/PlaceHolderText/preview.txt");
const QString kPage = QStringLiteral("content/preview.htm");

// The steps of the run-time chain. A failed step stops the ones after it, except the copy of the
// program's pages, which the preview always needs.
struct ChainStep {
    PublishStep step;
    bool always;
};
constexpr ChainStep kChain[] = {
    {PublishStep::CopySourceFiles2Target, false},
    {PublishStep::CreateIndexWebPage, false},
    {PublishStep::ProcessSourceFiles, true},
    {PublishStep::CreateKvxCss, false},
    {PublishStep::BuildPagesJS, false},
    {PublishStep::CreatePrefsJS, false},
    {PublishStep::WriteInternationalisationVariables, false},
};

// The media and pictures of a screen are copied kind by kind in this order.
constexpr int kCopyOrder[] = {ct_audio,       ct_image, ct_match_pairs,    ct_small_topic,
                              ct_large_topic, ct_video, ct_flash_question, ct_part_identification};

// The folders an export makes for the picture kinds.
const QStringList kPictureFolders = {QStringLiteral("Images"), QStringLiteral("Images/MM"), QStringLiteral("Images/M"),
                                     QStringLiteral("Images/Resized")};

// Export names of one run of the program never repeat, however quickly previews follow each other.
int NextExportNumber()
{
    static std::atomic<int> number{0};
    return number++;
}

// The file name without its last "." and extension.
QString BaseName(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? fileName : fileName.left(dot);
}

QString Extension(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QString() : fileName.mid(dot + 1);
}

// A name the system takes from a file: without blanks, "<", ">" and "&".
QString Cleaned(QString name)
{
    for (const QChar c : {u' ', u'<', u'>', u'&'})
        name.remove(c);
    return name;
}

// The file a stored path names here: "/" separated, folders found without regard to case.
QString Source(const QString &storedPath)
{
    return storedPath.isEmpty() ? QString() : CorvPath::ResolveNoCase(CorvPath::ToSlashes(storedPath));
}

// Puts a value back when the scope ends.
template <typename Set>
class Restore
{
public:
    explicit Restore(Set set) : m_set(std::move(set)) {}
    ~Restore() { m_set(); }
    Restore(const Restore &) = delete;
    Restore &operator=(const Restore &) = delete;

private:
    Set m_set;
};

} // namespace

CScreenPreview::CScreenPreview(CCoursePublisher &publisher, const QString &tempFolder,
                               std::function<void(const QString &)> open)
    : m_publisher(publisher), m_context(publisher.GetDocument().GetContext()), m_tempFolder(tempFolder),
      m_open(std::move(open))
{
    // Without the application's folder the exports go where it would keep them: "temp" and the process id.
    if (m_tempFolder.isEmpty())
        m_tempFolder = CorvPath::Join(m_context.appDataFolder,
                                      QStringLiteral("temp") + QString::number(QCoreApplication::applicationPid()));
}

QString CScreenPreview::PreviewFolderOf(const CCorvContext &context)
{
    return CorvPath::Join(context.appDataFolder, QStringLiteral("preview"));
}

QString CScreenPreview::PreviewPagePath() const { return CorvPath::Join(m_publisher.GetTargetFolder(), kPage); }

QString CScreenPreview::TemplatePath() const { return CorvProgramData::Resolve(m_context.programFolder, kTemplate); }

QString CScreenPreview::Content(const QString &relative) const
{
    return QStringLiteral("content/") + relative;
}

bool CScreenPreview::PreviewScreen(CCorvPage &screen)
{
    const CCorvessaDoc &document = m_publisher.GetDocument();
    CPrompt &prompt = document.Prompt();
    CProgress &progress = m_context.Progress();
    m_publisher.SetPreviewFlag(1);
    m_publisher.SetTarget(PublishTargetPreview);
    const Restore previewOff([this] { m_publisher.SetPreviewFlag(0); });
    const CorvOutputFolder::FolderCheckScope folderChecks;

    if (const COutlineTree *tree = m_publisher.GetCourseTree())
        tree->NumberPublishIds(document.PopupScreens(), document.GlossaryScreens());
    progress.SetRange(0, 12);
    progress.SetText(PublishStepName(PublishStep::BuildTargetDirectoryAndSubDirectories));
    if (m_publisher.BuildTargetDirectoryAndSubDirectories(m_publisher.GetTargetFolder(), 0) != 1) {
        prompt.Error(kFolderFailed);
        return false;
    }
    RunStepChain();
    CopyLogo();
    CopyScreenMedia(screen);

    CScreenScriptWriter writer(m_publisher.Context());
    m_publisher.Context().ClearErrors();
    const bool written = writer.WriteScreenFile(&screen);
    // The screen's script links load their scripts from files of their own.
    CLinkScripts(m_publisher.Context()).Write();
    // A piece the screen could not build (a media template the program folder lacks) leaves the rest shown.
    if (!m_publisher.Context().Errors().isEmpty())
        prompt.Error(m_publisher.Context().ErrorText());
    if (!written)
        prompt.Error(kNotWritten.arg(CorvPath::Join(m_publisher.GetTargetFolder(),
                                                    Content(QStringLiteral("%1_%2.js")
                                                                .arg(m_publisher.GetProjectPrefix(), screen.GetPublishId())))) +
                     u'\n' + writer.GetFileErrorText());

    QFile templateFile(TemplatePath());
    if (!templateFile.open(QIODevice::ReadOnly)) {
        prompt.Error(kTemplateUnreadable.arg(TemplatePath()));
        return false;
    }
    QString text = CCodePage::ToUnicode(templateFile.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!WritePage(FillTemplate(text, screen)))
        return false;
    progress.StepIt();
    if (m_open)
        m_open(PreviewPagePath());
    return true;
}

void CScreenPreview::RunStepChain()
{
    CProgress &progress = m_context.Progress();
    bool succeeding = true;
    for (const ChainStep &c : kChain) {
        progress.StepIt();
        progress.SetText(PublishStepName(c.step));
        if (!succeeding && !c.always)
            continue;
        bool ok = true;
        switch (c.step) {
        case PublishStep::CopySourceFiles2Target: ok = m_publisher.CopySourceFiles2Target(0); break;
        case PublishStep::CreateIndexWebPage: ok = m_publisher.CreateIndexWebPage(); break;
        case PublishStep::ProcessSourceFiles: m_publisher.ProcessSourceFiles(); break;
        case PublishStep::CreateKvxCss: ok = m_publisher.CreateKvxCss(); break;
        case PublishStep::BuildPagesJS: ok = m_publisher.BuildPagesJS(); break;
        case PublishStep::CreatePrefsJS: ok = m_publisher.CreatePrefsJS(0); break;
        // Its result is not read: the run-time has texts of its own for what the profile lacks.
        case PublishStep::WriteInternationalisationVariables: m_publisher.WriteInternationalisationVariables(); break;
        default: break;
        }
        if (!ok && succeeding) {
            m_publisher.GetDocument().Prompt().Warning(
                QStringLiteral("Fail while publishing.\nError occurs at %1.").arg(PublishStepName(c.step)));
            succeeding = false;
        }
    }
    progress.StepIt();
}

void CScreenPreview::CopyLogo()
{
    const QString &logo = m_publisher.GetDocument().Settings().LogoImage;
    const QString name = PreparedPictureName(logo);
    if (logo.isEmpty() || name.isEmpty())
        return;
    const QString content = CorvPath::Join(m_publisher.GetTargetFolder(), QStringLiteral("content"));
    if (!CopyResizedLogo(content, Source(logo)) || name == name.toLower())
        return;
    // The page names the logo in lower case, as every published course does.
    const QString images = CorvPath::Join(content, QStringLiteral("images"));
    QFile::remove(CorvPath::Join(images, name.toLower()));
    QFile::rename(CorvPath::Join(images, name), CorvPath::Join(images, name.toLower()));
}

void CScreenPreview::CopyScreenMedia(CCorvPage &screen)
{
    for (const int type : kCopyOrder) {
        int number = 0;
        for (const auto &component : screen.GetComponentList()) {
            if (component->GetType() != type)
                continue;
            switch (type) {
            case ct_audio: CopyAudio(*component); break;
            case ct_image: CopyImage(*component); break;
            case ct_match_pairs: CopyMatchPairs(*component, screen); break;
            case ct_small_topic: CopyTopic(*component, number++, false); break;
            case ct_large_topic: CopyTopic(*component, number++, true); break;
            case ct_video: CopyVideo(*component); break;
            case ct_flash_question: CopyFlashQuestion(*component); break;
            case ct_part_identification: CopyPartIdentification(*component); break;
            default: break;
            }
        }
    }
}

void CScreenPreview::CopyInto(const QString &source, const QString &relative)
{
    // A missing picture or clip is passed over: the page shows without it.
    if (source.isEmpty() || !QFileInfo(source).isFile())
        return;
    COutputCopier copier(m_publisher.GetTargetFolder());
    if (!copier.CopyFile(source, Content(relative)))
        m_publisher.GetDocument().Prompt().Error(kNotWritten.arg(CorvPath::Join(m_publisher.GetTargetFolder(),
                                                                                Content(relative))) +
                                                 u'\n' + copier.GetErrorText());
}

void CScreenPreview::WritePlaylist(const QString &relative, const QString &entry)
{
    const QString path = CorvPath::Join(m_publisher.GetTargetFolder(), Content(relative));
    if (!CMediaCopy::WritePlaylist(path, entry))
        m_publisher.GetDocument().Prompt().Error(kNotWritten.arg(path));
}

void CScreenPreview::CopyClip(const QString &storedPath, const QString &name, const ClipPlaylist &playlist)
{
    if (!CorvPath::IsSafeBareName(name))
        return;
    const QString source = Source(storedPath);
    CopyInto(source, QStringLiteral("media/") + name);
    const QString extension = Extension(name);
    const QString playlistExtension = QLatin1String(playlist.playlistExtension);
    const QString clipExtension = QLatin1String(playlist.clipExtension);
    // A playlist brings the clip of the same path; a clip gets a playlist that names it.
    if (extension.compare(playlistExtension, Qt::CaseInsensitive) == 0)
        CopyInto(CorvPath::ResolveNoCase(BaseName(source) + u'.' + clipExtension),
                 QStringLiteral("media/") + BaseName(name) + u'.' + clipExtension);
    else if (extension.compare(clipExtension, Qt::CaseInsensitive) == 0)
        WritePlaylist(QStringLiteral("media/") + BaseName(name) + u'.' + playlistExtension, name);
}

void CScreenPreview::CopyAudio(const CComponentBase &component)
{
    if (const auto *audio = dynamic_cast<const CComponentAudio *>(&component))
        CopyClip(audio->GetFilePath(), CorvPath::FileName(CorvPath::ToSlashes(audio->GetFilePath())), {"wax", "wma"});
}

void CScreenPreview::CopyVideo(const CComponentBase &component)
{
    // The screen file names a video without blanks, "<", ">" and "&".
    if (const auto *video = dynamic_cast<const CComponentVideo *>(&component))
        CopyClip(video->GetFilePath(), Cleaned(CorvPath::FileName(CorvPath::ToSlashes(video->GetFilePath()))),
                 {"wvx", "wmv"});
}

void CScreenPreview::CopyFlashQuestion(const CComponentBase &component)
{
    const auto *question = dynamic_cast<const CComponentVideo *>(&component);
    const QString name = question ? CorvPath::FileName(CorvPath::ToSlashes(question->GetFilePath())) : QString();
    if (CorvPath::IsSafeBareName(name))
        CopyInto(Source(question->GetFilePath()), QStringLiteral("media/questions/") + name);
}

QString CScreenPreview::Export(CComponentBase &component, const char *stem, const QStringList &folders)
{
    const QString name = QString::fromLatin1(stem) + QString::number(NextExportNumber());
    const QString folder = CorvPath::Join(m_tempFolder, name);
    for (const QString &sub : folders)
        QDir().mkpath(CorvPath::Join(folder, sub));
    // The export is a component of its own, its media beside it; the component keeps its own flag.
    const int standAlone = component.IsStandAlone();
    component.SetStandAlone(0);
    const Restore keep([&] { component.SetStandAlone(standAlone); });
    if (const CStatus saved = component.SaveToFile(folder + QStringLiteral(".cobject"), m_context); !saved)
        m_context.Prompt().Warning(saved.Error());
    return folder;
}

void CScreenPreview::CopyImage(CComponentBase &component)
{
    auto *image = dynamic_cast<CComponentImage *>(&component);
    if (!image)
        return;
    Export(component, "Img", kPictureFolders);
    // The screen file names the picture by its lower-cased file name; the component keeps its own path.
    const QString name = CorvPath::FileName(CorvPath::ToSlashes(image->GetImageFile())).toLower();
    if (CorvPath::IsSafeBareName(name))
        CopyInto(Source(image->GetImageFile()), QStringLiteral("images/") + name);
}

void CScreenPreview::CopyPartIdentification(CComponentBase &component)
{
    auto *question = dynamic_cast<CComponentPartIdentification *>(&component);
    if (!question)
        return;
    Export(component, "CoPI", kPictureFolders + QStringList{QStringLiteral("Images/Questions")});
    const QString name = CorvPath::FileName(CorvPath::ToSlashes(question->GetImageFile())).toLower();
    if (CorvPath::IsSafeBareName(name))
        CopyInto(Source(question->GetImageFile()), QStringLiteral("images/questions/") + name);
}

void CScreenPreview::CopyMatchPairs(CComponentBase &component, const CCorvPage &screen)
{
    auto *question = dynamic_cast<CComponentMatchPairs *>(&component);
    if (!question)
        return;
    const QString folder = Export(component, "Img", {QStringLiteral("Images"), QStringLiteral("Images/Questions")});
    const QString pictures = CorvPath::ResolveNoCase(CorvPath::Join(folder, QStringLiteral("Images/Questions")));
    const auto copySide = [&](const CComponentMatchPairs::Slots &files, QChar side) {
        for (int slot = 0; slot < CComponentMatchPairs::kPairs; ++slot) {
            if (files[size_t(slot)].isEmpty())
                continue;
            // The screen file names them after the screen's label in lower case; the export, saved off its
            // screen, may have written them without the label.
            const QString number = side + QString::number(slot);
            const QString stem = PictureFiles::SafeName(screen.GetLabel() + number).toLower();
            const QString exported = PictureFiles::SafeName(number).toLower();
            if (stem.isEmpty())
                continue;
            for (const QString &suffix : {QStringLiteral(".png"), QStringLiteral("large.png")}) {
                QString source = CorvPath::ResolveNoCase(CorvPath::Join(pictures, stem + suffix));
                if (!QFileInfo(source).isFile())
                    source = CorvPath::ResolveNoCase(CorvPath::Join(pictures, exported + suffix));
                CopyInto(source, QStringLiteral("images/questions/") + stem + suffix);
            }
        }
    };
    copySide(question->GetLeftImages(), u'L');
    copySide(question->GetRightImages(), u'R');
}

void CScreenPreview::CopyTopic(CComponentBase &component, int number, bool large)
{
    auto *topic = dynamic_cast<CComponentTopicButton *>(&component);
    if (!topic)
        return;
    const QString folder = Export(component, large ? "CoLargeTopic" : "CoSmallTopic", kPictureFolders);
    // The export renders the button's picture at the size it shows it, as the first button of its save.
    const QString rendered = CorvPath::ResolveNoCase(
        CorvPath::Join(folder, large ? QStringLiteral("Images/MM/mm0.png") : QStringLiteral("Images/M/m0.png")));
    QString source = rendered;
    for (const QString &candidate : {topic->GetRenderedPath(), topic->GetPicturePath()})
        if (!QFileInfo(source).isFile())
            source = Source(candidate);
    CopyInto(source, QStringLiteral("images/%1%2.png").arg(large ? QStringLiteral("mm") : QStringLiteral("m")).arg(number));
}

QString CScreenPreview::FillTemplate(QString text, const CCorvPage &screen) const
{
    // A byte-order mark read as legacy text.
    const QString mark = QStringLiteral("\u00EF\u00BB\u00BF");
    if (text.startsWith(mark))
        text.remove(mark);
    const CCorvessaDoc &document = m_publisher.GetDocument();
    const QString logoName = PreparedPictureName(document.Settings().LogoImage).toLower();
    const QString logo = document.Settings().LogoImage.isEmpty() || logoName.isEmpty()
        ? QString()
        : QStringLiteral("<div id=\"logo\"><img title=\"logo\" alt=\"logo\" id=\"logoImg\" name=\"logoImg\" "
                         "src=\"images/%1\"></div>\n")
              .arg(CorvEscape::HtmlAttribute(logoName));
    const QString path = CorvPath::ToSlashes(m_publisher.GetTargetFolder()) + QStringLiteral("/content/");
    const std::pair<const char *, QString> values[] = {
        {"<~prefix~>", CorvEscape::HtmlAttribute(m_publisher.GetProjectPrefix().toLower())},
        {"<~page~>", CorvEscape::HtmlAttribute(screen.GetPublishId())},
        {"<~coursename~>", CorvEscape::HtmlText(document.Settings().CourseName)},
        {"<~logo~>", logo},
        {"<~path~>", CorvEscape::HtmlAttribute(path)},
    };
    for (const auto &[placeholder, value] : values)
        text.replace(QLatin1String(placeholder), value);
    return text;
}

bool CScreenPreview::WritePage(const QString &text)
{
    const QString path = PreviewPagePath();
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_publisher.GetDocument().Prompt().Error(kNotWritten.arg(path) + u'\n' + file.errorString());
        return false;
    }
    return true;
}
