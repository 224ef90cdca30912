#include "panel/boxes/WaitBoxDlg.h"

#include "core/ErrorMessages.h"
#include "core/LinkFlags.h"
#include "panel/boxes/BoxText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace qx {

namespace {
constexpr int kReadingMenu = 109;
}

CWaitBoxDlg::CWaitBoxDlg(LinkFlags& flags, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint), flags_(flags), text_(boxLabel(kReadingMenu, this)),
      limit_(new QTimer(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    setFixedSize(boxSize());
    limit_->setSingleShot(true);
    connect(limit_, &QTimer::timeout, this, &CWaitBoxDlg::limitReached);
}

CWaitBoxDlg::~CWaitBoxDlg() { flags_.waitBoxShown.store(false); }

void CWaitBoxDlg::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (closing_)
        return;
    if (flags_.waitBoxBusy.load()) {
        flags_.waitBoxShown.store(true);
        limit_->start(kLimitMs);
    } else {
        flags_.waitBoxShown.store(false);
        closeSoon();
    }
}

void CWaitBoxDlg::sequenceEnded()
{
    if (!flags_.waitBoxShown.load())
        return;
    limitReached();
}

void CWaitBoxDlg::limitReached()
{
    limit_->stop();
    flags_.waitBoxShown.store(false);
    closeSoon();
}

void CWaitBoxDlg::closeSoon()
{
    if (closing_)
        return;
    closing_ = true;
    QTimer::singleShot(kCloseDelayMs, this, [this] { done(QDialog::Accepted); });
}

void CWaitBoxDlg::keyPressEvent(QKeyEvent* e)
{
    // Enter and Esc would end the box; it ends only with the read.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void CWaitBoxDlg::reject()
{
    if (closing_)
        QDialog::reject();
}

} // namespace qx
