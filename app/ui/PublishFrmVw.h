#pragma once

#include "app/ui/controls/RolloverButton.h"
#include "publish/PublishController.h"

#include <QHash>
#include <QWidget>

#include <functional>

class CCorvPage;
class CCorvessaDoc;
class CEditViewApi;
class CDlgProgress;
class CCharacterSubstitutions;
class QCheckBox;
class QLabel;
class QToolButton;

// The Publish window: one button per kind of publishing (standalone, LAN-based database, web-based
// database, learning management system) with its description while the mouse rests on it, a preview
// button for the last standalone publish, an open-folder button per kind, and the compatibility-mode box.
// What a publish does is the controller's; the window shows it and keeps its buttons' states.
class CPublishFrmVw : public QWidget
{
    Q_OBJECT
public:
    enum Kind { Standalone = CPublishController::Standalone, Lan = CPublishController::Lan,
                Web = CPublishController::Web, Lms = CPublishController::Lms };

    // saveProject saves the project (asking for a name when it has none) and says whether it is saved.
    CPublishFrmVw(CCorvessaDoc &document, CEditViewApi &editView, const CCharacterSubstitutions *specialCharacters,
                         std::function<bool()> saveProject, QWidget *parent = nullptr);

    // The command of a publish, preview or open-folder button (1160, 1386, 1161, 1162, 1527-1531), as the
    // button and the Publish menu send it.
    bool OnCommand(int commandId);
    void Publish(Kind kind);
    // The screen preview of the Edit window's screen, opened in the browser.
    void PreviewScreen(CCorvPage *screen);

    QString OutputFolder(Kind kind) const { return m_controller.OutputFolder(CPublishController::Kind(kind)); }
    bool TooFewQuestions() const { return m_controller.TooFewQuestions(); }
    void RefreshFromDocument();
    // The progress window the publisher reports to, closed when a publish is over (not owned).
    void SetProgressWindow(CDlgProgress *progress) { m_progress = progress; }
    CPublishController &Controller() { return m_controller; }

    CRolloverButton *Button(Kind kind) const { return m_buttons.value(kind); }
    // The preview button (kind -1) or the open-folder button of a kind.
    QToolButton *SmallButton(int kind) const { return m_smallButtons.value(kind); }
    QLabel *Description() const { return m_description; }

protected:

private:
    QWidget *MakeKindColumn(int kind);
    void Busy(bool on);
    void UpdateSmallButtons();

    CPublishController m_controller;
    CDlgProgress *m_progress = nullptr;
    QHash<int, CRolloverButton *> m_buttons;
    QHash<int, QToolButton *> m_smallButtons;
    QCheckBox *m_compatibility;
    QLabel *m_description;
};
