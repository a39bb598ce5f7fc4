#include "dialogs/qt/add_ticker.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <set>

#include "dialogs/symbol_properties.h"
#include "tape/ini_object.h"
#include "tape/symbol_import.h"
#include "tape/ticker_tape.h"
#include "toolkit/qt/kestro_table.h"
#include "toolkit/qt/qt_color.h"
#include "toolkit/qt/win1252_codec.h"
#include "toolkit/text.h"

namespace vc {

namespace {

constexpr int kWebsiteCol = 3;

} // namespace

tScr_AddTicker::tScr_AddTicker(tTickerTape& tape, tTranslation& translation, tSymbolLookup lookup,
                               tLayoutStore* layouts, QWidget* parent)
    : QDialog(parent), tape_(tape), lookup_(std::move(lookup)) {
    setWindowTitle(QStringLiteral("Add Symbol(s)"));
    setSizeGripEnabled(true);
    ChooseFile = [this](const std::string& folder) {
        return ToWin1252(QFileDialog::getOpenFileName(this, QString(), FromWin1252(folder),
                                                      QStringLiteral("CSV-Files (*.CSV *.csv *.SEL *.sel)")));
    };

    auto* label = new QLabel(QStringLiteral("Search NAME, SYMBOL or ISIN :"));
    label->setObjectName("Lbl_Ticker");
    editTicker_ = new QLineEdit;
    editTicker_->setObjectName("Edit_Ticker");
    btnSearch_ = new QPushButton(QStringLiteral("Search"));
    btnSearch_->setObjectName("Btn_Search");
    btnSearch_->setAutoDefault(false);

    grid_ = new tKestroTable;
    grid_->setObjectName("Grid");
    tTableData& grid = grid_->Data();
    const std::pair<const char*, int> columns[] = {
        {"Symbol", 80}, {"Name", 120}, {"Market", 80}, {"Website", 60}};
    for (const auto& [text, width] : columns) {
        tKolom& column = grid.tab_Kolommen.Add();
        column.Text = text;
        column.Width = width;
    }
    grid.tab_Kolommen[kWebsiteCol].HotColumn = true;
    grid.tab_SaveName = "Lookup";
    grid_->SetRowSelect(true);
    grid.Events.CellGetColor = [](int, int, int, tColor) { return kNavyText; };
    grid.Events.CellGetColorBk = [this](int, int, int state, tColor def) {
        return (state & kCellSelected) != 0 ? def : FromQColor(grid_->palette().color(QPalette::Window));
    };
    grid.Events.CellGetHint = [this](int col, int row, std::string& hint) {
        if (col == kWebsiteCol) {
            hint = ProfileHint(grid_->Data().Cell(1, row));
        }
    };
    grid.Events.OnHotCellClick = [this](int col, int row) {
        if (col == kWebsiteCol) {
            tape_.OpenProfile(grid_->Data().Cell(0, row));
        }
    };
    grid_->Load(tape.Values().GridDefaults, translation, layouts);
    grid.SetRowCount(1);
    grid_->Rebuild();
    // The grid handles its own presses; a double click on a row is OK.
    grid_->viewport()->installEventFilter(this);

    lblInfo_ = new QLabel;
    lblInfo_->setObjectName("Lbl_Info");
    lblInfo_->hide();
    btnImport_ = new QPushButton(QStringLiteral("Import..."));
    btnImport_->setObjectName("btn_Import");
    btnImport_->setAutoDefault(false);
    btnOk_ = new QPushButton(QStringLiteral("OK"));
    btnOk_->setObjectName("btn_Ok");
    btnOk_->setAutoDefault(false);
    btnCancel_ = new QPushButton(QStringLiteral("Cancel"));
    btnCancel_->setObjectName("btn_Cancel");
    btnCancel_->setAutoDefault(false);
    // Enter searches: the default button sits outside the visible area.
    btnDefault_ = new QPushButton(this);
    btnDefault_->setObjectName("Btn_DefButton");
    btnDefault_->setDefault(true);
    btnDefault_->setGeometry(-200, -200, 10, 10);

    auto* search = new QHBoxLayout;
    search->addWidget(editTicker_, 1);
    search->addWidget(btnSearch_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnImport_);
    buttons->addWidget(lblInfo_);
    buttons->addStretch(1);
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(search);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    resize(400, 320);

    connect(editTicker_, &QLineEdit::textChanged, this, [this] {
        // Whatever was found was found for another query.
        Fill({});
        lblInfo_->clear();
        UpdateButtons();
    });
    connect(btnSearch_, &QPushButton::clicked, this, &tScr_AddTicker::Search);
    connect(btnDefault_, &QPushButton::clicked, this, [this] {
        if (!Trim(ToWin1252(editTicker_->text())).empty()) {
            Search();
        }
    });
    connect(btnImport_, &QPushButton::clicked, this, &tScr_AddTicker::Import);
    connect(btnOk_, &QPushButton::clicked, this, &tScr_AddTicker::accept);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    UpdateButtons();
}

tScr_AddTicker::~tScr_AddTicker() = default;

void tScr_AddTicker::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            move(screen->availableGeometry().center() - rect().center());
        }
        editTicker_->setFocus();
    }
}

bool tScr_AddTicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (grid_->indexAt(mouse->position().toPoint()).isValid() && btnOk_->isEnabled()) {
            grid_->selectionModel()->select(grid_->indexAt(mouse->position().toPoint()),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void tScr_AddTicker::Search() {
    const std::string query = Trim(ToWin1252(editTicker_->text()));
    // The lookup keeps the event loop running: a second search must not start inside the first.
    if (searching_ || query.empty()) {
        return;
    }
    searching_ = true;
    Fill({});
    btnSearch_->setEnabled(false);
    editTicker_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<std::string> lines =
        lookup_ ? lookup_(query, LookupKind(query)) : std::vector<std::string>{};
    Fill(SearchRows(query, lines));
    lblInfo_->setText(QString::fromStdString(FoundText(rows_.size())));
    lblInfo_->show();
    btnImport_->hide();
    QApplication::restoreOverrideCursor();
    editTicker_->setEnabled(true);
    searching_ = false;
    UpdateButtons();
}

void tScr_AddTicker::Import() {
    const std::string file = ChooseFile ? ChooseFile(CsvFolder()) : std::string();
    if (file.empty()) {
        return;
    }
    Fill(ImportRows(ReadSymbolFile(file)));
    UpdateButtons();
    if (!rows_.empty()) {
        grid_->selectAll();
        accept();
    }
}

void tScr_AddTicker::accept() {
    if (rows_.empty()) {
        return;
    }
    chosen_.clear();
    for (const int row : grid_->SelectedRows()) {
        if (row >= 1 && row <= static_cast<int>(rows_.size())) {
            chosen_.push_back(ChosenSymbol(rows_[static_cast<std::size_t>(row - 1)]));
        }
    }
    QDialog::accept();
}

void tScr_AddTicker::Fill(const std::vector<tFoundSymbol>& rows) {
    rows_ = rows;
    tTableData& grid = grid_->Data();
    grid.SetRowCount(static_cast<int>(rows_.size()) + 1);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        grid.SetRow(static_cast<int>(i) + 1, {rows_[i].Symbol, rows_[i].Name, rows_[i].Market, "More..."});
    }
    grid.Row = rows_.empty() ? 0 : 1;
    grid_->Rebuild();
}

void tScr_AddTicker::UpdateButtons() {
    btnSearch_->setEnabled(!searching_ && !Trim(ToWin1252(editTicker_->text())).empty());
    btnOk_->setEnabled(!rows_.empty());
}

std::string tScr_AddTicker::CsvFolder() const {
    const tProgramValues& values = tape_.Values();
    const tIniObject settings(values.SettingsFileName);
    return settings.ReadString("General", "CsvDirectory", values.ProgramDir + "CSV/");
}

std::vector<std::string> AddSymbols(tTickerTape& tape, tTranslation& translation, tSymbolLookup lookup,
                                    tLayoutStore* layouts, QWidget* parent) {
    tScr_AddTicker dialog(tape, translation, std::move(lookup), layouts, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.Chosen();
}

} // namespace vc
