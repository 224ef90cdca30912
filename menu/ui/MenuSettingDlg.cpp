#include "menu/ui/MenuSettingDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx {

MenuSettingDlg::MenuSettingDlg(MenuItem& item, const std::string& caption, QWidget* parent)
    : QDialog(parent), item_(item)
{
    setWindowTitle(QStringLiteral("MENU LIST SETTING"));
    setModal(true);

    caption_ = new QLabel(QString::fromStdString(caption), this);
    caption_->setObjectName(QStringLiteral("caption"));
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("CANCEL"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    bodyLayout_ = new QVBoxLayout;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
    layout->addLayout(bodyLayout_, 1);
    layout->addLayout(buttons);
}

void MenuSettingDlg::setBody(QWidget* body)
{
    bodyLayout_->addWidget(body);
}

} // namespace qx
