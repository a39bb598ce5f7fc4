#include "dialogs/qt/ticker_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValidator>

#include "tape/quote_texts.h"
#include "tape/ticker_item.h"
#include "tape/ticker_tape.h"
#include "toolkit/dates.h"
#include "toolkit/qt/kestro_table.h"
#include "toolkit/qt/qt_color.h"
#include "toolkit/qt/win1252_codec.h"
#include "toolkit/text.h"
#include "toolkit/translation.h"

namespace vc {

namespace {

constexpr QColor kNavy(0, 0, 128);
constexpr QColor kFiredUp(217, 255, 217);
constexpr QColor kFiredDown(255, 210, 210);
constexpr int kClearAlertEntry = 10;
constexpr int kNewsRowHeight = 28;

// Digits and one decimal point; a comma, typed or pasted, becomes the point.
class tThresholdValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        const auto accepted = AcceptThreshold(ToWin1252(input));
        if (!accepted) {
            return Invalid;
        }
        input = FromWin1252(*accepted);
        return Acceptable;
    }
};

QString Hint(const std::string& text) {
    // The texts break their lines with CR and pad around it for the old hint window.
    return FromWin1252(text).replace(QRegularExpression(" *\r *"), "\n");
}

// The small flag beside a threshold whose alert fired.
QPixmap MarkerPixmap(tAlertSide side) {
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = side == tAlertSide::Up ? QColor(0, 160, 0) : QColor(200, 0, 0);
    painter.setPen(QPen(color.darker(130), 1));
    painter.setBrush(color);
    const QPolygonF up({QPointF(7, 1.5), QPointF(12.5, 12), QPointF(1.5, 12)});
    const QPolygonF down({QPointF(1.5, 2), QPointF(12.5, 2), QPointF(7, 12.5)});
    painter.drawPolygon(side == tAlertSide::Up ? up : down);
    return pixmap;
}

// The news grid's pictures: 4 a headline, 5 a paid headline, 9 one from an earlier day; the
// others are never used. Square 16-pixel frames, magenta (the top-left pixel) transparent.
std::shared_ptr<const tPictureStrip> NewsPictures() {
    constexpr int kSize = 16;
    QImage strip(kSize * 10, kSize, QImage::Format_ARGB32);
    strip.fill(QColor(255, 0, 255));
    QPainter painter(&strip);
    auto page = [&](int frame, const QColor& paper, const QColor& ink) {
        const QRect sheet(frame * kSize + 3, 2, 10, 12);
        painter.fillRect(sheet, paper);
        painter.setPen(ink);
        painter.drawRect(sheet.adjusted(0, 0, -1, -1));
        for (int y = 5; y <= 11; y += 2) {
            painter.drawLine(sheet.left() + 2, y, sheet.right() - 2, y);
        }
    };
    page(4, Qt::white, QColor(0, 0, 128));
    page(5, QColor(255, 244, 200), QColor(160, 110, 0));
    painter.setPen(QColor(0, 120, 0));
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(5 * kSize + 3, 2, 10, 12), Qt::AlignCenter, "$");
    page(9, QColor(235, 235, 235), QColor(128, 128, 128));
    painter.end();
    auto pictures = std::make_shared<tPictureStrip>();
    pictures->Width = strip.width();
    pictures->Height = strip.height();
    for (int y = 0; y < strip.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(strip.constScanLine(y));
        pictures->Pixels.insert(pictures->Pixels.end(), line, line + strip.width());
    }
    return pictures;
}

tColor ToColor(const QColor& color) {
    return static_cast<tColor>(color.red()) | static_cast<tColor>(color.green()) << 8 |
           static_cast<tColor>(color.blue()) << 16;
}

QLineEdit* ValueBox(bool bold = false) {
    auto* box = new QLineEdit;
    box->setReadOnly(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, kNavy);
    box->setPalette(palette);
    if (bold) {
        QFont font = box->font();
        font.setBold(true);
        box->setFont(font);
    }
    // Wide enough for a whole date or time in the box's own font.
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance("00/00/0000 ") + 16);
    return box;
}

void SetBase(QLineEdit* box, const QColor& color) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, color);
    box->setPalette(palette);
}

} // namespace

tScr_TickerForm::tScr_TickerForm(tTickerItem* item, tTickerTape& tape, const tTranslation& translation,
                                 tNewsFetch fetchNews, tLayoutStore* layouts, QWidget* parent)
    : QDialog(parent), item_(item), tape_(tape), translation_(translation), fetchNews_(std::move(fetchNews)),
      layouts_(layouts) {
    setObjectName("Scr_Ticker");
    setWindowTitle("Symbol properties");
    setSizeGripEnabled(true);

    page_ = new QTabWidget;
    page_->setObjectName("Page");
    auto* general = new QWidget;
    general->setObjectName("Sheet_General");
    auto* prices = new QWidget;
    prices->setObjectName("Sheet_Prices");
    auto* news = new QWidget;
    news->setObjectName("Sheet_News");
    page_->addTab(general, "General");
    page_->addTab(prices, "Prices");
    page_->addTab(news, "News");
    BuildGeneralPage(general);
    BuildPricesPage(prices);
    BuildNewsPage(news);

    btnMore_ = new QPushButton("More...");
    btnMore_->setObjectName("Btn_More");
    btnMore_->setToolTip("Online profile for this stock...");
    btnOk_ = new QPushButton("OK");
    btnOk_->setObjectName("btn_Ok");
    btnOk_->setDefault(true);
    btnCancel_ = new QPushButton("Cancel");
    btnCancel_->setObjectName("btn_Cancel");
    connect(btnMore_, &QPushButton::clicked, this, &tScr_TickerForm::ClickMore);
    connect(btnOk_, &QPushButton::clicked, this, &tScr_TickerForm::ClickOk);
    connect(btnCancel_, &QPushButton::clicked, this, [this] { done(kResultCancel); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnMore_);
    buttons->addStretch();
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page_);
    layout->addLayout(buttons);

    page_->setCurrentIndex(0);
    connect(page_, &QTabWidget::currentChanged, this, &tScr_TickerForm::PageChanged);
}

tScr_TickerForm::~tScr_TickerForm() = default;

void tScr_TickerForm::BuildGeneralPage(QWidget* sheet) {
    editSymbol_ = ValueBox();
    editSymbol_->setObjectName("Edit_Symbol");
    editName_ = ValueBox();
    editName_->setObjectName("Edit_Name");
    editName_->setReadOnly(false);
    editName_->setMaxLength(kNameLength);
    editDate_ = ValueBox(true);
    editDate_->setObjectName("Edit_Date");
    editTime_ = ValueBox();
    editTime_->setObjectName("Edit_Time");
    editLast_ = ValueBox(true);
    editLast_->setObjectName("Edit_Last");
    editProc_ = ValueBox();
    editProc_->setObjectName("Edit_Proc");
    editPrev_ = ValueBox();
    editPrev_->setObjectName("Edit_Prev");
    editAbs_ = ValueBox();
    editAbs_->setObjectName("Edit_Abs");

    auto threshold = [this](tAlertSide side, const char* name, QLabel*& marker) {
        QLineEdit* box = ValueBox();
        box->setObjectName(name);
        box->setReadOnly(false);
        box->setValidator(new tThresholdValidator(box));
        QAction* percent =
            box->addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
        percent->setToolTip("Percentages");
        connect(percent, &QAction::triggered, this, [this, side] { ClickPercentButton(side); });
        connect(box, &QLineEdit::textEdited, this, [this, side] { ThresholdEdited(side); });
        marker = new QLabel;
        marker->setObjectName(side == tAlertSide::Up ? "ImageUp" : "ImageDown");
        marker->setPixmap(MarkerPixmap(side));
        marker->setFixedSize(16, 16);
        marker->hide();
        return box;
    };
    editAlertUp_ = threshold(tAlertSide::Up, "Edit_AlertUp", imageUp_);
    editAlertDown_ = threshold(tAlertSide::Down, "Edit_AlertDown", imageDown_);
    editNewsAlert_ = new QCheckBox("News alert");
    editNewsAlert_->setObjectName("Edit_NewsAlert");
    editNewsAlert_->setEnabled(false);

    auto* grid = new QGridLayout(sheet);
    int row = 0;
    auto pair = [&](const char* caption, QWidget* left, const char* caption2 = nullptr,
                    QWidget* right = nullptr) {
        grid->addWidget(new QLabel(caption), row, 0);
        grid->addWidget(left, row, 1);
        if (right != nullptr) {
            grid->addWidget(new QLabel(caption2), row, 3);
            grid->addWidget(right, row, 4);
        }
        ++row;
    };
    pair("Symbol", editSymbol_);
    grid->addWidget(new QLabel("Name"), row, 0);
    grid->addWidget(editName_, row, 1, 1, 4);
    ++row;
    pair("Date", editDate_, "Time", editTime_);
    pair("Last", editLast_, "Change %", editProc_);
    pair("Previous close", editPrev_, "Change", editAbs_);
    grid->setRowMinimumHeight(row++, 8);
    auto thresholdRow = [&](const char* caption, QLineEdit* box, QLabel* marker) {
        grid->addWidget(new QLabel(caption), row, 0, 1, 2);
        grid->addWidget(box, row, 3);
        grid->addWidget(marker, row, 4, Qt::AlignLeft | Qt::AlignVCenter);
        ++row;
    };
    thresholdRow("Alert when price rises ABOVE", editAlertUp_, imageUp_);
    thresholdRow("Alert when price drops BELOW", editAlertDown_, imageDown_);
    grid->addWidget(editNewsAlert_, row++, 0, 1, 3);
    grid->setColumnMinimumWidth(2, 12);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(row, 1);
}

void tScr_TickerForm::BuildPricesPage(QWidget* sheet) {
    grid_ = new tKestroTable;
    grid_->setObjectName("Grid");
    tTableData& grid = grid_->Data();
    const struct {
        const char* Text;
        int Width;
        tSortType Sorting;
    } columns[] = {{"Time", 45, tSortType::sort_ALFA},
                   {"High", 55, tSortType::sort_NUM},
                   {"Low", 55, tSortType::sort_NUM},
                   {"Last", 55, tSortType::sort_NUM},
                   {"Volume", 65, tSortType::sort_NUM}};
    for (const auto& c : columns) {
        tKolom& column = grid.tab_Kolommen.Add();
        column.Text = c.Text;
        column.Width = c.Width;
        column.ColSorting = c.Sorting;
        column.SetCellAlign(c.Width == 45 ? tAlignType::tab_CENTER : tAlignType::tab_RIGHT);
    }
    grid.tab_Sorting = false;
    grid.tab_SaveName = "SymbolPrices";
    grid_->SetRowSelect(true);
    grid.Events.CellGetColor = [this](int, int row, int, tColor) {
        return priceDays_.size() > static_cast<std::size_t>(row) &&
                       priceDays_[static_cast<std::size_t>(row)] != DatePart(tape_.Clock().Now())
                   ? kOldRowText
                   : kNavyText;
    };
    grid.Events.CellGetColorBk = [this](int col, int row, int state, tColor def) {
        const tTableData& prices = grid_->Data();
        const double last = ToNumber(prices.Cell(3, row));
        std::optional<double> above;
        if (row > 1) {
            above = ToNumber(prices.Cell(3, row - 1));
        }
        tColor color = PriceRowColor(last, above, (state & kCellSelected) != 0,
                                     ToColor(ToQColor(def, grid_->palette())));
        return col == 3 ? DarkenedColumn(ToColor(ToQColor(color, grid_->palette()))) : color;
    };
    grid_->Load(tape_.Values().GridDefaults, translation_, layouts_);

    auto* note = new QLabel("(Prices are delayed by at least 15 minutes)");
    auto* layout = new QVBoxLayout(sheet);
    layout->addWidget(grid_);
    layout->addWidget(note);
}

void tScr_TickerForm::BuildNewsPage(QWidget* sheet) {
    gridNews_ = new tKestroTable;
    gridNews_->setObjectName("GridNews");
    tTableData& grid = gridNews_->Data();
    tKolom& time = grid.tab_Kolommen.Add();
    time.Text = "Time";
    time.Comment = "GMT Time of the message";
    time.Width = 60;
    time.SetCustomBmp(NewsPictures());
    tKolom& subject = grid.tab_Kolommen.Add();
    subject.Text = "Subject";
    subject.Width = 250;
    subject.WordWrap = true;
    subject.HotColumn = true;
    tKolom& line = grid.tab_Kolommen.Add();
    line.Width = 0;
    grid.tab_Sorting = false;
    grid.tab_SaveName = "SymbolNews";
    gridNews_->SetRowSelect(true);
    grid.Events.CellGetColor = [this](int, int row, int, tColor) {
        return ParseDate(Field(gridNews_->Data().Cell(2, row), 1)) == DatePart(tape_.Clock().Now())
                   ? kNavyText
                   : kOldRowText;
    };
    grid.Events.CellGetColorBk = [this](int col, int row, int state, tColor def) {
        tColor color = ToColor(ToQColor(def, gridNews_->palette()));
        if (item_ != nullptr && row == gridNews_->Data().RowCount() - 1) {
            color = NewsLastRowColor(*item_, (state & kCellSelected) != 0);
        }
        return col == 0 ? DarkenedColumn(color) : color;
    };
    grid.Events.CellGetHint = [this](int, int row, std::string& hint) {
        hint = NewsHint(gridNews_->Data().Cell(2, row));
    };
    grid.Events.OnHotCellClick = [this](int col, int row) {
        if (col == 1) {
            tape_.OpenNewsLink(NewsLink(gridNews_->Data().Cell(2, row)));
        }
    };
    gridNews_->Load(tape_.Values().GridDefaults, translation_, layouts_);
    // The layout may have restored another height; the headlines need two lines.
    grid.SetDefaultRowHeight(kNewsRowHeight);
    grid.SetRowCount(1);
    gridNews_->Rebuild();

    noNews_ = new QLabel("No news available", gridNews_->viewport());
    QFont font = noNews_->font();
    font.setBold(true);
    noNews_->setFont(font);
    noNews_->setAlignment(Qt::AlignCenter);
    QPalette palette = noNews_->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 128, 128));
    noNews_->setPalette(palette);
    noNews_->hide();
    gridNews_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(sheet);
    layout->addWidget(gridNews_);
}

bool tScr_TickerForm::eventFilter(QObject* watched, QEvent* event) {
    if (gridNews_ != nullptr && watched == gridNews_->viewport() && event->type() == QEvent::Resize) {
        PlaceNoNews();
    }
    return QDialog::eventFilter(watched, event);
}

void tScr_TickerForm::PlaceNoNews() {
    // Centred in the rows' area, 30 pixels high, 70 above the grid's bottom.
    const QRect area = gridNews_->viewport()->rect();
    const int bottom = gridNews_->height() - 70 - gridNews_->viewport()->y();
    noNews_->setGeometry(0, std::max(0, bottom - 30), area.width(), 30);
}

void tScr_TickerForm::FillPrices() {
    const std::vector<tPriceRow> rows = PriceRows(*item_);
    tTableData& grid = grid_->Data();
    grid.SetRowCount(static_cast<int>(rows.size()) + 1);
    priceDays_.assign(rows.size() + 1, 0);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const tPriceRow& row = rows[i];
        grid.SetRow(static_cast<int>(i) + 1, {row.Time, row.High, row.Low, row.Last, row.Volume});
        priceDays_[i + 1] = row.Day;
    }
    grid.Row = grid.RowCount() - 1;
    // An index in the tens of thousands does not fit the designed widths; a price cut at its
    // first digit would read as another price.
    grid_->WidenColumnsToFit();
}

void tScr_TickerForm::PageChanged(int index) {
    if (page_->widget(index)->objectName() == "Sheet_News") {
        LoadNews();
    }
}

void tScr_TickerForm::LoadNews() {
    if (newsLoaded_ || item_ == nullptr || !fetchNews_) {
        return;
    }
    std::vector<std::string> lines;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int result = fetchNews_(item_->Symbol, lines);
    QApplication::restoreOverrideCursor();
    // A failed download leaves the page empty and unloaded: the next visit tries again.
    if (result != 200) {
        return;
    }
    const std::vector<tNewsRow> rows = NewsRows(lines, tape_.Clock().Now());
    tTableData& grid = gridNews_->Data();
    grid.SetRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        grid.SetRow(row, {rows[i].Time, rows[i].Subject, rows[i].Line});
        grid.SetObject(0, row, rows[i].Picture);
    }
    grid.Row = grid.RowCount() - 1;
    newsLoaded_ = true;
    gridNews_->Rebuild();
    noNews_->setVisible(rows.empty());
    PlaceNoNews();
}

std::vector<std::string> tScr_TickerForm::NewsLinesOfGrid() const {
    std::vector<std::string> lines;
    const tTableData& grid = gridNews_->Data();
    for (int row = 1; row < grid.RowCount(); ++row) {
        lines.push_back(grid.Cell(2, row));
    }
    return lines;
}

void tScr_TickerForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            move(screen->availableGeometry().center() - rect().center());
        }
        FirstActivation();
    }
}

void tScr_TickerForm::FirstActivation() {
    if (item_ == nullptr) {
        return;
    }
    editSymbol_->setText(FromWin1252(item_->Symbol));
    editName_->setText(FromWin1252(item_->Name));
    if (item_->Date == 0) {
        for (QLineEdit* box : {editAlertUp_, editAlertDown_}) {
            box->setReadOnly(true);
            SetBase(box, palette().color(QPalette::Button));
        }
    } else {
        const tQuoteTexts texts = QuoteTexts(*item_);
        editDate_->setText(FromWin1252(texts.Date));
        editTime_->setText(FromWin1252(texts.Time));
        editLast_->setText(FromWin1252(texts.Last));
        editPrev_->setText(FromWin1252(texts.Prev));
        editProc_->setText(FromWin1252(texts.Percent));
        editAbs_->setText(FromWin1252(texts.Points));
        editAlertUp_->setText(FromWin1252(item_->AlertUp));
        editAlertDown_->setText(FromWin1252(item_->AlertDown));
        popupUp_ = BuildPercentMenu(tAlertSide::Up);
        popupDown_ = BuildPercentMenu(tAlertSide::Down);
        upFired_ = item_->StampUp != 0;
        downFired_ = item_->StampDown != 0;
        imageUp_->setVisible(upFired_);
        imageDown_->setVisible(downFired_);
        imageUp_->setToolTip(Hint(AlertHint(*item_, tAlertSide::Up, tape_.Values().ShortDateFormat)));
        imageDown_->setToolTip(Hint(AlertHint(*item_, tAlertSide::Down, tape_.Values().ShortDateFormat)));
        UpdateThresholdLook(tAlertSide::Up);
        UpdateThresholdLook(tAlertSide::Down);
    }
    editNewsAlert_->setChecked(item_->AlertNews);
    editAlertUp_->setFocus();
    editAlertUp_->selectAll();
    FillPrices();
}

QMenu* tScr_TickerForm::BuildPercentMenu(tAlertSide side) {
    auto* menu = new QMenu(this);
    menu->setObjectName(side == tAlertSide::Up ? "PopupUp" : "PopupDown");
    const std::vector<std::string> captions = PercentMenuCaptions(item_->Close, side);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        menu->addAction(FromWin1252(captions[i]), this,
                        [this, side, i] { ChoosePercent(side, static_cast<int>(i)); });
    }
    menu->addSeparator();
    menu->addAction(kClearAlert, this, [this, side] { ChoosePercent(side, kClearAlertEntry); });
    return menu;
}

void tScr_TickerForm::ClickPercentButton(tAlertSide side) {
    QMenu* menu = side == tAlertSide::Up ? popupUp_ : popupDown_;
    QLineEdit* box = side == tAlertSide::Up ? editAlertUp_ : editAlertDown_;
    if (menu == nullptr || editLast_->text().trimmed().isEmpty()) {
        QApplication::beep();
        return;
    }
    // The menu hangs from the box's lower right corner.
    const QPoint corner = box->mapToGlobal(QPoint(box->width(), box->height()));
    menu->popup(corner - QPoint(menu->sizeHint().width(), 0));
}

void tScr_TickerForm::ChoosePercent(tAlertSide side, int entry) {
    QMenu* menu = side == tAlertSide::Up ? popupUp_ : popupDown_;
    QLineEdit* box = side == tAlertSide::Up ? editAlertUp_ : editAlertDown_;
    if (menu == nullptr || box->isReadOnly()) {
        return;
    }
    if (entry == kClearAlertEntry) {
        box->clear();
    } else {
        const auto captions = PercentMenuCaptions(item_->Close, side);
        if (entry < 0 || entry >= static_cast<int>(captions.size())) {
            return;
        }
        box->setText(FromWin1252(ThresholdOfCaption(captions[static_cast<std::size_t>(entry)])));
    }
    ThresholdEdited(side);
}

void tScr_TickerForm::ThresholdEdited(tAlertSide side) {
    // A changed threshold is a new alert: its fired marker goes.
    (side == tAlertSide::Up ? upFired_ : downFired_) = false;
    (side == tAlertSide::Up ? imageUp_ : imageDown_)->hide();
    UpdateThresholdLook(side);
}

void tScr_TickerForm::UpdateThresholdLook(tAlertSide side) {
    const bool up = side == tAlertSide::Up;
    QLineEdit* box = up ? editAlertUp_ : editAlertDown_;
    const bool fired = up ? upFired_ : downFired_;
    SetBase(box, fired ? (up ? kFiredUp : kFiredDown) : palette().color(QPalette::Base));
    if (item_ != nullptr) {
        box->setToolTip(
            Hint(ThresholdHint(*item_, side, ToWin1252(box->text()), fired, tape_.Values().ShortDateFormat)));
    }
}

void tScr_TickerForm::ClickOk() {
    if (item_ != nullptr) {
        tSymbolEdits edits;
        edits.Name = ToWin1252(editName_->text());
        edits.AlertUp = ToWin1252(editAlertUp_->text());
        edits.AlertDown = ToWin1252(editAlertDown_->text());
        edits.UpMarkerShown = upFired_;
        edits.DownMarkerShown = downFired_;
        // Without a price the boxes could not be edited, so whatever the item has stays.
        if (item_->Date == 0) {
            edits.AlertUp = item_->AlertUp;
            edits.AlertDown = item_->AlertDown;
            edits.UpMarkerShown = item_->StampUp != 0;
            edits.DownMarkerShown = item_->StampDown != 0;
        }
        edits.AlertNews = editNewsAlert_->isChecked();
        edits.NewsLoaded = newsLoaded_;
        edits.NewsLines = NewsLinesOfGrid();
        ApplySymbolEdits(*item_, edits);
        tape_.Repaint();
    }
    done(kResultOk);
}

void tScr_TickerForm::ClickMore() {
    if (item_ != nullptr) {
        tape_.OpenProfile(item_->Symbol);
    }
    done(kResultCancel);
}

bool ShowSymbolProperties(tTickerItem* item, tTickerTape& tape, const tTranslation& translation,
                          tNewsFetch fetchNews, tLayoutStore* layouts, QWidget* parent) {
    tScr_TickerForm form(item, tape, translation, std::move(fetchNews), layouts, parent);
    return form.exec() == tScr_TickerForm::kResultOk;
}

} // namespace vc
