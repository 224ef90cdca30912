#include "windows/SetupSaveDlg.h"

#include "backup/SetupSnapshot.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx {

CSetupSaveDlg::CSetupSaveDlg(WindowContext& ctx, QWidget* parent) : SetupJobWindow(AuxKind::SetupSave, ctx, parent)
{
    setWindowTitle(QStringLiteral("Save radio set-up"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow(true));
    file_->setText(QDir::current().filePath(QStringLiteral("qx720-setup-%1-%2.json")
                                                .arg(QString::fromStdString(radioIdText(ctx.radio)))
                                                .arg(QDate::currentDate().toString(Qt::ISODate))));
    channels_ = new QCheckBox(QStringLiteral("Read the memory channels too (1-504, some seconds)"));
    channels_->setChecked(true);
    layout->addWidget(channels_);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    save_ = new QPushButton(QStringLiteral("Save"));
    save_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);

    connect(save_, &QPushButton::clicked, this, &CSetupSaveDlg::startSave);
    connect(&jobs_, &SetupJobs::finished, this, [this] {
        jobEnded();
        save_->setEnabled(true);
        showStatus(jobs_.message(), !jobs_.succeeded());
    });
}

void CSetupSaveDlg::startSave()
{
    std::optional<ChannelRange> range;
    if (channels_->isChecked())
        range = ChannelRange{};
    if (!jobs_.save(file_->text().toStdString(), range)) {
        showStatus(jobs_.message(), true);
        return;
    }
    save_->setEnabled(false);
    showStatus(range ? "Reading the memory channels..." : "Saving...", false);
    jobStarted();
}

} // namespace qx
