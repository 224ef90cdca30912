#include "windows/MemoryChannelsDlg.h"

#include "backup/SetupSnapshot.h"
#include "channels/ChannelFiles.h"
#include "channels/ChannelLabels.h"
#include "channels/ChirpCsv.h"
#include "channels/RepeaterShift.h"
#include "state/RadioState.h"
#include "windows/ChannelGrid.h"
#include "windows/ChannelTableModel.h"
#include "windows/OperatorPrompt.h"
#include "windows/ProgramIcon.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <filesystem>

namespace qx {
namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// "3, 17 and 250"; a long list ends in "and 40 more".
QString channelList(const std::vector<int>& channels)
{
    constexpr std::size_t kShown = 12;
    QStringList parts;
    for (std::size_t i = 0; i < channels.size() && i < kShown; ++i)
        parts << QString::number(channels[i]);
    if (channels.size() > kShown)
        return parts.join(QStringLiteral(", ")) + QStringLiteral(" and %1 more").arg(channels.size() - kShown);
    if (parts.size() > 1) {
        const QString last = parts.takeLast();
        return parts.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
    }
    return parts.value(0);
}

QPushButton* button(const QString& text, const QString& tip)
{
    auto* b = new QPushButton(text);
    b->setToolTip(tip);
    // Nothing here is Enter's to press: a key typed in the grid or a field must never write to the radio.
    b->setAutoDefault(false);
    return b;
}

const QString kFileFilter = QStringLiteral("Channel lists (*.csv *.json);;CHIRP CSV (*.csv);;Program JSON (*.json)");

} // namespace

CMemoryChannelsDlg::CMemoryChannelsDlg(WindowContext& ctx, QWidget* parent, OperatorPrompt* prompt)
    : AuxWindow(AuxKind::MemoryChannels, ctx, parent),
      access_{ctx.outbox, ctx.radio, ctx.menu, ctx.flags, ctx.sendRaw, clock_}, jobs_(access_),
      prompt_(prompt ? *prompt : messageBoxPrompt()), model_(new ChannelTableModel(this)),
      grid_(new ChannelGrid(*model_))
{
    setWindowTitle(QStringLiteral("Memory channels"));
    setWindowIcon(programIcon());
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildButtons());
    grid_->setMinimumSize(860, 420);
    layout->addWidget(grid_, 1);

    auto* below = new QHBoxLayout;
    below->addWidget(new QLabel(QStringLiteral("Go to channel:")));
    goTo_ = new QSpinBox;
    goTo_->setRange(MemoryChannel::kFirst, MemoryChannel::kLast);
    goTo_->setKeyboardTracking(false);
    below->addWidget(goTo_);
    below->addSpacing(16);
    hideEmpty_ = new QCheckBox(QStringLiteral("&Hide empty channels"));
    below->addWidget(hideEmpty_);
    below->addStretch(1);
    progress_ = new QProgressBar;
    progress_->setVisible(false);
    progress_->setMinimumWidth(220);
    below->addWidget(progress_);
    cancel_ = button(QStringLiteral("Cancel"), QStringLiteral("Stop the read or write under way"));
    cancel_->setVisible(false);
    below->addWidget(cancel_);
    layout->addLayout(below);

    auto* last = new QHBoxLayout;
    status_ = new QLabel;
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    last->addWidget(status_, 1);
    close_ = button(QStringLiteral("Close"), {});
    last->addWidget(close_, 0, Qt::AlignBottom);
    layout->addLayout(last);

    addGridActions();

    connect(goTo_, &QSpinBox::valueChanged, this, [this](int channel) {
        grid_->goToChannel(channel);
        hideEmpty_->setChecked(grid_->filter().hideEmpty());
    });
    connect(hideEmpty_, &QCheckBox::toggled, this, [this](bool on) { grid_->filter().setHideEmpty(on); });
    connect(grid_, &ChannelGrid::recallRequested, this, [this](int channel) { recall(channel); });
    connect(model_, &ChannelTableModel::refused, this, [this](const QString& why) { showStatus(why, true); });
    connect(model_, &ChannelTableModel::labelsChanged, this, &CMemoryChannelsDlg::saveLabels);
    connect(cancel_, &QPushButton::clicked, this, [this] { jobs_.cancel(); });
    connect(close_, &QPushButton::clicked, this, &CMemoryChannelsDlg::reject);
    connect(&jobs_, &ChannelJobs::progressed, this, [this](int done, int total) {
        progress_->setRange(0, total);
        progress_->setValue(done);
    });
    connect(&jobs_, &ChannelJobs::finished, this, &CMemoryChannelsDlg::jobFinished);

    loadLabels();
    showStatus(QStringLiteral("\"Read all\" reads the channels from the radio. Edits stay here, marked *, until "
                              "\"Write to radio\"; double-click or Enter puts the radio on a channel."),
               false);
}

CMemoryChannelsDlg::~CMemoryChannelsDlg() = default;

QWidget* CMemoryChannelsDlg::buildButtons()
{
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    readAll_ = button(QStringLiteral("&Read all"), QStringLiteral("Read channels 1-504 from the radio"));
    readSelected_ = button(QStringLiteral("Read &selected"), QStringLiteral("Read the selected rows' channels"));
    write_ = button(QStringLiteral("&Write to radio"),
                    QStringLiteral("Write the changed channels (marked *), each read back to confirm it"));
    import_ = button(QStringLiteral("&Import..."), QStringLiteral("Take channels from a CHIRP CSV or JSON file"));
    export_ = button(QStringLiteral("&Export..."), QStringLiteral("Save the channels to a CHIRP CSV or JSON file"));
    row->addWidget(readAll_);
    row->addWidget(readSelected_);
    row->addWidget(write_);
    row->addSpacing(16);
    row->addWidget(import_);
    row->addWidget(export_);
    row->addStretch(1);

    // Short names on the buttons; what a step undoes is in the tooltip.
    QUndoStack& stack = model_->undoStack();
    const auto historyAction = [this, &stack](const QString& label, QKeySequence::StandardKey key,
                                              void (QUndoStack::*step)(), void (QUndoStack::*can)(bool),
                                              void (QUndoStack::*named)(const QString&), const QString& verb) {
        auto* action = new QAction(label, this);
        action->setShortcut(key);
        action->setEnabled(false);
        connect(action, &QAction::triggered, &stack, step);
        connect(&stack, can, action, &QAction::setEnabled);
        connect(&stack, named, action,
                [action, verb](const QString& text) { action->setToolTip(QStringLiteral("%1 the %2").arg(verb, text)); });
        return action;
    };
    undo_ = historyAction(QStringLiteral("&Undo"), QKeySequence::Undo, &QUndoStack::undo, &QUndoStack::canUndoChanged,
                          &QUndoStack::undoTextChanged, QStringLiteral("Undo"));
    redo_ = historyAction(QStringLiteral("Re&do"), QKeySequence::Redo, &QUndoStack::redo, &QUndoStack::canRedoChanged,
                          &QUndoStack::redoTextChanged, QStringLiteral("Redo"));
    for (QAction* a : {undo_, redo_}) {
        addAction(a);
        auto* tool = new QToolButton;
        tool->setDefaultAction(a);
        tool->setToolButtonStyle(Qt::ToolButtonTextOnly);
        row->addWidget(tool);
    }

    connect(readAll_, &QPushButton::clicked, this, [this] { readFromRadio(false); });
    connect(readSelected_, &QPushButton::clicked, this, [this] { readFromRadio(true); });
    connect(write_, &QPushButton::clicked, this, &CMemoryChannelsDlg::writeToRadio);
    connect(import_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Import channels"), {}, kFileFilter);
        if (!path.isEmpty())
            importFile(path);
    });
    connect(export_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(
            this, QStringLiteral("Export channels"),
            QStringLiteral("qx720-channels-%1.csv").arg(qs(radioIdText(ctx_.radio))), kFileFilter);
        if (!path.isEmpty())
            exportFile(path);
    });
    return bar;
}

void CMemoryChannelsDlg::addGridActions()
{
    const auto add = [this](const QString& text, const QKeySequence& key, auto slot) {
        auto* a = new QAction(text, grid_);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(a, &QAction::triggered, this, slot);
        grid_->addAction(a);
        editActions_ << a;
        return a;
    };
    add(QStringLiteral("&Copy rows"), QKeySequence::Copy, [this] { copyRows(); });
    add(QStringLiteral("&Paste rows"), QKeySequence::Paste, [this] { pasteRows(); });
    add(QStringLiteral("C&lear channels"), QKeySequence::Delete, [this] { clearRows(); });
    QAction* recallAction = add(QStringLiteral("&Recall on the radio"), {}, [this] {
        if (const int channel = grid_->currentChannel())
            recall(channel);
    });
    editActions_.removeOne(recallAction);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CMemoryChannelsDlg::showStatus(const QString& text, bool problem)
{
    status_->setText(text);
    status_->setStyleSheet(problem ? QStringLiteral("color: #b00020;") : QString());
}

void CMemoryChannelsDlg::jobStarted(const QString& what)
{
    model_->setLocked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{readAll_, readSelected_, write_, import_})
        w->setEnabled(false);
    for (QAction* a : editActions_)
        a->setEnabled(false);
    undo_->setEnabled(false);
    redo_->setEnabled(false);
    progress_->setRange(0, 0);
    progress_->setVisible(true);
    cancel_->setVisible(true);
    showStatus(what, false);
}

void CMemoryChannelsDlg::jobFinished()
{
    model_->setLocked(false);
    for (QWidget* w : std::initializer_list<QWidget*>{readAll_, readSelected_, write_, import_})
        w->setEnabled(true);
    for (QAction* a : editActions_)
        a->setEnabled(true);
    undo_->setEnabled(model_->undoStack().canUndo());
    redo_->setEnabled(model_->undoStack().canRedo());
    progress_->setVisible(false);
    cancel_->setVisible(false);
    switch (jobs_.lastJob()) {
    case ChannelJobs::Job::Read: readFinished(); break;
    case ChannelJobs::Job::Write: writeFinished(); break;
    case ChannelJobs::Job::Recall:
        showStatus(jobs_.succeeded() ? QStringLiteral("The radio is on memory channel %1.").arg(recalling_)
                                     : QStringLiteral("Channel %1: %2").arg(recalling_).arg(qs(jobs_.message())),
                   !jobs_.succeeded());
        break;
    case ChannelJobs::Job::None: break;
    }
}

bool CMemoryChannelsDlg::readFromRadio(bool selectedOnly)
{
    ChannelRange range;
    if (selectedOnly) {
        const std::vector<int> chosen = grid_->selectedChannels();
        if (chosen.empty()) {
            showStatus(QStringLiteral("Select the rows of the channels to read first."), true);
            return false;
        }
        range = {chosen.front(), chosen.back()};
    }
    if (!jobs_.read(range)) {
        showStatus(QStringLiteral("Nothing was read: %1").arg(qs(jobs_.message())), true);
        return false;
    }
    jobStarted(QStringLiteral("Reading channels %1 to %2...").arg(range.first).arg(range.last));
    return true;
}

void CMemoryChannelsDlg::readFinished()
{
    // A cancelled or broken read still brings the channels it matched.
    for (const auto& [channel, content] : jobs_.reading())
        model_->takeReading(channel, content);
    loadLabels();
    const QString text = qs(jobs_.message());
    showStatus(jobs_.succeeded() ? QStringLiteral("Read: %1.").arg(text) : QStringLiteral("Read ended: %1.").arg(text),
               !jobs_.succeeded());
}

bool CMemoryChannelsDlg::writeToRadio()
{
    const ChannelTable& table = model_->table();
    std::vector<ChannelEntry> entries;
    leftAsTheyAre_.clear();
    for (int channel : table.edited()) {
        const ChannelRow& r = table.row(channel);
        if (r.content)
            entries.push_back({channel, *r.content, r.label});
        else
            leftAsTheyAre_.push_back(channel);
    }
    const QString cannotEmpty =
        leftAsTheyAre_.empty()
            ? QString()
            : QStringLiteral(" Channel %1 stays as it is on the radio: CAT cannot empty a channel.")
                  .arg(channelList(leftAsTheyAre_));
    if (entries.empty()) {
        showStatus(QStringLiteral("No changed channel to write.") + cannotEmpty, !leftAsTheyAre_.empty());
        return false;
    }
    std::vector<int> replaced;
    for (int channel : table.overwrites())
        if (table.row(channel).content)
            replaced.push_back(channel);
    if (!replaced.empty() &&
        !prompt_.confirm(this, QStringLiteral("Channel %1 holds something on the radio (or was never read) that "
                                              "this write replaces.\nWrite the %2 changed channels?")
                                   .arg(channelList(replaced))
                                   .arg(entries.size()))) {
        showStatus(QStringLiteral("Nothing was written."), false);
        return false;
    }
    if (!jobs_.write(entries)) {
        showStatus(QStringLiteral("Nothing was written: %1").arg(qs(jobs_.message())), true);
        return false;
    }
    writing_.clear();
    for (const ChannelEntry& e : entries)
        writing_[e.channel] = e.content;
    jobStarted(QStringLiteral("Writing %1 channels, each read back...").arg(entries.size()));
    return true;
}

void CMemoryChannelsDlg::writeFinished()
{
    QStringList failed;
    for (const ChannelWriteResult& r : jobs_.writeResults()) {
        const auto sent = writing_.find(r.channel);
        if (r.confirmed && sent != writing_.end()) {
            model_->takeReading(r.channel, sent->second);
        } else {
            model_->markUnconfirmed(r.channel, r.outcome);
            failed << QStringLiteral("%1 (%2)").arg(r.channel).arg(qs(r.outcome));
        }
    }
    writing_.clear();
    QString text = qs(jobs_.message()) + QLatin1Char('.');
    if (!failed.isEmpty())
        text += QStringLiteral(" Not confirmed, still marked: channel ") + failed.join(QStringLiteral(", ")) +
                QLatin1Char('.');
    if (!leftAsTheyAre_.empty())
        text += QStringLiteral(" Channel %1 stays as it is on the radio: CAT cannot empty a channel.")
                    .arg(channelList(leftAsTheyAre_));
    showStatus(text, !failed.isEmpty() || !jobs_.succeeded());
}

bool CMemoryChannelsDlg::recall(int channel)
{
    if (!jobs_.recall(channel)) {
        showStatus(QStringLiteral("Channel %1 was not recalled: %2").arg(channel).arg(qs(jobs_.message())), true);
        return false;
    }
    recalling_ = channel;
    jobStarted(QStringLiteral("Putting the radio on channel %1...").arg(channel));
    return true;
}

bool CMemoryChannelsDlg::importFile(const QString& path)
{
    const ChannelImport imported = loadChannelFile(path.toStdString(), repeaterShiftHz(ctx_.menu));
    if (imported.refused()) {
        const QString why = qs(imported.error);
        showStatus(QStringLiteral("Nothing was imported: %1").arg(why), true);
        showReport(QStringLiteral("Import refused"), {why, QStringLiteral("Nothing of the file was taken.")});
        return false;
    }
    std::vector<ChannelChange> changes;
    for (const ChannelEntry& e : imported.channels)
        changes.push_back({e.channel, e.content, e.label});
    const auto refused = model_->applyChanges(changes, QStringLiteral("import of %1").arg(QFileInfo(path).fileName()));
    QStringList lines;
    for (const ImportNote& n : imported.notes)
        lines << qs(noteText(n));
    for (const RefusedChange& r : refused)
        lines << QStringLiteral("channel %1: %2; left out").arg(r.channel).arg(qs(r.reason));
    const std::size_t changed = model_->table().edited().size();
    const QString summary =
        QStringLiteral("%1 channels taken from %2; %3 channels now differ from the radio. Nothing was sent: "
                       "\"Write to radio\" sends them.")
            .arg(imported.channels.size() - refused.size())
            .arg(QFileInfo(path).fileName())
            .arg(changed);
    lines.prepend(summary);
    showReport(QStringLiteral("Import report"), lines);
    showStatus(summary, false);
    return true;
}

bool CMemoryChannelsDlg::exportFile(const QString& path)
{
    const ChannelTable& table = model_->table();
    std::vector<ChannelEntry> entries;
    for (int ch = MemoryChannel::kFirst; ch <= MemoryChannel::kLast; ++ch)
        if (table.row(ch).content)
            entries.push_back({ch, *table.row(ch).content, table.row(ch).label});
    std::string why;
    if (!saveChannelFile(path.toStdString(), entries, radioIdText(ctx_.radio), repeaterShiftHz(ctx_.menu), why)) {
        showStatus(QStringLiteral("Nothing was exported: %1").arg(qs(why)), true);
        return false;
    }
    showStatus(QStringLiteral("%1 channels in use (as the table shows them) written to %2.")
                   .arg(entries.size())
                   .arg(path),
               false);
    return true;
}

void CMemoryChannelsDlg::copyRows()
{
    const ChannelTable& table = model_->table();
    std::vector<ChannelEntry> entries;
    for (int channel : grid_->selectedChannels())
        if (table.row(channel).content)
            entries.push_back({channel, *table.row(channel).content, table.row(channel).label});
    if (entries.empty()) {
        showStatus(QStringLiteral("Nothing to copy: the selected channels are empty."), true);
        return;
    }
    QApplication::clipboard()->setText(qs(writeChirpCsv(entries, repeaterShiftHz(ctx_.menu))));
    showStatus(QStringLiteral("%1 channels copied (as CHIRP CSV).").arg(entries.size()), false);
}

void CMemoryChannelsDlg::pasteRows()
{
    const std::string text = QApplication::clipboard()->text().toStdString();
    const ChannelImport pasted = readChirpCsv(text, repeaterShiftHz(ctx_.menu));
    if (pasted.refused() || pasted.channels.empty()) {
        showStatus(QStringLiteral("Nothing was pasted: %1")
                       .arg(pasted.refused() ? qs(pasted.error)
                                             : QStringLiteral("the clipboard holds no channel the radio can hold")),
                   true);
        return;
    }
    // The rows land from the current channel on, spaced as they were copied.
    const int target = grid_->currentChannel();
    const int shift = target ? target - pasted.channels.front().channel : 0;
    std::vector<ChannelChange> changes;
    for (const ChannelEntry& e : pasted.channels)
        changes.push_back({e.channel + shift, e.content, e.label});
    const auto refused = model_->applyChanges(changes, QStringLiteral("paste of %1 channels").arg(changes.size()));
    QStringList lines;
    for (const ImportNote& n : pasted.notes)
        lines << qs(noteText(n));
    for (const RefusedChange& r : refused)
        lines << QStringLiteral("channel %1: %2; left out").arg(r.channel).arg(qs(r.reason));
    const QString summary = QStringLiteral("%1 channels pasted at %2 to %3.")
                                .arg(changes.size() - refused.size())
                                .arg(changes.front().channel)
                                .arg(changes.back().channel);
    if (!lines.isEmpty()) {
        lines.prepend(summary);
        showReport(QStringLiteral("Paste report"), lines);
    }
    showStatus(summary, !refused.empty());
}

void CMemoryChannelsDlg::clearRows()
{
    std::vector<ChannelChange> changes;
    for (int channel : grid_->selectedChannels())
        changes.push_back({channel, std::nullopt, {}});
    if (changes.empty())
        return;
    model_->applyChanges(changes, QStringLiteral("clear of %1 channels").arg(changes.size()));
    showStatus(QStringLiteral("%1 channels cleared here. CAT cannot empty a channel on the radio: \"Write to "
                              "radio\" leaves those as they are.")
                   .arg(changes.size()),
               false);
}

void CMemoryChannelsDlg::showReport(const QString& title, const QStringList& lines)
{
    if (report_)
        report_->close();
    auto* box = new QDialog(this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(title);
    auto* layout = new QVBoxLayout(box);
    auto* text = new QPlainTextEdit(lines.join(QLatin1Char('\n')));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text->setMinimumSize(560, 220);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, box, &QDialog::close);
    layout->addWidget(buttons);
    report_ = box;
    box->show();
}

bool CMemoryChannelsDlg::labelsKnown() const
{
    return !ctx_.settingsDir.empty() && ctx_.radio.get(RadioState::Int::ID) != 0;
}

// Labels are filed by the radio's ID, known once the link is up; the file's
// labels join those typed before then, which win.
void CMemoryChannelsDlg::loadLabels()
{
    if (labelsLoaded_ || !labelsKnown())
        return;
    const std::filesystem::path path = ctx_.settingsDir / "CommoFiles" / ChannelLabels::kFileName;
    ChannelLabels file(path);
    std::vector<std::pair<int, std::string>> kept;
    for (auto& [channel, label] : file.load(radioIdText(ctx_.radio)))
        if (model_->table().row(channel).label.empty())
            kept.emplace_back(channel, std::move(label));
    std::error_code ec;
    if (!file.lastError().empty() && std::filesystem::exists(path, ec))
        showStatus(QStringLiteral("The labels were not read: %1").arg(qs(file.lastError())), true);
    labelsLoaded_ = true;
    const bool typedBefore = !model_->table().labels().empty();
    model_->setLabels(kept);
    if (typedBefore)
        saveLabels();
}

void CMemoryChannelsDlg::saveLabels()
{
    if (!labelsKnown()) {
        showStatus(QStringLiteral("Labels are kept once the radio is linked: they are filed by its ID."), false);
        return;
    }
    if (!labelsLoaded_) {
        loadLabels(); // keeps what was typed before, with the file's
        return;
    }
    ChannelLabels file(ctx_.settingsDir / "CommoFiles" / ChannelLabels::kFileName);
    if (!file.save(radioIdText(ctx_.radio), model_->table().labels()))
        showStatus(QStringLiteral("The labels were not kept: %1").arg(qs(file.lastError())), true);
}

bool CMemoryChannelsDlg::mayClose()
{
    const std::size_t pending = model_->table().edited().size();
    if (pending == 0 || finished())
        return true;
    return prompt_.confirm(this, QStringLiteral("%1 changed channels are not written to the radio.\nClose the "
                                                "window and drop the changes?")
                                     .arg(pending));
}

void CMemoryChannelsDlg::reject()
{
    if (!mayClose())
        return;
    jobs_.cancel();
    AuxWindow::reject();
}

void CMemoryChannelsDlg::closeEvent(QCloseEvent* e)
{
    if (!mayClose()) {
        e->ignore();
        return;
    }
    jobs_.cancel();
    AuxWindow::closeEvent(e);
}

} // namespace qx
