#pragma once

#include <QPushButton>

// A push button that tells its host when the pointer comes to rest on it and when it leaves, so the host can
// describe what the button does. Keyboard focus counts as resting on it, so the description follows the
// keyboard too.
class CRolloverButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CRolloverButton(const QString &text = {}, QWidget *parent = nullptr);

    // The id the hover signal carries, naming the button to its host.
    void SetControlId(int id) { m_controlId = id; }
    int ControlId() const { return m_controlId; }
    bool IsHovering() const { return m_hovering; }

signals:
    void rolloverHover(int controlId);
    void rolloverLeave();

protected:
    bool event(QEvent *event) override;

private:
    void Hover();
    void Leave();

    int m_controlId = 0;
    bool m_hovering = false;
};
