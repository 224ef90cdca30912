#include "panel/boxes/ConnectingDlg.h"

#include "panel/boxes/BoxText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx {

namespace {
constexpr int kConnecting = 110;
}

CConnectingDlg::CConnectingDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint), text_(boxLabel(kConnecting, this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)), cancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(text_, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    layout->addLayout(buttons);
    ok_->hide();
    cancel_->hide();
    setFixedSize(boxSize());
}

} // namespace qx
