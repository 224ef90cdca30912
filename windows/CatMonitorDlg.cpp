#include "windows/CatMonitorDlg.h"

#include "core/FileIo.h"
#include "windows/ProgramIcon.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

namespace qx {

namespace {
constexpr int kCatchUpMs = 100;
}

CCatMonitorDlg::CCatMonitorDlg(TrafficTap& tap, QWidget* parent, std::size_t limit)
    : QDialog(parent), tap_(tap), log_(limit), view_(new QPlainTextEdit), hide_(new QLineEdit),
      pause_(new QPushButton(QStringLiteral("&Pause"))), count_(new QLabel), timer_(new QTimer(this))
{
    setWindowTitle(QStringLiteral("CAT Monitor"));
    setWindowIcon(programIcon());
    setModal(false);
    setSizeGripEnabled(true);

    view_->setReadOnly(true);
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    view_->setMaximumBlockCount(static_cast<int>(log_.limit()));
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->setObjectName(QStringLiteral("lines"));
    hide_->setPlaceholderText(QStringLiteral("codes to hide, e.g. RM IF PS AI"));
    hide_->setObjectName(QStringLiteral("hide"));
    pause_->setCheckable(true);

    auto* clear = new QPushButton(QStringLiteral("C&lear"));
    auto* copy = new QPushButton(QStringLiteral("&Copy"));
    auto* save = new QPushButton(QStringLiteral("&Save..."));
    for (QPushButton* b : {pause_, clear, copy, save})
        b->setAutoDefault(false);

    auto* tools = new QHBoxLayout;
    tools->addWidget(new QLabel(QStringLiteral("Hide:")));
    tools->addWidget(hide_, 1);
    tools->addWidget(pause_);
    tools->addWidget(clear);
    tools->addWidget(copy);
    tools->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(view_, 1);
    layout->addWidget(count_);
    resize(680, 420);

    connect(pause_, &QPushButton::toggled, this, [this](bool on) { setPaused(on); });
    connect(clear, &QPushButton::clicked, this, [this] { this->clear(); });
    connect(copy, &QPushButton::clicked, this, [this] { this->copy(); });
    connect(save, &QPushButton::clicked, this, [this] { askAndSave(); });
    connect(hide_, &QLineEdit::textChanged, this, [this](const QString& t) { setHiddenCodes(t); });
    connect(timer_, &QTimer::timeout, this, [this] { catchUp(); });
    updateCount();
}

CCatMonitorDlg::~CCatMonitorDlg() { stopListening(); }

QString CCatMonitorDlg::formatLine(const TrafficLine& line)
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(line.time.time_since_epoch()).count();
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("HH:mm:ss.zzz")) + QLatin1Char(' ') +
           QLatin1Char(static_cast<char>(line.direction)) + QLatin1Char(' ') + QString::fromStdString(line.text);
}

void CCatMonitorDlg::startListening()
{
    if (listening_)
        return;
    listening_ = tap_.listen([this](TrafficDirection d, std::span<const std::uint8_t> bytes) {
        log_.add(d, bytes, std::chrono::system_clock::now());
    });
    timer_->start(kCatchUpMs);
}

void CCatMonitorDlg::stopListening()
{
    if (!listening_)
        return;
    tap_.stopListening(listening_);
    listening_ = 0;
    timer_->stop();
}

void CCatMonitorDlg::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    startListening();
}

void CCatMonitorDlg::hideEvent(QHideEvent* e)
{
    stopListening();
    catchUp();
    QDialog::hideEvent(e);
}

void CCatMonitorDlg::append(const std::vector<TrafficLine>& lines)
{
    QStringList shown;
    for (const TrafficLine& l : lines)
        if (!filter_.hides(l.text))
            shown << formatLine(l);
    if (shown.isEmpty())
        return;
    QScrollBar* bar = view_->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    view_->appendPlainText(shown.join(QLatin1Char('\n')));
    // Someone reading further up is left where they are.
    if (atEnd)
        bar->setValue(bar->maximum());
}

void CCatMonitorDlg::catchUp()
{
    if (paused_)
        return;
    append(log_.since(seen_));
    updateCount();
}

void CCatMonitorDlg::rebuild()
{
    view_->clear();
    std::uint64_t all = 0;
    const auto lines = log_.since(all);
    seen_ = std::max(seen_, all);
    append(lines);
    updateCount();
}

void CCatMonitorDlg::setPaused(bool paused)
{
    paused_ = paused;
    if (pause_->isChecked() != paused)
        pause_->setChecked(paused);
    catchUp();
}

void CCatMonitorDlg::setHiddenCodes(const QString& codes)
{
    if (hide_->text() != codes)
        hide_->setText(codes);
    filter_ = TrafficFilter::parse(codes.toStdString());
    if (!paused_)
        rebuild();
}

void CCatMonitorDlg::clear()
{
    log_.clear();
    view_->clear();
    updateCount();
}

QStringList CCatMonitorDlg::shownLines() const
{
    QStringList out;
    if (view_->document()->isEmpty())
        return out;
    for (QTextBlock b = view_->document()->firstBlock(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

void CCatMonitorDlg::copy() const
{
    QString selected = view_->textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    QGuiApplication::clipboard()->setText(selected.isEmpty() ? shownLines().join(QLatin1Char('\n')) : selected);
}

bool CCatMonitorDlg::saveTo(const QString& path, QString* why) const
{
    const QStringList lines = shownLines();
    const std::string text = lines.isEmpty() ? std::string() : (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toStdString();
    std::string reason;
    const bool ok = writeFileAtomically(path.toStdString(), text, reason);
    if (!ok && why)
        *why = QString::fromStdString(reason);
    return ok;
}

void CCatMonitorDlg::askAndSave()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save the CAT traffic"),
                                                      QStringLiteral("cat-traffic.txt"),
                                                      QStringLiteral("Text files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    QString why;
    if (!saveTo(path, &why))
        count_->setText(QStringLiteral("Not saved: %1").arg(why));
}

void CCatMonitorDlg::updateCount()
{
    count_->setText(QStringLiteral("%1 lines kept (at most %2)%3")
                        .arg(log_.size())
                        .arg(log_.limit())
                        .arg(paused_ ? QStringLiteral(", paused") : QString()));
}

} // namespace qx
