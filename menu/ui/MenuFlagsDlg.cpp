#include "menu/ui/MenuFlagsDlg.h"

#include "menu/MenuKind.h"
#include "menu/MenuText.h"
#include "menu/ui/MenuSettingText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QWidget>

namespace qx {
namespace {

constexpr int kBandBoxes = 13;
constexpr int kModeBoxes = 6;

} // namespace

CMenuFlagsDlg::CMenuFlagsDlg(MenuItem& item, QWidget* parent) : MenuSettingDlg(item, settingCaption(item), parent)
{
    const bool bands = item.kind == MenuKind::BandFlags;
    const int boxCount = std::min(item.valueCount, bands ? kBandBoxes : kModeBoxes);
    const int perColumn = bands ? 4 : 2;
    const double shown = item.changed ? item.newValue : item.value;

    auto* body = new QWidget(this);
    auto* grid = new QGridLayout(body);
    grid->setHorizontalSpacing(24);
    for (int i = 0; i < boxCount; ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(item.valueText(i).data(), static_cast<qsizetype>(item.valueText(i).size())), body);
        box->setObjectName(QStringLiteral("flag%1").arg(i));
        box->setChecked(flagIsSet(item.kind, shown, i));
        grid->addWidget(box, i % perColumn, i / perColumn);
        boxes_.push_back(box);
    }
    setBody(body);
}

void CMenuFlagsDlg::accept()
{
    std::vector<bool> ticked;
    for (QCheckBox* box : boxes_)
        ticked.push_back(box->isChecked());
    const double sum = storedValueFromFlags(item_, ticked);
    item_.changed = false;
    if (sum != item_.value) {
        item_.changed = true;
        item_.newValue = sum;
    }
    QDialog::accept();
}

} // namespace qx
