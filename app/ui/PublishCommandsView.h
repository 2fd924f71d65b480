#pragma once

#include <QHash>
#include <QWidget>

#include <functional>

class CCorvessaDoc;
class CEditViewApi;
class CProgressDialog;
class CCharacterSubstitutions;
class QCheckBox;
class QLabel;
class QToolButton;

// The Publish window as far as it goes: one button per kind of publishing (standalone, LAN-based database,
// web-based database, learning management system) with its description while the mouse rests on it, and
// the compatibility-mode box. A publish removes links to screens that are gone, may warn that the course
// has too few questions, saves the project, works out the output folder and runs the publisher for that
// kind, which reports how it went. An LMS publish in the lesson-folder mode publishes the web-database
// course first and makes the lesson from it.
class CPublishCommandsView : public QWidget
{
    Q_OBJECT
public:
    enum Kind { Standalone = 0, Lan = 1, Web = 2, Lms = 3 };

    // saveProject saves the project (asking for a name when it has none) and says whether it is saved.
    CPublishCommandsView(CCorvessaDoc &document, CEditViewApi &editView, const CCharacterSubstitutions *specialCharacters,
                         std::function<bool()> saveProject, QWidget *parent = nullptr);

    // The command of a publish button (1160, 1386, 1161, 1162), as the button and the Publish menu send it.
    bool OnCommand(int commandId);
    void Publish(Kind kind);

    // The output folder of a kind for the saved project: beside the project by default, else the author's
    // folder; empty (after telling the author) when that folder does not exist.
    QString OutputFolder(Kind kind) const;
    // Whether the course has fewer questions than the author asked to be warned about.
    bool TooFewQuestions() const;
    void RefreshFromDocument();
    // The progress window the publisher reports to, closed when a publish is over (not owned).
    void SetProgressWindow(CProgressDialog *progress) { m_progress = progress; }

    QToolButton *Button(Kind kind) const { return m_buttons.value(kind); }
    QLabel *Description() const { return m_description; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What every publish does first: dangling links removed, the density warning, the save. False ends it.
    bool Prepare();
    QString ProjectPrefix() const;
    void PublishWeb(int lessonMode);

    CCorvessaDoc &m_document;
    CEditViewApi &m_editView;
    const CCharacterSubstitutions *m_specialCharacters;
    std::function<bool()> m_saveProject;
    CProgressDialog *m_progress = nullptr;
    // The output folder of the last web-database publish, also when it was empty; the lesson folder is
    // made from it.
    QString m_lastWebFolder;
    // Set while an LMS publish runs its web-database part, which neither warns nor saves again.
    bool m_nestedWebRun = false;
    QHash<int, QToolButton *> m_buttons;
    QCheckBox *m_compatibility;
    QLabel *m_description;
};
