#pragma once

#include "document/DocumentObserver.h"
#include "import/ImportCommand.h"

#include <QWidget>

class CCorvessaDoc;
class CDlgProgress;
class CFileDialogs;
class CGraphicsLibrarySearch;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTableWidgetItem;
class QToolButton;
class QVBoxLayout;

// The Import window: the kind of course (linear from one source document, or menu-based with one topic
// per row of the topic table), the glossary documents, the PowerPoint and final-screen options, three
// publish/preview options, and the one-time "Import document(s) now". Every control writes straight into
// the project; RefreshFromDocument rebuilds the window from it. The import itself is CImportCommand's.
class CImportFrmVw : public QWidget, public CDocumentObserver
{
    Q_OBJECT
public:
    CImportFrmVw(CCorvessaDoc &document, QWidget *parent = nullptr);
    ~CImportFrmVw() override;

    // The graphics library the importer chooses pictures from (none: no library pictures).
    void SetGraphicsLibrary(CGraphicsLibrarySearch *library) { m_library = library; }
    // The progress window the import shows: gone when the import ends, however it ends.
    void SetProgressWindow(CDlgProgress *progress) { m_progress = progress; }
    void SetFileDialogs(CFileDialogs *dialogs) { m_dialogs = dialogs; }

    void RefreshFromDocument();
    void OnImportNow();

    void OnUpdate(CCorvessaDoc &document) override;
    void OnNewProject(CCorvessaDoc &document) override;
    void AfterOpenCommand(CCorvessaDoc &document) override;

    QTableWidget *TopicTable() const { return m_topics; }
    QTableWidget *GlossaryTable() const { return m_glossary; }
    QRadioButton *LinearRadio() const { return m_linear; }
    QRadioButton *MenuRadio() const { return m_menu; }
    QLineEdit *SourcePath() const { return m_sourcePath; }
    QPushButton *ImportButton() const { return m_import; }
    QCheckBox *FastPowerPointCheck() const { return m_fastPowerPoint; }
    QCheckBox *SlidesAsImagesCheck() const { return m_slidesAsImages; }

signals:
    // The import is about to run: the Edit window should come up.
    void EditWindowWanted();
    // The import ran; the outline holds the new screens.
    void ImportFinished();

private:
    QToolButton *HelpButton(const QString &name, const QString &text);
    void BuildKindRows(QVBoxLayout *layout);
    void BuildLowerRows(QVBoxLayout *layout);
    void ConnectKindControls();
    void ConnectOptions();
    void ConnectTables();
    void UpdateLinearControls();
    void UpdateMenuControls();
    void UpdateImportAvailability();
    void StoreTopicTable();
    void StoreGlossaryTable();
    std::vector<CImportCommand::TopicRow> TopicRowsOfTable() const;
    void FillTopicTable(const std::vector<CImportCommand::TopicRow> &rows);
    void FillGlossaryTable(const QStringList &paths);
    void SetTopicColumnsEditable(bool editable);
    void SetGlossaryEditable(bool editable);
    QString BrowseForSource(const QString &current);
    void OnTopicChanged(QTableWidgetItem *item);
    void OnKind(bool menuBased);
    void OnSourceEdited();

    CCorvessaDoc &m_document;
    CGraphicsLibrarySearch *m_library = nullptr;
    CDlgProgress *m_progress = nullptr;
    CFileDialogs *m_dialogs = nullptr;
    bool m_refreshing = false;
    bool m_topicColumnsEditable = true;
    bool m_glossaryEditable = true;

    QRadioButton *m_linear;
    QRadioButton *m_menu;
    QLineEdit *m_sourcePath;
    QPushButton *m_browse;
    QCheckBox *m_assessable;
    QTableWidget *m_topics;
    QPushButton *m_browseTopic;
    QTableWidget *m_glossary;
    QPushButton *m_browseGlossary;
    QCheckBox *m_fastPowerPoint;
    QCheckBox *m_slidesAsImages;
    QCheckBox *m_finalScreens;
    QCheckBox *m_topicOrder;
    QCheckBox *m_menuAsList;
    QCheckBox *m_noMenuImages;
    QPushButton *m_import;
};
