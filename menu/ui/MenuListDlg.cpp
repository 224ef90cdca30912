#include "menu/ui/MenuListDlg.h"

#include "core/MessageIds.h"
#include "menu/MenuExParam.h"
#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "menu/ui/MenuSettingDialogs.h"
#include "state/RadioState.h"

#include <QFontDatabase>
#include <QFrame>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace qx {
namespace {

constexpr int kListLeft = 10;
constexpr int kListTop = 100;
constexpr int kListWidth = 992;
constexpr int kListHeight = 360;
constexpr int kCaptionHeight = 22;
constexpr int kReadBackPollMs = 10;
// The writer pauses 10 ms per entry; past this the read-backs go anyway.
constexpr int kReadBackMaxTicks = 300;

struct ColumnCaption {
    const char* text;
    int column; // character position in the list line
};
constexpr ColumnCaption kCaptions[] = {
    {"NO", 0},
    {"USER NAME", 4},
    {"SETTING RANGE", 13},
    {"SETTING", 101},
};

} // namespace

MenuListMemory& menuListMemory()
{
    static MenuListMemory memory;
    return memory;
}

CMenuListDlg::CMenuListDlg(WindowContext& ctx, QWidget* parent, MenuListMemory* memory)
    : AuxWindow(AuxKind::MenuList, ctx, parent), memory_(memory ? memory : &menuListMemory())
{
    setWindowTitle(QStringLiteral("MENU LIST"));
    buildControls();

    rows_.load(ctx_.menu);
    for (int r = 0; r < rows_.size(); ++r)
        list_->addItem(QString::fromStdString(rows_.line(r)));
    fitWholeRows();

    ctx_.outbox.sendToWindow({UM_MENULIST_REFRESH, 0, 0});
    const int remembered = rows_.valid(memory_->selectedRow) ? memory_->selectedRow : 0;
    if (rows_.size() > 0) {
        list_->setCurrentRow(remembered);
        list_->scrollToItem(list_->item(remembered), QAbstractItemView::PositionAtCenter);
    }
    connect(list_, &QListWidget::currentRowChanged, this, [this](int r) {
        if (rows_.valid(r))
            memory_->selectedRow = r;
    });
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { openSetting(list_->row(item)); });
    list_->setFocus();
}

void CMenuListDlg::buildControls()
{
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPixelSize(12);
    setFont(mono);
    const qreal charWidth = QFontMetricsF(mono).horizontalAdvance(QLatin1Char('0'));

    // The controls sit on a page of fixed size; on a screen too small for it
    // the window shrinks and the page scrolls, so OK and CANCEL stay reachable.
    auto* page = new QWidget;
    page->setFixedSize(kListLeft * 2 + kListWidth, kListTop + kListHeight + kListLeft);
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    scroll->setObjectName(QStringLiteral("menuListPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    setMaximumSize(page->size());
    resize(page->size());

    auto* title = new QLabel(QStringLiteral("QX-720  SETUP MENU"), page);
    QFont titleFont = mono;
    titleFont.setPixelSize(18);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->move(kListLeft, 18);
    title->adjustSize();

    auto* hint = new QLabel(QStringLiteral("Double click or Enter: change a setting    "
                                           "\u2190 \u2192: MY BAND / MY MODE flags, beacon text"),
                            page);
    hint->move(kListLeft, 48);
    hint->adjustSize();

    ok_ = new QPushButton(QStringLiteral("OK"), page);
    cancel_ = new QPushButton(QStringLiteral("CANCEL"), page);
    for (QPushButton* b : {ok_, cancel_}) {
        // Enter belongs to the list (it opens a setting), never to a button.
        b->setAutoDefault(false);
        b->setDefault(false);
        b->resize(96, 28);
    }
    cancel_->move(page->width() - kListLeft - cancel_->width(), 14);
    ok_->move(cancel_->x() - 8 - ok_->width(), 14);
    connect(ok_, &QPushButton::clicked, this, &CMenuListDlg::confirm);
    connect(cancel_, &QPushButton::clicked, this, &CMenuListDlg::reject);

    list_ = new QListWidget(page);
    list_->setObjectName(QStringLiteral("menuList"));
    list_->setGeometry(kListLeft, kListTop, kListWidth, kListHeight);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformItemSizes(true);
    list_->setAlternatingRowColors(true);
    list_->installEventFilter(this);

    // The captions sit in a header strip over the texts they name, a rule
    // between columns and a little smaller than the list: "USER NAME" is
    // longer than the names, and side by side with "SETTING RANGE" the two
    // would read as one.
    auto* strip = new QFrame(page);
    strip->setFrameShape(QFrame::StyledPanel);
    strip->setGeometry(kListLeft, kListTop - kCaptionHeight, kListWidth, kCaptionHeight);
    const int textLeft = kListLeft + list_->frameWidth() + 3;
    for (const ColumnCaption& c : kCaptions) {
        const int x = textLeft + qRound(c.column * charWidth);
        if (c.column > 0) {
            auto* rule = new QFrame(page);
            rule->setFrameShape(QFrame::VLine);
            rule->setFrameShadow(QFrame::Sunken);
            rule->setGeometry(x - qRound(charWidth * 0.5) - 1, kListTop - kCaptionHeight + 3, 2, kCaptionHeight - 6);
        }
        auto* label = new QLabel(QString::fromLatin1(c.text), page);
        QFont bold = mono;
        bold.setPixelSize(10);
        bold.setBold(true);
        label->setFont(bold);
        label->adjustSize();
        label->move(x, kListTop - kCaptionHeight + (kCaptionHeight - label->height()) / 2);
    }
}

void CMenuListDlg::fitWholeRows()
{
    // The list shows whole rows only: a sliver of a row at its foot reads
    // as a clipped window.
    const int rowHeight = list_->sizeHintForRow(0);
    if (rowHeight <= 0)
        return;
    const int frame = 2 * list_->frameWidth();
    const int widest = list_->sizeHintForColumn(0);
    const int textRoom = kListWidth - frame - list_->verticalScrollBar()->sizeHint().width();
    const int bar = widest > textRoom ? list_->horizontalScrollBar()->sizeHint().height() : 0;
    const int rows = (kListHeight - frame - bar) / rowHeight;
    list_->resize(kListWidth, rows * rowHeight + frame + bar);
}

void CMenuListDlg::refreshRow(int row)
{
    if (QListWidgetItem* item = list_->item(row))
        item->setText(QString::fromStdString(rows_.line(row)));
}

void CMenuListDlg::openSetting(int row)
{
    MenuItem* item = rows_.item(row);
    if (!item)
        return;
    std::unique_ptr<MenuSettingDlg> dlg = makeSettingDialog(*item, this);
    if (!dlg || dlg->exec() != QDialog::Accepted)
        return;
    if (item->kind == MenuKind::BeaconText)
        rows_.resetTextOffset();
    refreshRow(row);
    list_->setCurrentRow(row);
}

bool CMenuListDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int row = list_->currentRow();
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Right:
        case Qt::Key_Left:
            if (rows_.scroll(row, static_cast<QKeyEvent*>(event)->key() == Qt::Key_Right ? 1 : -1))
                refreshRow(row);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: openSetting(row); return true;
        default: break;
        }
    }
    return AuxWindow::eventFilter(watched, event);
}

void CMenuListDlg::confirm()
{
    if (finished() || readingBack())
        return;
    const std::vector<int> written = rows_.commit(ctx_.menu);
    if (written.empty()) {
        finish();
        return;
    }
    ctx_.outbox.postToThread(ThreadId::AnlSend, {UM_REQ_EX_SET, 0, 0});
    if (ctx_.radio.get(RadioState::Int::AI) != 0) {
        for (int slot : written) {
            const int kind = ctx_.menu.kindOf(slot);
            if (kind == MenuKind::BandFlags || kind == MenuKind::ModeFlags)
                reads_.push_back({slot, false, false});
        }
    }
    if (reads_.empty()) {
        finish();
        return;
    }
    hide();
    readBackTimer_ = new QTimer(this);
    connect(readBackTimer_, &QTimer::timeout, this, &CMenuListDlg::readBackTick);
    readBackTimer_->start(kReadBackPollMs);
}

bool CMenuListDlg::readBackTick()
{
    if (reads_.empty() || finished())
        return false;
    ++readBackTicks_;
    bool waiting = false;
    for (PendingRead& r : reads_) {
        if (r.queued)
            continue;
        // The writer clears the flag just before it queues the set command;
        // one more tick puts the read behind it on the line.
        if (r.taken || readBackTicks_ >= kReadBackMaxTicks) {
            ctx_.sendRaw(exReadCommand(r.slot));
            ctx_.outbox.postToThread(ThreadId::AnlSend, {UM_REQ_FLUSH, 0, 0});
            r.queued = true;
            continue;
        }
        r.taken = !ctx_.menu.getEntry(r.slot).changed;
        waiting = true;
    }
    if (waiting)
        return true;
    if (readBackTimer_)
        readBackTimer_->stop();
    finish();
    return false;
}

} // namespace qx
