#include "dialogs/ui/NarrationRecorder.h"

#include "platform/Prompt.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioInput>
#include <QCheckBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QMediaFormat>
#include <QMediaRecorder>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The file format the audio component plays that the backend can write: WAV, else MP3.
bool ChooseFormat(QMediaFormat &format, QString &extension)
{
    const QList<QMediaFormat::FileFormat> writable = QMediaFormat().supportedFileFormats(QMediaFormat::Encode);
    if (writable.contains(QMediaFormat::Wave)) {
        format.setFileFormat(QMediaFormat::Wave);
        format.setAudioCodec(QMediaFormat::AudioCodec::Wave);
        extension = QStringLiteral("wav");
        return true;
    }
    if (writable.contains(QMediaFormat::MP3)) {
        format.setFileFormat(QMediaFormat::MP3);
        format.setAudioCodec(QMediaFormat::AudioCodec::MP3);
        extension = QStringLiteral("mp3");
        return true;
    }
    return false;
}

QString Elapsed(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

CNarrationRecorderDialog::CNarrationRecorderDialog(const QString &folder, QWidget *parent)
    : QDialog(parent), m_folder(folder)
{
    setObjectName(QStringLiteral("NarrationRecorder"));
    setWindowTitle(QStringLiteral("Record narration"));
    auto *layout = new QVBoxLayout(this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));
    layout->addWidget(m_status);
    auto *buttons = new QHBoxLayout;
    m_record = new QPushButton(QStringLiteral("&Record"), this);
    m_record->setObjectName(QStringLiteral("Record"));
    m_stop = new QPushButton(QStringLiteral("&Stop"), this);
    m_stop->setObjectName(QStringLiteral("Stop"));
    buttons->addWidget(m_record);
    buttons->addWidget(m_stop);
    buttons->addStretch();
    layout->addLayout(buttons);
    m_autoStart = new QCheckBox(QStringLiteral("Auto-start"), this);
    m_loop = new QCheckBox(QStringLiteral("Loop"), this);
    m_controller = new QCheckBox(QStringLiteral("Display button controls"), this);
    m_autoStart->setObjectName(QStringLiteral("AutoStart"));
    m_loop->setObjectName(QStringLiteral("Loop"));
    m_controller->setObjectName(QStringLiteral("ButtonControls"));
    for (QCheckBox *box : {m_autoStart, m_loop, m_controller})
        layout->addWidget(box);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = box->button(QDialogButtonBox::Ok);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
    connect(m_record, &QPushButton::clicked, this, &CNarrationRecorderDialog::StartRecording);
    connect(m_stop, &QPushButton::clicked, this, &CNarrationRecorderDialog::StopRecording);

    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    QMediaFormat format;
    QString extension;
    if (device.isNull())
        m_problem = CQtAudioRecorder::kNoInput;
    else if (!ChooseFormat(format, extension))
        m_problem = QStringLiteral("No sound file format can be written here, so no narration can be recorded.");
    if (CanRecord()) {
        m_session = std::make_unique<QMediaCaptureSession>();
        m_input = new QAudioInput(device, this);
        m_recorder = new QMediaRecorder(this);
        m_session->setAudioInput(m_input);
        m_session->setRecorder(m_recorder);
        m_recorder->setMediaFormat(format);
        m_recorder->setProperty("corvExtension", extension);
        connect(m_recorder, &QMediaRecorder::durationChanged, this,
                [this](qint64 ms) { m_status->setText(QStringLiteral("Recording %1").arg(Elapsed(ms))); });
        connect(m_recorder, &QMediaRecorder::recorderStateChanged, this, [this](QMediaRecorder::RecorderState state) {
            if (state == QMediaRecorder::StoppedState) {
                const QString file = m_recorder->actualLocation().toLocalFile();
                recordedFile = QFileInfo(file).isFile() && QFileInfo(file).size() > 0 ? file : QString();
            }
            UpdateState();
        });
        connect(m_recorder, &QMediaRecorder::errorOccurred, this, [this](QMediaRecorder::Error, const QString &text) {
            m_status->setText(QStringLiteral("The recording failed: %1").arg(text));
        });
    }
    UpdateState();
    resize(340, 0);
}

CNarrationRecorderDialog::~CNarrationRecorderDialog() = default;

void CNarrationRecorderDialog::SetChoices(int autoStartFlag, int loopFlag, int controllerFlag)
{
    autoStart = autoStartFlag;
    loop = loopFlag;
    displayController = controllerFlag;
    m_autoStart->setChecked(autoStart != 0);
    m_loop->setChecked(loop != 0);
    m_controller->setChecked(displayController != 0);
}

void CNarrationRecorderDialog::StartRecording()
{
    if (!m_recorder)
        return;
    if (!recordedFile.isEmpty()) {
        QFile::remove(recordedFile);
        recordedFile.clear();
    }
    if (!QDir().mkpath(m_folder)) {
        m_status->setText(QStringLiteral("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(m_folder)));
        return;
    }
    const QString name = QStringLiteral("narration-%1.%2")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")),
                                  m_recorder->property("corvExtension").toString());
    m_recorder->setOutputLocation(QUrl::fromLocalFile(QDir(m_folder).filePath(name)));
    m_recorder->record();
    UpdateState();
}

void CNarrationRecorderDialog::StopRecording()
{
    if (m_recorder)
        m_recorder->stop();
}

void CNarrationRecorderDialog::UpdateState()
{
    const bool recording = m_recorder && m_recorder->recorderState() != QMediaRecorder::StoppedState;
    m_record->setEnabled(CanRecord() && !recording);
    m_stop->setEnabled(recording);
    m_ok->setEnabled(!recording && !recordedFile.isEmpty());
    if (!CanRecord())
        m_status->setText(m_problem);
    else if (!recording)
        m_status->setText(recordedFile.isEmpty() ? QStringLiteral("Click Record to start.")
                                                 : QStringLiteral("Recorded %1.").arg(QFileInfo(recordedFile).fileName()));
}

void CNarrationRecorderDialog::accept()
{
    if (recordedFile.isEmpty())
        return;
    autoStart = m_autoStart->isChecked() ? 1 : 0;
    loop = m_loop->isChecked() ? 1 : 0;
    displayController = m_controller->isChecked() ? 1 : 0;
    QDialog::accept();
}

void CNarrationRecorderDialog::reject()
{
    // Nothing is kept of a cancelled recording.
    if (m_recorder && m_recorder->recorderState() != QMediaRecorder::StoppedState) {
        m_recorder->stop();
        QFile::remove(m_recorder->actualLocation().toLocalFile());
    }
    if (!recordedFile.isEmpty())
        QFile::remove(recordedFile);
    recordedFile.clear();
    QDialog::reject();
}

CQtAudioRecorder::CQtAudioRecorder(CPrompt &prompt, QString folder)
    : m_prompt(prompt), m_folder(folder.isEmpty() ? DefaultFolder() : std::move(folder))
{
}

QString CQtAudioRecorder::DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/Recordings");
}

int CQtAudioRecorder::Run(int &autoStart, int &loop, int &displayController, QString &path)
{
    CNarrationRecorderDialog dialog(m_folder, QApplication::activeWindow());
    if (!dialog.CanRecord()) {
        m_prompt.Information(dialog.Problem());
        return 0;
    }
    dialog.SetChoices(autoStart, loop, displayController);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    autoStart = dialog.autoStart;
    loop = dialog.loop;
    displayController = dialog.displayController;
    path = dialog.recordedFile;
    return 1;
}
