#pragma once

#include <QString>

#include <functional>

class QWidget;

// Edits the pair of default feedback texts of a page (correct, then wrong); false on Cancel, when the texts
// stay as they were. Pages hold one of these so that tests can answer in the dialog's place.
using FeedbackEditor = std::function<bool(QString &correct, QString &wrong, QWidget *parent)>;

// The default feedback dialog: the two texts, OK and Cancel.
bool EditDefaultFeedback(QString &correct, QString &wrong, QWidget *parent);
