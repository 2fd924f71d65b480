#include "editor/ui/EditFrmVw.h"

#include "app/CommandIds.h"
#include "document/CorvessaDoc.h"
#include "editor/ui/DragDropListCtrl.h"
#include "editor/ui/DragDropTreeCtrl.h"
#include "editor/ui/PropertySheetView.h"
#include "editor/ui/ThumbListModel.h"

#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

CEditFrmVw::CEditFrmVw(CCorvessaDoc &document, QWidget *parent)
    : QWidget(parent), m_document(document), m_controller(document), m_splitter(new QSplitter(Qt::Horizontal, this)),
      m_navigator(new CPropertySheetView(m_controller, m_splitter))
{
    setObjectName(QStringLiteral("EditView"));
    setAccessibleName(QStringLiteral("Edit"));
    m_splitter->setObjectName(QStringLiteral("EditSplitter"));
    auto *placeholder = new QLabel(QStringLiteral("Screen"), m_splitter);
    placeholder->setObjectName(QStringLiteral("ScreenArea"));
    placeholder->setAlignment(Qt::AlignCenter);
    placeholder->setAutoFillBackground(true);
    m_canvasArea = placeholder;
    m_splitter->addWidget(m_navigator);
    m_splitter->addWidget(m_canvasArea);
    m_splitter->setCollapsible(0, true);
    m_splitter->setCollapsible(1, false);
    m_canvasArea->setMinimumWidth(110);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({kInitialBar, 1000});
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);

    m_controller.SetListener(this);
    auto chosen = [this] {
        ThumbnailList()->ShowCurrent();
        Tree()->ShowCurrent();
        emit CurrentPageChanged();
    };
    connect(ThumbnailList(), &CDragDropListCtrl::ScreenChosen, this, chosen);
    connect(Tree(), &CDragDropTreeCtrl::ScreenChosen, this, chosen);
    auto paste = [this] {
        if (m_pasteScreen)
            m_pasteScreen();
    };
    connect(ThumbnailList(), &CDragDropListCtrl::CopyRequested, this,
            [this] { m_controller.CopyScreen(m_controller.GetCurrentPage()); });
    connect(ThumbnailList(), &CDragDropListCtrl::PasteRequested, this, paste);
    connect(Tree(), &CDragDropTreeCtrl::PasteRequested, this, paste);
    connect(m_navigator, &QTabWidget::currentChanged, this, [this](int) {
        ThumbnailList()->ShowCurrent();
        Tree()->ShowCurrent();
    });
    m_document.AddObserver(this);
    m_controller.OnUpdate();
}

CEditFrmVw::~CEditFrmVw()
{
    m_document.RemoveObserver(this);
    m_controller.SetListener(nullptr);
}

CDragDropTreeCtrl *CEditFrmVw::Tree() const { return m_navigator->Tree(); }

CDragDropListCtrl *CEditFrmVw::ThumbnailList() const { return m_navigator->ThumbnailList(); }

QTreeWidget *CEditFrmVw::OutlineWidget() const { return m_navigator->Tree(); }

void CEditFrmVw::SetCanvasWidget(QWidget *canvas)
{
    if (!canvas || canvas == m_canvasArea)
        return;
    const QList<int> sizes = m_splitter->sizes();
    QWidget *old = m_splitter->replaceWidget(1, canvas);
    delete old;
    m_canvasArea = canvas;
    m_canvasArea->setMinimumWidth(110);
    m_splitter->setCollapsible(1, false);
    m_splitter->setSizes(sizes);
}

void CEditFrmVw::OnUpdate(CCorvessaDoc &) { m_controller.OnUpdate(); }

void CEditFrmVw::OnNewProject(CCorvessaDoc &) { m_controller.ForgetCurrentScreen(); }

void CEditFrmVw::MakeCurrentScreen(CCorvPage *screen)
{
    m_controller.MakeCurrentScreen(screen);
    ThumbnailList()->ShowCurrent();
    Tree()->ShowCurrent();
}

void CEditFrmVw::ShowSorter(bool show)
{
    if (show) {
        if (m_navigator->isHidden()) {
            m_navigator->show();
            if (!m_storedSizes.isEmpty())
                m_splitter->setSizes(m_storedSizes);
        }
        return;
    }
    if (!m_navigator->isHidden()) {
        m_storedSizes = m_splitter->sizes();
        m_navigator->hide();
    }
}

bool CEditFrmVw::UpdateCommand(int commandId, bool &checked) const
{
    // The other editing commands arrive with the canvas and the screen commands.
    checked = false;
    return commandId == CorvCommand::PreviewScreen && GetCurrentPage();
}

void CEditFrmVw::OnCommand(int commandId)
{
    if (commandId == CorvCommand::PreviewScreen && GetCurrentPage())
        emit PreviewRequested(GetCurrentPage());
}

void CEditFrmVw::SetFontName(const QString &) {}

void CEditFrmVw::SetFontSize(int) {}

void CEditFrmVw::OutlineChanged() { Tree()->Rebuild(); }

void CEditFrmVw::ThumbnailsChanged()
{
    ThumbnailList()->Model()->Reset();
    ThumbnailList()->ShowCurrent();
}

void CEditFrmVw::ThumbnailImageChanged(int item) { ThumbnailList()->Model()->ImageChanged(item); }

void CEditFrmVw::CurrentChanged()
{
    ThumbnailList()->ShowCurrent();
    Tree()->ShowCurrent();
    emit CurrentPageChanged();
}
