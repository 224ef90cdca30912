// Setup > Audio...: the sound devices of the remote audio, chosen from the
// system's list, with a level meter on the capture device so the operator
// can see the radio's receive audio arrive before anyone listens.
#pragma once
#include "audio/AudioCapture.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QProgressBar;
class QTimer;

namespace qx {

class AudioSetupDlg : public QDialog {
    Q_OBJECT
public:
    AudioSetupDlg(const QString& capture, const QString& playback, QWidget* parent = nullptr);

    QString capture() const;
    QString playback() const;

private:
    void listenTo(const QString& name);
    void showLevel();

    QComboBox* capture_;
    QComboBox* playback_;
    QProgressBar* meter_;
    QLabel* note_;
    QTimer* tick_;
    audio::AudioCapture preview_;
};

} // namespace qx
