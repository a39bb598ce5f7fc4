#include "toolkit/qt/table_properties.h"

#include "toolkit/qt/win1252_codec.h"
#include "toolkit/translation.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vc {

tTableProperties::tTableProperties(const std::vector<tColumnChoice>& choices, int lines,
                                   const tTranslation& translation, QWidget* parent)
    : QDialog(parent), choices_(choices) {
    setWindowTitle(FromWin1252(translation.Translate("Tabel eigenschappen")));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    list_ = new QListWidget(this);
    list_->setObjectName("columns");
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        const tColumnChoice& choice = choices_[i];
        auto* item = new QListWidgetItem(FromWin1252(choice.Caption), list_);
        item->setData(Qt::UserRole, static_cast<int>(i));
        // A required column stays shown; its box is there but cannot be cleared.
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (!choice.Required) {
            flags |= Qt::ItemIsUserCheckable;
        }
        item->setFlags(flags);
        item->setCheckState(choice.Visible || choice.Required ? Qt::Checked : Qt::Unchecked);
    }

    up_ = new QPushButton(FromWin1252(translation.Translate("Omhoog")), this);
    down_ = new QPushButton(FromWin1252(translation.Translate("Omlaag")), this);
    connect(up_, &QPushButton::clicked, this, [this] { MoveCurrent(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { MoveCurrent(1); });
    connect(list_, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });

    lines_ = new QSpinBox(this);
    lines_->setRange(1, kMaxLinesPerRow);
    lines_->setValue(lines);
    auto* linesLabel = new QLabel(FromWin1252(translation.Translate("Regels per rij")), this);
    linesLabel->setBuddy(lines_);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(FromWin1252(translation.Translate("&OK")), QDialogButtonBox::AcceptRole);
    buttons->addButton(FromWin1252(translation.Translate("&Annuleren")), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* moves = new QVBoxLayout;
    moves->addWidget(up_);
    moves->addWidget(down_);
    moves->addStretch(1);
    auto* listLabel = new QLabel(FromWin1252(translation.Translate("Kolommen")), this);
    listLabel->setBuddy(list_);
    auto* columns = new QHBoxLayout;
    columns->addWidget(list_, 1);
    columns->addLayout(moves);
    auto* linesRow = new QHBoxLayout;
    linesRow->addWidget(linesLabel);
    linesRow->addWidget(lines_);
    linesRow->addStretch(1);
    auto* all = new QVBoxLayout(this);
    all->addWidget(listLabel);
    all->addLayout(columns, 1);
    all->addLayout(linesRow);
    all->addWidget(buttons);

    if (list_->count() > 0) {
        list_->setCurrentRow(0);
    }
    UpdateButtons();
}

std::vector<tColumnChoice> tTableProperties::Choices() const {
    std::vector<tColumnChoice> result;
    result.reserve(choices_.size());
    for (int i = 0; i < list_->count(); ++i) {
        const QListWidgetItem* item = list_->item(i);
        tColumnChoice choice = choices_[static_cast<std::size_t>(item->data(Qt::UserRole).toInt())];
        choice.Visible = choice.Required || item->checkState() == Qt::Checked;
        result.push_back(std::move(choice));
    }
    return result;
}

int tTableProperties::Lines() const {
    return lines_->value();
}

void tTableProperties::MoveCurrent(int step) {
    const int from = list_->currentRow();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= list_->count()) {
        return;
    }
    QListWidgetItem* item = list_->takeItem(from);
    list_->insertItem(to, item);
    list_->setCurrentRow(to);
}

void tTableProperties::UpdateButtons() {
    const int row = list_->currentRow();
    up_->setEnabled(row > 0);
    down_->setEnabled(row >= 0 && row + 1 < list_->count());
}

} // namespace vc
