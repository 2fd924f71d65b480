#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QPushButton;

// The exporter's form, shown when the program starts without a command line: a presentation path, an output
// folder and Run, which exports and says "done" (or why it could not) after every run.
class CSlatewrightForm : public QWidget
{
    Q_OBJECT
public:
    explicit CSlatewrightForm(QWidget *parent = nullptr);

    QLineEdit *PresentationBox() const { return m_presentation; }
    QLineEdit *OutputFolderBox() const { return m_outputFolder; }
    QPushButton *RunButton() const { return m_run; }

    // Example paths that fill the boxes when the form shows.
    static QString ExamplePresentation();
    static QString ExampleOutputFolder();

private:
    void OnRun();

    QLineEdit *m_presentation;
    QLineEdit *m_outputFolder;
    QPushButton *m_run;
};
