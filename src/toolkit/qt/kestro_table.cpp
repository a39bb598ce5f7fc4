#include "toolkit/qt/kestro_table.h"

#include "toolkit/layout_store.h"
#include "toolkit/qt/qt_color.h"
#include "toolkit/qt/table_properties.h"
#include "toolkit/qt/win1252_codec.h"
#include "toolkit/table_paint.h"
#include "toolkit/translation.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <algorithm>
#include <set>

namespace vc {
namespace {

constexpr tColor kSelectionColor = 0x3CC7FF;
constexpr int kTextInset = 4;
constexpr int kCheckSize = 13;
constexpr int kCheckLeft = 4;
constexpr int kCheckTop = 2;
constexpr int kHeaderPressMargin = 3;
constexpr int kArrowSize = 16;
constexpr int kHintWidth = 200;
// Rows of these kinds (RowGetType) keep a tree button in their first pixels: a click there is not
// a hot-cell click.
constexpr int kTreeRowKindA = 7;
constexpr int kTreeRowKindB = 8;
constexpr int kTreeButtonWidth = 20;

Qt::Alignment AlignOf(tAlignType align) {
    switch (align) {
    case tAlignType::tab_RIGHT:
        return Qt::AlignRight;
    case tAlignType::tab_CENTER:
        return Qt::AlignHCenter;
    case tAlignType::tab_LEFT:
    case tAlignType::tab_HIDDEN:
        break;
    }
    return Qt::AlignLeft;
}

tTextMeasure MeasureOf(const QFontMetrics& metrics) {
    tTextMeasure measure;
    measure.Width = [metrics](std::string_view text) { return metrics.horizontalAdvance(FromWin1252(text)); };
    measure.AverageCharWidth = std::max(1, metrics.averageCharWidth());
    return measure;
}

// Tooltips of the grid wrap at a fixed width rather than running across the screen.
QString WrapHint(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines;
    for (const QString& paragraph : text.split(u'\n')) {
        QString line;
        for (const QString& word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
                lines << line;
                line = word;
            } else {
                line = candidate;
            }
        }
        lines << line;
    }
    return lines.join(u'\n');
}

QImage StripImage(const tPictureStrip& strip) {
    if (strip.Width <= 0 || strip.Height <= 0 ||
        strip.Pixels.size() <
            static_cast<std::size_t>(strip.Width) * static_cast<std::size_t>(strip.Height)) {
        return {};
    }
    QImage image(strip.Width, strip.Height, QImage::Format_ARGB32);
    const std::uint32_t transparent = strip.Pixels[0] | 0xFF000000u;
    for (int y = 0; y < strip.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < strip.Width; ++x) {
            const std::uint32_t pixel =
                strip.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(strip.Width) +
                             static_cast<std::size_t>(x)] |
                0xFF000000u;
            line[x] = pixel == transparent ? 0u : pixel;
        }
    }
    return image;
}

void DrawCellArrow(QPainter& painter, const QRect& box, tCellArrow arrow) {
    QPolygon shape;
    QColor fill;
    const int l = box.left() + 3;
    const int r = box.left() + 12;
    const int t = box.top() + 3;
    const int b = box.top() + 12;
    const int mid = box.left() + 7;
    switch (arrow) {
    case tCellArrow::Up:
        shape << QPoint(mid, t) << QPoint(r, b) << QPoint(l, b);
        fill = QColor(0, 160, 0);
        break;
    case tCellArrow::Down:
        shape << QPoint(l, t) << QPoint(r, t) << QPoint(mid, b);
        fill = QColor(220, 0, 0);
        break;
    case tCellArrow::Level:
        shape << QPoint(l, box.top() + 5) << QPoint(r, box.top() + 5) << QPoint(r, box.top() + 10)
              << QPoint(l, box.top() + 10);
        fill = QColor(0, 0, 200);
        break;
    case tCellArrow::None:
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(fill.darker(150));
    painter.setBrush(fill);
    painter.drawPolygon(shape);
    painter.restore();
}

} // namespace

// The rows Qt sees are the data rows: model row r is grid row r + 1.
class tKestroModel : public QAbstractTableModel {
public:
    explicit tKestroModel(tKestroTable& table) : QAbstractTableModel(&table), table_(table) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : std::max(0, table_.Data().RowCount() - 1);
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : table_.Data().ColCount();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
            return {};
        }
        return FromWin1252(table_.Data().Cell(index.column(), index.row() + 1));
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!index.isValid() || role != Qt::EditRole) {
            return false;
        }
        if (!table_.Data().WriteCell(index.column(), index.row() + 1, ToWin1252(value.toString()))) {
            return false;
        }
        emit dataChanged(index, index);
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        const tTableData& grid = table_.Data();
        if (table_.Editable() && index.isValid() && index.column() < grid.FillerCol() &&
            grid.CellKind(index.column(), index.row() + 1) == tButtonType::tab_NONE) {
            flags |= Qt::ItemIsEditable;
        }
        return flags;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        const tTableData& grid = table_.Data();
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= grid.FillerCol()) {
            return {};
        }
        return FromWin1252(grid.ColumnAt(section).Text);
    }
    void Reset() {
        beginResetModel();
        endResetModel();
    }

private:
    tKestroTable& table_;
};

// The header row: drawn by the grid, pressed and clicked for sorting on its own terms (Qt's own
// section clicks would select whole columns).
class tKestroHeader : public QHeaderView {
public:
    explicit tKestroHeader(tKestroTable& table) : QHeaderView(Qt::Horizontal, &table), table_(table) {
        setSectionsClickable(false);
        setSectionsMovable(false);
        setHighlightSections(false);
        setMinimumSectionSize(0);
        setStretchLastSection(true);
        setMouseTracking(true);
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        if (!rect.isValid()) {
            return;
        }
        // Off-screen first, so that a section never shows half drawn.
        QImage image(rect.size(), QImage::Format_ARGB32_Premultiplied);
        QPainter offscreen(&image);
        offscreen.setFont(painter->font());
        table_.PaintHeaderCell(offscreen, QRect(QPoint(0, 0), rect.size()), logicalIndex,
                               logicalIndex == pressed_ && pressedInside_);
        offscreen.end();
        painter->drawImage(rect.topLeft(), image);
    }

    void mousePressEvent(QMouseEvent* event) override {
        table_.Data().ClearTypeAhead();
        QToolTip::hideText();
        const tTableData& grid = table_.Data();
        const int x = event->position().toPoint().x();
        const int col = logicalIndexAt(x);
        if (event->button() == Qt::LeftButton && grid.tab_Sorting && grid.RowCount() > 1 && col >= 0) {
            const int left = sectionViewportPosition(col);
            const int right = left + sectionSize(col);
            // The outer pixels belong to the column sizing.
            if (x > left + kHeaderPressMargin && x < right - kHeaderPressMargin) {
                pressed_ = col;
                pressedInside_ = true;
                viewport()->update();
                return;
            }
        }
        QHeaderView::mousePressEvent(event);
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint pos = event->position().toPoint();
        const int col = logicalIndexAt(pos.x());
        if (col != hintCol_) {
            QToolTip::hideText();
            hintCol_ = col;
        }
        if (pressed_ >= 0) {
            const bool inside = Inside(pressed_, pos);
            if (inside != pressedInside_) {
                pressedInside_ = inside;
                viewport()->update();
            }
            return;
        }
        QHeaderView::mouseMoveEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (pressed_ < 0) {
            QHeaderView::mouseReleaseEvent(event);
            return;
        }
        const int col = pressed_;
        const bool inside = Inside(col, event->position().toPoint());
        pressed_ = -1;
        pressedInside_ = false;
        viewport()->update();
        if (inside && event->button() == Qt::LeftButton) {
            table_.HeaderClicked(col);
        }
    }

    bool viewportEvent(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            const auto* help = static_cast<QHelpEvent*>(event);
            hintCol_ = logicalIndexAt(help->pos().x());
            table_.ShowHeaderHint(help->globalPos(), hintCol_);
            return true;
        }
        return QHeaderView::viewportEvent(event);
    }

    void contextMenuEvent(QContextMenuEvent* event) override { table_.ShowHeaderMenu(event->globalPos()); }

private:
    bool Inside(int col, const QPoint& pos) const {
        const int left = sectionViewportPosition(col);
        return pos.x() >= left && pos.x() < left + sectionSize(col) && pos.y() >= 0 && pos.y() < height();
    }

    tKestroTable& table_;
    int pressed_ = -1;
    bool pressedInside_ = false;
    int hintCol_ = -1;
};

namespace {

class tKestroDelegate : public QStyledItemDelegate {
public:
    explicit tKestroDelegate(tKestroTable& table) : QStyledItemDelegate(&table), table_(table) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        painter->setClipRect(option.rect);
        table_.PaintDataCell(*painter, option.rect, index.column(), index.row() + 1,
                             (option.state & QStyle::State_Selected) != 0, index == table_.currentIndex());
        painter->restore();
    }

private:
    tKestroTable& table_;
};

} // namespace

tKestroTable::tKestroTable(QWidget* parent) : QTableView(parent), data_(std::make_unique<tTableData>()) {
    data_->SetBaseRowHeight(kBaseRowHeight);
    data_->SetDefaultRowHeight(kBaseRowHeight);
    data_->SetRowCount(20);

    model_ = new tKestroModel(*this);
    header_ = new tKestroHeader(*this);
    setHorizontalHeader(header_);
    setModel(model_);
    setItemDelegate(new tKestroDelegate(*this));
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setMouseTracking(true);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SetColumnSizing(true);

    connect(header_, &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        if (!syncing_ && col < data_->FillerCol()) {
            data_->SetColWidth(col, size);
        }
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (syncing_) {
            return;
        }
        if (data_->Events.OnSelChanged) {
            data_->Events.OnSelChanged();
        }
        emit SelChanged();
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid()) {
            data_->Row = current.row() + 1;
        }
    });
    Rebuild();
}

tKestroTable::~tKestroTable() {
    if (store_ != nullptr) {
        data_->SaveLayout(*store_);
    }
    // The model and delegate read the data while Qt takes the view apart; let them go first.
    setModel(nullptr);
    delete model_;
}

void tKestroTable::SetRowSelect(bool on) {
    rowSelect_ = on;
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void tKestroTable::SetColumnSizing(bool on) {
    columnSizing_ = on;
    header_->setSectionResizeMode(on ? QHeaderView::Interactive : QHeaderView::Fixed);
    header_->setStretchLastSection(true);
}

void tKestroTable::Load(const tGridDefaults& defaults, const tTranslation& translation, tLayoutStore* store) {
    translation_ = &translation;
    store_ = store;
    oliveColor_ = defaults.OliveColor;
    data_->ApplyDefaults(defaults);
    if (store != nullptr) {
        data_->LoadLayout(*store);
    } else {
        data_->ApplyColumnOrder();
    }
    data_->TranslateColumns(translation);

    if (!defaults.FontName.empty() || defaults.FontSize > 0) {
        QFont cellFont = font();
        if (!defaults.FontName.empty()) {
            cellFont.setFamily(FromWin1252(defaults.FontName));
        }
        if (defaults.FontSize > 0) {
            cellFont.setPointSize(defaults.FontSize);
        }
        setFont(cellFont);
    }

    pictures_.clear();
    for (const tKolom& column : data_->tab_Kolommen) {
        if (column.CustomBmp() != nullptr) {
            QImage image = StripImage(*column.CustomBmp());
            if (!image.isNull()) {
                pictures_[column.Id] = std::move(image);
            }
        }
    }
    Rebuild();
}

void tKestroTable::Rebuild() {
    syncing_ = true;
    const int row = data_->Row;
    const int col = std::max(0, currentIndex().column());
    model_->Reset();
    header_->setFixedHeight(data_->RowHeight(0));
    for (int c = 0; c < data_->FillerCol(); ++c) {
        header_->resizeSection(c, data_->ColWidth(c));
    }
    QHeaderView* rows = verticalHeader();
    rows->setDefaultSectionSize(data_->DefaultRowHeight());
    for (int r = 1; r < data_->RowCount(); ++r) {
        if (rows->sectionSize(r - 1) != data_->RowHeight(r)) {
            rows->resizeSection(r - 1, data_->RowHeight(r));
        }
    }
    hot_ = {-1, -1};
    viewport()->unsetCursor();
    if (row >= 1 && row < data_->RowCount()) {
        SetCurrentRow(row, std::min(col, std::max(0, data_->FillerCol() - 1)));
    }
    data_->Row = row;
    syncing_ = false;
    viewport()->update();
    header_->viewport()->update();
}

void tKestroTable::resizeEvent(QResizeEvent* event) {
    // A grid filled before its page was laid out, or one that shrinks, may cut the selected row or
    // push it out; a row the user scrolled out of sight before stays out of sight.
    const QModelIndex current = currentIndex();
    const bool wasShown =
        current.isValid() && QRect(QPoint(0, 0), event->oldSize()).intersects(visualRect(current));
    QTableView::resizeEvent(event);
    if (wasShown) {
        scrollTo(current);
    }
}

void tKestroTable::SetCurrentRow(int row, int col) {
    const QModelIndex index = model_->index(row - 1, col);
    if (!index.isValid()) {
        return;
    }
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
    if (rowSelect_) {
        flags |= QItemSelectionModel::Rows;
    }
    selectionModel()->setCurrentIndex(index, flags);
    scrollTo(index);
}

std::vector<int> tKestroTable::SelectedRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        rows.insert(index.row() + 1);
    }
    if (rows.empty() && currentIndex().isValid()) {
        rows.insert(currentIndex().row() + 1);
    }
    return {rows.begin(), rows.end()};
}

std::vector<int> tKestroTable::SelectedCols() const {
    std::set<int> cols;
    if (rowSelect_) {
        for (int c = 0; c < data_->FillerCol(); ++c) {
            cols.insert(c);
        }
    } else {
        for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
            if (index.column() < data_->FillerCol()) {
                cols.insert(index.column());
            }
        }
        if (cols.empty() && currentIndex().isValid() && currentIndex().column() < data_->FillerCol()) {
            cols.insert(currentIndex().column());
        }
    }
    return {cols.begin(), cols.end()};
}

bool tKestroTable::AllSelected() const {
    const int dataRows = data_->RowCount() - 1;
    if (dataRows <= 0) {
        return false;
    }
    const auto rows = SelectedRows();
    const auto cols = SelectedCols();
    return static_cast<int>(rows.size()) == dataRows && static_cast<int>(cols.size()) == data_->FillerCol();
}

QColor tKestroTable::Color(tColor color) const {
    return ToQColor(color, palette());
}

const tTranslation& tKestroTable::Translation() const {
    static const tTranslation untranslated;
    return translation_ != nullptr ? *translation_ : untranslated;
}

// --- Drawing -------------------------------------------------------------------------------------

void tKestroTable::PaintHeaderCell(QPainter& painter, const QRect& rect, int col, bool pressed) const {
    const tTableData& grid = *data_;
    const int h = rect.height();
    const int w = rect.width();
    const int down = pressed ? grid.tab_PressDepth : 0;
    const QColor face = Color(kClBtnFace);

    painter.fillRect(rect, Color(grid.tab_HeadColStart));
    const int faceFrom = HeaderFaceStart(h, pressed, grid.tab_PressColOfs);
    for (int y = 1; y < h; ++y) {
        const QColor line =
            y >= faceFrom ? face : Color(HeaderLineColor(grid.tab_HeadColStart, grid.tab_HeadColSteps, y));
        painter.setPen(line);
        painter.drawLine(rect.left(), rect.top() + y, rect.right(), rect.top() + y);
    }

    const QColor border = Color(HeaderBorderColor(grid.tab_HeadColStart, grid.tab_HeadColSteps, h));
    if (grid.VertLines) {
        if (!pressed) {
            painter.setPen(Qt::white);
            painter.drawLine(rect.topLeft(), rect.topRight());
            painter.drawLine(rect.topLeft(), rect.bottomLeft());
            painter.setPen(border);
            painter.drawLine(rect.topRight(), rect.bottomRight());
            painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        } else {
            painter.setPen(border);
            for (int i = 0; i < 2; ++i) {
                painter.drawLine(rect.left(), rect.top() + i, rect.right(), rect.top() + i);
                painter.drawLine(rect.left() + i, rect.top(), rect.left() + i, rect.bottom());
            }
        }
    }

    const bool isFiller = col >= grid.FillerCol();
    const bool sorted = !isFiller && grid.SortState != 0 && grid.SortedCol() == col;
    if (!isFiller) {
        const tKolom& column = grid.ColumnAt(col);
        if (column.ColAlign != tAlignType::tab_HIDDEN) {
            QRect textRect = rect.adjusted(kTextInset, 0, -kTextInset, 0).translated(down, down);
            if (sorted) {
                if (column.ColAlign == tAlignType::tab_RIGHT) {
                    textRect.setLeft(rect.left() + 11 + down);
                } else {
                    textRect.setRight(textRect.right() - 10);
                }
            }
            const tTextMeasure measure = MeasureOf(painter.fontMetrics());
            const std::string caption = column.Ellips == tEllipsType::ellips_PATH
                                            ? PathShortened(column.Text, textRect.width(), measure)
                                            : EndShortened(column.Text, textRect.width(), measure);
            painter.setPen(isEnabled() ? Qt::black : Qt::gray);
            painter.drawText(
                textRect, static_cast<int>(AlignOf(column.ColAlign) | Qt::AlignVCenter | Qt::TextSingleLine),
                FromWin1252(caption));
        }

        if (sorted && grid.tab_Sorting && w > 10) {
            const int x = rect.left() + (column.ColAlign == tAlignType::tab_RIGHT ? 4 : w - 12) + down;
            const int y = rect.top() + (h - 7) / 2 + down;
            // An etched triangle seven pixels wide: lit from the bottom right.
            if (!grid.SortDescending()) {
                painter.setPen(border);
                painter.drawLine(x + 3, y, x, y + 6);
                painter.setPen(Qt::white);
                painter.drawLine(x + 3, y, x + 6, y + 6);
                painter.drawLine(x, y + 6, x + 6, y + 6);
            } else {
                painter.setPen(border);
                painter.drawLine(x, y, x + 6, y);
                painter.drawLine(x, y, x + 3, y + 6);
                painter.setPen(Qt::white);
                painter.drawLine(x + 6, y, x + 3, y + 6);
            }
        }
    }

    if (grid.RowCount() <= 1) {
        painter.setPen(Qt::black);
        painter.drawLine(rect.topRight(), rect.bottomRight());
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    }
}

void tKestroTable::PaintDataCell(QPainter& painter, const QRect& rect, int col, int row, bool selected,
                                 bool focused) const {
    const tTableData& grid = *data_;
    const bool enabled = isEnabled();
    const bool marked = selected || focused;
    const bool focusNow = hasFocus();
    const int state = (selected ? kCellSelected : 0) | (focused ? kCellFocused : 0);

    const bool isFiller = col >= grid.FillerCol();
    tColor back = kClWindow;
    tColor text = kClWindowText;
    bool showsSelection = false;
    if (enabled && marked && !isFiller && grid.ShowSelection &&
        (grid.tab_HideSelection == tSelection::sel_NORMAL || focusNow)) {
        back = kSelectionColor;
        text = kClBlack;
        showsSelection = true;
    } else if (marked && !isFiller && grid.tab_HideSelection == tSelection::sel_GRAYED && !focusNow) {
        back = kClBtnFace;
        text = kClBtnText;
    } else {
        const tColor own = isFiller ? kClNone : grid.ColumnAt(col).Color;
        back = own == kClNone ? BandColor(row, grid.RowsPerBand, grid.tab_ColorOdd, grid.tab_ColorEven)
                              : (own == kClOlive ? oliveColor_ : own);
    }
    if (!enabled) {
        text = kClGrayText;
    }
    const bool hot = hot_ == QPoint(col, row);
    if (hot && !showsSelection) {
        text = kClBlue;
    }
    if (!isFiller) {
        if (grid.Events.CellGetColor) {
            text = grid.Events.CellGetColor(col, row, state, text);
        }
        if (grid.Events.CellGetColorBk) {
            back = grid.Events.CellGetColorBk(col, row, state, back);
        }
    }

    const QColor backColor = Color(back);
    if (backColor.isValid()) {
        painter.fillRect(rect, backColor);
    }
    // Grid lines at the right and bottom of each cell, as the fixed header draws its own.
    painter.setPen(QColor(0xD8, 0xD8, 0xD8));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    if (grid.VertLines) {
        painter.drawLine(rect.topRight(), rect.bottomRight());
    }
    if (isFiller) {
        return;
    }

    const tKolom& column = grid.ColumnAt(col);
    QFont cellFont = font();
    cellFont.setBold(column.BoldFont || (grid.Events.CellGetBold && grid.Events.CellGetBold(col, row)));
    cellFont.setUnderline(hot);
    painter.setFont(cellFont);

    QRect area = rect.adjusted(0, 0, -1, -1);
    const tButtonType kind = grid.CellKind(col, row);
    const int object = grid.Object(col, row);
    if (IsCheckKind(kind)) {
        QStyleOptionButton box;
        box.initFrom(this);
        box.rect = QRect(rect.left() + kCheckLeft, rect.top() + kCheckTop, kCheckSize, kCheckSize);
        box.state = QStyle::State_None;
        if (enabled && (object & kCellInactive) == 0) {
            box.state |= QStyle::State_Enabled;
        }
        const bool checked = (object & kCellChecked) != 0;
        if (kind == tButtonType::tab_PUSHBUTTON) {
            box.state |= checked ? QStyle::State_Sunken : QStyle::State_Raised;
            style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &box, &painter, this);
        } else {
            box.state |= checked ? QStyle::State_On : QStyle::State_Off;
            style()->drawPrimitive(kind == tButtonType::tab_RADIOBUTTON ? QStyle::PE_IndicatorRadioButton
                                                                        : QStyle::PE_IndicatorCheckBox,
                                   &box, &painter, this);
        }
        area.setLeft(box.rect.right() + 1);
    } else if (kind == tButtonType::tab_CUSTOM) {
        const auto found = pictures_.find(column.Id);
        if (found != pictures_.end()) {
            const QImage& strip = found->second;
            const int size = strip.height();
            if (object >= 0 && (object + 1) * size <= strip.width()) {
                const QPoint at(rect.left() + 2, rect.top() + (rect.height() - size) / 2);
                painter.drawImage(at, strip, QRect(object * size, 0, size, size));
            }
            area.setLeft(rect.left() + 2 + size);
        }
    }

    const std::string& cell = grid.Cell(col, row);
    if (column.Ellips == tEllipsType::ellips_ARROW) {
        if (rect.width() >= 8) {
            const QRect inner = area.adjusted(kTextInset, 0, -kTextInset, 0);
            const QRect box =
                QStyle::alignedRect(layoutDirection(), AlignOf(column.CellAlign()) | Qt::AlignVCenter,
                                    QSize(kArrowSize, kArrowSize), inner);
            DrawCellArrow(painter, box, CellArrowOf(cell));
        }
        return;
    }

    const QRect textRect = area.adjusted(kTextInset, 0, -kTextInset, 0);
    const QFontMetrics metrics(cellFont);
    const std::string shown = CellDisplayText(cell, column, textRect.width(), MeasureOf(metrics));
    painter.setPen(Color(text));
    const Qt::Alignment align = AlignOf(column.CellAlign());
    if (column.WordWrap && rect.height() > grid.BaseRowHeight()) {
        // One text height more than fits, so that a last line cut in half still shows its top.
        const int lines = std::max(1, rect.height() / std::max(1, metrics.height()));
        const QRect wrapRect(textRect.left(), rect.top() + 1, textRect.width(),
                             (lines + 1) * metrics.height());
        painter.drawText(wrapRect, static_cast<int>(align | Qt::AlignTop | Qt::TextWordWrap),
                         FromWin1252(shown));
    } else {
        painter.drawText(textRect, static_cast<int>(align | Qt::AlignVCenter | Qt::TextSingleLine),
                         FromWin1252(shown));
    }
}

void tKestroTable::paintEvent(QPaintEvent* event) {
    if (data_->RowCount() <= 1 && data_->Events.OnPaintEmpty) {
        data_->Events.OnPaintEmpty();
    }
    QTableView::paintEvent(event);
}

// --- Mouse -----------------------------------------------------------------------------------------

QPoint tKestroTable::CellAt(const QPoint& pos) const {
    const QModelIndex index = indexAt(pos);
    if (!index.isValid()) {
        return {-1, -1};
    }
    return {index.column(), index.row() + 1};
}

void tKestroTable::SetHot(QPoint cell) {
    if (cell == hot_) {
        return;
    }
    const QPoint old = hot_;
    hot_ = cell;
    for (const QPoint& c : {old, cell}) {
        if (c.x() >= 0) {
            viewport()->update(visualRect(model_->index(c.y() - 1, c.x())));
        }
    }
    if (cell.x() >= 0) {
        viewport()->setCursor(Qt::PointingHandCursor);
    } else {
        viewport()->unsetCursor();
    }
}

void tKestroTable::mousePressEvent(QMouseEvent* event) {
    data_->ClearTypeAhead();
    QToolTip::hideText();
    const QPoint pos = event->position().toPoint();
    const QPoint cell = CellAt(pos);
    QTableView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || cell.x() < 0 || cell.x() >= data_->FillerCol()) {
        return;
    }
    const tButtonType kind = data_->CellKind(cell.x(), cell.y());
    if (!IsCheckKind(kind)) {
        return;
    }
    const QRect cellRect = visualRect(model_->index(cell.y() - 1, cell.x()));
    const QRect box(cellRect.left() + kCheckLeft, cellRect.top() + kCheckTop, kCheckSize, kCheckSize);
    if (!box.contains(pos)) {
        return;
    }
    if (data_->ToggleCheck(cell.x(), cell.y())) {
        viewport()->update(cellRect);
    }
    if (kind == tButtonType::tab_PUSHBUTTON && data_->Events.OnClickButton) {
        data_->Events.OnClickButton(cell.x(), cell.y());
    }
}

void tKestroTable::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QPoint cell = CellAt(pos);
    if (hintCell_.x() >= 0 && (cell.y() != hintCell_.y() || (!rowSelect_ && cell.x() != hintCell_.x()))) {
        QToolTip::hideText();
        hintCell_ = {-1, -1};
    }
    const bool canBeHot = data_->HotTrack && event->buttons() == Qt::NoButton && cell.x() >= 0 &&
                          cell.x() < data_->FillerCol() && data_->ColumnAt(cell.x()).HotColumn;
    SetHot(canBeHot ? cell : QPoint(-1, -1));
    QTableView::mouseMoveEvent(event);
}

void tKestroTable::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QPoint cell = CellAt(pos);
    QTableView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || hot_.x() < 0 || cell != hot_) {
        return;
    }
    if (data_->Events.RowGetType) {
        const int kind = data_->Events.RowGetType(cell.y());
        const QRect cellRect = visualRect(model_->index(cell.y() - 1, cell.x()));
        if ((kind == kTreeRowKindA || kind == kTreeRowKindB) &&
            pos.x() - cellRect.left() < kTreeButtonWidth) {
            return;
        }
    }
    if (data_->Events.OnHotCellClick) {
        data_->Events.OnHotCellClick(cell.x(), cell.y());
    }
    emit HotCellClicked(cell.x(), cell.y());
}

void tKestroTable::leaveEvent(QEvent* event) {
    SetHot({-1, -1});
    QTableView::leaveEvent(event);
}

bool tKestroTable::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QPoint cell = CellAt(help->pos());
        std::string hint;
        if (cell.x() >= 0 && cell.x() < data_->FillerCol() && data_->Events.CellGetHint) {
            data_->Events.CellGetHint(cell.x(), cell.y(), hint);
        }
        if (hint.empty()) {
            QToolTip::hideText();
            hintCell_ = {-1, -1};
        } else {
            hintCell_ = cell;
            QToolTip::showText(help->globalPos(),
                               WrapHint(FromWin1252(hint), QFontMetrics(QToolTip::font()), kHintWidth),
                               viewport());
        }
        return true;
    }
    return QTableView::viewportEvent(event);
}

void tKestroTable::ShowHeaderHint(const QPoint& globalPos, int col) {
    std::string hint;
    if (col >= 0 && col < data_->FillerCol()) {
        hint = data_->HeaderHint(col, Translation());
    }
    if (hint.empty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(globalPos, WrapHint(FromWin1252(hint), QFontMetrics(QToolTip::font()), kHintWidth),
                       header_->viewport());
}

void tKestroTable::HeaderClicked(int col) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setUpdatesEnabled(false);
    // The cursor stays on the same row number; the record that was there may have moved away.
    const int row = data_->Row;
    if (data_->HeaderClicked(col)) {
        data_->Row = row;
        Rebuild();
    }
    setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
    header_->viewport()->update();
}

// --- Keyboard and clipboard ------------------------------------------------------------------------

void tKestroTable::keyPressEvent(QKeyEvent* event) {
    const auto mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const int key = event->key();
    const bool ctrl = mods == Qt::ControlModifier;
    if (ctrl && key == Qt::Key_A) {
        selectAll();
        return;
    }
    if ((ctrl && key == Qt::Key_C) || (ctrl && key == Qt::Key_Insert)) {
        CopyToClipboard();
        return;
    }
    if ((ctrl && key == Qt::Key_V) || (mods == Qt::ShiftModifier && key == Qt::Key_Insert)) {
        PasteFromClipboard();
        return;
    }
    if (ctrl && key == Qt::Key_X) {
        CutToClipboard();
        return;
    }
    if (mods == Qt::NoModifier && key == Qt::Key_Space) {
        if (data_->ToggleCheck(0, data_->Row)) {
            viewport()->update();
        }
        return;
    }
    const QString typed = event->text();
    if (rowSelect_ && data_->RowCount() > 2 && (mods & ~Qt::ShiftModifier) == 0 && typed.size() == 1 &&
        typed[0].isLetterOrNumber()) {
        const std::string bytes = ToWin1252(typed);
        const int row = data_->TypeAhead(bytes.empty() ? '?' : bytes[0]);
        if (row >= 1) {
            SetCurrentRow(row, std::max(0, currentIndex().column()));
        }
        return;
    }
    QTableView::keyPressEvent(event);
}

void tKestroTable::CopyToClipboard() {
    const QString point = QLocale().decimalPoint();
    const std::string separator = ToWin1252(point);
    const std::string text = data_->ClipboardText(SelectedRows(), SelectedCols(), AllSelected(),
                                                  separator.size() == 1 ? separator[0] : '.');
    QGuiApplication::clipboard()->setText(FromWin1252(text));
}

void tKestroTable::PasteFromClipboard() {
    if (!editable_ || rowSelect_) {
        return;
    }
    const std::string text = tTableData::PasteText(ToWin1252(QGuiApplication::clipboard()->text()));
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        if (index.column() < data_->FillerCol()) {
            data_->WriteCell(index.column(), index.row() + 1, text);
        }
    }
    viewport()->update();
}

void tKestroTable::CutToClipboard() {
    if (!editable_ || rowSelect_) {
        return;
    }
    CopyToClipboard();
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        if (index.column() < data_->FillerCol()) {
            data_->WriteCell(index.column(), index.row() + 1, "");
        }
    }
    viewport()->update();
}

int tKestroTable::ContentWidth(int c) const {
    const QFontMetrics plain(font());
    QFont boldFont = font();
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont);
    const tKolom& column = data_->ColumnAt(c);
    int width = plain.horizontalAdvance(FromWin1252(column.Text)) + 2 * kTextInset;
    if (data_->SortedCol() == c) {
        width += 11;
    }
    const QFontMetrics& metrics = column.BoldFont ? bold : plain;
    for (int r = 1; r < data_->RowCount(); ++r) {
        int cellWidth =
            metrics.horizontalAdvance(FromWin1252(CutLongText(data_->Cell(c, r)))) + 2 * kTextInset;
        const tButtonType kind = data_->CellKind(c, r);
        if (IsCheckKind(kind)) {
            cellWidth += kCheckLeft + kCheckSize;
        } else if (kind == tButtonType::tab_CUSTOM && pictures_.count(column.Id) != 0) {
            cellWidth += 2 + pictures_.at(column.Id).height();
        }
        if (column.Ellips == tEllipsType::ellips_ARROW) {
            cellWidth = kArrowSize + 2 * kTextInset;
        }
        width = std::max(width, cellWidth);
    }
    return width + 1;
}

void tKestroTable::AutosizeColumns() {
    for (int c = 0; c < data_->FillerCol(); ++c) {
        data_->SetColWidth(c, ContentWidth(c));
    }
    Rebuild();
}

void tKestroTable::WidenColumnsToFit() {
    for (int c = 0; c < data_->FillerCol(); ++c) {
        if (!data_->ColumnAt(c).WordWrap) {
            data_->SetColWidth(c, std::max(data_->ColWidth(c), ContentWidth(c)));
        }
    }
    Rebuild();
}

void tKestroTable::ShowTableProperties() {
    tTableProperties dialog(data_->ColumnChoices(), data_->LinesPerRow(), Translation(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    data_->ApplyProperties(dialog.Choices(), dialog.Lines());
    Rebuild();
}

// --- Menus -------------------------------------------------------------------------------------------

std::unique_ptr<QMenu> tKestroTable::BuildMenu(const std::vector<tTableMenuEntry>& entries) {
    auto menu = std::make_unique<QMenu>(this);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const tTableMenuEntry& entry = entries[i];
        if (entry.Separator) {
            menu->addSeparator();
            continue;
        }
        // Column entries show the caption as the header does; the others are texts to translate.
        QString caption = FromWin1252(entry.Command == tTableCommand::ToggleColumn
                                          ? entry.Caption
                                          : Translation().Translate(entry.Caption));
        if (!entry.Shortcut.empty()) {
            caption += u'\t' + FromWin1252(entry.Shortcut);
        }
        QAction* action = menu->addAction(caption);
        action->setData(static_cast<int>(i));
        action->setCheckable(entry.Checked || entry.Command == tTableCommand::ToggleColumn);
        action->setChecked(entry.Checked);
        action->setEnabled(entry.Enabled);
    }
    return menu;
}

std::unique_ptr<QMenu> tKestroTable::BuildHeaderMenu() {
    return BuildMenu(data_->HeaderMenu(columnSizing_));
}

std::unique_ptr<QMenu> tKestroTable::BuildDataMenu() {
    return BuildMenu(data_->DataMenu(editable_, rowSelect_));
}

void tKestroTable::RunMenu(const std::vector<tTableMenuEntry>& entries, const QPoint& globalPos) {
    const auto menu = BuildMenu(entries);
    const QAction* chosen = menu->exec(globalPos);
    if (chosen != nullptr) {
        RunCommand(entries[static_cast<std::size_t>(chosen->data().toInt())]);
    }
}

void tKestroTable::ShowHeaderMenu(const QPoint& globalPos) {
    QToolTip::hideText();
    RunMenu(data_->HeaderMenu(columnSizing_), globalPos);
}

void tKestroTable::contextMenuEvent(QContextMenuEvent* event) {
    QToolTip::hideText();
    const QPoint cell = CellAt(viewport()->mapFromGlobal(event->globalPos()));
    if (cell.y() < 1) {
        return;
    }
    if (ownDataMenu_ != nullptr) {
        ownDataMenu_->exec(event->globalPos());
        return;
    }
    RunMenu(data_->DataMenu(editable_, rowSelect_), event->globalPos());
}

void tKestroTable::RunCommand(const tTableMenuEntry& entry) {
    switch (entry.Command) {
    case tTableCommand::None:
        return;
    case tTableCommand::TableProperties:
        ShowTableProperties();
        return;
    case tTableCommand::Cut:
        CutToClipboard();
        return;
    case tTableCommand::Copy:
        CopyToClipboard();
        return;
    case tTableCommand::Paste:
        PasteFromClipboard();
        return;
    case tTableCommand::SelectAll:
        selectAll();
        return;
    case tTableCommand::CheckAll:
    case tTableCommand::UncheckAll:
        data_->SetAllChecks(entry.Command == tTableCommand::CheckAll);
        viewport()->update();
        return;
    case tTableCommand::CheckSelection:
    case tTableCommand::UncheckSelection:
        data_->SetAllChecks(entry.Command == tTableCommand::CheckSelection, SelectedRows());
        viewport()->update();
        return;
    case tTableCommand::ToggleColumn: {
        const bool changed = data_->ColOfId(entry.ColumnId) >= 0 ? data_->HideColumn(entry.ColumnId)
                                                                 : data_->ShowColumn(entry.ColumnId);
        if (changed) {
            Rebuild();
        }
        return;
    }
    case tTableCommand::Autosize:
        AutosizeColumns();
        return;
    }
}

} // namespace vc
