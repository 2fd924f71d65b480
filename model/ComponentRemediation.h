#pragma once

#include "model/ComponentBase.h"

#include <vector>

class CScreenLookup;

// What a remediation list keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SRemediationValues {
    int m_completionPageId = 0;
    int m_reverseOutPageId = 0;
    int m_passMark = 0;
    std::vector<int> m_questionPageIds;
};

// The settings of a remediation screen: the question screens that count towards it, the pass mark that
// avoids it, and where the student goes after completing it or reversing out of it (-1: the last screen
// viewed before the remediation). All screens are named by number; the getters drop numbers whose screen
// is gone (questions) or turn them into -1 (targets), and so does storing.
class CComponentRemediation : public CComponentBase, private SRemediationValues
{
public:
    CComponentRemediation();

    using Values = SRemediationValues;
    using SRemediationValues::m_completionPageId;
    using SRemediationValues::m_reverseOutPageId;
    using SRemediationValues::m_passMark;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    void SetQuestionPageIds(const std::vector<int> &ids);
    // The counted question screens that still exist; the others are dropped from the component too.
    void GetQuestionPageIds(const CScreenLookup &document, std::vector<int> &out);
    // The ids as they stand, without looking anything up.
    const std::vector<int> &GetStoredQuestionPageIds() const { return m_questionPageIds; }

    int GetCompletionPageId(const CScreenLookup &document);
    int GetReverseOutPageId(const CScreenLookup &document);

    // The document storing uses to clean up the targets (not owned); without one they are stored as
    // they stand.
    void SetScreenLookup(const CScreenLookup *document) { m_document = document; }

    void SetBounds(const CRect &, bool) override {}
    void ExchangeData(bool) override {}
    void Show() override {}
    void Hide() override {}
    CComponentWindow *GetComponentWindow() const override { return nullptr; }
    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

private:
    const CScreenLookup *m_document = nullptr;
};
