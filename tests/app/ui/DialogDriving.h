#pragma once

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Answers the next modal dialog of the kind as the author would, once it is open; a dialog that does not
// come within a few seconds, or one of another kind, is rejected so the test fails instead of hanging.
template <class Dialog>
void AnswerNextDialog(std::function<void(Dialog *)> answer, bool *answered)
{
    auto tries = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [answer, answered, tries, poll] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = dynamic_cast<Dialog *>(modal)) {
            *answered = true;
            answer(dialog);
            return;
        }
        if (modal || ++*tries > 250) {
            if (auto *other = qobject_cast<QDialog *>(modal))
                other->reject();
            return;
        }
        QTimer::singleShot(20, *poll);
    };
    QTimer::singleShot(0, *poll);
}

inline void ClickOk(QDialog *dialog)
{
    auto *buttons = dialog->findChild<QDialogButtonBox *>();
    ASSERT_TRUE(buttons);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

// Types into the box after giving it the focus, as the author does after clicking into it.
inline void TypeInto(QWidget *box, const QString &text)
{
    box->setFocus();
    QTest::keyClicks(box, text);
}
