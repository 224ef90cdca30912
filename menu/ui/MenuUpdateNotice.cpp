#include "menu/ui/MenuUpdateNotice.h"

#include "app/ErrorMessages.h"

#include <QMessageBox>

namespace qx {
namespace {

constexpr int kReopenMenuText = 120;

} // namespace

bool MenuUpdateNotice::raise(QWidget* parent)
{
    if (showing())
        return false;
    const std::string_view text = operatorText(kReopenMenuText).value_or(std::string_view{});
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("RCP-720"),
                                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                                QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box_ = box;
    box->show();
    return true;
}

} // namespace qx
