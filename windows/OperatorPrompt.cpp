#include "windows/OperatorPrompt.h"

#include "core/ErrorMessages.h"

#include <QMessageBox>

namespace qx {
namespace {

const QString kTitle = QStringLiteral("RCP for QX-720");

class MessageBoxPrompt final : public OperatorPrompt {
public:
    void inform(QWidget* parent, const QString& text) override
    {
        QMessageBox::warning(parent, kTitle, text, QMessageBox::Ok);
    }
    bool confirm(QWidget* parent, const QString& text) override
    {
        return QMessageBox::question(parent, kTitle, text, QMessageBox::Ok | QMessageBox::Cancel,
                                     QMessageBox::Cancel) == QMessageBox::Ok;
    }
};

} // namespace

OperatorPrompt& messageBoxPrompt()
{
    static MessageBoxPrompt prompt;
    return prompt;
}

QString operatorString(int stringId)
{
    const auto text = operatorText(stringId);
    return text ? QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size())) : QString();
}

} // namespace qx
