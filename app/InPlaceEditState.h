#pragma once

#include <QString>

// The cell a list edits in place: which one, the text it had when the edit began, and whether the author
// cancelled. A cancelled edit still reports, with the text the cell had.
class CInPlaceEditState
{
public:
    void Begin(int row, int column, const QString &initialText);
    void Cancel() { m_cancelled = true; }
    // The text to write into the cell when the edit ends with the editor holding current; the edit is over.
    QString Finish(const QString &current);

    bool IsOpen() const { return m_row >= 0; }
    bool IsCancelled() const { return m_cancelled; }
    int Row() const { return m_row; }
    int Column() const { return m_column; }
    const QString &InitialText() const { return m_initialText; }

private:
    int m_row = -1;
    int m_column = -1;
    QString m_initialText;
    bool m_cancelled = false;
};
