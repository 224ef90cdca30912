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
    // The keyboard starts in the choices, not on OK: arrows move through the
    // list, letters go into the text. Enter still confirms (OK is the
    // default button) and Esc cancels.
    QWidget* first = body->focusPolicy() != Qt::NoFocus ? body : nullptr;
    for (QWidget* w : body->findChildren<QWidget*>()) {
        if (first)
            break;
        if (!w->isHidden() && (w->focusPolicy() & Qt::TabFocus))
            first = w;
    }
    if (!first)
        return;
    setTabOrder(first, ok_);
    setTabOrder(ok_, cancel_);
    first->setFocus();
}

} // namespace qx
