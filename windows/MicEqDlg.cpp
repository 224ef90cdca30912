#include "windows/MicEqDlg.h"

#include "core/MessageIds.h"
#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "windows/MicEqCurves.h"
#include "windows/ProgramIcon.h"
#include "windows/WindowRequests.h"

#include <QButtonGroup>
#include <QRadioButton>

#include <cmath>

namespace qx {
namespace {

constexpr int kLeftPictureX = 36;
constexpr int kRightPictureX = 173;
constexpr int kButtonOffsetX = 22;

} // namespace

CMicEqDlg::CMicEqDlg(WindowContext& ctx, QWidget* parent) : AuxWindow(AuxKind::MicEq, ctx, parent)
{
    setWindowTitle(QStringLiteral("MIC EQ"));
    setWindowIcon(programIcon());
    setFixedSize(kRightPictureX + MicEqCurves::kWidth + 8, MicEqCurves::kHeight + 6);

    auto* left = new MicEqCurves(0, this);
    left->move(kLeftPictureX, 0);
    auto* right = new MicEqCurves(5, this);
    right->move(kRightPictureX, 0);

    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    const int cellH = MicEqCurves::kHeight / MicEqCurves::kPresetsPerPicture;
    for (int k = 0; k < kPresets; ++k) {
        auto* b = new QRadioButton(this);
        const int column = k / MicEqCurves::kPresetsPerPicture;
        const int row = k % MicEqCurves::kPresetsPerPicture;
        const int pictureX = column == 0 ? kLeftPictureX : kRightPictureX;
        b->adjustSize();
        b->move(pictureX - kButtonOffsetX, row * cellH + (cellH - b->height()) / 2);
        group_->addButton(b, k);
        buttons_[static_cast<std::size_t>(k)] = b;
        connect(b, &QRadioButton::clicked, this, [this, k] { writePreset(k); });
    }

    if (const auto entry = ctx_.menu.entryByKind(MenuKind::MicEq)) {
        const double whole = std::trunc(entry->value);
        if (whole >= 0 && whole < kPresets)
            buttons_[static_cast<std::size_t>(whole)]->setChecked(true);
    }
}

int CMicEqDlg::checkedPreset() const
{
    return group_->checkedId();
}

void CMicEqDlg::writePreset(int preset)
{
    const int slot = ctx_.menu.slotByKind(MenuKind::MicEq);
    if (slot == 0 || preset < 0 || preset >= kPresets)
        return;
    // In place under the table's lock, so an answer decoded meanwhile is not lost.
    const bool changed = ctx_.menu.update(slot, [preset](MenuItem& e) {
        if (e.value == preset)
            return false;
        e.value = preset;
        e.newValue = preset;
        e.changed = true;
        return true;
    });
    if (!changed)
        return;
    postRequestId(ctx_.outbox, UM_REQ_EX_SET);
}

} // namespace qx
