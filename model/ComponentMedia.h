#pragma once

#include "model/ComponentBase.h"

// A generic movie placeholder. Nothing in the program makes one and the project loaders keep none, but its
// record is complete: the movie is copied into the project's "Movies" folder, with a Windows Media
// playlist beside a ".wmv" file.
class CComponentMedia : public CComponentBase
{
public:
    explicit CComponentMedia(CEditCanvas *parent = nullptr);

    void SetFilePath(const QString &path);
    const QString &GetFilePath() const { return m_filePath; }

    // Stored in the record; nothing else reads them.
    int m_option1 = 0;
    int m_option2 = 0;
    int m_option3 = 0;

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    static constexpr CRect kDefaultBounds{10, 10, 400, 400};

private:
    QString m_filePath;
};
