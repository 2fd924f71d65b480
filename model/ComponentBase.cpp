#include "model/ComponentBase.h"

#include "model/ComponentWindow.h"
#include "model/EditCanvas.h"
#include "model/MediaCopy.h"
#include "platform/Archive.h"
#include "platform/SafeFileWriter.h"


CComponentBase::CComponentBase(int typeCode, CEditCanvas *parent, const CRect &bounds)
    : m_bounds(bounds), m_parent(parent), m_type(typeCode)
{
}

CComponentBase::~CComponentBase()
{
    DestroyComponentWindow();
    if (m_parent)
        m_parent->ForgetComponent(this);
}

void CComponentBase::CreateComponentWindow(CEditCanvas *parent)
{
    m_parent = parent;
    m_window.reset();
    if (m_parent)
        m_window = m_parent->CreateComponentWindow(*this);
}

void CComponentBase::AttachToCanvas(CEditCanvas &canvas)
{
    if (m_parent == &canvas)
        return;
    DestroyComponentWindow();
    m_parent = &canvas;
}

void CComponentBase::DestroyComponentWindow()
{
    m_window.reset();
}

void CComponentBase::DetachFromCanvas()
{
    DestroyComponentWindow();
    m_parent = nullptr;
}

void CComponentBase::SetBounds(const CRect &rect, bool /*move*/)
{
    m_bounds = rect;
    if (m_window) {
        m_window->MoveWindow(m_bounds);
        m_window->Invalidate();
    }
}

void CComponentBase::ExchangeData(bool save)
{
    if (!m_window)
        return;
    if (save) {
        m_window->UpdateComponent();
        return;
    }
    m_window->UpdateFromComponent();
    m_window->MoveWindow(m_bounds);
    m_window->Invalidate();
}

void CComponentBase::Show()
{
    // The window exists only while the component is on show: made here, it shows the component's values.
    if (!m_window && m_parent) {
        m_window = m_parent->CreateComponentWindow(*this);
        if (m_window)
            m_window->MoveWindow(m_bounds);
    }
    if (!m_window)
        return;
    ExchangeData(false);
    m_window->Show();
}

void CComponentBase::Hide()
{
    if (!m_window)
        return;
    // What the author edited is taken before the window goes.
    ExchangeData(true);
    m_window->Hide();
    DestroyComponentWindow();
}

void CComponentBase::Draw(QPainter & /*painter*/) const
{
}

CStatus CComponentBase::SaveToFile(const QString &path, const CCorvContext &context)
{
    // A copy is written: the media copied next to the file must not re-point this component, which still
    // belongs to its project. The author's pending edits are taken first, as any store does.
    ExchangeData(true);
    std::unique_ptr<CComponentBase> copy = Clone(true);
    copy->SetStandAlone(m_standAlone);
    CArchive ar;
    ar.SetFilePath(path);
    ar.SetContext(&context);
    try {
        copy->SerializeComponent(ar);
    } catch (const CArchiveException &e) {
        return CFailure(e.GetText());
    }
    // A file whose media are missing beside it is no saved component.
    if (ar.GetFailedCopies() > 0)
        return CMediaCopy::FailedCopies(ar);
    return CSafeFileWriter::WriteFile(path, ar.GetBuffer());
}

void CComponentBase::StoreHead(CArchive &ar) const
{
    ar.WriteInt(m_type);
    ar.WriteRect(m_bounds);
}

void CComponentBase::LoadBounds(CArchive &ar)
{
    m_bounds = ar.ReadRect();
}

CRect CComponentBase::ClonedBounds(bool keepPosition) const
{
    if (keepPosition)
        return m_bounds;
    return CRect(kCloneLeft, kCloneTop, kCloneLeft + m_bounds.Width(), kCloneTop + m_bounds.Height());
}

QString CComponentBase::GetMediaBaseFolder(const CArchive &ar) const
{
    return CMediaCopy::BaseFolder(ar.GetFilePath(), m_standAlone != 0);
}
