#pragma once

#include "model/ComponentBase.h"

// What a media file keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SMediaValues {
    // Stored in the record; nothing else reads them.
    int m_option1 = 0;
    int m_option2 = 0;
    int m_option3 = 0;
    QString m_filePath;
};

// A generic movie placeholder. Nothing in the program makes one and the project loaders keep none, but its
// record is complete: the movie is copied into the project's "Movies" folder, with a Windows Media
// playlist beside a ".wmv" file.
class CComponentMedia : public CComponentBase, private SMediaValues
{
public:
    explicit CComponentMedia(CEditCanvas *parent = nullptr);

    using Values = SMediaValues;
    using SMediaValues::m_option1;
    using SMediaValues::m_option2;
    using SMediaValues::m_option3;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    void SetFilePath(const QString &path);
    const QString &GetFilePath() const { return m_filePath; }

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    static constexpr CRect kDefaultBounds{10, 10, 400, 400};
};
