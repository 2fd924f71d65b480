#pragma once

// What the window tests share to drive widgets as an author does: modal dialogs answered when they come up,
// OK pressed, text typed into boxes and table cells.

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
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

// Calls act on each modal dialog of the kind as it comes up, until the returned handle goes.
template <class Dialog>
std::unique_ptr<QTimer> OnModal(std::function<void(Dialog *)> act)
{
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(5);
    QObject::connect(timer.get(), &QTimer::timeout, [act] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible() && !dialog->property("handled").toBool()) {
            dialog->setProperty("handled", true);
            act(dialog);
        }
    });
    timer->start();
    return timer;
}

// Runs trigger, which opens a modal dialog of the kind, and acts on the dialog while it is open; false when
// no such dialog opened.
template <class Dialog>
bool WhileOpen(const std::function<void()> &trigger, const std::function<void(Dialog &)> &act)
{
    bool acted = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            poll.stop();
            acted = true;
            act(*dialog);
        }
    });
    poll.start(5);
    trigger();
    return acted;
}

// Types text into a table cell through its editor, as the author does after F2.
inline void TypeIntoCell(QTableWidget *table, int row, int column, const QString &text)
{
    table->setCurrentCell(row, column);
    table->editItem(table->item(row, column));
    // The newest editor: those closed before stay children until they are deleted.
    const QList<QLineEdit *> editors = table->findChildren<QLineEdit *>();
    ASSERT_FALSE(editors.isEmpty());
    QLineEdit *editor = editors.last();
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits the text and closes the editor from the event loop.
    QCoreApplication::processEvents();
    EXPECT_EQ(table->item(row, column)->text(), text);
}

