#pragma once

#include <QComboBox>
#include <QStringList>

// The drop-down list of the installed scalable font families, sorted, with a two-line sunken frame that it
// repaints whenever its hot state changes: hot while the mouse is over it or it has the focus.
class CFontComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CFontComboBox(QWidget *parent = nullptr);

    // Lists the installed families again; the entry equal to the selected name (without regard to case)
    // is selected afterwards.
    void FillFonts();
    // The same from a given list of names (sorted here, each once).
    void FillFonts(const QStringList &names);

    void SetSelectedName(const QString &name) { m_selectedName = name; }
    const QString &SelectedName() const { return m_selectedName; }

    // Hover and focus as the frame follows them.
    bool IsTracking() const { return m_tracking; }
    bool HasFocusFlag() const { return m_hasFocus; }
    bool IsHot() const { return m_hot; }
    // How often the frame was repainted with each state (tests count the changes).
    int HotRepaints() const { return m_hotRepaints; }
    int ColdRepaints() const { return m_coldRepaints; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void RepaintFrame(bool hot);

    QString m_selectedName;
    bool m_hasFocus = false;
    bool m_tracking = false;
    bool m_hot = false;
    int m_hotRepaints = 0;
    int m_coldRepaints = 0;
};
