#include "display/qt/tape_widget.h"

#include <QApplication>
#include <QBuffer>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>
#include <system_error>

#include "display/item_texts.h"
#include "display/tape_strip.h"
#include "tape/alerts.h"
#include "tape/ticker_tape.h"
#include "toolkit/atomic_file.h"
#include "toolkit/file_names.h"
#include "toolkit/qt/win1252_codec.h"

namespace vc {
namespace {

const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kHintDown(0xFF, 0xD2, 0xD2);
const QColor kHintUp(0xA6, 0xFF, 0xA6);
constexpr int kPreviewWidth = 401;
constexpr int kButtonGap = 4;

// A copy of the logo in which every pixel of the key pixel's colour is transparent.
QImage KeyedLogo(const QImage& logo, QPoint keyPixel) {
    if (logo.isNull()) {
        return {};
    }
    QImage image = logo.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(keyPixel) | 0xFF000000u;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] | 0xFF000000u) == key) {
                line[x] = 0;
            }
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Draws into the off-screen picture: opaque pictures in its own format are copied row by row,
// which is all a scroll step does for most items; anything else goes through a painter, begun only
// when first needed.
class tStripPainter {
public:
    explicit tStripPainter(QImage& strip) : strip_(strip) {}

    QPainter& Painter() {
        if (!painter_.isActive()) {
            painter_.begin(&strip_);
        }
        return painter_;
    }

    // The picture at (x, 0); rows of the tape it does not reach are black.
    void Copy(int x, const QImage& picture) {
        const int from = std::max(0, -x);
        const int to = std::min(picture.width(), strip_.width() - x);
        if (picture.isNull() || to <= from) {
            return;
        }
        const int rows = std::min(picture.height(), strip_.height());
        if (rows < strip_.height()) {
            Painter().fillRect(x + from, rows, to - from, strip_.height() - rows, Qt::black);
        }
        if (picture.format() != strip_.format() || painter_.isActive()) {
            Painter().drawImage(x, 0, picture);
            return;
        }
        const std::size_t bytes = static_cast<std::size_t>(to - from) * sizeof(QRgb);
        uchar* target = strip_.bits() + static_cast<std::size_t>(x + from) * sizeof(QRgb);
        const uchar* source = picture.constBits() + static_cast<std::size_t>(from) * sizeof(QRgb);
        const qsizetype targetLine = strip_.bytesPerLine();
        const qsizetype sourceLine = picture.bytesPerLine();
        for (int y = 0; y < rows; ++y) {
            std::memcpy(target, source, bytes);
            target += targetLine;
            source += sourceLine;
        }
    }

private:
    QImage& strip_;
    QPainter painter_;
};

bool LinkContains(const tTickerItem& item, int left, int x, int y) {
    const tLinkRect& r = item.LinkRect;
    return x >= left + r.Left && x < left + r.Right && y >= r.Top && y < r.Bottom;
}

} // namespace

tTapeWidget::tTapeWidget(tItemRenderer& renderer, std::filesystem::path programDir, QWidget* parent)
    : QWidget(parent), renderer_(renderer), programDir_(std::move(programDir)),
      skin_(std::make_unique<tSkin>()), hint_(new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint)),
      hintHide_(new QTimer(this)), hintPause_(new QTimer(this)) {
    // Every pixel is painted from the off-screen picture, so nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setCursor(Qt::OpenHandCursor);
    resize(width(), skin_->ItemHeight);

    const QImage strip = ButtonStrip();
    closeButton_ = new tSpeedControl(strip, kCloseButtonFrame, this);
    optionsButton_ = new tSpeedControl(strip, kOptionsButtonFrame, this);
    for (tSpeedControl* button : {closeButton_, optionsButton_}) {
        button->resize(kTapeButtonSize, kTapeButtonSize);
        button->setCursor(Qt::ArrowCursor);
    }
    closeButton_->setToolTip(QStringLiteral("Close Velocrest"));
    optionsButton_->setToolTip(QStringLiteral("Velocrest options..."));
    closeButton_->OnClick = [this] {
        if (OnClose) {
            OnClose();
        }
    };
    optionsButton_->OnClick = [this] {
        if (OnOptions) {
            OnOptions();
        }
    };

    hint_->setMargin(3);
    hint_->setAutoFillBackground(true);
    hint_->setFrameStyle(QFrame::Box | QFrame::Plain);
    hint_->hide();
    hintHide_->setSingleShot(true);
    hintHide_->setInterval(kHintShowMs);
    connect(hintHide_, &QTimer::timeout, hint_, &QWidget::hide);
    hintPause_->setSingleShot(true);
    connect(hintPause_, &QTimer::timeout, this,
            [this] { PopHint(pendingHint_, pendingHintPos_, pendingHintItem_); });

    IsForeground = [] { return QGuiApplication::applicationState() == Qt::ApplicationActive; };
    ShowPopup = [](QMenu& menu, QPoint at) { menu.popup(at); };
}

tTapeWidget::~tTapeWidget() = default;

void tTapeWidget::SetTape(tTickerTape* tape) {
    tape_ = tape;
    hotId_ = kNoItemId;
    pressId_ = kNoItemId;
    if (tape_ != nullptr) {
        ShowButtons(tape_->ShowButtons);
    }
    update();
}

// ---- Hooks of the model -------------------------------------------------------------------------

int tTapeWidget::SelectSkin(const std::string& skinName) {
    skin_ = vc::SelectSkin(programDir_, skinName);
    PrepareLogos();
    if (tape_ != nullptr) {
        for (int i = 0; i < tape_->ItemCount(); ++i) {
            renderer_.DiscardImages(tape_->ItemAt(i));
        }
    }
    resize(width(), skin_->ItemHeight);
    updateGeometry();
    update();
    return skin_->ItemHeight;
}

void tTapeWidget::Repaint() {
    update();
}

void tTapeWidget::ShowButtons(bool visible) {
    closeButton_->setVisible(visible);
    optionsButton_->setVisible(visible);
}

void tTapeWidget::PrepareLogos() {
    const QImage& left = skin_->LogoLeft;
    const QImage& right = skin_->LogoRight;
    logoLeft_ = left.isNull() ? QImage() : KeyedLogo(left, QPoint(left.width() - 1, left.height() - 1));
    logoRight_ = KeyedLogo(right, QPoint(0, 0));
}

// ---- Items --------------------------------------------------------------------------------------

int tTapeWidget::ItemCount() const {
    return tape_ != nullptr ? tape_->ItemCount() : 0;
}

tTickerItem* tTapeWidget::Item(tItemId id) const {
    return tape_ != nullptr ? tape_->ItemWithId(id) : nullptr;
}

// The model keeps HeadItem pointing at a live item and every Index equal to its position.
tTickerItem* tTapeWidget::Head() const {
    if (ItemCount() == 0 || tape_->HeadItem == nullptr) {
        return nullptr;
    }
    const tItemId id = tape_->HeadItem->Id;
    const int index = tape_->HeadItem->Index;
    if (index >= 0 && index < ItemCount() && tape_->ItemAt(index).Id == id) {
        return &tape_->ItemAt(index);
    }
    return Item(id);
}

tTapeStrip tTapeWidget::Strip(bool draw) const {
    if (draw) {
        return tTapeStrip(ItemCount(), [this](int index) {
            tTickerItem& item = tape_->ItemAt(index);
            renderer_.DrawImage(item);
            return item.ImageWidth;
        });
    }
    return tTapeStrip(ItemCount(), [this](int index) { return tape_->ItemAt(index).ImageWidth; });
}

tStripPos tTapeWidget::HeadPos() const {
    const tTickerItem* head = Head();
    return head != nullptr ? tStripPos{head->Index, tape_->HeadOffset} : tStripPos{};
}

bool tTapeWidget::Paused() const {
    return paused_ || (tape_ != nullptr && tape_->Paused);
}

// ---- Scrolling ----------------------------------------------------------------------------------

void tTapeWidget::TimerStep() {
    if (Head() == nullptr || Paused()) {
        return;
    }
    if (tape_->Direction == kDirectionLeft) {
        Scroll(-1);
    } else if (tape_->Direction == kDirectionRight) {
        Scroll(1);
    } else {
        // Standing still, but blinking alerts must keep blinking.
        update();
    }
}

void tTapeWidget::Scroll(int n) {
    tTickerItem* head = Head();
    if (head == nullptr || n == 0) {
        return;
    }
    // The head's width decides when it has left; a head set before any paint has none yet.
    renderer_.DrawImage(*head);
    // What leaves over the left edge is not needed again soon; what comes in over it is drawn
    // afresh when it is measured.
    const tStripPos pos = Strip(true).Scroll(
        HeadPos(), n, [this](int index) { renderer_.DiscardImages(tape_->ItemAt(index)); });
    tape_->HeadItem = &tape_->ItemAt(pos.Head);
    tape_->HeadOffset = pos.Offset;
    update();
}

void tTapeWidget::WheelScroll(int delta) {
    Activity();
    if (tape_ == nullptr) {
        return;
    }
    const int step = delta < 0 ? 1 : -1;
    wheelSteps_ += step * kWheelSteps;
    // A turn that comes in while the steps of an earlier one run joins them instead of nesting.
    if (!wheeling_) {
        wheeling_ = true;
        const QPointer<tTapeWidget> self(this);
        while (wheelSteps_ != 0) {
            const int one = wheelSteps_ > 0 ? 1 : -1;
            wheelSteps_ -= one;
            Scroll(one);
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            if (self.isNull()) {
                return;
            }
        }
        wheeling_ = false;
    }
    if (tape_ == nullptr) {
        return;
    }
    if (step > 0) {
        if (tape_->Direction == kDirectionLeft) {
            tape_->Direction = kDirectionRight;
        }
    } else {
        tape_->Direction = kDirectionLeft;
    }
}

void tTapeWidget::BringIntoView(const tTickerItem& item) {
    tTickerItem* live = Item(item.Id);
    if (live == nullptr) {
        return;
    }
    tape_->HeadItem = &tape_->ItemAt(Strip(false).Prev(live->Index));
    tape_->HeadOffset = -100;
    update();
}

// ---- Hit tests ----------------------------------------------------------------------------------

tTickerItem* tTapeWidget::ItemAt(int x, int y) const {
    if (Head() == nullptr || y < 0 || y >= height()) {
        return nullptr;
    }
    const int index = Strip(false).IndexAt(HeadPos(), width(), x);
    return index >= 0 ? &tape_->ItemAt(index) : nullptr;
}

tTickerItem* tTapeWidget::ItemAtLink(int x, int y) const {
    if (Head() == nullptr) {
        return nullptr;
    }
    for (const tStripCell& cell : Strip(false).Cells(HeadPos(), width())) {
        tTickerItem& item = tape_->ItemAt(cell.Index);
        if (LinkContains(item, cell.Left, x, y)) {
            return &item;
        }
    }
    return nullptr;
}

bool tTapeWidget::OnEndLogos(int x, int y) const {
    if (tape_ == nullptr || !tape_->ShowLogos) {
        return false;
    }
    // A skin without a logo has no logo box at that end.
    const QImage& left = skin_->LogoLeft;
    const QImage& right = skin_->LogoRight;
    return (!left.isNull() && x <= left.width() && y <= left.height()) ||
           (!right.isNull() && x >= width() - right.width() && y <= right.height());
}

// ---- Painting -----------------------------------------------------------------------------------

void tTapeWidget::PaintBuffer() {
    if (buffer_.size() != size()) {
        buffer_ = QImage(size(), QImage::Format_RGB32);
    }
    if (buffer_.isNull()) {
        return;
    }
    tStripPainter strip(buffer_);
    const int tapeWidth = width();
    if (ItemCount() > 0) {
        if (Head() == nullptr) {
            tape_->HeadItem = &tape_->ItemAt(0);
            tape_->HeadOffset = 0;
        }
        for (const tStripCell& cell : Strip(true).Cells(HeadPos(), tapeWidth)) {
            strip.Copy(cell.Left, renderer_.PaintImage(tape_->ItemAt(cell.Index)));
        }
    } else {
        buffer_.fill(Qt::black);
        QPainter& painter = strip.Painter();
        painter.setPen(kSilver);
        painter.setFont(QApplication::font());
        const int x = skin_->LogoLeft.isNull() ? 2 : skin_->LogoLeft.width() + 4;
        painter.drawText(QRect(x, 2, std::max(0, tapeWidth - x), height()), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromLatin1(kEmptyTapeText));
    }
    if (tape_ != nullptr && tape_->ShowLogos) {
        if (!logoLeft_.isNull()) {
            strip.Painter().drawImage(0, 0, logoLeft_);
        }
        if (!logoRight_.isNull()) {
            strip.Painter().drawImage(tapeWidth - logoRight_.width(), 0, logoRight_);
        }
    }
}

const QImage& tTapeWidget::RenderBuffer() {
    PaintBuffer();
    return buffer_;
}

void tTapeWidget::paintEvent(QPaintEvent*) {
    PaintBuffer();
    QPainter painter(this);
    painter.drawImage(0, 0, buffer_);
}

void tTapeWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceButtons();
}

void tTapeWidget::PlaceButtons() {
    const int closeLeft = width() - closeButton_->width() - kButtonGap;
    const int top = (height() - closeButton_->height()) / 2;
    closeButton_->move(closeLeft, top);
    optionsButton_->move(closeLeft - optionsButton_->width() - kButtonGap, top);
    closeButton_->raise();
    optionsButton_->raise();
}

bool tTapeWidget::WritePreview() {
    if (ItemCount() == 0 || skin_->Folder.empty()) {
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(skin_->Folder, ec)) {
        return false;
    }
    const std::filesystem::path file = ResolveCaseless(skin_->Folder, "Preview.BMP");
    if (std::filesystem::exists(file, ec)) {
        return false;
    }
    const int tapeHeight = height();
    QImage preview(kPreviewWidth, tapeHeight + 2, QImage::Format_RGB32);
    preview.fill(Qt::black);
    {
        QPainter painter(&preview);
        // The preview starts with the head item one pixel in, whatever its scroll offset.
        const tStripPos from{HeadPos().Head, 1};
        for (const tStripCell& cell : Strip(true).Cells(from, kPreviewWidth)) {
            painter.drawImage(cell.Left, 1, renderer_.PaintImage(tape_->ItemAt(cell.Index)));
        }
        painter.setPen(Qt::black);
        painter.drawLine(0, 0, kPreviewWidth - 1, 0);
        painter.drawLine(0, 0, 0, tapeHeight + 1);
        painter.drawLine(0, tapeHeight + 1, kPreviewWidth - 1, tapeHeight + 1);
    }
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    if (!preview.save(&out, "BMP")) {
        return false;
    }
    return WriteFileAtomically(file.string(), std::string_view(bytes.constData(), bytes.size()));
}

// ---- Mouse --------------------------------------------------------------------------------------

void tTapeWidget::Activity() const {
    if (OnActivity) {
        OnActivity();
    }
}

bool tTapeWidget::Foreground() const {
    return !IsForeground || IsForeground();
}

std::int64_t tTapeWidget::NowMs() const {
    return tape_ != nullptr ? tape_->Clock().SteadyMs() : 0;
}

void tTapeWidget::ClearHotItem(bool repaint) {
    if (tTickerItem* hot = Item(hotId_)) {
        renderer_.RedrawImage(*hot, false);
        if (repaint) {
            update();
        }
    }
    hotId_ = kNoItemId;
}

void tTapeWidget::mousePressEvent(QMouseEvent* event) {
    Activity();
    if (event->button() != Qt::LeftButton) {
        if (event->button() == Qt::RightButton) {
            QWidget::mousePressEvent(event);
            Activity();
        }
        return;
    }
    const QPoint at = event->position().toPoint();
    pressed_ = true;
    if (OnEndLogos(at.x(), at.y())) {
        setCursor(Qt::PointingHandCursor);
        pressPos_ = QPoint(-1, -1);
        pressId_ = kNoItemId;
        return;
    }
    pressPos_ = at;
    lastDragPos_ = at;
    pressTime_ = NowMs();
    setCursor(Qt::ClosedHandCursor);
    const tTickerItem* pressed = ItemAtLink(at.x(), at.y());
    pressId_ = pressed != nullptr ? pressed->Id : kNoItemId;
    paused_ = true;
    if (tape_ != nullptr) {
        tape_->Paused = true;
    }
    // Qt grabs the mouse for the widget until the button is released.
}

void tTapeWidget::mouseMoveEvent(QMouseEvent* event) {
    Activity();
    if (!Foreground()) {
        return;
    }
    const QPoint at = event->position().toPoint();
    if (pressed_) {
        // A press on the logos is a click on them, not the start of a drag.
        if (pressPos_ != QPoint(-1, -1)) {
            ClearHotItem(false);
            Scroll(2 * (at.x() - lastDragPos_.x()));
            lastDragPos_ = at;
        }
        return;
    }
    if (OnEndLogos(at.x(), at.y())) {
        setCursor(Qt::PointingHandCursor);
        ShowHint(QString::fromLatin1(kProductSite), event->globalPosition().toPoint(), kNoItemId);
        return;
    }
    if (ItemCount() == 0) {
        setCursor(Qt::PointingHandCursor);
        CancelHint();
        return;
    }
    tTickerItem* item = ItemAtLink(at.x(), at.y());
    if (item == nullptr) {
        CancelHint();
        ClearHotItem(true);
        setCursor(Qt::OpenHandCursor);
        return;
    }
    // Going straight from one name to the next must not leave the first underlined.
    if (hotId_ != item->Id) {
        ClearHotItem(false);
    }
    hotId_ = item->Id;
    renderer_.RedrawImage(*item, true);
    update();
    setCursor(Qt::PointingHandCursor);
    ShowHint(FromWin1252(ItemSummaryText(*item, tape_->Clock(), tape_->Values().ShortDateFormat)),
             event->globalPosition().toPoint(), item->Id);
}

void tTapeWidget::mouseReleaseEvent(QMouseEvent* event) {
    Activity();
    if (event->button() == Qt::RightButton) {
        if (popupMenu_ != nullptr) {
            const QPoint at = event->position().toPoint();
            const QPoint global = mapToGlobal(at);
            QPoint where = mapToGlobal(QPoint(at.x(), height()));
            if (tape_ != nullptr && tape_->VertAlign == kVertAlignBottom) {
                const QScreen* s = screen();
                const QRect area = s != nullptr ? s->geometry() : QRect();
                where = QPoint(global.x(), area.y() + area.height() - kPopupAboveBottom);
            }
            ShowPopup(*popupMenu_, where);
        } else {
            QWidget::mouseReleaseEvent(event);
        }
        return;
    }
    // Only a release that ends a press of ours counts: the second release of a double click
    // must not raise a second click.
    if (event->button() != Qt::LeftButton || !pressed_) {
        return;
    }
    const QPoint at = event->position().toPoint();
    pressed_ = false;
    if (OnEndLogos(at.x(), at.y())) {
        if (pressPos_ == QPoint(-1, -1) && OnItemClick) {
            OnItemClick(nullptr);
        }
        return;
    }
    update();
    setCursor(Qt::OpenHandCursor);
    paused_ = false;
    if (tape_ == nullptr) {
        return;
    }
    tape_->Paused = false;
    tape_->Direction = at.x() > pressPos_.x() ? kDirectionRight : kDirectionLeft;
    tTickerItem* released = ItemAtLink(at.x(), at.y());
    const bool quick = NowMs() - pressTime_ < kClickMs;
    if (released != nullptr && released->Id == pressId_ && quick && OnItemClick) {
        OnItemClick(released);
    }
    if (ItemCount() == 0 && OnItemClick) {
        OnItemClick(nullptr);
    }
}

void tTapeWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    Activity();
    WritePreview();
    const QPoint at = event->position().toPoint();
    if (tTickerItem* item = ItemAt(at.x(), at.y()); item != nullptr && OnItemDblClick) {
        OnItemDblClick(*item);
    }
}

void tTapeWidget::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    event->accept();
    WheelScroll(delta);
}

void tTapeWidget::enterEvent(QEnterEvent*) {
    const bool captured = QWidget::mouseGrabber() != nullptr && QWidget::mouseGrabber() != this;
    setCursor(captured || !Foreground() ? Qt::ArrowCursor : Qt::OpenHandCursor);
    paused_ = true;
}

void tTapeWidget::leaveEvent(QEvent*) {
    if (QWidget::mouseGrabber() == nullptr && Foreground() && hotId_ != kNoItemId) {
        ClearHotItem(true);
    }
    CancelHint();
    setCursor(Qt::ArrowCursor);
    if (!pressed_) {
        paused_ = false;
    }
}

// ---- Hints --------------------------------------------------------------------------------------

bool tTapeWidget::HintShown() const {
    return hint_->isVisible();
}

void tTapeWidget::ShowHint(const QString& text, QPoint globalCursor, tItemId item) {
    // The same hint is not shown again while the mouse stays on it; it comes back after the
    // mouse has been elsewhere.
    if (text == hintText_) {
        return;
    }
    hintText_ = text;
    if (hintPauseMs_ > 0 && !hint_->isVisible()) {
        pendingHint_ = text;
        pendingHintPos_ = globalCursor;
        pendingHintItem_ = item;
        hintPause_->start(hintPauseMs_);
        return;
    }
    PopHint(text, globalCursor, item);
}

void tTapeWidget::PopHint(const QString& text, QPoint globalCursor, tItemId item) {
    hintPause_->stop();
    Activity();
    QColor background = QToolTip::palette().color(QPalette::ToolTipBase);
    if (const tTickerItem* live = Item(item)) {
        const int trend = Trend(*live);
        background = trend < 0 ? kHintDown : (trend > 0 ? kHintUp : background);
    }
    QPalette palette = hint_->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::black);
    hint_->setPalette(palette);
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (shown.endsWith(QLatin1Char('\n'))) {
        shown.chop(1);
    }
    hint_->setText(shown);
    hint_->adjustSize();

    const QScreen* s = screen();
    const QRect area = s != nullptr ? s->geometry() : QRect(0, 0, 0, 0);
    const int top = mapToGlobal(QPoint(0, 0)).y();
    const int y = top < area.y() + area.height() / 2 ? top + height() + 2 : top - kHintAboveTape;
    int x = globalCursor.x();
    if (area.width() > 0) {
        x = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - hint_->width()));
    }
    hint_->move(x, y);
    hint_->show();
    hintHide_->start();
}

void tTapeWidget::CancelHint() {
    hintText_.clear();
    hintPause_->stop();
    hintHide_->stop();
    hint_->hide();
}

} // namespace vc
