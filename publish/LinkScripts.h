#pragma once

#include <QString>
#include <QStringList>

class CPublishContext;

// The scripts that the author's script links run. A published page runs no script of its own text (its
// content policy forbids inline script), so each script link of the course becomes a file of the content
// folder, "scripts/link_<key>.js", that the run-time loads when the learner follows the link; the anchor
// names the key (data-kvx-script). The key is taken from the script's text, so the anchor and its file
// agree without a shared count, and a script that does not parse takes only its own link with it.
class CLinkScripts
{
public:
    explicit CLinkScripts(CPublishContext &context) : m_context(context) {}

    // Writes the file of every script link of the course's screens; false when one could not be written.
    bool Write();

    // The key of a link's script, as its stored text gives it.
    static QString Key(const QString &storedScript);
    // The file's relative path below content/.
    static QString FileName(const QString &storedScript);
    // The script the link runs: its stored text as it stands.
    static QString ScriptText(const QString &storedScript);
    // The whole file of a link's script.
    static QString FileText(const QString &storedScript);

    // The stored texts of every script link of the course, each once, in the order of the screen lists.
    QStringList Scripts() const;

private:
    CPublishContext &m_context;
};
