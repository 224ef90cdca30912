#include "windows/SetupJobWindow.h"

#include "windows/ProgramIcon.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace qx {
SetupJobWindow::SetupJobWindow(AuxKind kind, WindowContext& ctx, QWidget* parent)
    : AuxWindow(kind, ctx, parent), access_{ctx.outbox, ctx.radio, ctx.menu, ctx.flags, ctx.sendRaw, clock_},
      jobs_(access_)
{
    setWindowIcon(programIcon());
    progress_ = new QProgressBar;
    progress_->setVisible(false);
    status_ = new QLabel;
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    close_ = new QPushButton(QStringLiteral("Close"));
    connect(close_, &QPushButton::clicked, this, [this] {
        if (jobs_.busy())
            jobs_.cancel();
        else
            reject();
    });
    connect(&jobs_, &SetupJobs::progressed, this, [this](int done, int total) {
        progress_->setRange(0, total);
        progress_->setValue(done);
    });
}

QHBoxLayout* SetupJobWindow::fileRow(bool saving)
{
    file_ = new QLineEdit;
    file_->setMinimumWidth(360);
    auto* browse = new QPushButton(QStringLiteral("Browse..."));
    connect(browse, &QPushButton::clicked, this, [this, saving] {
        const QString filter = QStringLiteral("Radio set-up (*.json);;All files (*)");
        const QString chosen = saving ? QFileDialog::getSaveFileName(this, windowTitle(), file_->text(), filter)
                                      : QFileDialog::getOpenFileName(this, windowTitle(), file_->text(), filter);
        if (!chosen.isEmpty())
            file_->setText(chosen);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("File:")));
    row->addWidget(file_, 1);
    row->addWidget(browse);
    return row;
}

void SetupJobWindow::showStatus(const std::string& text, bool problem)
{
    status_->setText(QString::fromStdString(text));
    status_->setStyleSheet(problem ? QStringLiteral("color: #b00020;") : QString());
}

void SetupJobWindow::jobStarted()
{
    progress_->setRange(0, 0);
    progress_->setVisible(true);
    close_->setText(QStringLiteral("Cancel"));
}

void SetupJobWindow::jobEnded()
{
    progress_->setVisible(false);
    close_->setText(QStringLiteral("Close"));
}

void SetupJobWindow::reject()
{
    jobs_.cancel();
    AuxWindow::reject();
}

void SetupJobWindow::closeEvent(QCloseEvent* e)
{
    jobs_.cancel();
    AuxWindow::closeEvent(e);
}

} // namespace qx
