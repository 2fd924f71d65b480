#pragma once

#include <QAbstractSpinBox>

// A number edit with arrows, as the settings pages use it: the arrows (and the Up and Down keys) step within a
// range, while the text stays the author's until the page reads it: a typed number beyond the range, or text
// that is no number, is left for the page to accept or refuse when the edit is left. With DigitsOnly, keys
// other than digits are refused as they are typed.
class CSpinEdit : public QAbstractSpinBox
{
    Q_OBJECT
public:
    explicit CSpinEdit(QWidget *parent = nullptr);

    void SetRange(int low, int high);
    void SetDigitsOnly(bool digitsOnly) { m_digitsOnly = digitsOnly; }
    // Shows a number without telling anyone.
    void SetNumber(int number);
    QString Text() const;
    void SetText(const QString &text);
    QLineEdit *Edit() const { return lineEdit(); }

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;

signals:
    // An arrow moved the number; number is the one now shown.
    void Stepped(int number);
    // The author changed the text by typing.
    void TextEdited(const QString &text);

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_low = 0;
    int m_high = 100;
    bool m_digitsOnly = false;
};
