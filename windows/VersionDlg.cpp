#include "windows/VersionDlg.h"

#include "windows/OperatorPrompt.h"
#include "windows/ProgramIcon.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace qx {

CVersionDlg::CVersionDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Version information of RCP for QX-720"));
    setWindowIcon(programIcon());

    auto* icon = new QLabel;
    icon->setPixmap(programIcon().pixmap(32, 32));
    version_ = new QLabel(operatorString(113));
    info_ = new QLabel(operatorString(114));
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version_, 0, 1);
    layout->addWidget(info_, 1, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnMinimumWidth(0, 40);
    layout->setHorizontalSpacing(14);
}

} // namespace qx
