#pragma once

#include "dialogs/Recorder.h"

#include <QDialog>

#include <memory>

class CPrompt;
class QAudioInput;
class QCheckBox;
class QLabel;
class QMediaCaptureSession;
class QMediaRecorder;
class QPushButton;

// The recording window of the Record narration command: Record and Stop, the time recorded, the three
// choices of the audio component (Auto-start, Loop, Display button controls) and OK, which is enabled once a
// recording is finished. The sound goes into a new WAV (else MP3) file in the folder given.
class CNarrationRecorderDialog : public QDialog
{
    Q_OBJECT
public:
    CNarrationRecorderDialog(const QString &folder, QWidget *parent = nullptr);
    ~CNarrationRecorderDialog() override;

    // The author's choices: preset with SetChoices, read after OK.
    int autoStart = 0;
    int loop = 0;
    int displayController = 0;
    void SetChoices(int autoStartFlag, int loopFlag, int controllerFlag);
    // The recorded file; empty until a recording is finished.
    QString recordedFile;

    // False when nothing can be recorded here (no input, or no file format the backend writes); the reason in
    // Problem().
    bool CanRecord() const { return m_problem.isEmpty(); }
    const QString &Problem() const { return m_problem; }

    QPushButton *RecordButton() const { return m_record; }
    QPushButton *StopButton() const { return m_stop; }
    QPushButton *OkButton() const { return m_ok; }

    void accept() override;
    void reject() override;

private:
    void StartRecording();
    void StopRecording();
    void UpdateState();

    QString m_folder;
    QString m_problem;
    std::unique_ptr<QMediaCaptureSession> m_session;
    QAudioInput *m_input = nullptr;
    QMediaRecorder *m_recorder = nullptr;
    QLabel *m_status;
    QPushButton *m_record;
    QPushButton *m_stop;
    QPushButton *m_ok;
    QCheckBox *m_autoStart;
    QCheckBox *m_loop;
    QCheckBox *m_controller;
};

// The recorder of the running program: the recording window above over the active window. Without an audio
// input it tells the author so and records nothing; the program stays usable.
class CQtAudioRecorder : public CRecorder
{
public:
    // folder: where recordings go; the per-user data folder's "Recordings" when empty.
    explicit CQtAudioRecorder(CPrompt &prompt, QString folder = QString());
    int Run(int &autoStart, int &loop, int &displayController, QString &path) override;

    static inline const QString kNoInput =
        QStringLiteral("No audio input is available, so no narration can be recorded.");
    static QString DefaultFolder();

private:
    CPrompt &m_prompt;
    QString m_folder;
};
