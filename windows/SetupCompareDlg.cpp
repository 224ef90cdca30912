#include "windows/SetupCompareDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qx {
namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QColor outcomeColour(RestoreResult::Outcome o)
{
    switch (o) {
    case RestoreResult::Outcome::Restored: return QColor(0xd7, 0xf0, 0xd2);
    case RestoreResult::Outcome::LeftToOperator: return QColor(0xfc, 0xf0, 0xc8);
    default: return QColor(0xf8, 0xd4, 0xd4);
    }
}

} // namespace

CSetupCompareDlg::CSetupCompareDlg(WindowContext& ctx, QWidget* parent)
    : SetupJobWindow(AuxKind::SetupCompare, ctx, parent)
{
    setWindowTitle(QStringLiteral("Compare with radio"));
    auto* layout = new QVBoxLayout(this);
    QHBoxLayout* top = fileRow(false);
    compare_ = new QPushButton(QStringLiteral("Compare"));
    compare_->setDefault(true);
    top->addWidget(compare_);
    layout->addLayout(top);

    table_ = new QTableWidget(0, 4);
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Setting"), QStringLiteral("Saved"), QStringLiteral("Radio now"), QStringLiteral("Note")});
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setMinimumSize(760, 280);
    layout->addWidget(table_, 1);
    layout->addWidget(progress_);
    layout->addWidget(status_);

    restore_ = new QPushButton(QStringLiteral("Restore checked"));
    restore_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(restore_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);

    connect(compare_, &QPushButton::clicked, this, &CSetupCompareDlg::startCompare);
    connect(restore_, &QPushButton::clicked, this, &CSetupCompareDlg::startRestore);
    connect(&jobs_, &SetupJobs::finished, this, &CSetupCompareDlg::jobFinished);
}

void CSetupCompareDlg::startCompare()
{
    table_->setRowCount(0);
    shown_.clear();
    restore_->setEnabled(false);
    if (!jobs_.compare(file_->text().toStdString())) {
        showStatus(jobs_.message(), true);
        return;
    }
    restoring_ = false;
    compare_->setEnabled(false);
    showStatus("Comparing...", false);
    jobStarted();
}

void CSetupCompareDlg::startRestore()
{
    std::vector<SetupDifference> chosen;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const SetupDifference& d = shown_[static_cast<std::size_t>(row)];
        // The operator's own settings go along so the report lists them.
        if (!d.restorable() || table_->item(row, Setting)->checkState() == Qt::Checked)
            chosen.push_back(d);
    }
    if (!jobs_.restore(std::move(chosen))) {
        showStatus(jobs_.message(), true);
        return;
    }
    restoring_ = true;
    compare_->setEnabled(false);
    restore_->setEnabled(false);
    showStatus("Restoring...", false);
    jobStarted();
}

void CSetupCompareDlg::jobFinished()
{
    jobEnded();
    compare_->setEnabled(true);
    if (restoring_) {
        showResults();
        return;
    }
    if (!jobs_.succeeded()) {
        showStatus(jobs_.message(), true);
        return;
    }
    showDifferences();
}

void CSetupCompareDlg::showDifferences()
{
    shown_ = jobs_.differences();
    table_->setRowCount(static_cast<int>(shown_.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const SetupDifference& d = shown_[static_cast<std::size_t>(row)];
        auto* name = new QTableWidgetItem(qs(d.name));
        if (d.restorable()) {
            name->setFlags(name->flags() | Qt::ItemIsUserCheckable);
            name->setCheckState(Qt::Checked);
        } else {
            name->setFlags(name->flags() & ~Qt::ItemIsUserCheckable & ~Qt::ItemIsEnabled);
        }
        name->setToolTip(qs(d.key));
        table_->setItem(row, Setting, name);
        table_->setItem(row, Saved, new QTableWidgetItem(qs(d.saved)));
        table_->setItem(row, Now, new QTableWidgetItem(qs(d.now)));
        table_->setItem(row, Note, new QTableWidgetItem(d.restorable() ? QString() : qs("By hand: " + d.handOnly)));
    }
    const bool any = std::any_of(shown_.begin(), shown_.end(), [](const SetupDifference& d) { return d.restorable(); });
    restore_->setEnabled(any);
    showStatus(shown_.empty() ? "The radio holds the saved set-up: no differences."
                              : std::to_string(shown_.size()) + " settings differ from the radio.",
               false);
}

void CSetupCompareDlg::showResults()
{
    std::string notDone;
    int restored = 0;
    for (const RestoreResult& r : jobs_.restoreResults()) {
        for (int row = 0; row < table_->rowCount(); ++row) {
            if (shown_[static_cast<std::size_t>(row)].key != r.item.key)
                continue;
            std::string note(outcomeText(r.outcome));
            if (r.outcome == RestoreResult::Outcome::LeftToOperator)
                note = "By hand: " + r.item.handOnly;
            table_->item(row, Note)->setText(qs(note));
            for (int c = Setting; c <= Note; ++c)
                table_->item(row, c)->setBackground(outcomeColour(r.outcome));
        }
        if (r.outcome == RestoreResult::Outcome::Restored)
            ++restored;
        else
            notDone += "\n  " + r.item.name + ": " + std::string(outcomeText(r.outcome));
    }
    std::string text = std::to_string(restored) + " of " + std::to_string(jobs_.restoreResults().size()) +
                       " restored.";
    if (!notDone.empty())
        text += " Not restored:" + notDone;
    showStatus(text, !notDone.empty());
}

} // namespace qx
