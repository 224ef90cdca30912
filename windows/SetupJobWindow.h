// What the set-up save and compare windows share: the file field with its
// "Browse..." button, the progress bar and the status line, and the job
// runner that reads channels and restores settings while the window is
// open. Closing the window cancels a job under way.
#pragma once
#include "backup/RadioAccess.h"
#include "backup/SetupJobs.h"
#include "windows/AuxWindow.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace qx {

class SetupJobWindow : public AuxWindow {
    Q_OBJECT
public:
    SetupJobWindow(AuxKind kind, WindowContext& ctx, QWidget* parent);

    void onNotification(const Message& m) override { jobs_.onMessage(m); }

    QLineEdit* fileField() const { return file_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* statusLine() const { return status_; }
    QPushButton* closeButton() const { return close_; }
    SetupJobs& jobs() { return jobs_; }

protected:
    // The file row; `saving` chooses the save or the open file dialog.
    QHBoxLayout* fileRow(bool saving);
    void showStatus(const std::string& text, bool problem);
    // The progress bar shows while a job runs; "Cancel" stops it, "Close" ends the window.
    void jobStarted();
    void jobEnded();
    void reject() override;
    void closeEvent(QCloseEvent* e) override;

    SystemClock clock_;
    RadioAccess access_;
    SetupJobs jobs_;
    QLineEdit* file_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace qx
