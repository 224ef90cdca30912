#include "menu/ui/MenuTextDlg.h"

#include "menu/MenuExParam.h"
#include "menu/ui/MenuSettingText.h"
#include "widgets/CapitalsValidator.h"
#include "widgets/FilteredEdit.h"

namespace qx {
namespace {

// The filtered edit drops what cannot be keyed; this turns letters into
// capitals and refuses anything else the display lacks (a pasted text).
class BeaconTextValidator : public CapitalsValidator {
public:
    using CapitalsValidator::CapitalsValidator;
    State validate(QString& input, int& pos) const override
    {
        CapitalsValidator::validate(input, pos);
        const std::string bytes = input.toStdString();
        return cleanBeaconText(bytes) == bytes ? Acceptable : Invalid;
    }
};

} // namespace

CMenuTextDlg::CMenuTextDlg(MenuItem& item, QWidget* parent) : MenuSettingDlg(item, beaconCaption(item), parent)
{
    field_ = new FilteredEdit(this);
    field_->setObjectName(QStringLiteral("text"));
    field_->setMaxLength(static_cast<int>(kBeaconTextMax));
    field_->setValidator(new BeaconTextValidator(field_));
    field_->setMinimumWidth(360);
    const std::string_view start = item.changed ? item.newText.view() : item.text.view();
    field_->setText(QString::fromStdString(cleanBeaconText(start)));
    setBody(field_);
}

void CMenuTextDlg::accept()
{
    const std::string text = cleanBeaconText(field_->text().toStdString());
    if (!text.empty()) {
        if (text == item_.text.view()) {
            item_.changed = false;
            item_.newValue = 0;
            item_.newText = "";
        } else {
            item_.newValue = item_.value;
            item_.newText.assign(text);
            item_.changed = true;
        }
    }
    QDialog::accept();
}

} // namespace qx
