#pragma once

#include "model/CorvPage.h"
#include "model/RichTextLinks.h"
#include "model/ScreenLookup.h"
#include "platform/richtext/RichText.h"

#include <memory>
#include <vector>

// Small helpers shared by the link, text box and table tests.
namespace LinkTest {

inline bool IsHidden(const CRichText &text, int start, int end)
{
    const CCharFormat format = text.GetCharFormat(start, end);
    return (format.mask & CFM_HIDDEN) && format.Has(CFE_HIDDEN);
}

inline bool IsLinked(const CRichText &text, int start, int end)
{
    const CCharFormat format = text.GetCharFormat(start, end);
    return (format.mask & CFM_LINK) && format.Has(CFE_LINK);
}

// No character of [start, end) has the link effect.
inline bool IsUnlinked(const CRichText &text, int start, int end)
{
    const CCharFormat format = text.GetCharFormat(start, end);
    return (format.mask & CFM_LINK) && !format.Has(CFE_LINK);
}

// The text with every hidden character left out.
inline QString VisibleText(const CRichText &text)
{
    QString visible;
    for (int i = 0; i < text.GetTextLength(); ++i) {
        if (!text.GetCharFormatAt(i).Has(CFE_HIDDEN))
            visible += text.GetText().at(i);
    }
    return visible;
}

// Puts plain text in and hides the given ranges, as markers stand in a stored text.
inline void SetText(CRichText &text, const QString &plain, const std::vector<std::pair<int, int>> &hidden = {})
{
    text.ReplaceAll(plain);
    for (const auto &[start, end] : hidden)
        text.HideRange(start, end);
}

inline std::unique_ptr<CURLLink> Record(const QString &text, int number, int position,
                                        const QString &address = QStringLiteral("https://example.org/"))
{
    return std::make_unique<CURLLink>(text, number, position, 0, -1, address, 0, 0, 0, 100, 250);
}

// The document's lists, as far as links need them.
class Screens : public CScreenLookup
{
public:
    CCorvPage *Add(int id, const QString &publishId)
    {
        auto page = std::make_unique<CCorvPage>(id, QStringLiteral("title"), QString(), QString(), 0,
                                                QStringLiteral("1_%1").arg(id), 2, -1);
        page->SetPublishId(publishId);
        m_pages.push_back(std::move(page));
        return m_pages.back().get();
    }
    CCorvPage *FindScreenByNumber(int id) const override
    {
        for (const auto &page : m_pages) {
            if (page->GetId() == id)
                return page.get();
        }
        return nullptr;
    }
    CCorvPage *FindMainScreenByNumber(int id) const override { return FindScreenByNumber(id); }

private:
    std::vector<std::unique_ptr<CCorvPage>> m_pages;
};

} // namespace LinkTest
