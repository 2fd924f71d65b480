#include "app/StartupSequence.h"

#include "app/AppFolders.h"
#include "app/GraphicsLibraryIndex.h"
#include "app/LibraryLocation.h"
#include "app/StartupFiles.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/IniFile.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"

#include <QFileInfo>

#include <system_error>

namespace {

const QString kIndexFile = QStringLiteral("images.xml");

} // namespace

CStartupSequence::CStartupSequence(CStartupHost &host, CRegistry &registry, CGraphicsLibraryIndex &library,
                                   CCorvContext &context, QString appDataBase)
    : m_host(host), m_registry(registry), m_library(library), m_context(context), m_appDataBase(std::move(appDataBase))
{
}

CStartupSequence::Result CStartupSequence::Run(const CCommandLineInfo &commandLine)
{
    // Started only to register the program: no window, no file read.
    if (commandLine.automation)
        return Result::AutomationOnly;

    m_context.majorVersionText = CorvAppFolders::VersionMajorOf(m_context.versionText);
    m_context.appDataFolder = CorvAppFolders::AppDataFolderOf(m_appDataBase, m_context.majorVersionText);

    if (!m_host.CreateFrameAndDocument())
        return Result::Failed;
    m_host.ShowMainWindow();

    CPrompt &prompt = m_context.Prompt();
    const QString defaultRoot = CorvLibraryLocation::DefaultRoot(m_context.programFolder);
    CorvLibraryLocation::CheckProductRegistryKey(m_registry, prompt, m_context.graphicsLibraryRoot, defaultRoot);
    // A folder that cannot be made is reported; the program runs on without it.
    if (const CStatus made = CreateFolderPath(m_context.appDataFolder); !made)
        prompt.Error(made.Error());
    else if (!QFileInfo(m_context.appDataFolder).isDir())
        prompt.Error(QString::fromStdString(std::make_error_code(std::errc::not_a_directory).message()) + u'\n'
                     + m_context.appDataFolder);
    const CIniFile kvxIni(CorvAppFolders::KvxIniPathOf(m_context.appDataFolder));
    CorvLibraryLocation::GetGraphicsLibraryRoot(kvxIni, m_registry, defaultRoot, m_context.graphicsLibraryRoot);

    if (!ReadExcludedWords())
        return Result::Failed;

    m_host.ShowLoadingWindow();
    const int loaded = m_library.LoadLibraryIndex(CorvPath::Join(m_context.programFolder, kIndexFile), m_excludedWords,
                                                  m_host.UsedLibraryPictures());
    m_host.CloseLoadingWindow();
    if (!loaded)
        return Result::Failed;

    m_host.SetSpecialCharacters(CorvStartupFiles::ReadSpecialCharacters(
        CorvPath::Join(m_context.programFolder, CorvStartupFiles::kSpecialCharacters)));

    m_host.CreateMainViews();
    m_host.UpdateBarVisibility();
    if (!m_host.ProcessCommandLine(commandLine))
        return Result::Failed;
    m_host.FocusCategoryTree();
    return Result::Running;
}

bool CStartupSequence::ReadExcludedWords()
{
    const QString path = CorvPath::Join(m_context.programFolder, CorvStartupFiles::kExclusionList);
    QString why;
    if (CorvStartupFiles::ReadExclusionList(path, m_excludedWords, &why))
        return true;
    m_context.Prompt().Error(QStringLiteral("Corvessa cannot start: the word list\n%1\ncannot be read (%2).").arg(path, why));
    return false;
}
