#include "publish/LinkScripts.h"

#include "document/CorvessaDoc.h"
#include "model/ComponentImage.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/RichTextLinks.h"
#include "model/URLLink.h"
#include "platform/Escape.h"
#include "publish/PublishContext.h"
#include "publish/PublishFile.h"

#include <QCryptographicHash>
#include <QDir>

namespace {

void AddScripts(const CRichTextLinks &content, QStringList &scripts)
{
    for (const auto &link : content.GetLinks())
        if (link && link->IsScript() && !link->GetUrl().isEmpty() && !scripts.contains(link->GetUrl()))
            scripts.append(link->GetUrl());
}

} // namespace

QString CLinkScripts::Key(const QString &storedScript)
{
    return QString::fromLatin1(QCryptographicHash::hash(storedScript.toUtf8(), QCryptographicHash::Sha256).toHex().left(20));
}

QString CLinkScripts::FileName(const QString &storedScript)
{
    return QStringLiteral("scripts/link_%1.js").arg(Key(storedScript));
}

QString CLinkScripts::ScriptText(const QString &storedScript)
{
    // The handler ran the stored text as it stands; so does the file.
    return storedScript;
}

QString CLinkScripts::FileText(const QString &storedScript)
{
    // The author's script is the body of a function that the run-time calls on the link, as a handler
    // would have been; its key is the text the anchor names.
    return QStringLiteral("kvx.linkScript(\"%1\", function (event) {\n%2\n});\n")
        .arg(Key(storedScript), ScriptText(storedScript));
}

QStringList CLinkScripts::Scripts() const
{
    const CCorvessaDoc &document = m_context.GetDocument();
    QStringList scripts;
    for (const auto *list : {&document.MainScreens(), &document.PopupScreens(), &document.GlossaryScreens()})
        for (const auto &screen : *list)
            for (const auto &component : screen->GetComponentList()) {
                if (const auto *box = dynamic_cast<const CComponentTextbox *>(component.get())) {
                    AddScripts(box->GetContent(), scripts);
                } else if (const auto *table = dynamic_cast<const CComponentTable *>(component.get())) {
                    for (const CRichTextLinks &cell : table->GetCellList())
                        AddScripts(cell, scripts);
                } else if (const auto *image = dynamic_cast<const CComponentImage *>(component.get())) {
                    const CURLLink &link = image->GetLink();
                    if (image->IsLinked() && link.IsScript() && !link.GetUrl().isEmpty() && !scripts.contains(link.GetUrl()))
                        scripts.append(link.GetUrl());
                }
            }
    return scripts;
}

bool CLinkScripts::Write()
{
    bool written = true;
    const QStringList scripts = Scripts();
    if (!scripts.isEmpty())
        QDir().mkpath(m_context.GetTargetFolder() + QStringLiteral("/content/scripts"));
    for (const QString &script : scripts) {
        CPublishFile file;
        if (!file.Open(m_context.GetTargetFolder(), QStringLiteral("content/") + FileName(script), CPublishFile::NoByteOrderMark)
            || !file.WriteString(FileText(script)) || !file.Close()) {
            m_context.AddFileError(file);
            written = false;
        }
    }
    return written;
}
